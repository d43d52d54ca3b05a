#pragma once

#include <glm/mat4x4.hpp>

#include "engine/math/Quaternion.h"
#include "engine/math/Vector3.h"
#include "engine/math/Vector4.h"

// 4 × 4 float matrix in the game's row-vector convention: a point is transformed as
// p × M, the translation sits in the fourth row, and A * B applies A first (so a
// placement is scale * rotation * translation and a child's matrix is local * parent).
// Angles are radians. The memory layout is the 16 floats row by row, which is what the
// shaders receive.
//
// Internally the rows are stored as a glm::mat4 (whose columns are therefore our rows);
// only this facade knows that, and the product order is reversed in exactly one place.
struct Matrix {
    glm::mat4 g{1.0f};

    Matrix() = default;
    Matrix(float m11, float m12, float m13, float m14, float m21, float m22, float m23, float m24,
           float m31, float m32, float m33, float m34, float m41, float m42, float m43, float m44);
    Matrix(const Vector4& r0, const Vector4& r1, const Vector4& r2, const Vector4& r3);
    explicit Matrix(const glm::mat4& rowsAsColumns) : g(rowsAsColumns) {}

    // Element at row r, column c (both 0-based).
    float& operator()(int r, int c) { return g[r][c]; }
    float operator()(int r, int c) const { return g[r][c]; }
    Vector4 Row(int r) const { return {g[r][0], g[r][1], g[r][2], g[r][3]}; }
    void SetRow(int r, const Vector4& v);
    const float* Data() const { return &g[0][0]; }

    Vector3 Translation() const { return {g[3][0], g[3][1], g[3][2]}; }
    void SetTranslation(const Vector3& t);

    Matrix operator*(const Matrix& o) const;
    Matrix& operator*=(const Matrix& o) { return *this = *this * o; }
    bool operator==(const Matrix& o) const { return g == o.g; }

    Matrix Invert() const;
    Matrix Transpose() const;
    float Determinant() const;

    static Matrix Identity() { return Matrix(); }
    static Matrix CreateTranslation(const Vector3& t);
    static Matrix CreateTranslation(float x, float y, float z);
    static Matrix CreateScale(const Vector3& s);
    static Matrix CreateScale(float x, float y, float z);
    static Matrix CreateScale(float s);
    // Rows of RotX(a): (1,0,0), (0,cos,sin), (0,-sin,cos); RotY and RotZ alike.
    static Matrix CreateRotationX(float radians);
    static Matrix CreateRotationY(float radians);
    static Matrix CreateRotationZ(float radians);
    static Matrix CreateFromAxisAngle(const Vector3& axis, float radians);
    static Matrix CreateFromQuaternion(const Quaternion& q);
    // RotZ(roll) * RotX(pitch) * RotY(yaw).
    static Matrix CreateFromYawPitchRoll(float yaw, float pitch, float roll);
    // Left-handed view matrix.
    static Matrix CreateLookAt(const Vector3& eye, const Vector3& focus, const Vector3& up);
    // Left-handed projection mapping view depth near..far to 0..1.
    static Matrix CreatePerspectiveFieldOfView(float fovY, float aspect, float nearZ, float farZ);
    // Left-handed orthographic projection of a box to x, y in -1..1 and z in 0..1.
    static Matrix CreateOrthographicOffCenter(float left, float right, float bottom, float top,
                                              float nearZ, float farZ);
};

// Degrees → radians as the game converts its stored angles (π / 180).
constexpr float ToRadians(float degrees) {
    return degrees * (3.14159265358979323846f / 180.0f);
}
constexpr float ToDegrees(float radians) {
    return radians * (180.0f / 3.14159265358979323846f);
}
constexpr float kPi = 3.14159265358979323846f;
