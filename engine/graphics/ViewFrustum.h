#pragma once

#include <array>

#include "engine/math/Matrix.h"
#include "engine/math/Vector3.h"
#include "engine/math/Vector4.h"

// The clip volume of a view-projection as world-space planes, for skipping draws that
// cannot reach the screen. The game's projections clip to |x| ≤ w, |y| ≤ w, 0 ≤ z ≤ w.
// The near plane is left out where depth clipping is off (depth clamp keeps such
// geometry). The far plane is never used: with the game's near/far ratio (1 : 200,000)
// it cannot be recovered from a float matrix to better than a few per cent of its
// distance, and nothing of the game lies beyond it anyway.
class ViewFrustum {
public:
    ViewFrustum(const Matrix& viewProjection, bool clipDepth);

    // False only when the sphere lies wholly outside one of the planes, so none of it can
    // be rasterised. A negative or non-finite radius, or a degenerate plane, never culls.
    bool MayContain(const Vector3& center, float radius) const;

private:
    std::array<Vector4, 5> planes{};
    int planeCount = 0;
};

// The largest factor by which m's linear part stretches a length (the longest of its
// first three rows): a sphere of radius r maps inside one of radius r × this.
float MaxScale(const Matrix& m);
