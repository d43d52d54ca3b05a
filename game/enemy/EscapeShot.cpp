#include "game/enemy/EscapeShot.h"

#include <algorithm>

#include "engine/math/Matrix.h"
#include "game/enemy/Enemy.h"
#include "game/enemy/MoveAttack.h"
#include "game/enemy/StateMotion.h"
#include "game/player/Player.h"

namespace {
constexpr float kShootingRange = 40.0f;  // world units; farther than this it may shoot
constexpr float kRetreatSpeed = 0.2f;
constexpr float kMaxLean = 40.0f;   // degrees
constexpr int kGiveUpPasses = 180;  // passes spent within the shooting range
}  // namespace

EscapeShot::EscapeShot(int counter) : counter(counter) {}

std::unique_ptr<State> EscapeShot::Update(Player& player, Enemy& enemy, Matrix& world, float& pitch,
                                          float& yaw) {
    const Matrix& target = player.GetWorld();
    const float distance = StateMotion::HorizontalDistance(world, target);
    const bool far = distance > kShootingRange;
    const Vector3 toPlayer = target.Translation() - world.Translation();
    const float angle = StateMotion::TurnToward(world, pitch, yaw, far ? toPlayer : -toPlayer);
    const bool aligned = angle < 5.0f && far;

    if (!far) {
        ++counter;
        if (counter > kGiveUpPasses) {
            StateMotion::Rebuild(world, pitch, yaw);
            return std::make_unique<MoveAttack>(0);
        }
        pitch = std::min(pitch + 1.0f, kMaxLean);
        StateMotion::Move(world, kRetreatSpeed);
        StateMotion::Rebuild(world, pitch, yaw);
        enemy.SetFireRequest(0);
        return nullptr;
    }
    // The guns are armed only once the robot stands upright, facing the player.
    if (aligned && pitch == 0.0f) {
        if (enemy.GetWeaponMode() == Enemy::kMelee) enemy.DropAxe();
        if (enemy.GetWeaponMode() == Enemy::kMelee || enemy.GetWeaponMode() == Enemy::kGunsFired)
            enemy.SetWeaponMode(Enemy::kGunsArmed);
        counter = 0;
        enemy.SetFireRequest(1);
        StateMotion::Rebuild(world, pitch, yaw);
        return std::make_unique<MoveAttack>(0);
    }
    StateMotion::Straighten(pitch);
    StateMotion::Rebuild(world, pitch, yaw);
    enemy.SetFireRequest(aligned ? 1 : 0);
    return nullptr;
}
