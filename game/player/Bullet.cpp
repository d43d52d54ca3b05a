#include "game/player/Bullet.h"

#include "engine/graphics/FwModel.h"
#include "game/enemy/BattleShip.h"

namespace {
constexpr float kRobotReach = 2.0f;  // world units
constexpr float kLargeReach = 6.5f;  // stones and cannons
constexpr float kHullReach = 1.0f;
}  // namespace

Bullet::Bullet(const Matrix& start, const Vector3& direction)
    : matrix(start), rayDirection(direction) {}

void Bullet::Advance() {
    matrix = Matrix::CreateTranslation(0.0f, 0.0f, kStep) * matrix;
}

void Bullet::TestTarget(const Matrix& target, int kind) {
    const float d = Vector3::Distance(matrix.Translation(), target.Translation());
    switch (kind) {
        case kRobotAlt:
        case kRobot:
            damage = d < kRobotReach ? kDamage : 0;
            ++age;
            break;
        case kStone:
            stoneHit = d < kLargeReach;
            break;
        case kCannon:
            damage = d < kLargeReach ? kDamage : 0;
            break;
        default:
            ++age;
            break;
    }
}

void Bullet::TestHull(const FwModel* hitModel, const Matrix& world) {
    Vector3 normal;
    float distance = 0.0f;
    hullHit =
        query.RayToModel(hitModel, world, matrix.Translation(), rayDirection, normal, distance) &&
        distance < kHullReach;
}

void Bullet::TestShip(const BattleShip* ship) {
    if (ship == nullptr) {
        hullHit = false;
        return;
    }
    TestHull(ship->GetHitModel(), ship->GetWorld());
}
