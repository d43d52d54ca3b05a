#include "engine/graphics/ViewFrustum.h"

#include <algorithm>
#include <cmath>

namespace {
Vector4 Column(const Matrix& m, int c) {
    return {m(0, c), m(1, c), m(2, c), m(3, c)};
}
}  // namespace

ViewFrustum::ViewFrustum(const Matrix& m, bool clipDepth) {
    // A point p (row vector, w = 1) lands at clip = p × m, so each clip inequality is a
    // plane made of m's columns.
    const Vector4 x = Column(m, 0), y = Column(m, 1), z = Column(m, 2), w = Column(m, 3);
    const Vector4 candidates[5] = {w + x, w - x, w + y, w - y, z};
    const int count = clipDepth ? 5 : 4;
    for (int i = 0; i < count; ++i) {
        const float length = candidates[i].XYZ().Length();
        // A plane without a direction (or with NaNs) cannot decide anything.
        if (!(length > 1e-20f) || !std::isfinite(length)) continue;
        planes[planeCount++] = candidates[i] * (1.0f / length);
    }
}

bool ViewFrustum::MayContain(const Vector3& center, float radius) const {
    if (!(radius >= 0.0f) || !std::isfinite(radius)) return true;
    // A little slack so rounding never drops a sphere that touches the volume.
    const float limit = -(radius * 1.0001f + 1e-4f);
    for (int i = 0; i < planeCount; ++i) {
        const float distance = planes[i].Dot(Vector4(center, 1.0f));
        if (distance < limit) return false;
    }
    return true;
}

float MaxScale(const Matrix& m) {
    float longest = 0.0f;
    for (int r = 0; r < 3; ++r) longest = std::max(longest, m.Row(r).XYZ().Length());
    return longest;
}
