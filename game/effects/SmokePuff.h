#pragma once

#include "engine/math/Matrix.h"
#include "game/effects/EffectQuad.h"

// One puff of the player's overheat smoke: the fixed cell (column 0, row 4) of
// "Data/effect/expAnime.png", fading at a random pace.
class SmokePuff {
public:
    // Draws rand() once: the x offset o = rand() % 3 − 1, added to the position.
    explicit SmokePuff(const Matrix& world);

    // alpha − (|o| + 1) / 100, billboard with the given half-size.
    void Update(float halfSize);
    void Draw() { quad.Draw(); }

    bool IsFinished() const { return alpha <= 0.0f; }
    float GetAlpha() const { return alpha; }
    const EffectQuad& GetQuad() const { return quad; }

private:
    EffectQuad quad;
    Vector3 position;
    int offset = 0;
    float alpha = 1.0f;
};
