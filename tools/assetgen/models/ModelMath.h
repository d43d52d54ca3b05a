#pragma once

#include <cmath>

namespace modelgen {

constexpr float kPi = 3.14159265358979f;

// Plain 3-vector for geometry construction; the generator stays independent of the
// engine's math facade so that the asset tool builds without the engine.
struct V3 {
    float x = 0, y = 0, z = 0;
    V3() = default;
    constexpr V3(float ax, float ay, float az) : x(ax), y(ay), z(az) {}
    V3 operator+(const V3& o) const { return {x + o.x, y + o.y, z + o.z}; }
    V3 operator-(const V3& o) const { return {x - o.x, y - o.y, z - o.z}; }
    V3 operator-() const { return {-x, -y, -z}; }
    V3 operator*(float s) const { return {x * s, y * s, z * s}; }
    V3 operator/(float s) const { return {x / s, y / s, z / s}; }
    V3& operator+=(const V3& o) { return *this = *this + o; }
    V3 Mul(const V3& o) const { return {x * o.x, y * o.y, z * o.z}; }
};

inline float Dot(const V3& a, const V3& b) {
    return a.x * b.x + a.y * b.y + a.z * b.z;
}
inline V3 Cross(const V3& a, const V3& b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
inline float Length(const V3& a) {
    return std::sqrt(Dot(a, a));
}
inline V3 Normalize(const V3& a) {
    float l = Length(a);
    return l > 1e-12f ? a / l : V3{0, 1, 0};
}
inline V3 Lerp(const V3& a, const V3& b, float t) {
    return a + (b - a) * t;
}

// Affine transform in the game's row-vector convention: p' = p.x*r0 + p.y*r1 + p.z*r2 + t,
// and A * B applies A first, so a placement reads scale * rotation * translation.
struct Xf {
    V3 r0{1, 0, 0}, r1{0, 1, 0}, r2{0, 0, 1}, t{0, 0, 0};

    V3 Point(const V3& p) const { return r0 * p.x + r1 * p.y + r2 * p.z + t; }
    V3 Dir(const V3& d) const { return r0 * d.x + r1 * d.y + r2 * d.z; }
    // Normals go through the inverse transpose; the cofactor matrix is that up to a
    // positive factor for orientation-preserving transforms, enough before normalising.
    V3 Normal(const V3& n) const {
        V3 c0 = Cross(r1, r2), c1 = Cross(r2, r0), c2 = Cross(r0, r1);
        float det = Dot(r0, c0);
        V3 m = c0 * n.x + c1 * n.y + c2 * n.z;
        return Normalize(det < 0 ? -m : m);
    }
    bool Mirrors() const { return Dot(r0, Cross(r1, r2)) < 0; }
    Xf operator*(const Xf& o) const { return {o.Dir(r0), o.Dir(r1), o.Dir(r2), o.Point(t)}; }

    static Xf T(float x, float y, float z) { return {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}, {x, y, z}}; }
    static Xf T(const V3& v) { return T(v.x, v.y, v.z); }
    static Xf S(float x, float y, float z) { return {{x, 0, 0}, {0, y, 0}, {0, 0, z}, {}}; }
    static Xf S(float s) { return S(s, s, s); }
    static Xf RotX(float a) {
        float c = std::cos(a), s = std::sin(a);
        return {{1, 0, 0}, {0, c, s}, {0, -s, c}, {}};
    }
    static Xf RotY(float a) {
        float c = std::cos(a), s = std::sin(a);
        return {{c, 0, -s}, {0, 1, 0}, {s, 0, c}, {}};
    }
    static Xf RotZ(float a) {
        float c = std::cos(a), s = std::sin(a);
        return {{c, s, 0}, {-s, c, 0}, {0, 0, 1}, {}};
    }
    static Xf Deg(float xDeg, float yDeg, float zDeg) {
        const float k = kPi / 180.0f;
        return RotZ(zDeg * k) * RotX(xDeg * k) * RotY(yDeg * k);
    }
};

}  // namespace modelgen
