#pragma once

#include "engine/math/Matrix.h"
#include "game/effects/EffectQuad.h"

// The animated explosion of "Data/effect/expAnime.png": 32-pixel cells, 8 columns, one
// frame per update. Owners delete it by their own rule, usually once Update returns
// more than 64.
class Explosion {
public:
    // Position taken from the translation of world.
    explicit Explosion(const Matrix& world);

    // Billboard with half-size halfSize (world units), shows the frame of the current
    // counter, then advances the counter by 1. Returns the new counter (the 65th update
    // returns 65).
    int Update(float halfSize);
    void Draw() { quad.Draw(); }

    float GetCounter() const { return counter; }
    const EffectQuad& GetQuad() const { return quad; }

private:
    EffectQuad quad;
    Vector3 position;
    float counter = 0.0f;
};
