#pragma once

#include <memory>
#include <vector>

#include "engine/graphics/EffectVertex.h"
#include "engine/math/Matrix.h"

class AdditiveBlend;
class FwTexture;

// The smoke behind a missile: two crossed ribbons through its last 100 placements, widening
// and fading toward the tail. Owned by its missile.
class MissileTrail {
public:
    static constexpr int kLength = 100;  // placements, newest first

    explicit MissileTrail(const Matrix& start);
    ~MissileTrail();
    MissileTrail(const MissileTrail&) = delete;
    MissileTrail& operator=(const MissileTrail&) = delete;

    // Drops the oldest placement and stores the missile's matrix as the newest.
    void Update(const Matrix& missile);
    void Draw();

    const Matrix& GetHistory(int index) const { return history[index]; }
    const std::vector<EffectVertex>& GetRibbon(int which) const { return ribbons[which]; }

private:
    void Build();

    std::vector<Matrix> history;
    // Two crossed ribbons, kLength × 2 vertices each, built in world space.
    std::vector<EffectVertex> ribbons[2];
    FwTexture* texture = nullptr;  // "Data/tex/bullet3.png", cached
    std::unique_ptr<AdditiveBlend> blend;
};
