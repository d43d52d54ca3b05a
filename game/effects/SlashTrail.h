#pragma once

#include <array>
#include <memory>

#include "engine/graphics/AdditiveBlend.h"
#include "engine/graphics/EffectVertex.h"
#include "engine/math/Matrix.h"

class FwTexture;

// The ribbon behind an axe blade in its hit window: the blade's frame over the last 14
// updates, drawn as a 28-vertex strip from 1 unit behind to 3 units ahead of the anchor
// along the heading. Built in world space.
class SlashTrail {
public:
    static constexpr int kHistory = 14;
    static constexpr int kVertices = kHistory * 2;

    // Head frame H = RotY(yaw) × T(anchor translation); every history entry starts as H.
    // kind 1: "Data/effect/jet.bmp" (enemies), kind 0: "Data/effect/jet2.png" (player);
    // any other kind leaves the trail without a texture. yaw in degrees.
    SlashTrail(const Matrix& anchor, float yaw, int kind);

    // Enemy form: shifts the history, stores the new head, rebuilds the strip.
    void Update(const Matrix& anchor, float yaw);
    // Player form: history shifted and the head stored only when advance is true; the
    // strip is rebuilt either way.
    void Update(const Matrix& anchor, float yaw, bool advance);
    void Draw();

    static Matrix HeadFrame(const Matrix& anchor, float yaw);
    const std::array<Matrix, kHistory>& GetHistory() const { return history; }
    const std::array<EffectVertex, kVertices>& GetVertices() const { return strip; }
    FwTexture* GetTexture() const { return texture; }

private:
    void Rebuild();

    std::array<Matrix, kHistory> history;  // newest first
    std::array<EffectVertex, kVertices> strip{};
    FwTexture* texture = nullptr;  // owned by the texture cache
    std::unique_ptr<AdditiveBlend> blend;
};
