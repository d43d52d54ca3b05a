#pragma once

#include <memory>
#include <vector>

#include "game/effects/Comet.h"

// The battle's background shooting stars (owned by the game scene): three comets at the
// start, finished ones deleted, and a new one with probability 1/400 per update.
class ShootingStars {
public:
    static constexpr int kInitialComets = 3;

    ShootingStars();

    // Updates every comet, deletes the finished ones, then draws rand() once: a new
    // comet is appended when rand() % 400 == 0.
    void Update();
    void Draw();

    const std::vector<std::unique_ptr<Comet>>& GetComets() const { return comets; }

private:
    std::vector<std::unique_ptr<Comet>> comets;
};
