#pragma once

#include <array>
#include <memory>

#include "engine/graphics/EffectVertex.h"
#include "engine/math/Matrix.h"

class AdditiveBlend;
class FwTexture;

// The ribbon behind a Bullet: two crossed strips through the bullet's last 25 placements.
// Created and deleted together with its bullet by the bullet's owner.
class BulletTrail {
public:
    static constexpr int kLength = 25;         // history entries, newest first
    static constexpr float kHalfWidth = 5.0f;  // world units

    using Vertex = EffectVertex;

    explicit BulletTrail(const Matrix& start);
    ~BulletTrail();
    BulletTrail(const BulletTrail&) = delete;
    BulletTrail& operator=(const BulletTrail&) = delete;

    // Shifts the history by one and stores the bullet's matrix as the newest entry.
    void Update(const Matrix& bullet);
    // textureChoice 1: the player's texture (bullet2), 0: the enemies' and the ship's
    // (bullet3); anything else draws nothing.
    void Draw(int textureChoice);

    const Matrix& GetHistory(int index) const { return history[index]; }
    // The CPU copy of ribbon 0 (along X) or 1 (along Y) as last built.
    const std::array<Vertex, kLength * 2>& GetRibbon(int which) const { return ribbons[which]; }

private:
    void Build();

    std::array<Matrix, kLength> history;
    std::array<std::array<Vertex, kLength * 2>, 2> ribbons{};
    FwTexture* playerTexture = nullptr;  // "Data/tex/bullet2.png", cached
    FwTexture* enemyTexture = nullptr;   // "Data/tex/bullet3.png", cached
    std::unique_ptr<AdditiveBlend> blend;
};
