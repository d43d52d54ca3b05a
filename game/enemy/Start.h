#pragma once

#include "game/enemy/State.h"

// Walks out of the battleship: 0.3 world units per pass along the initial heading, no
// turning, for as many passes as the counter says (70 for a fresh robot); then MoveAttack.
class Start : public State {
public:
    explicit Start(int counter);

    std::unique_ptr<State> Update(Player& player, Enemy& enemy, Matrix& world, float& pitch,
                                  float& yaw) override;

    int GetCounter() const { return counter; }

private:
    int counter;
};
