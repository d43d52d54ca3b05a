#pragma once

#include "game/enemy/State.h"

// Reels after an axe hit: leans back 3 degrees per pass (at most 15) on the spot and drops
// any swing request; returns to MoveAttack when the robot's stun timer reads exactly 1.
class Stun : public State {
public:
    std::unique_ptr<State> Update(Player& player, Enemy& enemy, Matrix& world, float& pitch,
                                  float& yaw) override;
};
