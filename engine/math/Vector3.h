#pragma once

struct Matrix;

// Three-component float vector: world positions (world units), directions, colours.
// Transform treats the vector as a row vector: v × M.
struct Vector3 {
    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;

    constexpr Vector3() = default;
    constexpr Vector3(float x_, float y_, float z_) : x(x_), y(y_), z(z_) {}

    constexpr Vector3 operator+(const Vector3& o) const { return {x + o.x, y + o.y, z + o.z}; }
    constexpr Vector3 operator-(const Vector3& o) const { return {x - o.x, y - o.y, z - o.z}; }
    constexpr Vector3 operator*(float s) const { return {x * s, y * s, z * s}; }
    constexpr Vector3 operator*(const Vector3& o) const { return {x * o.x, y * o.y, z * o.z}; }
    constexpr Vector3 operator/(float s) const { return {x / s, y / s, z / s}; }
    constexpr Vector3 operator-() const { return {-x, -y, -z}; }
    Vector3& operator+=(const Vector3& o) { return *this = *this + o; }
    Vector3& operator-=(const Vector3& o) { return *this = *this - o; }
    Vector3& operator*=(float s) { return *this = *this * s; }
    Vector3& operator/=(float s) { return *this = *this / s; }
    constexpr bool operator==(const Vector3&) const = default;

    float Length() const;
    constexpr float LengthSquared() const { return x * x + y * y + z * z; }
    constexpr float Dot(const Vector3& o) const { return x * o.x + y * o.y + z * o.z; }
    constexpr Vector3 Cross(const Vector3& o) const {
        return {y * o.z - z * o.y, z * o.x - x * o.z, x * o.y - y * o.x};
    }
    // Normalises in place; a zero vector stays zero.
    void Normalize();
    Vector3 Normalized() const;

    static float Distance(const Vector3& a, const Vector3& b);
    static float DistanceSquared(const Vector3& a, const Vector3& b);
    static Vector3 Lerp(const Vector3& a, const Vector3& b, float t);
    // Point transform (w = 1), divided by the resulting w as a projective transform.
    static Vector3 Transform(const Vector3& v, const Matrix& m);
    // Direction transform: the translation row is ignored.
    static Vector3 TransformNormal(const Vector3& v, const Matrix& m);
};

inline constexpr Vector3 operator*(float s, const Vector3& v) {
    return v * s;
}
