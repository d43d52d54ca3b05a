// The binding table: its defaults (the game's keys as they always were), rebinding with
// swaps, the keys that stay reserved, and the settings lines it is kept in.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "engine/platform/InputBindings.h"
#include "engine/platform/Keys.h"
#include "engine/platform/PadState.h"

namespace {

using Device = PhysicalInput::Device;

PhysicalInput Key(int code) {
    return {Device::Key, code};
}
PhysicalInput Mouse(int code) {
    return {Device::Mouse, code};
}
PhysicalInput Pad(int code) {
    return {Device::Pad, code};
}
PhysicalInput Pad(PadButton button) {
    return Pad(static_cast<int>(button));
}

constexpr int kScancodeI = 12;
constexpr int kScancodeQ = 20;

std::vector<GameAction> AllActions() {
    std::vector<GameAction> actions;
    for (int a = 0; a < static_cast<int>(GameAction::Count); ++a)
        actions.push_back(static_cast<GameAction>(a));
    return actions;
}

TEST(InputBindings, DefaultsAreTheKeysTheGameAlwaysHad) {
    const InputBindings b = InputBindings::Defaults();
    EXPECT_EQ(b.GetKeyboard(GameAction::MoveForward), Key(scancode::W));
    EXPECT_EQ(b.GetKeyboard(GameAction::MoveLeft), Key(scancode::A));
    EXPECT_EQ(b.GetKeyboard(GameAction::MoveBack), Key(scancode::S));
    EXPECT_EQ(b.GetKeyboard(GameAction::MoveRight), Key(scancode::D));
    EXPECT_EQ(b.GetKeyboard(GameAction::Attack), Mouse(1));
    EXPECT_EQ(b.GetKeyboard(GameAction::SwitchWeapon), Mouse(3));
    EXPECT_EQ(b.GetKeyboard(GameAction::Start), Key(scancode::Return));
    EXPECT_EQ(b.GetPad(GameAction::Attack), Pad(PadButton::X));
    EXPECT_EQ(b.GetPad(GameAction::MoveForward), Pad(padinput::LeftStickUp));

    // Either Shift boosts, either Enter starts, RT swings as X does, LT boosts as LB does,
    // and the controller's Start starts.
    const auto has = [](const std::vector<PhysicalInput>& inputs, PhysicalInput input) {
        for (const PhysicalInput& i : inputs)
            if (i == input) return true;
        return false;
    };
    const auto boost = b.InputsOf(GameAction::Boost);
    EXPECT_TRUE(has(boost, Key(scancode::LeftShift)));
    EXPECT_TRUE(has(boost, Key(scancode::RightShift)));
    EXPECT_TRUE(has(boost, Pad(padinput::LeftTrigger)));
    const auto start = b.InputsOf(GameAction::Start);
    EXPECT_TRUE(has(start, Key(scancode::KeypadEnter)));
    EXPECT_TRUE(has(start, Pad(PadButton::Start)));
    EXPECT_TRUE(has(b.InputsOf(GameAction::Attack), Pad(padinput::RightTrigger)));

    // Every action has one input of each kind, and no input plays two actions.
    std::set<std::pair<int, int>> seen;
    for (GameAction action : AllActions()) {
        for (PhysicalInput input : {b.GetKeyboard(action), b.GetPad(action)}) {
            EXPECT_NE(input.device, Device::None) << InputBindings::SettingsName(action);
            EXPECT_TRUE(seen.insert({static_cast<int>(input.device), input.code}).second)
                << InputBindings::SettingsName(action);
            EXPECT_EQ(b.ActionOf(input), action);
        }
    }
}

TEST(InputBindings, NamesLabelsAndVirtualKeysMatchTheGame) {
    std::set<std::string> names;
    std::set<int> keys;
    for (GameAction action : AllActions()) {
        names.insert(InputBindings::SettingsName(action));
        keys.insert(InputBindings::VirtualKey(action));
        EXPECT_EQ(InputBindings::ActionForVirtualKey(InputBindings::VirtualKey(action)), action);
        EXPECT_STRNE(InputBindings::Label(action), "");
    }
    EXPECT_EQ(names.size(), AllActions().size());
    EXPECT_EQ(keys, (std::set<int>{'W', 'A', 'S', 'D', vk::Shift, vk::LButton, vk::RButton,
                                   vk::Space, vk::Left, vk::Right, vk::Up, vk::Down, vk::Return}));
    EXPECT_STREQ(InputBindings::SettingsName(GameAction::MoveForward), "move_forward");
    EXPECT_STREQ(InputBindings::Label(GameAction::Attack), "Swing / fire");
    EXPECT_EQ(InputBindings::VirtualKey(GameAction::LockOn), vk::Space);
    EXPECT_FALSE(InputBindings::ActionForVirtualKey(vk::Escape));
}

TEST(InputBindings, BindingATakenInputSwapsTheTwoActions) {
    InputBindings b = InputBindings::Defaults();
    // A free key: nothing else changes.
    EXPECT_EQ(b.Bind(GameAction::MoveForward, Key(kScancodeI)), std::nullopt);
    EXPECT_EQ(b.GetKeyboard(GameAction::MoveForward), Key(kScancodeI));
    EXPECT_FALSE(b.ActionOf(Key(scancode::W)));

    // Lock-on takes the mouse's left button: swinging gets Space.
    EXPECT_EQ(b.Bind(GameAction::LockOn, Mouse(1)), GameAction::Attack);
    EXPECT_EQ(b.GetKeyboard(GameAction::LockOn), Mouse(1));
    EXPECT_EQ(b.GetKeyboard(GameAction::Attack), Key(scancode::Space));

    // Controller inputs swap among the controller slots only.
    EXPECT_EQ(b.Bind(GameAction::Boost, Pad(PadButton::Y)), GameAction::SwitchWeapon);
    EXPECT_EQ(b.GetPad(GameAction::SwitchWeapon), Pad(PadButton::LeftShoulder));
    EXPECT_EQ(b.GetKeyboard(GameAction::Boost), Key(scancode::LeftShift));

    // Binding what the action already has changes nothing.
    const InputBindings before = b;
    EXPECT_EQ(b.Bind(GameAction::Boost, Pad(PadButton::Y)), std::nullopt);
    EXPECT_EQ(b, before);
}

TEST(InputBindings, ATwinCountsOnlyWhileNoActionHasItOfItsOwn) {
    InputBindings b = InputBindings::Defaults();
    b.Bind(GameAction::LockOn, Key(scancode::RightShift));
    const auto boost = b.InputsOf(GameAction::Boost);
    EXPECT_EQ(std::count(boost.begin(), boost.end(), Key(scancode::RightShift)), 0);
    const auto lockOn = b.InputsOf(GameAction::LockOn);
    EXPECT_EQ(std::count(lockOn.begin(), lockOn.end(), Key(scancode::RightShift)), 1);
    // Boost moved to another key takes no Shift with it.
    b.Bind(GameAction::Boost, Key(kScancodeQ));
    const auto moved = b.InputsOf(GameAction::Boost);
    EXPECT_EQ(std::count(moved.begin(), moved.end(), Key(scancode::LeftShift)), 0);
    EXPECT_EQ(std::count(moved.begin(), moved.end(), Key(kScancodeQ)), 1);
}

TEST(InputBindings, ReservedAndImpossibleInputsAreRefused) {
    InputBindings b = InputBindings::Defaults();
    const InputBindings defaults = b;
    const PhysicalInput refused[] = {
        Key(scancode::Escape),
        Key(scancode::P),
        Key(scancode::O),
        Key(scancode::F11),
        Key(scancode::Minus),
        Key(scancode::Equals),
        Key(scancode::KeypadMinus),
        Key(scancode::KeypadPlus),
        Key(scancode::M),
        Key(scancode::Backspace),
        Key(scancode::Return),
        Key(scancode::KeypadEnter),
        Pad(PadButton::Start),
        Pad(PadButton::Back),
        Pad(PadButton::Guide),
        PhysicalInput{},
        Key(0),
        Key(scancode::Limit),
        Mouse(0),
        Mouse(6),
        Pad(-1),
        Pad(padinput::ButtonCount),
        Pad(padinput::LeftStickRight + 1),
    };
    for (const PhysicalInput& input : refused) {
        EXPECT_FALSE(b.CanBind(GameAction::Attack, input)) << InputBindings::FormatInput(input);
        EXPECT_EQ(b.Bind(GameAction::Attack, input), std::nullopt);
        EXPECT_EQ(b, defaults) << InputBindings::FormatInput(input);
    }
    // Enter stays the Start action's, and Start may have it back.
    ASSERT_TRUE(b.CanBind(GameAction::Start, Key(kScancodeQ)));
    b.Bind(GameAction::Start, Key(kScancodeQ));
    EXPECT_TRUE(b.CanBind(GameAction::Start, Key(scancode::KeypadEnter)));
    // A swap that would hand Enter to another action is refused as well.
    b = defaults;
    EXPECT_FALSE(b.CanBind(GameAction::Start, Key(scancode::Space)));
    EXPECT_EQ(b.Bind(GameAction::Start, Key(scancode::Space)), std::nullopt);
    EXPECT_EQ(b, defaults);
}

TEST(InputBindings, ResetBringsBackEveryDefault) {
    InputBindings b = InputBindings::Defaults();
    b.Bind(GameAction::MoveForward, Key(kScancodeI));
    b.Bind(GameAction::Attack, Pad(PadButton::B));
    ASSERT_NE(b, InputBindings::Defaults());
    b.ResetToDefaults();
    EXPECT_EQ(b, InputBindings::Defaults());
}

TEST(InputBindingsSettings, RoundTripThroughTheSettingsLines) {
    InputBindings b = InputBindings::Defaults();
    b.Bind(GameAction::MoveForward, Key(kScancodeI));
    b.Bind(GameAction::LockOn, Mouse(1));
    b.Bind(GameAction::Boost, Pad(padinput::RightTrigger));
    b.Bind(GameAction::TurnLeft, Pad(padinput::LeftStickUp));
    b.Bind(GameAction::Start, Key(kScancodeQ));
    const auto lines = b.ToSettings();
    ASSERT_EQ(lines.size(), AllActions().size());
    EXPECT_EQ(lines[0],
              (std::pair<std::string, std::string>{"move_forward", "key:12 pad:dpad_left"}));
    std::vector<std::string> warnings;
    EXPECT_EQ(InputBindings::FromSettings(lines, warnings), b);
    EXPECT_TRUE(warnings.empty());

    // The defaults' lines read back as the defaults; no lines at all too.
    EXPECT_EQ(InputBindings::FromSettings(InputBindings::Defaults().ToSettings(), warnings),
              InputBindings::Defaults());
    EXPECT_EQ(InputBindings::FromSettings({}, warnings), InputBindings::Defaults());
    EXPECT_TRUE(warnings.empty());

    // One word changes one device's slot; the other keeps its default.
    const InputBindings padOnly = InputBindings::FromSettings({{"attack", "pad:rb"}}, warnings);
    EXPECT_EQ(padOnly.GetPad(GameAction::Attack), Pad(PadButton::RightShoulder));
    EXPECT_EQ(padOnly.GetKeyboard(GameAction::Attack), Mouse(1));
    EXPECT_EQ(padOnly.GetPad(GameAction::LockOn), Pad(PadButton::X));
    EXPECT_TRUE(warnings.empty());
}

TEST(InputBindingsSettings, UnusableLinesKeepTheDefaultWithOneWarningEach) {
    std::vector<std::string> warnings;
    const std::vector<std::pair<std::string, std::string>> lines = {
        {"jump", "key:44"},              // no such action
        {"move_forward", "key:twelve"},  // not a number
        {"move_back", "key:41"},         // Escape is reserved
        {"move_left", "mouse:9"},        // no such button
        {"move_right", "pad:z pad:a"},   // no such pad input
        {"boost", ""},                   // nothing
        {"attack", "key:12 key:20"},     // two keys for one slot
        {"lock_on", "keyboard:12"},      // no such device
        {"turn_left", "key:12"},         // usable: I
        {"turn_right", "key:12"},        // I again: already the file's for turn_left
    };
    const InputBindings b = InputBindings::FromSettings(lines, warnings);
    EXPECT_EQ(warnings.size(), 9u);
    for (size_t i = 0; i < warnings.size() && i < 8; ++i)
        EXPECT_NE(warnings[i].find(lines[i].first), std::string::npos) << warnings[i];
    EXPECT_NE(warnings.back().find("turn_right"), std::string::npos);
    InputBindings expected = InputBindings::Defaults();
    expected.Bind(GameAction::TurnLeft, Key(kScancodeI));
    EXPECT_EQ(b, expected);
}

TEST(InputBindingsSettings, InputWordsParseAndFormatBackTheSame) {
    const PhysicalInput inputs[] = {Key(1),
                                    Key(scancode::Limit - 1),
                                    Mouse(1),
                                    Mouse(5),
                                    Pad(0),
                                    Pad(padinput::ButtonCount - 1),
                                    Pad(padinput::LeftTrigger),
                                    Pad(padinput::LeftStickRight)};
    for (const PhysicalInput& input : inputs) {
        const std::string word = InputBindings::FormatInput(input);
        EXPECT_EQ(InputBindings::ParseInput(word), input) << word;
    }
    for (const char* bad : {"", "key", "key:", "key:-1", "key:+5", "key:99999", "mouse:0",
                            "pad:", "pad:A", "none", ":12", "key:12x"})
        EXPECT_FALSE(InputBindings::ParseInput(bad)) << bad;
    EXPECT_EQ(InputBindings::DescribeInput(Mouse(1)), "Left mouse button");
    EXPECT_EQ(InputBindings::DescribeInput(Pad(PadButton::A)), "A button");
    EXPECT_EQ(InputBindings::DescribeInput(Pad(padinput::RightTrigger)), "RT");
}

}  // namespace
