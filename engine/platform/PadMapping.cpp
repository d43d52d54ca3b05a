#include "engine/platform/PadMapping.h"

#include <algorithm>
#include <cmath>

#include "engine/platform/Keys.h"

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

void AddPadKeys(const PadState& pad, std::set<int>& held) {
    const Stick move = ReadStick(pad, PadAxis::LeftX, PadAxis::LeftY);
    if (move.length > static_cast<float>(padmap::kMoveDeadZone)) {
        const float x = move.x / move.length;
        const float y = move.y / move.length;
        if (y < -kSectorEdge) held.insert('W');
        if (y > kSectorEdge) held.insert('S');
        if (x < -kSectorEdge) held.insert('A');
        if (x > kSectorEdge) held.insert('D');
    }
    const auto pulled = [&](PadAxis trigger) {
        return pad.Axis(trigger) >= padmap::kTriggerThreshold;
    };
    if (pad.Held(PadButton::X) || pulled(PadAxis::RightTrigger)) held.insert(vk::LButton);
    if (pad.Held(PadButton::Y)) held.insert(vk::RButton);
    if (pad.Held(PadButton::LeftShoulder) || pulled(PadAxis::LeftTrigger)) held.insert(vk::Shift);
    if (pad.Held(PadButton::RightShoulder)) held.insert(vk::Space);
    if (pad.Held(PadButton::A) || pad.Held(PadButton::Start)) held.insert(vk::Return);
    if (pad.Held(PadButton::DpadUp)) held.insert(vk::Up);
    if (pad.Held(PadButton::DpadDown)) held.insert(vk::Down);
    if (pad.Held(PadButton::DpadLeft)) held.insert(vk::Left);
    if (pad.Held(PadButton::DpadRight)) held.insert(vk::Right);
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
