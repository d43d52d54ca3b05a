#pragma once

#include "engine/math/Vector3.h"

struct Matrix;

// Four-component float vector (homogeneous points, shader constants).
struct Vector4 {
    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;
    float w = 0.0f;

    constexpr Vector4() = default;
    constexpr Vector4(float x_, float y_, float z_, float w_) : x(x_), y(y_), z(z_), w(w_) {}
    constexpr Vector4(const Vector3& v, float w_) : x(v.x), y(v.y), z(v.z), w(w_) {}

    constexpr Vector4 operator+(const Vector4& o) const {
        return {x + o.x, y + o.y, z + o.z, w + o.w};
    }
    constexpr Vector4 operator-(const Vector4& o) const {
        return {x - o.x, y - o.y, z - o.z, w - o.w};
    }
    constexpr Vector4 operator*(float s) const { return {x * s, y * s, z * s, w * s}; }
    constexpr bool operator==(const Vector4&) const = default;

    constexpr Vector3 XYZ() const { return {x, y, z}; }
    constexpr float Dot(const Vector4& o) const { return x * o.x + y * o.y + z * o.z + w * o.w; }
    float Length() const;

    // v × M with all four components.
    static Vector4 Transform(const Vector4& v, const Matrix& m);
};
