#pragma once

#include "engine/math/Vector3.h"

struct Matrix;

// Unit quaternion (x, y, z, w). a * b means "rotate by a, then by b", matching the
// matrix product order of Matrix.
struct Quaternion {
    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;
    float w = 1.0f;

    constexpr Quaternion() = default;
    constexpr Quaternion(float x_, float y_, float z_, float w_) : x(x_), y(y_), z(z_), w(w_) {}

    constexpr bool operator==(const Quaternion&) const = default;
    Quaternion operator*(const Quaternion& o) const;
    constexpr Quaternion operator-() const { return {-x, -y, -z, -w}; }

    constexpr float Dot(const Quaternion& o) const { return x * o.x + y * o.y + z * o.z + w * o.w; }
    float Length() const;
    void Normalize();
    Quaternion Inverse() const;

    static constexpr Quaternion Identity() { return {}; }
    // Angles in radians. Applied roll (about Z) first, then pitch (X), then yaw (Y).
    static Quaternion CreateFromYawPitchRoll(float yaw, float pitch, float roll);
    // Angle in radians; axis need not be normalised (a zero axis gives the identity).
    static Quaternion CreateFromAxisAngle(const Vector3& axis, float angle);
    // The rotation part of m; rows are expected to be orthonormal.
    static Quaternion CreateFromRotationMatrix(const Matrix& m);
    // Spherical interpolation along the shorter arc.
    static Quaternion Slerp(const Quaternion& a, const Quaternion& b, float t);
};
