#pragma once

#include <algorithm>
#include <array>
#include <cstdint>

// A game controller as the platform reads it, in the standard layout SDL maps every known
// controller to (Xbox names: A at the bottom, B right, X left, Y top). The order of both
// enumerations is SDL's, so values pass through unchanged.
enum class PadButton {
    A,
    B,
    X,
    Y,
    Back,
    Guide,
    Start,
    LeftStick,
    RightStick,
    LeftShoulder,
    RightShoulder,
    DpadUp,
    DpadDown,
    DpadLeft,
    DpadRight,
    Count
};

enum class PadAxis { LeftX, LeftY, RightX, RightY, LeftTrigger, RightTrigger, Count };

struct PadState {
    static constexpr int kAxisMax = 32767;

    // Sticks -32768..32767 (x right, y down); triggers 0..32767 (released .. fully pulled).
    std::array<int16_t, static_cast<int>(PadAxis::Count)> axes{};
    // Bit (1 << PadButton) set while the button is held.
    uint32_t buttons = 0;

    int16_t Axis(PadAxis axis) const { return axes[static_cast<int>(axis)]; }
    void SetAxis(PadAxis axis, int value) {
        axes[static_cast<int>(axis)] = static_cast<int16_t>(std::clamp(value, -32768, 32767));
    }
    bool Held(PadButton button) const { return (buttons >> static_cast<int>(button)) & 1u; }
    void Press(PadButton button) { buttons |= 1u << static_cast<int>(button); }

    bool operator==(const PadState&) const = default;
};
