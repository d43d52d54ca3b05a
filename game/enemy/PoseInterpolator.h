#pragma once

#include "engine/math/Matrix.h"

// Blends one local matrix from a start pose to a target pose by a progress that grows by
// a fixed step per frame: rotation by spherical interpolation of the two rotations (scale
// dropped), translation linearly. The base of the axe swings and the camera lift.
class PoseInterpolator {
public:
    // Sets step, start and target; progress is left as it is (Advance resets it).
    void SetUp(float step, const Matrix& start, const Matrix& target);

    // progress += step, clamped to 1; current = the blend at progress. With reset, a
    // progress of exactly 1 goes back to 0 so the next key starts from its beginning.
    // Returns whether progress reached 1 in this advance.
    bool Advance(bool reset);

    const Matrix& GetCurrent() const { return current; }
    const Matrix& GetStart() const { return start; }
    const Matrix& GetTarget() const { return target; }
    float GetProgress() const { return progress; }
    void SetProgress(float p) { progress = p; }
    float GetStep() const { return step; }
    bool IsFinished() const { return finished; }

    // The pose between a (t = 0) and b (t = 1). Rows are normalised before the rotations
    // are compared; near-equal rotations (|dot| >= 0.99999) blend linearly.
    static Matrix Interpolate(const Matrix& a, const Matrix& b, float t);

private:
    Matrix current;
    Matrix start;
    Matrix target;
    float progress = 0.0f;
    float step = 0.0f;
    bool finished = false;
};
