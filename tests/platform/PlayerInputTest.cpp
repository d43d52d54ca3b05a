// The platform's input as players change it and menus read it, on the scripted backend:
// rebound keys, look sensitivity and inversion, menu keys from the keyboard and a
// controller, Escape, capturing an input to bind, raw mouse clicks.
#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <vector>

#include "engine/platform/Keys.h"
#include "engine/platform/PadMapping.h"
#include "support/GameHarness.h"

namespace {

using Device = PhysicalInput::Device;
constexpr int kScancodeI = 12;
constexpr int kScancodeQ = 20;

// Runs `passes` passes of an empty scene with the script, calling `check` at the start of
// each pass (after its input is in). setUp changes the platform in the first pass: starting,
// the application hands the platform the controls of its settings, which would undo a
// change made before the run.
void RunPasses(uint64_t passes, const std::function<PassInput(uint64_t)>& script,
               const std::function<void(ScriptedPlatform&, uint64_t)>& check,
               const std::function<void(ScriptedPlatform&)>& setUp = nullptr) {
    GameHarness harness;
    ScriptedPlatform& platform = harness.Platform();
    platform.SetScript(script);
    platform.SetPassHook([&](uint64_t pass) {
        if (pass == 1 && setUp) setUp(platform);
        check(platform, pass);
    });
    harness.DrawNothing();
    harness.Run([] { return new SceneBase; }, passes);
}

TEST(Rebinding, TheGameKeyAnswersFromTheNewKeyOnly) {
    std::vector<bool> forward, rawW, attack;
    RunPasses(
        4,
        [](uint64_t pass) {
            PassInput input;
            if (pass == 1) input.held = {'W', vk::LButton};
            if (pass == 2) input.keys = {kScancodeI};
            if (pass == 3) input.keys = {scancode::Space};
            return input;
        },
        [&](ScriptedPlatform& p, uint64_t) {
            forward.push_back(p.IsKeyDown('W'));
            rawW.push_back(p.IsRawKeyDown('W'));
            attack.push_back(p.IsKeyDown(vk::LButton));
        },
        [](ScriptedPlatform& p) {
            InputBindings bindings = InputBindings::Defaults();
            bindings.Bind(GameAction::MoveForward, {Device::Key, kScancodeI});
            bindings.Bind(GameAction::Attack, {Device::Key, scancode::Space});
            p.SetBindings(bindings);
        });
    // Holding W (by its old name) moves nothing; the physical I does.
    EXPECT_EQ(forward, (std::vector<bool>{false, true, false, false}));
    // Menus still see the W key itself.
    EXPECT_EQ(rawW, (std::vector<bool>{true, false, false, false}));
    // The swing moved to Space, and the left button (now lock-on's) swings no more.
    EXPECT_EQ(attack, (std::vector<bool>{false, false, true, false}));
}

TEST(Rebinding, ControllerInputsFollowTheirBindings) {
    std::vector<bool> boost, attack;
    RunPasses(
        5,
        [](uint64_t pass) {
            PassInput input;
            PadState pad;
            if (pass == 2) pad.Press(PadButton::X);
            if (pass == 3) pad.SetAxis(PadAxis::RightTrigger, 32767);
            if (pass == 4) pad.Press(PadButton::LeftShoulder);
            if (pass == 5) pad.SetAxis(PadAxis::LeftTrigger, 32767);
            input.pads[0] = pad;
            return input;
        },
        [&](ScriptedPlatform& p, uint64_t) {
            boost.push_back(p.IsKeyDown(vk::Shift));
            attack.push_back(p.IsKeyDown(vk::LButton));
        },
        [](ScriptedPlatform& p) {
            InputBindings bindings = InputBindings::Defaults();
            bindings.Bind(GameAction::Boost, {Device::Pad, static_cast<int>(PadButton::X)});
            p.SetBindings(bindings);
        });
    // X now boosts and the swing took LB in exchange; each trigger goes along with the
    // button it stood in for.
    EXPECT_EQ(boost, (std::vector<bool>{false, true, true, false, false}));
    EXPECT_EQ(attack, (std::vector<bool>{false, false, false, true, true}));
}

// The cursor's motion in each pass of a run with the given look settings.
std::vector<PlatformPoint> LookMotion(int mousePercent, bool invert, int padPercent,
                                      const std::function<PassInput(uint64_t)>& script,
                                      uint64_t passes) {
    std::vector<PlatformPoint> motion;
    std::optional<PlatformPoint> last;
    RunPasses(
        passes, script,
        [&](ScriptedPlatform& p, uint64_t) {
            const PlatformPoint now = p.GetCursorPos();
            if (last) motion.push_back({now.x - last->x, now.y - last->y});
            last = now;
        },
        [&](ScriptedPlatform& p) { p.SetLook(mousePercent, invert, padPercent); });
    return motion;
}

PlatformPoint Sum(const std::vector<PlatformPoint>& motion) {
    PlatformPoint total;
    for (const PlatformPoint& m : motion) {
        total.x += m.x;
        total.y += m.y;
    }
    return total;
}

TEST(LookSettings, MouseSensitivityScalesTheMotionAndCarriesFractions) {
    const auto mouse = [](int dx, int dy) {
        return [=](uint64_t) {
            PassInput input;
            input.mouseDx = dx;
            input.mouseDy = dy;
            return input;
        };
    };
    // The game's own motion, pixel for pixel.
    for (const PlatformPoint& m : LookMotion(100, false, 100, mouse(7, -3), 5))
        EXPECT_EQ(m, (PlatformPoint{7, -3}));
    // A quarter: one pixel every fourth pass, never none at all.
    const auto quarter = LookMotion(25, false, 100, mouse(1, -1), 9);
    EXPECT_EQ(Sum(quarter), (PlatformPoint{2, -2}));
    // Twice and four times.
    for (const PlatformPoint& m : LookMotion(200, false, 100, mouse(3, 5), 4))
        EXPECT_EQ(m, (PlatformPoint{6, 10}));
    for (const PlatformPoint& m : LookMotion(400, false, 100, mouse(-2, 1), 4))
        EXPECT_EQ(m, (PlatformPoint{-8, 4}));
    // Inverted: up is down, sideways stays.
    for (const PlatformPoint& m : LookMotion(100, true, 100, mouse(4, 5), 4))
        EXPECT_EQ(m, (PlatformPoint{4, -5}));
    // 1.5 ×: 1, 2, 1, 2 ... from one pixel a pass.
    const auto half = LookMotion(150, false, 100, mouse(1, 0), 9);
    EXPECT_EQ(Sum(half).x, 12);
}

TEST(LookSettings, PadSensitivityScalesTheRightStick) {
    const auto stick = [](int x, int y) {
        return [=](uint64_t) {
            PassInput input;
            input.pads[0].SetAxis(PadAxis::RightX, x);
            input.pads[0].SetAxis(PadAxis::RightY, y);
            return input;
        };
    };
    const int full = static_cast<int>(padmap::kLookPixelsPerPass);
    // The first pass plugs the pad in; every later one turns.
    const auto normal = LookMotion(100, false, 100, stick(32767, 0), 6);
    EXPECT_EQ(normal.back(), (PlatformPoint{full, 0}));
    const auto doubled = LookMotion(100, false, 200, stick(32767, 0), 6);
    EXPECT_EQ(doubled.back(), (PlatformPoint{2 * full, 0}));
    const auto quarter = LookMotion(100, false, 25, stick(0, 32767), 6);
    EXPECT_EQ(quarter.back(), (PlatformPoint{0, full / 4}));
    const auto inverted = LookMotion(100, true, 100, stick(0, -32768), 6);
    EXPECT_EQ(inverted.back(), (PlatformPoint{0, full}));
    // The mouse's setting does not touch the stick.
    const auto mouseOnly = LookMotion(400, false, 100, stick(32767, 0), 6);
    EXPECT_EQ(mouseOnly.back(), (PlatformPoint{full, 0}));
}

TEST(MenuKeys, ComeFromTheKeysThemselvesWhateverTheBindings) {
    std::vector<MenuKey> keys;
    std::vector<PlatformCommand> commands;
    RunPasses(
        3,
        [](uint64_t pass) {
            PassInput input;
            if (pass == 1)
                input.keyPresses = {
                    scancode::Up,          scancode::Down,  scancode::Return,    scancode::Left,
                    scancode::KeypadEnter, scancode::Right, scancode::Backspace, scancode::W};
            if (pass == 2) input.keyPresses = {scancode::P, scancode::O, scancode::M};
            return input;
        },
        [&](ScriptedPlatform& p, uint64_t) {
            for (MenuKey k : p.TakeMenuKeys()) keys.push_back(k);
            for (PlatformCommand c : p.TakeCommands()) commands.push_back(c);
        },
        [](ScriptedPlatform& p) {
            // The arrows turn nothing any more: menus still move by them.
            InputBindings bindings = InputBindings::Defaults();
            bindings.Bind(GameAction::TurnUp, {Device::Key, kScancodeI});
            p.SetBindings(bindings);
        });
    EXPECT_EQ(keys,
              (std::vector<MenuKey>{MenuKey::Up, MenuKey::Down, MenuKey::Accept, MenuKey::Left,
                                    MenuKey::Accept, MenuKey::Right, MenuKey::Back}));
    EXPECT_EQ(commands,
              (std::vector<PlatformCommand>{PlatformCommand::Pause, PlatformCommand::OpenOptions,
                                            PlatformCommand::ToggleMute}));
}

TEST(MenuKeys, EscapeClosesTheWindowOnlyWhileAskedTo) {
    std::vector<MenuKey> keys;
    std::vector<bool> open;
    GameHarness harness;
    ScriptedPlatform& platform = harness.Platform();
    platform.SetScript([](uint64_t pass) {
        PassInput input;
        if (pass == 2 || pass == 4) input.keyPresses = {scancode::Escape};
        return input;
    });
    platform.SetPassHook([&](uint64_t pass) {
        // (Set here, not before the run: starting, the application lets Escape close.)
        if (pass == 1) platform.SetEscapeCloses(false);
        open.push_back(platform.IsWindowOpen());
        for (MenuKey k : platform.TakeMenuKeys()) keys.push_back(k);
        if (pass == 3) platform.SetEscapeCloses(true);
    });
    harness.DrawNothing();
    harness.Run([] { return new SceneBase; }, 10);
    // The menu's Escape was its Back; once Escape closes again, it ends the run.
    EXPECT_EQ(keys, (std::vector<MenuKey>{MenuKey::Back}));
    EXPECT_EQ(open, (std::vector<bool>{true, true, true, false}));
}

TEST(MenuKeys, ControllerGivesMenuKeysAndRepeatsDirections) {
    std::vector<std::vector<MenuKey>> keys;
    std::vector<std::vector<PlatformCommand>> commands;
    bool menuOpen = false;
    bool rightButtonWithY = false;
    RunPasses(
        48,
        [](uint64_t pass) {
            PassInput input;
            PadState& pad = input.pads[0];
            if (pass >= 2 && pass <= 41) pad.Press(PadButton::DpadDown);
            if (pass == 43) pad.Press(PadButton::A);
            if (pass == 44) pad.Press(PadButton::B);
            if (pass == 45) pad.Press(PadButton::Start);
            if (pass == 46 || pass == 48) pad.Press(PadButton::Y);
            if (pass == 47) pad.SetAxis(PadAxis::LeftX, -32768);
            return input;
        },
        [&](ScriptedPlatform& p, uint64_t pass) {
            keys.push_back(p.TakeMenuKeys());
            commands.push_back(p.TakeCommands());
            if (pass == 46) rightButtonWithY = p.IsKeyDown(vk::RButton);
            if (pass == 47) {
                menuOpen = true;
                p.SetEscapeCloses(false);
            }
        });
    ASSERT_EQ(keys.size(), 48u);
    // Pushed in pass 2; repeating from the 25th pass held (pass 26) every 6 passes.
    std::vector<size_t> downs;
    for (size_t i = 0; i < keys.size(); ++i)
        if (keys[i] == std::vector<MenuKey>{MenuKey::Down}) downs.push_back(i + 1);
    EXPECT_EQ(downs, (std::vector<size_t>{2, 26, 32, 38}));
    EXPECT_EQ(keys[42], (std::vector<MenuKey>{MenuKey::Accept}));
    EXPECT_EQ(keys[43], (std::vector<MenuKey>{MenuKey::Back}));
    EXPECT_EQ(commands[44], (std::vector<PlatformCommand>{PlatformCommand::Pause}));
    // Y asks for the options everywhere (the screens that do not offer them ignore it) and
    // still holds the right button, which switches weapons in battle.
    EXPECT_EQ(commands[45], (std::vector<PlatformCommand>{PlatformCommand::OpenOptions}));
    EXPECT_TRUE(rightButtonWithY);
    EXPECT_EQ(keys[46], (std::vector<MenuKey>{MenuKey::Left}));
    EXPECT_TRUE(menuOpen);
    EXPECT_EQ(commands[47], (std::vector<PlatformCommand>{PlatformCommand::OpenOptions}));
}

TEST(MenuKeys, BackOnTheControllerOpensTheOptionsAndStartStillHoldsEnter) {
    std::vector<PlatformCommand> commands;
    std::vector<bool> enter;
    RunPasses(
        3,
        [](uint64_t pass) {
            PassInput input;
            if (pass == 2) input.pads[0].Press(PadButton::Back);
            if (pass == 3) input.pads[0].Press(PadButton::Start);
            return input;
        },
        [&](ScriptedPlatform& p, uint64_t) {
            for (PlatformCommand c : p.TakeCommands()) commands.push_back(c);
            enter.push_back(p.IsKeyDown(vk::Return));
        });
    EXPECT_EQ(commands,
              (std::vector<PlatformCommand>{PlatformCommand::OpenOptions, PlatformCommand::Pause}));
    EXPECT_EQ(enter, (std::vector<bool>{false, false, true}));
}

TEST(Capture, TakesTheNextInputPressedAndKeepsItOutOfPlayUntilReleased) {
    std::vector<std::optional<PhysicalInput>> captured;
    std::vector<bool> forward;
    std::vector<MenuKey> keys;
    std::vector<PlatformCommand> commands;
    RunPasses(
        12,
        [](uint64_t pass) {
            PassInput input;
            if (pass == 2) input.keyPresses = {scancode::W, scancode::Up};
            if (pass >= 2 && pass <= 3) input.keys = {scancode::W};
            if (pass == 5) input.keys = {scancode::W};
            if (pass == 7) input.buttonPresses = {3};
            if (pass == 9) input.keyPresses = {scancode::P};
            if (pass == 11) input.pads[0].Press(PadButton::Start);
            if (pass == 12) input.pads[0].Press(PadButton::RightShoulder);
            return input;
        },
        [&](ScriptedPlatform& p, uint64_t pass) {
            captured.push_back(p.TakeCaptured());
            forward.push_back(p.IsKeyDown('W'));
            for (MenuKey k : p.TakeMenuKeys()) keys.push_back(k);
            for (PlatformCommand c : p.TakeCommands()) commands.push_back(c);
            if (pass == 1 || pass == 6 || pass == 8 || pass == 10) p.BeginCapture();
        });
    const auto key = [](int code) { return PhysicalInput{Device::Key, code}; };
    std::vector<std::optional<PhysicalInput>> expected(12);
    expected[1] = key(scancode::W);
    expected[6] = PhysicalInput{Device::Mouse, 3};
    expected[8] = key(scancode::P);
    expected[10] = PhysicalInput{Device::Pad, static_cast<int>(PadButton::Start)};
    EXPECT_EQ(captured, expected);
    // The captured W moves nothing while still held; pressed again later, it does.
    EXPECT_EQ(forward[1], false);
    EXPECT_EQ(forward[2], false);
    EXPECT_EQ(forward[4], true);
    // Only the first press is taken: the Up after it is a menu key again. The captured P
    // and Start pause nothing; RB pressed later (no capture) gives no command.
    EXPECT_EQ(keys, (std::vector<MenuKey>{MenuKey::Up}));
    EXPECT_TRUE(commands.empty());
}

TEST(Capture, EscapeCancelsWithoutClosingTheWindow) {
    std::vector<std::optional<PhysicalInput>> captured;
    bool open = false;
    std::vector<MenuKey> keys;
    RunPasses(
        3,
        [](uint64_t pass) {
            PassInput input;
            if (pass == 2) input.keyPresses = {scancode::Escape};
            return input;
        },
        [&](ScriptedPlatform& p, uint64_t pass) {
            captured.push_back(p.TakeCaptured());
            for (MenuKey k : p.TakeMenuKeys()) keys.push_back(k);
            open = p.IsWindowOpen();
            if (pass == 1) p.BeginCapture();
        });
    ASSERT_EQ(captured.size(), 3u);
    EXPECT_FALSE(captured[0]);
    ASSERT_TRUE(captured[1]);
    EXPECT_EQ(captured[1]->device, Device::None);
    EXPECT_FALSE(captured[2]);
    EXPECT_TRUE(open);
    EXPECT_TRUE(keys.empty());
}

TEST(RawInput, MenusSeeTheMouseWhereverTheSwingIsBound) {
    std::vector<PlatformPoint> pointer;
    std::vector<bool> click, swing;
    RunPasses(
        2,
        [](uint64_t pass) {
            PassInput input;
            input.pointer = PlatformPoint{300, 200 + static_cast<int>(pass)};
            if (pass == 2) input.mouseButtons = {1};
            return input;
        },
        [&](ScriptedPlatform& p, uint64_t) {
            const PlatformPoint origin = p.ClientToScreen({0, 0});
            const PlatformPoint cursor = p.GetCursorPos();
            pointer.push_back({cursor.x - origin.x, cursor.y - origin.y});
            click.push_back(p.IsRawKeyDown(vk::LButton));
            swing.push_back(p.IsKeyDown(vk::LButton));
        },
        [](ScriptedPlatform& p) {
            InputBindings bindings = InputBindings::Defaults();
            bindings.Bind(GameAction::Attack, {Device::Key, kScancodeQ});
            p.SetBindings(bindings);
        });
    EXPECT_EQ(pointer, (std::vector<PlatformPoint>{{300, 201}, {300, 202}}));
    EXPECT_EQ(click, (std::vector<bool>{false, true}));
    EXPECT_EQ(swing, (std::vector<bool>{false, false}));
}

TEST(RawInput, InputNamesFollowTheKeyboardLayout) {
    GameHarness harness;
    ScriptedPlatform& platform = harness.Platform();
    harness.DrawNothing();
    std::string w, shift, mouse, pad;
    platform.SetPassHook([&](uint64_t) {
        w = platform.GetInputName({Device::Key, scancode::W});
        shift = platform.GetInputName({Device::Key, scancode::LeftShift});
        mouse = platform.GetInputName({Device::Mouse, 3});
        pad = platform.GetInputName({Device::Pad, padinput::LeftTrigger});
    });
    harness.Run([] { return new SceneBase; }, 1);
    // The headless keyboard has the US layout.
    EXPECT_EQ(w, "W");
    EXPECT_EQ(shift, "Left Shift");
    EXPECT_EQ(mouse, "Right mouse button");
    EXPECT_EQ(pad, "LT");
}

}  // namespace
