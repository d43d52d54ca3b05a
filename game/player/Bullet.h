#pragma once

#include "engine/graphics/CollisionQuery.h"
#include "engine/math/Matrix.h"
#include "engine/math/Vector3.h"

class BattleShip;
class FwModel;

// A rail-gun shot, fired by the player, the enemy robots' shoulder guns and the
// battleship's charge shots. Owned by whoever fired it, together with its BulletTrail;
// the owner removes both when the bullet hits something or its age exceeds kMaxAge.
//
// The age counts robot tests (TestTarget kinds 0, 1 and unknown kinds), not passes.
class Bullet {
public:
    static constexpr int kDamage = 200;
    static constexpr int kMaxAge = 180;
    static constexpr float kStep = 2.0f;  // world units per Advance

    // Test kinds of TestTarget.
    enum Kind { kRobotAlt = 0, kRobot = 1, kStone = 2, kCannon = 3 };

    // start: the bullet's world matrix (its third row is the direction of flight);
    // direction: the ray direction of the hull test.
    Bullet(const Matrix& start, const Vector3& direction);

    // Flies kStep along the bullet's own forward axis.
    void Advance();
    // Tests the bullet against a target's translation. Robots (kinds 0, 1): damage 200
    // within 2.0 and age + 1; stones (2): stone hit within 6.5; cannons (3): damage 200
    // within 6.5; other kinds: age + 1 only.
    void TestTarget(const Matrix& target, int kind);
    // One pass's age for a pass without any robot test.
    void AgeWithoutTarget() { ++age; }
    // Hull test against the battleship's hit model at its world matrix: hull hit when the
    // ray from the bullet along its ray direction meets the hull closer than 1.0. A null
    // ship clears the flag.
    void TestShip(const BattleShip* ship);
    // The same test against any model placed at world (the ship's hit box in the game).
    void TestHull(const FwModel* hitModel, const Matrix& world);

    const Matrix& GetMatrix() const { return matrix; }
    Vector3 GetPosition() const { return matrix.Translation(); }
    int GetDamage() const { return damage; }
    int GetAge() const { return age; }
    bool IsStoneHit() const { return stoneHit; }
    bool IsHullHit() const { return hullHit; }
    const Vector3& GetDirection() const { return rayDirection; }

private:
    Matrix matrix;
    int damage = 0;
    int age = 0;
    bool stoneHit = false;
    bool hullHit = false;
    CollisionQuery query;
    Vector3 rayDirection;
};
