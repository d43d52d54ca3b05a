#pragma once

#include "engine/math/Vector3.h"
#include "game/enemy/PoseInterpolator.h"

// The camera's rise away from the dying player: from the creation point to 15 units up
// and 5 back over 100 steps of 0.01, then it stays at the end.
class LiftMotion {
public:
    explicit LiftMotion(const Vector3& position) : position(position) {}

    // One step; true once the end has been reached (the single-precision sum of the 0.01
    // steps first reaches 1 in the 101st call) and on every call after that.
    bool RunLift();
    const Vector3& GetPosition() const { return position; }

private:
    PoseInterpolator pose;
    Vector3 position;
    bool started = false;
};
