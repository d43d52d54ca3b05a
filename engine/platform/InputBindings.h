#pragma once

#include <array>
#include <optional>
#include <string>
#include <utility>
#include <vector>

// What the game asks of its keys, one entry per virtual key it polls (see VirtualKey).
enum class GameAction {
    MoveForward,
    MoveBack,
    MoveLeft,
    MoveRight,
    Boost,
    Attack,
    SwitchWeapon,
    LockOn,
    TurnLeft,
    TurnRight,
    TurnUp,
    TurnDown,
    Start,
    Count
};

// One key, mouse button or controller input, named by where it is rather than by what it
// types, so a binding survives a change of keyboard layout.
struct PhysicalInput {
    enum class Device { None, Key, Mouse, Pad };
    Device device = Device::None;
    // Key: the key's USB HID usage (SDL's scancode number: W is 26, Left Shift 225).
    // Mouse: 1 left, 2 middle, 3 right, 4 X1 (back), 5 X2 (forward).
    // Pad: a PadButton number (0 A .. 14 D-pad right), or one of the padinput codes below.
    int code = 0;
    bool operator==(const PhysicalInput&) const = default;
};

// Scancode numbers of the keys the defaults and the reserved set name.
namespace scancode {
constexpr int A = 4;
constexpr int D = 7;
constexpr int M = 16;
constexpr int O = 18;
constexpr int P = 19;
constexpr int S = 22;
constexpr int W = 26;
constexpr int Return = 40;
constexpr int Escape = 41;
constexpr int Backspace = 42;
constexpr int Space = 44;
constexpr int Minus = 45;
constexpr int Equals = 46;
constexpr int F11 = 68;
constexpr int Right = 79;
constexpr int Left = 80;
constexpr int Down = 81;
constexpr int Up = 82;
constexpr int KeypadMinus = 86;
constexpr int KeypadPlus = 87;
constexpr int KeypadEnter = 88;
constexpr int LeftShift = 225;
constexpr int RightShift = 229;
// Codes past this are not keys on any keyboard.
constexpr int Limit = 512;
}  // namespace scancode

// Controller inputs that are not buttons: the triggers past half their travel and the left
// stick pushed past its dead zone, by direction (eight sectors, as PadMapping describes).
namespace padinput {
constexpr int ButtonCount = 15;  // the PadButton values
constexpr int LeftTrigger = 100;
constexpr int RightTrigger = 101;
constexpr int LeftStickUp = 102;
constexpr int LeftStickDown = 103;
constexpr int LeftStickLeft = 104;
constexpr int LeftStickRight = 105;
}  // namespace padinput

// Which keys, mouse buttons and controller inputs play each action: one keyboard-or-mouse
// input and one controller input per action. Some defaults bring a twin that counts as
// well while no action has it of its own (either Shift, either Enter, RT beside X, LT
// beside LB), so the defaults play exactly as the game always did.
//
// Reserved, never bound: Escape, P, O, F11, '-', '+' / '=' (either row), M and Backspace,
// Enter (either one) except for Start, and the controller's Start, Back and Guide. They
// stay the menus', the commands' and the window's.
class InputBindings {
public:
    static InputBindings Defaults();

    // The keyboard-or-mouse input of the action, and its controller input.
    PhysicalInput GetKeyboard(GameAction action) const;
    PhysicalInput GetPad(GameAction action) const;

    // Binds the input to the action's keyboard/mouse slot or its controller slot, as its
    // device says. When another action had that input, the two swap, and that action is
    // returned. A refused binding (CanBind false) changes nothing and returns nullopt: ask
    // CanBind first to tell it from a binding that took nothing away.
    std::optional<GameAction> Bind(GameAction action, PhysicalInput input);
    // False for no input, a reserved one, a code no device has, or a swap that would hand
    // the other action an input reserved from it (Enter, away from Start).
    bool CanBind(GameAction action, PhysicalInput input) const;
    static bool IsReserved(GameAction action, PhysicalInput input);
    void ResetToDefaults();

    // The action the input plays directly, if any.
    std::optional<GameAction> ActionOf(PhysicalInput input) const;
    // The inputs that hold the action down now: its two bindings and, where no action has
    // them, their twins.
    std::vector<PhysicalInput> InputsOf(GameAction action) const;

    // "move_forward", "boost", ...: the settings file's name of the action.
    static const char* SettingsName(GameAction action);
    // "Move forward", "Boost", ...: what the options screen calls it.
    static const char* Label(GameAction action);
    // The Windows virtual-key code the game polls for the action.
    static int VirtualKey(GameAction action);
    static std::optional<GameAction> ActionForVirtualKey(int virtualKey);
    // The keyboard and mouse inputs a virtual key names when nothing is rebound.
    static std::vector<PhysicalInput> DefaultInputsOfVirtualKey(int virtualKey);

    // The settings file's `bind.<name> = <value>` lines, with values of one or two words:
    //   key:<scancode>   a key by position, as a decimal USB HID usage (W is key:26)
    //   mouse:<1..5>     left, middle, right, X1, X2
    //   pad:<name>       a, b, x, y, lb, rb, ls, rs, dpad_up/down/left/right, lt, rt,
    //                    lstick_up/down/left/right
    // e.g. `bind.move_forward = key:26 pad:lstick_up`. A word for one device leaves the
    // other at its default. An unknown action or a value that cannot be used (a malformed or
    // reserved input, or one already taken by another action in the file) keeps the
    // action's defaults and adds one warning.
    static InputBindings FromSettings(const std::vector<std::pair<std::string, std::string>>& lines,
                                      std::vector<std::string>& warnings);
    std::vector<std::pair<std::string, std::string>> ToSettings() const;
    static std::string FormatInput(PhysicalInput input);
    static std::optional<PhysicalInput> ParseInput(const std::string& word);

    // A name for the input that needs no keyboard layout: "Left mouse button", "A button",
    // "LT", "Left stick up"; keys as "Key 26" (the platform names keys in the player's
    // layout).
    static std::string DescribeInput(PhysicalInput input);

    bool operator==(const InputBindings&) const = default;

private:
    static constexpr int kCount = static_cast<int>(GameAction::Count);
    std::array<PhysicalInput, kCount> keyboard{};
    std::array<PhysicalInput, kCount> pad{};
};
