#pragma once

#include "engine/math/Matrix.h"
#include "engine/math/Vector3.h"
#include "game/effects/EffectQuad.h"

// One glowing mote of a cannon's charge shot, "Data/effect/energyBullet.png": it drifts
// by a small random velocity and fades by the distance it covers.
class EnergyMote {
public:
    // Draws rand() three times (x, y, z of the velocity, each (rand() % 5 − 2) / 5) and
    // moves its start by the x velocity.
    explicit EnergyMote(const Matrix& world);

    // A mote without velocity dies at once; otherwise it moves by its velocity, loses
    // strength by the velocity's length and shows with alpha = strength. halfSize in
    // world units.
    void Update(float halfSize = 1.0f);
    void Draw() { quad.Draw(); }

    bool IsAlive() const { return alive; }
    float GetStrength() const { return strength; }
    const Vector3& GetVelocity() const { return velocity; }
    const EffectQuad& GetQuad() const { return quad; }

private:
    EffectQuad quad;
    Vector3 velocity;
    float strength = 1.0f;
    bool alive = true;
};
