#pragma once

#include <memory>

#include "engine/graphics/CollisionQuery.h"
#include "engine/math/Matrix.h"
#include "game/enemy/Enemy.h"

class BattleShip;
class FwModel;
class MissileTrail;
class Player;

// A homing missile of the battleship's main turret: flies one world unit per pass along
// its own z axis, turns toward the player by at most 3 degrees per pass for its first 60
// passes, and is finished in its 481st update, on hitting the player (200 damage through
// the player's cannon hit) or on meeting the hull. Owned by its cannon.
class Missile {
public:
    static constexpr int kSteeringPasses = 60;
    static constexpr int kLastCounter = -420;  // finished once the counter falls below it
    static constexpr float kHitRange = 2.0f;
    static constexpr float kNearRange = 6.5f;

    // start: the launch pose at the barrel tip. Plays the launch sound.
    explicit Missile(const Matrix& start);
    ~Missile();
    Missile(const Missile&) = delete;
    Missile& operator=(const Missile&) = delete;

    // One pass toward the player's position. A stone within kNearRange is marked hit and
    // ends the missile. Returns false once finished.
    bool Update(Player& player, const BattleShip* ship, const StoneList& stones);
    // Moves and steers only (no hits, no trail): the flight rule on its own.
    void Fly(const Vector3& target);
    // The model and its smoke trail.
    void Draw();

    bool IsAlive() const { return alive; }
    const Matrix& GetMatrix() const { return matrix; }
    int GetSteeringCounter() const { return steeringCounter; }
    // 200 within kHitRange of target, else 0.
    static int HitTest(const Matrix& missile, const Matrix& target);
    // Whether target lies within kNearRange.
    static bool NearTest(const Matrix& missile, const Matrix& target);

private:
    Matrix matrix;
    int steeringCounter = kSteeringPasses;
    bool alive = true;
    FwModel* model = nullptr;  // cached, not owned
    std::unique_ptr<MissileTrail> trail;
    CollisionQuery query;
};
