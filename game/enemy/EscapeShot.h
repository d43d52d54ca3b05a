#pragma once

#include "game/enemy/State.h"

// Backs away to more than 40 world units, turns to face the player, straightens up and
// then arms the shoulder guns and asks for a volley (then MoveAttack). Gives up after more
// than 180 passes spent within 40.
class EscapeShot : public State {
public:
    explicit EscapeShot(int counter);

    std::unique_ptr<State> Update(Player& player, Enemy& enemy, Matrix& world, float& pitch,
                                  float& yaw) override;

    int GetCounter() const { return counter; }

private:
    int counter;
};
