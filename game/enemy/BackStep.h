#pragma once

#include "game/enemy/State.h"

// Backs off 0.3 world units per pass after a swing, leaning back (at most 15 degrees),
// until the player is farther than 15 or the counter has run below 0.
class BackStep : public State {
public:
    explicit BackStep(int counter);

    std::unique_ptr<State> Update(Player& player, Enemy& enemy, Matrix& world, float& pitch,
                                  float& yaw) override;

    int GetCounter() const { return counter; }

private:
    int counter;
};
