#pragma once

#include "engine/math/Matrix.h"
#include "game/effects/EffectQuad.h"

// One flame of a damaged cannon: the explosion sheet from frame 20 on, rising 0.1 per
// update and jittering sideways, fading at a random pace.
class RisingFlame {
public:
    // Draws rand() once: the drift d = rand() % 5 − 2.
    explicit RisingFlame(const Matrix& world);

    // Draws rand() once (the sideways step). alpha − (|d| + 1) / 100; frame held at 32
    // once the counter passes 32.
    void Update(float halfSize);
    void Draw() { quad.Draw(); }

    bool IsFinished() const { return alpha <= 0.0f; }
    float GetAlpha() const { return alpha; }
    float GetCounter() const { return counter; }
    const EffectQuad& GetQuad() const { return quad; }

private:
    EffectQuad quad;
    Vector3 position;
    int drift = 0;
    float alpha = 1.0f;
    float counter = 20.0f;
};
