#pragma once

#include "game/player/Weapon.h"

// The axe. Kind 0 is the player's axe, kind 1 the enemy robots' axe; any other kind
// leaves the axe without a model (it still places itself and hits).
class Ax : public Weapon {
public:
    // Melee damage dealt within reach, and the reach in world units (exclusive).
    static constexpr int kHitDamage = 300;
    static constexpr float kReach = 3.0f;

    explicit Ax(int kind);

    void Attach(const Matrix& mount, const Vector3& offset) override;
    // damage = 300 when the blade (weapon world translation) is closer than 3.0 to the
    // target's translation, else 0.
    void HitTest(const Matrix& target) override;

    int GetKind() const { return kind; }

private:
    int kind = 0;
    float yawAngle = 90.0f;   // degrees
    float rollAngle = 70.0f;  // degrees
    int ownDamage = 0;
};
