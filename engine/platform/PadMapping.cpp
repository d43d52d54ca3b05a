#include "engine/platform/PadMapping.h"

#include <algorithm>
#include <cmath>

#include "engine/platform/InputBindings.h"

namespace {

// Component of a direction at 22.5° from an axis: past it, that axis's key is held, which
// gives eight sectors of equal width.
constexpr float kSectorEdge = 0.38268343f;  // sin 22.5°

struct Stick {
    float x = 0.0f;
    float y = 0.0f;
    float length = 0.0f;
};

Stick ReadStick(const PadState& pad, PadAxis xAxis, PadAxis yAxis) {
    Stick s;
    s.x = static_cast<float>(pad.Axis(xAxis));
    s.y = static_cast<float>(pad.Axis(yAxis));
    s.length = std::sqrt(s.x * s.x + s.y * s.y);
    return s;
}

}  // namespace

void AddPadInputs(const PadState& pad, std::set<int>& held) {
    const Stick move = ReadStick(pad, PadAxis::LeftX, PadAxis::LeftY);
    if (move.length > static_cast<float>(padmap::kMoveDeadZone)) {
        const float x = move.x / move.length;
        const float y = move.y / move.length;
        if (y < -kSectorEdge) held.insert(padinput::LeftStickUp);
        if (y > kSectorEdge) held.insert(padinput::LeftStickDown);
        if (x < -kSectorEdge) held.insert(padinput::LeftStickLeft);
        if (x > kSectorEdge) held.insert(padinput::LeftStickRight);
    }
    if (pad.Axis(PadAxis::LeftTrigger) >= padmap::kTriggerThreshold)
        held.insert(padinput::LeftTrigger);
    if (pad.Axis(PadAxis::RightTrigger) >= padmap::kTriggerThreshold)
        held.insert(padinput::RightTrigger);
    for (int b = 0; b < static_cast<int>(PadButton::Count); ++b)
        if (pad.Held(static_cast<PadButton>(b))) held.insert(b);
}

void AddPadKeys(const PadState& pad, std::set<int>& held) {
    std::set<int> inputs;
    AddPadInputs(pad, inputs);
    static const InputBindings defaults = InputBindings::Defaults();
    for (int a = 0; a < static_cast<int>(GameAction::Count); ++a) {
        const GameAction action = static_cast<GameAction>(a);
        for (const PhysicalInput& input : defaults.InputsOf(action)) {
            if (input.device == PhysicalInput::Device::Pad && inputs.count(input.code))
                held.insert(InputBindings::VirtualKey(action));
        }
    }
}

PadLook PadLookMotion(const PadState& pad) {
    const Stick look = ReadStick(pad, PadAxis::RightX, PadAxis::RightY);
    const float deadZone = static_cast<float>(padmap::kLookDeadZone);
    const float full = static_cast<float>(PadState::kAxisMax);
    if (look.length <= deadZone) return {};
    // The deflection past the dead zone, 0..1, squared: small tilts aim finely, a full
    // tilt turns fast.
    const float amount = std::min((look.length - deadZone) / (full - deadZone), 1.0f);
    const float speed = amount * amount * padmap::kLookPixelsPerPass;
    return {look.x / look.length * speed, look.y / look.length * speed};
}
