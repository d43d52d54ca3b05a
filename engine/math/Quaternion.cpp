#include "engine/math/Quaternion.h"

#include <cmath>
#include <glm/gtc/quaternion.hpp>

#include "engine/math/Matrix.h"

namespace {
glm::quat ToGlm(const Quaternion& q) {
    return glm::quat(q.w, q.x, q.y, q.z);
}
Quaternion FromGlm(const glm::quat& q) {
    return {q.x, q.y, q.z, q.w};
}
}  // namespace

Quaternion Quaternion::operator*(const Quaternion& o) const {
    // "this first, then o" is o ∘ this in Hamilton order.
    return FromGlm(ToGlm(o) * ToGlm(*this));
}

float Quaternion::Length() const {
    return std::sqrt(Dot(*this));
}

void Quaternion::Normalize() {
    const float len = Length();
    if (len > 0.0f) {
        x /= len;
        y /= len;
        z /= len;
        w /= len;
    }
}

Quaternion Quaternion::Inverse() const {
    return FromGlm(glm::inverse(ToGlm(*this)));
}

Quaternion Quaternion::CreateFromYawPitchRoll(float yaw, float pitch, float roll) {
    return CreateFromAxisAngle({0, 0, 1}, roll) * CreateFromAxisAngle({1, 0, 0}, pitch) *
           CreateFromAxisAngle({0, 1, 0}, yaw);
}

Quaternion Quaternion::CreateFromAxisAngle(const Vector3& axis, float angle) {
    const Vector3 n = axis.Normalized();
    if (n.LengthSquared() == 0.0f) return Identity();
    return FromGlm(glm::angleAxis(angle, glm::vec3(n.x, n.y, n.z)));
}

Quaternion Quaternion::CreateFromRotationMatrix(const Matrix& m) {
    return FromGlm(glm::quat_cast(glm::mat3(m.g)));
}

Quaternion Quaternion::Slerp(const Quaternion& a, const Quaternion& b, float t) {
    // glm::slerp already takes the shorter arc and falls back to lerp near 0°.
    return FromGlm(glm::slerp(ToGlm(a), ToGlm(b), t));
}
