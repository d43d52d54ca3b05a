#include "engine/platform/InputBindings.h"

#include <cstdlib>
#include <iterator>
#include <sstream>

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

struct ActionInfo {
    const char* settingsName;
    const char* label;
    int virtualKey;
    PhysicalInput keyboard;
    PhysicalInput pad;
};

// In GameAction's order. The controller column is the mapping players had before bindings.
const ActionInfo kActions[] = {
    {"move_forward", "Move forward", 'W', Key(scancode::W), Pad(padinput::LeftStickUp)},
    {"move_back", "Move back", 'S', Key(scancode::S), Pad(padinput::LeftStickDown)},
    {"move_left", "Move left", 'A', Key(scancode::A), Pad(padinput::LeftStickLeft)},
    {"move_right", "Move right", 'D', Key(scancode::D), Pad(padinput::LeftStickRight)},
    {"boost", "Boost", vk::Shift, Key(scancode::LeftShift), Pad(PadButton::LeftShoulder)},
    {"attack", "Swing / fire", vk::LButton, Mouse(1), Pad(PadButton::X)},
    {"switch_weapon", "Switch weapon", vk::RButton, Mouse(3), Pad(PadButton::Y)},
    {"lock_on", "Lock on", vk::Space, Key(scancode::Space), Pad(PadButton::RightShoulder)},
    {"turn_left", "Turn camera left", vk::Left, Key(scancode::Left), Pad(PadButton::DpadLeft)},
    {"turn_right", "Turn camera right", vk::Right, Key(scancode::Right), Pad(PadButton::DpadRight)},
    {"turn_up", "Turn camera up", vk::Up, Key(scancode::Up), Pad(PadButton::DpadUp)},
    {"turn_down", "Turn camera down", vk::Down, Key(scancode::Down), Pad(PadButton::DpadDown)},
    {"start", "Start / continue", vk::Return, Key(scancode::Return), Pad(PadButton::A)},
};
static_assert(std::size(kActions) == static_cast<size_t>(GameAction::Count));

const ActionInfo& Info(GameAction action) {
    return kActions[static_cast<int>(action)];
}

// Inputs that stand in for each other, the way either Shift always boosted.
const std::pair<PhysicalInput, PhysicalInput> kTwins[] = {
    {Key(scancode::LeftShift), Key(scancode::RightShift)},
    {Key(scancode::Return), Key(scancode::KeypadEnter)},
    {Pad(PadButton::X), Pad(padinput::RightTrigger)},
    {Pad(PadButton::LeftShoulder), Pad(padinput::LeftTrigger)},
};

std::optional<PhysicalInput> TwinOf(PhysicalInput input) {
    for (const auto& [a, b] : kTwins) {
        if (input == a) return b;
        if (input == b) return a;
    }
    return std::nullopt;
}

bool IsEnterKey(PhysicalInput input) {
    return input == Key(scancode::Return) || input == Key(scancode::KeypadEnter);
}

const char* const kPadNames[] = {
    "a",  "b",  "x",  "y",       "back",      "guide",     "start",      "ls",
    "rs", "lb", "rb", "dpad_up", "dpad_down", "dpad_left", "dpad_right",
};
static_assert(std::size(kPadNames) == padinput::ButtonCount);

const std::pair<int, const char*> kPadAxisNames[] = {
    {padinput::LeftTrigger, "lt"},
    {padinput::RightTrigger, "rt"},
    {padinput::LeftStickUp, "lstick_up"},
    {padinput::LeftStickDown, "lstick_down"},
    {padinput::LeftStickLeft, "lstick_left"},
    {padinput::LeftStickRight, "lstick_right"},
};

bool IsValid(PhysicalInput input) {
    switch (input.device) {
        case Device::Key:
            return input.code > 0 && input.code < scancode::Limit;
        case Device::Mouse:
            return input.code >= 1 && input.code <= 5;
        case Device::Pad:
            if (input.code >= 0 && input.code < padinput::ButtonCount) return true;
            return input.code >= padinput::LeftTrigger && input.code <= padinput::LeftStickRight;
        case Device::None:
            return false;
    }
    return false;
}

bool IsPadSlot(PhysicalInput input) {
    return input.device == Device::Pad;
}

bool ParseNumber(const std::string& text, int& value) {
    if (text.empty() || text.size() > 4) return false;
    for (char c : text)
        if (c < '0' || c > '9') return false;
    value = std::atoi(text.c_str());
    return true;
}

}  // namespace

InputBindings InputBindings::Defaults() {
    InputBindings bindings;
    bindings.ResetToDefaults();
    return bindings;
}

void InputBindings::ResetToDefaults() {
    for (int i = 0; i < kCount; ++i) {
        keyboard[i] = kActions[i].keyboard;
        pad[i] = kActions[i].pad;
    }
}

PhysicalInput InputBindings::GetKeyboard(GameAction action) const {
    return keyboard[static_cast<int>(action)];
}

PhysicalInput InputBindings::GetPad(GameAction action) const {
    return pad[static_cast<int>(action)];
}

bool InputBindings::IsReserved(GameAction action, PhysicalInput input) {
    if (input.device == Device::Key) {
        if (IsEnterKey(input)) return action != GameAction::Start;
        switch (input.code) {
            case scancode::Escape:
            case scancode::P:
            case scancode::O:
            case scancode::F11:
            case scancode::Minus:
            case scancode::Equals:
            case scancode::KeypadMinus:
            case scancode::KeypadPlus:
            case scancode::M:
            case scancode::Backspace:
                return true;
            default:
                return false;
        }
    }
    if (input.device == Device::Pad) {
        return input == Pad(PadButton::Start) || input == Pad(PadButton::Back) ||
               input == Pad(PadButton::Guide);
    }
    return false;
}

bool InputBindings::CanBind(GameAction action, PhysicalInput input) const {
    if (action == GameAction::Count || !IsValid(input) || IsReserved(action, input)) return false;
    const std::optional<GameAction> other = ActionOf(input);
    if (!other || *other == action) return true;
    // The other action takes this one's input in exchange.
    const PhysicalInput given = IsPadSlot(input) ? GetPad(action) : GetKeyboard(action);
    return !IsReserved(*other, given);
}

std::optional<GameAction> InputBindings::Bind(GameAction action, PhysicalInput input) {
    if (!CanBind(action, input)) return std::nullopt;
    auto& slots = IsPadSlot(input) ? pad : keyboard;
    const int index = static_cast<int>(action);
    const std::optional<GameAction> other = ActionOf(input);
    if (other && *other != action) {
        slots[static_cast<int>(*other)] = slots[index];
        slots[index] = input;
        return other;
    }
    slots[index] = input;
    return std::nullopt;
}

std::optional<GameAction> InputBindings::ActionOf(PhysicalInput input) const {
    const auto& slots = IsPadSlot(input) ? pad : keyboard;
    for (int i = 0; i < kCount; ++i)
        if (slots[i] == input && input.device != Device::None) return static_cast<GameAction>(i);
    return std::nullopt;
}

std::vector<PhysicalInput> InputBindings::InputsOf(GameAction action) const {
    std::vector<PhysicalInput> inputs;
    for (PhysicalInput bound : {GetKeyboard(action), GetPad(action)}) {
        if (bound.device == Device::None) continue;
        inputs.push_back(bound);
        const std::optional<PhysicalInput> twin = TwinOf(bound);
        if (twin && !ActionOf(*twin)) inputs.push_back(*twin);
    }
    // The controller's Start button always starts and continues, as it always has.
    if (action == GameAction::Start) inputs.push_back(Pad(PadButton::Start));
    return inputs;
}

const char* InputBindings::SettingsName(GameAction action) {
    return action == GameAction::Count ? "" : Info(action).settingsName;
}

const char* InputBindings::Label(GameAction action) {
    return action == GameAction::Count ? "" : Info(action).label;
}

int InputBindings::VirtualKey(GameAction action) {
    return action == GameAction::Count ? 0 : Info(action).virtualKey;
}

std::optional<GameAction> InputBindings::ActionForVirtualKey(int virtualKey) {
    for (int i = 0; i < kCount; ++i)
        if (kActions[i].virtualKey == virtualKey) return static_cast<GameAction>(i);
    return std::nullopt;
}

std::vector<PhysicalInput> InputBindings::DefaultInputsOfVirtualKey(int virtualKey) {
    if (virtualKey >= 'A' && virtualKey <= 'Z') return {Key(scancode::A + (virtualKey - 'A'))};
    // Scancodes run 1 .. 9, then 0.
    if (virtualKey >= '1' && virtualKey <= '9') return {Key(30 + (virtualKey - '1'))};
    switch (virtualKey) {
        case '0':
            return {Key(39)};
        case vk::LButton:
            return {Mouse(1)};
        case vk::RButton:
            return {Mouse(3)};
        case vk::Return:
            return {Key(scancode::Return), Key(scancode::KeypadEnter)};
        case vk::Shift:
            return {Key(scancode::LeftShift), Key(scancode::RightShift)};
        case vk::Escape:
            return {Key(scancode::Escape)};
        case vk::Space:
            return {Key(scancode::Space)};
        case vk::Left:
            return {Key(scancode::Left)};
        case vk::Up:
            return {Key(scancode::Up)};
        case vk::Right:
            return {Key(scancode::Right)};
        case vk::Down:
            return {Key(scancode::Down)};
        default:
            return {};
    }
}

std::string InputBindings::FormatInput(PhysicalInput input) {
    switch (input.device) {
        case Device::Key:
            return "key:" + std::to_string(input.code);
        case Device::Mouse:
            return "mouse:" + std::to_string(input.code);
        case Device::Pad:
            if (input.code >= 0 && input.code < padinput::ButtonCount)
                return std::string("pad:") + kPadNames[input.code];
            for (const auto& [code, name] : kPadAxisNames)
                if (code == input.code) return std::string("pad:") + name;
            return "pad:?";
        case Device::None:
            break;
    }
    return "none";
}

std::optional<PhysicalInput> InputBindings::ParseInput(const std::string& word) {
    const auto colon = word.find(':');
    if (colon == std::string::npos) return std::nullopt;
    const std::string device = word.substr(0, colon);
    const std::string name = word.substr(colon + 1);
    PhysicalInput input;
    int number = 0;
    if (device == "key" && ParseNumber(name, number)) {
        input = Key(number);
    } else if (device == "mouse" && ParseNumber(name, number)) {
        input = Mouse(number);
    } else if (device == "pad") {
        for (int i = 0; i < padinput::ButtonCount; ++i)
            if (name == kPadNames[i]) input = Pad(i);
        for (const auto& [code, padName] : kPadAxisNames)
            if (name == padName) input = Pad(code);
    }
    if (!IsValid(input)) return std::nullopt;
    return input;
}

InputBindings InputBindings::FromSettings(
    const std::vector<std::pair<std::string, std::string>>& lines,
    std::vector<std::string>& warnings) {
    InputBindings bindings = Defaults();
    // Lines are taken in turn, each checked against what the earlier ones made: a line
    // that would take another line's input is refused rather than quietly swapped.
    std::array<bool, kCount> fromFile{};
    for (const auto& [name, value] : lines) {
        int index = -1;
        for (int i = 0; i < kCount; ++i)
            if (name == kActions[i].settingsName) index = i;
        if (index < 0) {
            warnings.push_back("bind." + name + ": no such action; ignored");
            continue;
        }
        const GameAction action = static_cast<GameAction>(index);
        InputBindings changed = bindings;
        std::array<bool, kCount> changedFromFile = fromFile;
        std::istringstream words(value);
        std::string word;
        bool usable = true;
        int count = 0;
        bool keySeen = false;
        bool padSeen = false;
        while (usable && words >> word) {
            ++count;
            const std::optional<PhysicalInput> input = ParseInput(word);
            bool& seen = input && IsPadSlot(*input) ? padSeen : keySeen;
            if (!input || seen || !changed.CanBind(action, *input)) {
                usable = false;
                break;
            }
            seen = true;
            const std::optional<GameAction> other = changed.ActionOf(*input);
            if (other && *other != action && changedFromFile[static_cast<int>(*other)]) {
                usable = false;
                break;
            }
            changed.Bind(action, *input);
        }
        if (!usable || count == 0) {
            warnings.push_back("bind." + name + " = " + value + ": not a usable binding; " +
                               "the default is kept");
            continue;
        }
        changedFromFile[index] = true;
        bindings = changed;
        fromFile = changedFromFile;
    }
    return bindings;
}

std::vector<std::pair<std::string, std::string>> InputBindings::ToSettings() const {
    std::vector<std::pair<std::string, std::string>> lines;
    for (int i = 0; i < kCount; ++i) {
        lines.emplace_back(kActions[i].settingsName,
                           FormatInput(keyboard[i]) + " " + FormatInput(pad[i]));
    }
    return lines;
}

std::string InputBindings::DescribeInput(PhysicalInput input) {
    switch (input.device) {
        case Device::Key:
            return "Key " + std::to_string(input.code);
        case Device::Mouse: {
            static const char* const names[] = {"Left mouse button", "Middle mouse button",
                                                "Right mouse button", "Mouse button 4",
                                                "Mouse button 5"};
            if (input.code >= 1 && input.code <= 5) return names[input.code - 1];
            return "Mouse button " + std::to_string(input.code);
        }
        case Device::Pad: {
            static const char* const names[] = {
                "A button",          "B button",     "X button",     "Y button",
                "Back button",       "Guide button", "Start button", "Left stick click",
                "Right stick click", "LB",           "RB",           "D-pad up",
                "D-pad down",        "D-pad left",   "D-pad right"};
            static_assert(std::size(names) == padinput::ButtonCount);
            if (input.code >= 0 && input.code < padinput::ButtonCount) return names[input.code];
            switch (input.code) {
                case padinput::LeftTrigger:
                    return "LT";
                case padinput::RightTrigger:
                    return "RT";
                case padinput::LeftStickUp:
                    return "Left stick up";
                case padinput::LeftStickDown:
                    return "Left stick down";
                case padinput::LeftStickLeft:
                    return "Left stick left";
                case padinput::LeftStickRight:
                    return "Left stick right";
                default:
                    return "Controller input " + std::to_string(input.code);
            }
        }
        case Device::None:
            break;
    }
    return "None";
}
