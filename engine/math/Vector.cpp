#include <cmath>
#include <glm/vec4.hpp>

#include "engine/math/Matrix.h"
#include "engine/math/Vector2.h"
#include "engine/math/Vector3.h"
#include "engine/math/Vector4.h"

float Vector2::Length() const {
    return std::sqrt(LengthSquared());
}
float Vector3::Length() const {
    return std::sqrt(LengthSquared());
}
float Vector4::Length() const {
    return std::sqrt(Dot(*this));
}

void Vector3::Normalize() {
    *this = Normalized();
}

Vector3 Vector3::Normalized() const {
    const float len = Length();
    return len > 0.0f ? *this / len : Vector3{};
}

float Vector3::Distance(const Vector3& a, const Vector3& b) {
    return (a - b).Length();
}
float Vector3::DistanceSquared(const Vector3& a, const Vector3& b) {
    return (a - b).LengthSquared();
}

Vector3 Vector3::Lerp(const Vector3& a, const Vector3& b, float t) {
    return a + (b - a) * t;
}

Vector3 Vector3::Transform(const Vector3& v, const Matrix& m) {
    const glm::vec4 r = m.g * glm::vec4(v.x, v.y, v.z, 1.0f);
    const float invW = r.w != 0.0f ? 1.0f / r.w : 1.0f;
    return {r.x * invW, r.y * invW, r.z * invW};
}

Vector3 Vector3::TransformNormal(const Vector3& v, const Matrix& m) {
    const glm::vec4 r = m.g * glm::vec4(v.x, v.y, v.z, 0.0f);
    return {r.x, r.y, r.z};
}

Vector4 Vector4::Transform(const Vector4& v, const Matrix& m) {
    const glm::vec4 r = m.g * glm::vec4(v.x, v.y, v.z, v.w);
    return {r.x, r.y, r.z, r.w};
}
