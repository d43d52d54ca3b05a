#pragma once

#include "engine/math/Matrix.h"
#include "game/effects/EffectQuad.h"

// The rail gun's and the shoulder guns' muzzle flash, "Data/effect/muzzle.png": a
// shrinking, fading quad that drifts like a spark. Its owner's life counter ends it.
class MuzzleFlash {
public:
    // Draws rand() once (the spin, whole degrees). size: 2.0 for the player, 1.0 for
    // the enemy (world units).
    explicit MuzzleFlash(const Matrix& world, float size = 2.0f);

    // size - 0.2, alpha - 0.07; half-width size + 1.5, half-height size (the new size,
    // which may turn negative).
    void Update();
    void Draw() { quad.Draw(); }

    float GetSize() const { return size; }
    float GetAlpha() const { return alpha; }
    const EffectQuad& GetQuad() const { return quad; }

private:
    EffectQuad quad;
    int spin = 0;  // degrees
    float size;
    float alpha = 1.0f;
};
