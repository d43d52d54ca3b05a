#pragma once

#include "game/player/Weapon.h"

// The player's rail gun as a held or carried object. Its shots are Bullets fired by the
// player; the gun itself never deals melee damage.
class Railgun : public Weapon {
public:
    Railgun();

    // Also resets damage to the shot damage (0) on every placement.
    void Attach(const Matrix& mount, const Vector3& offset) override;
    // Leaves damage as it is (0).
    void HitTest(const Matrix& target) override;

private:
    float rollAngle = 0.0f;   // degrees
    float pitchAngle = 0.0f;  // degrees
    float yawAngle = 90.0f;   // degrees
    int shotDamage = 0;
};
