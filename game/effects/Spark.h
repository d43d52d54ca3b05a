#pragma once

#include "engine/math/Matrix.h"
#include "engine/math/Vector2.h"
#include "game/effects/EffectQuad.h"

// A hit spark: a growing, fading quad that drifts 0.1 world units per update in a random
// direction within the screen plane. Type 0 uses "Data/effect/enemyEffect.png", types 1
// to 3 "Data/effect/playerEffect.png"; types 0 and 1 are thin streaks (base half-size
// (0.5, 0)), types 2 and 3 round bursts (2.5, 2.5). Invisible after 20 updates; owners
// delete it by their own timers.
class Spark {
public:
    // Draws rand() once (the spin, whole degrees).
    Spark(const Matrix& world, int type);

    void Update();
    void Draw() { quad.Draw(); }

    float GetAlpha() const { return alpha; }
    float GetGrow() const { return grow; }
    int GetSpin() const { return spin; }
    const EffectQuad& GetQuad() const { return quad; }

private:
    EffectQuad quad;
    int spin = 0;  // degrees
    float grow = 0.0f;
    float alpha = 1.0f;
    Vector2 baseSize;
};
