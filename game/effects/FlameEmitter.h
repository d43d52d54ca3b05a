#pragma once

#include <memory>
#include <vector>

#include "engine/math/Matrix.h"
#include "game/effects/RisingFlame.h"

// The flames of a damaged cannon. Built for the cannon's HP: 4 flames at 200, 2 at 400,
// 50 at 0 and none for any other value; each finished flame is replaced at the end of the
// list by a new one at the anchor.
class FlameEmitter {
public:
    FlameEmitter(const Matrix& anchor, int damageStep);

    void Update(const Matrix& anchor, float halfSize);
    void Draw();

    static int FlameCountFor(int damageStep);
    const std::vector<std::unique_ptr<RisingFlame>>& GetFlames() const { return flames; }

private:
    std::vector<std::unique_ptr<RisingFlame>> flames;
};
