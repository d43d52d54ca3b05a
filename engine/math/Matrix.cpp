#include "engine/math/Matrix.h"

#include <cmath>
#include <glm/gtc/matrix_transform.hpp>
#include <glm/gtc/quaternion.hpp>
#include <glm/mat4x4.hpp>

// Reminder for everything below: g[i] holds row i of the row-vector matrix, which makes
// g the transpose of our matrix in glm's column-major terms, i.e. exactly the equivalent
// column-vector matrix. Column-vector builders from glm therefore give our matrices as is.

Matrix::Matrix(float m11, float m12, float m13, float m14, float m21, float m22, float m23,
               float m24, float m31, float m32, float m33, float m34, float m41, float m42,
               float m43, float m44) {
    SetRow(0, {m11, m12, m13, m14});
    SetRow(1, {m21, m22, m23, m24});
    SetRow(2, {m31, m32, m33, m34});
    SetRow(3, {m41, m42, m43, m44});
}

Matrix::Matrix(const Vector4& r0, const Vector4& r1, const Vector4& r2, const Vector4& r3) {
    SetRow(0, r0);
    SetRow(1, r1);
    SetRow(2, r2);
    SetRow(3, r3);
}

void Matrix::SetRow(int r, const Vector4& v) {
    g[r] = glm::vec4(v.x, v.y, v.z, v.w);
}

void Matrix::SetTranslation(const Vector3& t) {
    g[3][0] = t.x;
    g[3][1] = t.y;
    g[3][2] = t.z;
}

Matrix Matrix::operator*(const Matrix& o) const {
    // (A B)^T = B^T A^T: the one place where the order flips.
    return Matrix(o.g * g);
}

Matrix Matrix::Invert() const {
    return Matrix(glm::inverse(g));
}
Matrix Matrix::Transpose() const {
    return Matrix(glm::transpose(g));
}
float Matrix::Determinant() const {
    return glm::determinant(g);
}

Matrix Matrix::CreateTranslation(const Vector3& t) {
    return CreateTranslation(t.x, t.y, t.z);
}

Matrix Matrix::CreateTranslation(float x, float y, float z) {
    Matrix m;
    m.SetTranslation({x, y, z});
    return m;
}

Matrix Matrix::CreateScale(const Vector3& s) {
    return CreateScale(s.x, s.y, s.z);
}
Matrix Matrix::CreateScale(float s) {
    return CreateScale(s, s, s);
}

Matrix Matrix::CreateScale(float x, float y, float z) {
    Matrix m;
    m.g[0][0] = x;
    m.g[1][1] = y;
    m.g[2][2] = z;
    return m;
}

Matrix Matrix::CreateRotationX(float radians) {
    const float c = std::cos(radians), s = std::sin(radians);
    return Matrix(1, 0, 0, 0, 0, c, s, 0, 0, -s, c, 0, 0, 0, 0, 1);
}

Matrix Matrix::CreateRotationY(float radians) {
    const float c = std::cos(radians), s = std::sin(radians);
    return Matrix(c, 0, -s, 0, 0, 1, 0, 0, s, 0, c, 0, 0, 0, 0, 1);
}

Matrix Matrix::CreateRotationZ(float radians) {
    const float c = std::cos(radians), s = std::sin(radians);
    return Matrix(c, s, 0, 0, -s, c, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1);
}

Matrix Matrix::CreateFromAxisAngle(const Vector3& axis, float radians) {
    return CreateFromQuaternion(Quaternion::CreateFromAxisAngle(axis, radians));
}

Matrix Matrix::CreateFromQuaternion(const Quaternion& q) {
    return Matrix(glm::mat4_cast(glm::quat(q.w, q.x, q.y, q.z)));
}

Matrix Matrix::CreateFromYawPitchRoll(float yaw, float pitch, float roll) {
    return CreateRotationZ(roll) * CreateRotationX(pitch) * CreateRotationY(yaw);
}

Matrix Matrix::CreateLookAt(const Vector3& eye, const Vector3& focus, const Vector3& up) {
    const Vector3 zAxis = (focus - eye).Normalized();
    const Vector3 xAxis = up.Cross(zAxis).Normalized();
    const Vector3 yAxis = zAxis.Cross(xAxis);
    return Matrix(xAxis.x, yAxis.x, zAxis.x, 0, xAxis.y, yAxis.y, zAxis.y, 0, xAxis.z, yAxis.z,
                  zAxis.z, 0, -xAxis.Dot(eye), -yAxis.Dot(eye), -zAxis.Dot(eye), 1);
}

Matrix Matrix::CreatePerspectiveFieldOfView(float fovY, float aspect, float nearZ, float farZ) {
    const float h = 1.0f / std::tan(fovY * 0.5f);
    const float w = h / aspect;
    const float range = farZ / (farZ - nearZ);
    return Matrix(w, 0, 0, 0, 0, h, 0, 0, 0, 0, range, 1, 0, 0, -range * nearZ, 0);
}

Matrix Matrix::CreateOrthographicOffCenter(float left, float right, float bottom, float top,
                                           float nearZ, float farZ) {
    const float rw = 1.0f / (right - left);
    const float rh = 1.0f / (top - bottom);
    const float range = 1.0f / (farZ - nearZ);
    return Matrix(2 * rw, 0, 0, 0, 0, 2 * rh, 0, 0, 0, 0, range, 0, -(left + right) * rw,
                  -(top + bottom) * rh, -range * nearZ, 1);
}
