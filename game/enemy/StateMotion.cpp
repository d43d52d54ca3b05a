#include "game/enemy/StateMotion.h"

#include <algorithm>
#include <cmath>

namespace StateMotion {

float HorizontalDistance(const Matrix& a, const Matrix& b) {
    const Vector3 d = b.Translation() - a.Translation();
    return std::sqrt(d.x * d.x + d.z * d.z);
}

float TurnToward(Matrix& world, float pitch, float& yaw, const Vector3& target) {
    world = Matrix::CreateRotationX(ToRadians(-pitch)) * world;
    const Vector4 row = world.Row(2);
    const Vector3 forward = Vector3(row.x, row.y, row.z).Normalized();
    const Vector3 aim = Vector3(target.x, 0.0f, target.z).Normalized();
    const float angle = ToDegrees(std::acos(std::clamp(aim.Dot(forward), -1.0f, 1.0f)));
    const float step = std::min(angle, 5.0f);
    const float side = aim.x * forward.z - aim.z * forward.x;
    if (side > 0.0f) yaw += step;
    if (side < 0.0f) yaw -= step;
    world =
        Matrix::CreateRotationY(ToRadians(yaw)) * Matrix::CreateTranslation(world.Translation());
    return angle;
}

void Move(Matrix& world, float speed) {
    world = Matrix::CreateTranslation(0.0f, 0.0f, speed) * world;
}

void Rebuild(Matrix& world, float pitch, float yaw) {
    world = Matrix::CreateRotationX(ToRadians(pitch)) * Matrix::CreateRotationY(ToRadians(yaw)) *
            Matrix::CreateTranslation(world.Translation());
}

void Straighten(float& pitch) {
    if (pitch < 0.0f) pitch += 1.0f;
    if (pitch > 0.0f) pitch -= 1.0f;
}

}  // namespace StateMotion
