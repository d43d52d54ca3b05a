#pragma once

#include "engine/math/Vector3.h"
#include "game/effects/EffectQuad.h"

// One glowing mote of a comet's tail, "Data/effect/rock.png": shrinks and fades by 0.01
// per update and is drawn with its comet's alpha on top of its own.
class RockMote {
public:
    explicit RockMote(const Vector3& position);

    void Update(float parentAlpha);
    void Draw() { quad.Draw(); }

    // Half-size or alpha below 0 (after 51 updates).
    bool IsFinished() const { return alpha < 0.0f || halfSize < 0.0f; }
    float GetAlpha() const { return alpha; }
    float GetHalfSize() const { return halfSize; }
    const EffectQuad& GetQuad() const { return quad; }

private:
    EffectQuad quad;
    Vector3 position;
    float halfSize = 10.0f;
    float alpha = 0.5f;
};
