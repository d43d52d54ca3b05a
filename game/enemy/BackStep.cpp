#include "game/enemy/BackStep.h"

#include <algorithm>

#include "engine/math/Matrix.h"
#include "game/enemy/MoveAttack.h"
#include "game/enemy/StateMotion.h"
#include "game/player/Player.h"

namespace {
constexpr float kBackSpeed = 0.3f;        // world units per pass
constexpr float kMaxBackLean = -15.0f;    // degrees
constexpr float kEnoughDistance = 15.0f;  // world units
}  // namespace

BackStep::BackStep(int counter) : counter(counter) {}

std::unique_ptr<State> BackStep::Update(Player& player, Enemy&, Matrix& world, float& pitch,
                                        float& yaw) {
    const float distance = StateMotion::HorizontalDistance(world, player.GetWorld());
    pitch = std::max(pitch - 1.0f, kMaxBackLean);
    world = Matrix::CreateRotationX(ToRadians(pitch)) *
            Matrix::CreateTranslation(0.0f, 0.0f, -kBackSpeed) *
            Matrix::CreateRotationY(ToRadians(yaw)) *
            Matrix::CreateTranslation(world.Translation());
    --counter;
    if (distance > kEnoughDistance || counter < 0) return std::make_unique<MoveAttack>(0);
    return nullptr;
}
