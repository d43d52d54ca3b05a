#pragma once

#include "game/enemy/State.h"

// Chases the player and strikes with the axe within 4 world units. After more than 300
// consecutive passes farther away it gives up and retreats to shoot (EscapeShot).
class MoveAttack : public State {
public:
    explicit MoveAttack(int counter);

    std::unique_ptr<State> Update(Player& player, Enemy& enemy, Matrix& world, float& pitch,
                                  float& yaw) override;

    int GetCounter() const { return counter; }

private:
    int counter;
};
