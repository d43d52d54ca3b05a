#include "core/Shapes.h"

#include <algorithm>
#include <cmath>

float SdCircle(float x, float y, float cx, float cy, float radius) {
    return std::hypot(x - cx, y - cy) - radius;
}

float SdCapsule(float x, float y, Point a, Point b, float radius) {
    const float px = x - a.x;
    const float py = y - a.y;
    const float bx = b.x - a.x;
    const float by = b.y - a.y;
    const float len2 = bx * bx + by * by;
    const float t = len2 > 0.0f ? std::clamp((px * bx + py * by) / len2, 0.0f, 1.0f) : 0.0f;
    return std::hypot(px - bx * t, py - by * t) - radius;
}

float SdRoundBox(float x, float y, float cx, float cy, float halfW, float halfH, float corner) {
    const float qx = std::fabs(x - cx) - halfW + corner;
    const float qy = std::fabs(y - cy) - halfH + corner;
    const float outside = std::hypot(std::max(qx, 0.0f), std::max(qy, 0.0f));
    return outside + std::min(std::max(qx, qy), 0.0f) - corner;
}

float SdPolygon(float x, float y, const std::vector<Point>& points) {
    const size_t n = points.size();
    if (n < 3) return 1e9f;
    float best = 1e18f;
    bool inside = false;
    for (size_t i = 0, j = n - 1; i < n; j = i++) {
        const Point& a = points[i];
        const Point& b = points[j];
        const float ex = b.x - a.x;
        const float ey = b.y - a.y;
        const float wx = x - a.x;
        const float wy = y - a.y;
        const float len2 = ex * ex + ey * ey;
        const float t = len2 > 0.0f ? std::clamp((wx * ex + wy * ey) / len2, 0.0f, 1.0f) : 0.0f;
        const float dx = wx - ex * t;
        const float dy = wy - ey * t;
        best = std::min(best, dx * dx + dy * dy);
        // Crossing test for the inside flag.
        if ((a.y > y) != (b.y > y)) {
            const float xCross = a.x + (y - a.y) * ex / ey;
            if (x < xCross) inside = !inside;
        }
    }
    const float d = std::sqrt(best);
    return inside ? -d : d;
}

float Coverage(float d, float feather) {
    return std::clamp(0.5f - d / feather, 0.0f, 1.0f);
}

float SmoothStep(float edge0, float edge1, float v) {
    const float t = std::clamp((v - edge0) / (edge1 - edge0), 0.0f, 1.0f);
    return t * t * (3.0f - 2.0f * t);
}
