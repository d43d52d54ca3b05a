#pragma once

#include <memory>
#include <vector>

#include "engine/math/Matrix.h"
#include "game/effects/SmokePuff.h"

// The player's overheat smoke: 12 puffs; each finished puff is replaced at the end of
// the list by a new one at the anchor.
class SmokeEmitter {
public:
    static constexpr int kPuffCount = 12;

    explicit SmokeEmitter(const Matrix& anchor);

    void Update(const Matrix& anchor, float halfSize);
    void Draw();

    const std::vector<std::unique_ptr<SmokePuff>>& GetPuffs() const { return puffs; }

private:
    std::vector<std::unique_ptr<SmokePuff>> puffs;
};
