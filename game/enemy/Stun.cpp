#include "game/enemy/Stun.h"

#include <algorithm>

#include "engine/math/Matrix.h"
#include "game/enemy/Enemy.h"
#include "game/enemy/MoveAttack.h"
#include "game/enemy/StateMotion.h"

namespace {
constexpr float kMaxBackLean = -15.0f;  // degrees
}

std::unique_ptr<State> Stun::Update(Player&, Enemy& enemy, Matrix& world, float& pitch,
                                    float& yaw) {
    pitch = std::max(pitch - 3.0f, kMaxBackLean);
    enemy.SetAttackRequest(false);
    StateMotion::Rebuild(world, pitch, yaw);
    if (enemy.GetStunTimer() == 1) return std::make_unique<MoveAttack>(0);
    return nullptr;
}
