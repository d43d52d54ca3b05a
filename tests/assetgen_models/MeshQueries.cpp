#include "MeshQueries.h"

#include <algorithm>
#include <cmath>

using modelgen::Cross;
using modelgen::Dot;
using modelgen::Length;
using modelgen::V3;

float MeshQueries::PointTriangleDistance(const V3& p, const V3& a, const V3& b, const V3& c) {
    // Closest point on a triangle by Voronoi regions (Ericson, Real-Time Collision Detection).
    V3 ab = b - a, ac = c - a, ap = p - a;
    float d1 = Dot(ab, ap), d2 = Dot(ac, ap);
    if (d1 <= 0 && d2 <= 0) return Length(p - a);
    V3 bp = p - b;
    float d3 = Dot(ab, bp), d4 = Dot(ac, bp);
    if (d3 >= 0 && d4 <= d3) return Length(p - b);
    float vc = d1 * d4 - d3 * d2;
    if (vc <= 0 && d1 >= 0 && d3 <= 0) return Length(p - (a + ab * (d1 / (d1 - d3))));
    V3 cp = p - c;
    float d5 = Dot(ab, cp), d6 = Dot(ac, cp);
    if (d6 >= 0 && d5 <= d6) return Length(p - c);
    float vb = d5 * d2 - d1 * d6;
    if (vb <= 0 && d2 >= 0 && d6 <= 0) return Length(p - (a + ac * (d2 / (d2 - d6))));
    float va = d3 * d6 - d5 * d4;
    if (va <= 0 && (d4 - d3) >= 0 && (d5 - d6) >= 0) {
        return Length(p - (b + (c - b) * ((d4 - d3) / ((d4 - d3) + (d5 - d6)))));
    }
    float denom = 1.0f / (va + vb + vc);
    return Length(p - (a + ab * (vb * denom) + ac * (vc * denom)));
}

float MeshQueries::DistanceToSurface(const LoadedModel& model, const V3& p) {
    float best = 1e30f;
    for (const auto& f : model.faces) {
        const V3 &a = model.positions[f[0]], &b = model.positions[f[1]], &c = model.positions[f[2]];
        // Skip triangles whose bounding box is already farther than the best distance.
        V3 lo{std::min({a.x, b.x, c.x}), std::min({a.y, b.y, c.y}), std::min({a.z, b.z, c.z})};
        V3 hi{std::max({a.x, b.x, c.x}), std::max({a.y, b.y, c.y}), std::max({a.z, b.z, c.z})};
        V3 out{std::max({lo.x - p.x, 0.0f, p.x - hi.x}), std::max({lo.y - p.y, 0.0f, p.y - hi.y}),
               std::max({lo.z - p.z, 0.0f, p.z - hi.z})};
        if (Length(out) >= best) continue;
        best = std::min(best, PointTriangleDistance(p, a, b, c));
    }
    return best;
}

float MeshQueries::Gap(const LoadedModel& a, const LoadedModel& b) {
    float best = 1e30f;
    for (const V3& p : a.positions) best = std::min(best, DistanceToSurface(b, p));
    for (const V3& p : b.positions) best = std::min(best, DistanceToSurface(a, p));
    return best;
}

std::vector<MeshQueries::Hit> MeshQueries::RayHits(const LoadedModel& model, const V3& origin,
                                                   const V3& direction) {
    std::vector<Hit> hits;
    for (const auto& f : model.faces) {
        const V3 &p0 = model.positions[f[0]], &p1 = model.positions[f[1]];
        const V3& p2 = model.positions[f[2]];
        V3 e1 = p1 - p0, e2 = p2 - p0, h = Cross(direction, e2);
        float det = Dot(e1, h);
        if (std::fabs(det) < 1e-12f) continue;
        V3 w = origin - p0;
        float u = Dot(w, h) / det;
        V3 q = Cross(w, e1);
        float v = Dot(direction, q) / det;
        float t = Dot(e2, q) / det;
        if (u < 0 || v < 0 || u + v > 1 || t < 0) continue;
        hits.push_back({t, Cross(e1, e2)});
    }
    std::sort(hits.begin(), hits.end(),
              [](const Hit& x, const Hit& y) { return x.distance < y.distance; });
    return hits;
}

bool MeshQueries::Contains(const LoadedModel& model, const V3& p) {
    // A slightly skewed direction avoids rays grazing shared edges.
    return RayHits(model, p, modelgen::Normalize(V3{0.31f, 0.17f, 0.93f})).size() % 2 == 1;
}
