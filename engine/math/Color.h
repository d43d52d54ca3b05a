#pragma once

#include "engine/math/Vector3.h"
#include "engine/math/Vector4.h"

// Linear RGBA colour, components nominally 0..1 (values above 1 are allowed and used).
struct Color {
    float r = 0.0f;
    float g = 0.0f;
    float b = 0.0f;
    float a = 1.0f;

    constexpr Color() = default;
    constexpr Color(float r_, float g_, float b_, float a_ = 1.0f) : r(r_), g(g_), b(b_), a(a_) {}
    constexpr explicit Color(const Vector4& v) : r(v.x), g(v.y), b(v.z), a(v.w) {}

    constexpr Vector4 ToVector4() const { return {r, g, b, a}; }
    constexpr Vector3 ToVector3() const { return {r, g, b}; }
    constexpr Color operator*(float s) const { return {r * s, g * s, b * s, a * s}; }
    constexpr bool operator==(const Color&) const = default;
};
