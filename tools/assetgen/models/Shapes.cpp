#include "Shapes.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <map>

namespace modelgen {

Mesh Shapes::Box(const V3& size, float bevel) {
    Mesh m;
    const V3 h = size * 0.5f;
    const float b = std::min({bevel, h.x * 0.95f, h.y * 0.95f, h.z * 0.95f});
    auto ticks = [b](float half) {
        return b > 0 ? std::vector<float>{-half, -half + b, half - b, half}
                     : std::vector<float>{-half, half};
    };
    struct Face {
        V3 n, u, v;
    };
    const std::array<Face, 6> faces{{{{1, 0, 0}, {0, 1, 0}, {0, 0, 1}},
                                     {{-1, 0, 0}, {0, 0, 1}, {0, 1, 0}},
                                     {{0, 1, 0}, {0, 0, 1}, {1, 0, 0}},
                                     {{0, -1, 0}, {1, 0, 0}, {0, 0, 1}},
                                     {{0, 0, 1}, {1, 0, 0}, {0, 1, 0}},
                                     {{0, 0, -1}, {0, 1, 0}, {1, 0, 0}}}};
    const V3 inner{h.x - b, h.y - b, h.z - b};
    for (const Face& f : faces) {
        float hu = Dot(f.u, h), hv = Dot(f.v, h), hn = Dot(f.n * 1.0f, f.n.Mul(h));
        std::vector<float> tu = ticks(std::fabs(hu)), tv = ticks(std::fabs(hv));
        uint32_t base = static_cast<uint32_t>(m.vertices.size());
        for (float sv : tv) {
            for (float su : tu) {
                V3 p = f.u * su + f.v * sv + f.n * hn;
                V3 in{std::clamp(p.x, -inner.x, inner.x), std::clamp(p.y, -inner.y, inner.y),
                      std::clamp(p.z, -inner.z, inner.z)};
                V3 d = p - in;
                Vertex vx;
                vx.normal = Length(d) > 1e-6f ? Normalize(d) : f.n;
                vx.pos = b > 0 ? in + vx.normal * b : p;
                vx.u = su;
                vx.v = -sv;
                m.Add(vx);
            }
        }
        uint32_t nu = static_cast<uint32_t>(tu.size());
        for (uint32_t j = 0; j + 1 < tv.size(); ++j) {
            for (uint32_t i = 0; i + 1 < nu; ++i) {
                uint32_t a = base + j * nu + i;
                m.Quad(a, a + 1, a + 1 + nu, a + nu);
            }
        }
    }
    return m;
}

Mesh Shapes::Lathe(const std::vector<P2>& profile, int segments, bool smooth) {
    Mesh m;
    const size_t n = profile.size();
    std::vector<P2> bandNormal(n > 0 ? n - 1 : 0);
    for (size_t i = 0; i + 1 < n; ++i) {
        float dr = profile[i + 1].x - profile[i].x, dy = profile[i + 1].y - profile[i].y;
        float l = std::sqrt(dr * dr + dy * dy);
        bandNormal[i] = l > 0 ? P2{dy / l, -dr / l} : P2{1, 0};
    }
    auto ring = [&](size_t i, P2 nrm, float vcoord) {
        uint32_t base = static_cast<uint32_t>(m.vertices.size());
        for (int k = 0; k <= segments; ++k) {
            float a = 2.0f * kPi * k / segments;
            float s = std::sin(a), c = std::cos(a);
            Vertex v;
            v.pos = {profile[i].x * s, profile[i].y, profile[i].x * c};
            v.normal = Normalize(V3{nrm.x * s, nrm.y, nrm.x * c});
            v.u = static_cast<float>(k) / segments;
            v.v = vcoord;
            m.Add(v);
        }
        return base;
    };
    float vcoord = 0;
    std::vector<float> vAt(n, 0);
    for (size_t i = 1; i < n; ++i) {
        float dr = profile[i].x - profile[i - 1].x, dy = profile[i].y - profile[i - 1].y;
        vcoord -= std::sqrt(dr * dr + dy * dy);
        vAt[i] = vcoord;
    }
    auto smoothNormal = [&](size_t i) {
        P2 a = i > 0 ? bandNormal[i - 1] : bandNormal[0];
        P2 b = i < n - 1 ? bandNormal[i] : bandNormal[n - 2];
        P2 s{a.x + b.x, a.y + b.y};
        float l = std::sqrt(s.x * s.x + s.y * s.y);
        return l > 0 ? P2{s.x / l, s.y / l} : a;
    };
    for (size_t i = 0; i + 1 < n; ++i) {
        P2 n0 = smooth ? smoothNormal(i) : bandNormal[i];
        P2 n1 = smooth ? smoothNormal(i + 1) : bandNormal[i];
        uint32_t r0 = ring(i, n0, vAt[i]);
        uint32_t r1 = ring(i + 1, n1, vAt[i + 1]);
        for (int k = 0; k < segments; ++k) {
            uint32_t a = r0 + k, b = r0 + k + 1, c = r1 + k + 1, d = r1 + k;
            if (profile[i].x > 1e-6f) m.Triangle(a, b, c);
            if (profile[i + 1].x > 1e-6f) m.Triangle(a, c, d);
        }
    }
    return m;
}

Mesh Shapes::Cylinder(float r0, float r1, float y0, float y1, int segments) {
    return Lathe({{0, y0}, {r0, y0}, {r1, y1}, {0, y1}}, segments);
}

Mesh Shapes::Sphere(float radius, int segments, int rings) {
    Mesh m;
    for (int j = 0; j <= rings; ++j) {
        float phi = kPi * j / rings;
        for (int k = 0; k <= segments; ++k) {
            float a = 2.0f * kPi * k / segments;
            V3 n{std::sin(phi) * std::sin(a), std::cos(phi), std::sin(phi) * std::cos(a)};
            Vertex v;
            v.pos = n * radius;
            v.normal = n;
            v.u = static_cast<float>(k) / segments;
            v.v = static_cast<float>(j) / rings;
            m.Add(v);
        }
    }
    const uint32_t w = static_cast<uint32_t>(segments + 1);
    for (uint32_t j = 0; j < static_cast<uint32_t>(rings); ++j) {
        for (uint32_t k = 0; k < static_cast<uint32_t>(segments); ++k) {
            uint32_t a = j * w + k, b = a + 1, c = a + 1 + w, d = a + w;
            if (j > 0) m.Triangle(a, c, b);
            if (j + 1 < static_cast<uint32_t>(rings)) m.Triangle(a, d, c);
        }
    }
    return m;
}

Mesh Shapes::Icosphere(float radius, int subdivisions) {
    const float t = (1.0f + std::sqrt(5.0f)) / 2.0f;
    std::vector<V3> pts{{-1, t, 0},  {1, t, 0},  {-1, -t, 0}, {1, -t, 0}, {0, -1, t},  {0, 1, t},
                        {0, -1, -t}, {0, 1, -t}, {t, 0, -1},  {t, 0, 1},  {-t, 0, -1}, {-t, 0, 1}};
    for (V3& p : pts) p = Normalize(p);
    std::vector<std::array<uint32_t, 3>> tris{
        {0, 11, 5},  {0, 5, 1},  {0, 1, 7},  {0, 7, 10}, {0, 10, 11}, {1, 5, 9}, {5, 11, 4},
        {11, 10, 2}, {10, 7, 6}, {7, 1, 8},  {3, 9, 4},  {3, 4, 2},   {3, 2, 6}, {3, 6, 8},
        {3, 8, 9},   {4, 9, 5},  {2, 4, 11}, {6, 2, 10}, {8, 6, 7},   {9, 8, 1}};
    for (int s = 0; s < subdivisions; ++s) {
        std::map<std::pair<uint32_t, uint32_t>, uint32_t> mid;
        auto midpoint = [&](uint32_t a, uint32_t b) {
            auto key = std::minmax(a, b);
            auto it = mid.find(key);
            if (it != mid.end()) return it->second;
            pts.push_back(Normalize(pts[a] + pts[b]));
            uint32_t idx = static_cast<uint32_t>(pts.size() - 1);
            mid[key] = idx;
            return idx;
        };
        std::vector<std::array<uint32_t, 3>> next;
        for (auto& f : tris) {
            uint32_t ab = midpoint(f[0], f[1]), bc = midpoint(f[1], f[2]),
                     ca = midpoint(f[2], f[0]);
            next.push_back({f[0], ab, ca});
            next.push_back({f[1], bc, ab});
            next.push_back({f[2], ca, bc});
            next.push_back({ab, bc, ca});
        }
        tris = std::move(next);
    }
    Mesh m;
    for (const V3& p : pts) {
        Vertex v;
        v.pos = p * radius;
        v.normal = p;
        v.u = std::atan2(p.x, p.z) / (2 * kPi) + 0.5f;
        v.v = std::acos(std::clamp(p.y, -1.0f, 1.0f)) / kPi;
        m.Add(v);
    }
    for (auto& f : tris) {
        V3 n = Cross(pts[f[1]] - pts[f[0]], pts[f[2]] - pts[f[0]]);
        if (Dot(n, pts[f[0]]) < 0) std::swap(f[1], f[2]);
        m.Triangle(f[0], f[1], f[2]);
    }
    return m;
}

namespace {

float Cross2(const P2& o, const P2& a, const P2& b) {
    return (a.x - o.x) * (b.y - o.y) - (a.y - o.y) * (b.x - o.x);
}

bool Inside(const P2& p, const P2& a, const P2& b, const P2& c) {
    return Cross2(a, b, p) >= 0 && Cross2(b, c, p) >= 0 && Cross2(c, a, p) >= 0;
}

// Ear clipping of a counter-clockwise simple polygon.
std::vector<std::array<uint32_t, 3>> Triangulate(const std::vector<P2>& poly) {
    std::vector<uint32_t> idx(poly.size());
    for (uint32_t i = 0; i < idx.size(); ++i) idx[i] = i;
    std::vector<std::array<uint32_t, 3>> out;
    size_t guard = 0;
    while (idx.size() > 3 && guard++ < poly.size() * poly.size()) {
        bool clipped = false;
        for (size_t i = 0; i < idx.size(); ++i) {
            uint32_t a = idx[(i + idx.size() - 1) % idx.size()], b = idx[i];
            uint32_t c = idx[(i + 1) % idx.size()];
            if (Cross2(poly[a], poly[b], poly[c]) <= 1e-9f) continue;
            bool ear = true;
            for (uint32_t k : idx) {
                if (k == a || k == b || k == c) continue;
                if (Inside(poly[k], poly[a], poly[b], poly[c])) {
                    ear = false;
                    break;
                }
            }
            if (!ear) continue;
            out.push_back({a, b, c});
            idx.erase(idx.begin() + static_cast<long>(i));
            clipped = true;
            break;
        }
        if (!clipped) break;
    }
    if (idx.size() == 3) out.push_back({idx[0], idx[1], idx[2]});
    return out;
}

}  // namespace

Mesh Shapes::Extrude(const std::vector<P2>& outline, float depth) {
    Mesh m;
    const float hz = depth * 0.5f;
    for (float side : {1.0f, -1.0f}) {
        uint32_t base = static_cast<uint32_t>(m.vertices.size());
        for (const P2& p : outline) {
            Vertex v;
            v.pos = {p.x, p.y, side * hz};
            v.normal = {0, 0, side};
            v.u = p.x;
            v.v = -p.y;
            m.Add(v);
        }
        for (auto& t : Triangulate(outline)) {
            if (side > 0)
                m.Triangle(base + t[0], base + t[1], base + t[2]);
            else
                m.Triangle(base + t[0], base + t[2], base + t[1]);
        }
    }
    const size_t n = outline.size();
    float run = 0;
    for (size_t i = 0; i < n; ++i) {
        const P2 &p = outline[i], &q = outline[(i + 1) % n];
        V3 nrm = Normalize(V3{q.y - p.y, -(q.x - p.x), 0});
        float len = std::hypot(q.x - p.x, q.y - p.y);
        auto vert = [&](const P2& s, float z, float u) {
            Vertex v;
            v.pos = {s.x, s.y, z};
            v.normal = nrm;
            v.u = u;
            v.v = z;
            return m.Add(v);
        };
        uint32_t a = vert(p, -hz, run), b = vert(q, -hz, run + len);
        uint32_t c = vert(q, hz, run + len), d = vert(p, hz, run);
        m.Quad(a, b, c, d);
        run += len;
    }
    return m;
}

}  // namespace modelgen
