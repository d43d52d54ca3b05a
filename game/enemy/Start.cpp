#include "game/enemy/Start.h"

#include "engine/math/Matrix.h"
#include "game/enemy/MoveAttack.h"
#include "game/enemy/StateMotion.h"

namespace {
constexpr float kWalkSpeed = 0.3f;  // world units per pass
}

Start::Start(int counter) : counter(counter) {}

std::unique_ptr<State> Start::Update(Player&, Enemy&, Matrix& world, float&, float&) {
    StateMotion::Move(world, kWalkSpeed);
    --counter;
    if (counter < 1) return std::make_unique<MoveAttack>(0);
    return nullptr;
}
