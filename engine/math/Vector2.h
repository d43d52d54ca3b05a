#pragma once

// Two-component float vector (screen positions, texture coordinates, sprite sizes).
struct Vector2 {
    float x = 0.0f;
    float y = 0.0f;

    constexpr Vector2() = default;
    constexpr Vector2(float x_, float y_) : x(x_), y(y_) {}

    constexpr Vector2 operator+(const Vector2& o) const { return {x + o.x, y + o.y}; }
    constexpr Vector2 operator-(const Vector2& o) const { return {x - o.x, y - o.y}; }
    constexpr Vector2 operator*(float s) const { return {x * s, y * s}; }
    constexpr Vector2 operator/(float s) const { return {x / s, y / s}; }
    constexpr Vector2 operator-() const { return {-x, -y}; }
    Vector2& operator+=(const Vector2& o) { return *this = *this + o; }
    Vector2& operator-=(const Vector2& o) { return *this = *this - o; }
    Vector2& operator*=(float s) { return *this = *this * s; }
    constexpr bool operator==(const Vector2&) const = default;

    float Length() const;
    constexpr float LengthSquared() const { return x * x + y * y; }
    constexpr float Dot(const Vector2& o) const { return x * o.x + y * o.y; }
};

inline constexpr Vector2 operator*(float s, const Vector2& v) {
    return v * s;
}
