#include "game/enemy/MoveAttack.h"

#include <algorithm>

#include "engine/math/Matrix.h"
#include "game/enemy/Enemy.h"
#include "game/enemy/EscapeShot.h"
#include "game/enemy/StateMotion.h"
#include "game/player/Player.h"

namespace {
constexpr float kMeleeRange = 4.0f;  // world units
constexpr float kChaseSpeed = 0.2f;
constexpr float kMaxLean = 40.0f;   // degrees
constexpr int kGiveUpPasses = 300;  // consecutive passes out of melee range
}  // namespace

MoveAttack::MoveAttack(int counter) : counter(counter) {}

std::unique_ptr<State> MoveAttack::Update(Player& player, Enemy& enemy, Matrix& world, float& pitch,
                                          float& yaw) {
    const Matrix& target = player.GetWorld();
    const float distance = StateMotion::HorizontalDistance(world, target);
    const float angle =
        StateMotion::TurnToward(world, pitch, yaw, target.Translation() - world.Translation());
    // A sharp turn costs some of the lean.
    if (angle >= 5.0f) pitch -= 1.0f;

    float speed = 0.0f;
    if (distance <= kMeleeRange) {
        counter = 0;
        if (enemy.IsReady()) enemy.SetAttackRequest(true);
        if (enemy.GetWeaponMode() != Enemy::kMelee) {
            enemy.SetWeaponMode(Enemy::kMelee);
            enemy.EquipAx();
        }
        StateMotion::Straighten(pitch);
    } else {
        speed = kChaseSpeed;
        pitch = std::min(pitch + 1.0f, kMaxLean);
        ++counter;
        if (counter > kGiveUpPasses) {
            StateMotion::Rebuild(world, pitch, yaw);
            return std::make_unique<EscapeShot>(0);
        }
    }
    StateMotion::Move(world, speed);
    StateMotion::Rebuild(world, pitch, yaw);
    return nullptr;
}
