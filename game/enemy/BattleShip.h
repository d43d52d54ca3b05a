#pragma once

#include <memory>
#include <vector>

#include "app/Object.h"
#include "engine/math/Matrix.h"
#include "game/enemy/Enemy.h"

class BattleShipCannon;
class EffectQuad;
class Explosion;
class Player;

// The stage's boss: a large ship that launches the enemy robots, carries three cannons that
// wake one after another as robots are destroyed, and explodes, breaks up and sinks once
// the last cannon is gone (which wins the battle). Owned by the battle scene.
//
// Durations are passes, distances world units, angles degrees.
class BattleShip : public Object {
public:
    static constexpr int kLaunchInterval = 1800;  // the flag rises every 1801 passes
    static constexpr int kCannons = 3;

    BattleShip();
    ~BattleShip() override;
    BattleShip(const BattleShip&) = delete;
    BattleShip& operator=(const BattleShip&) = delete;

    // The hull, the cannons, then the shockwave ring and the explosion once exploding.
    void Draw() override;
    // enemyRemoved: the manager's flag of this pass (wakes cannons).
    void Update(bool enemyRemoved, Player& player, const StoneList& stones,
                const EnemyList& enemies);

    // False once the ship has sunk: the battle is won.
    bool IsAlive() const { return alive; }
    // The destruction has begun (the player takes no more damage).
    bool IsExploding() const { return exploded; }
    // The final explosion is over; the battle scene smears and shakes the picture.
    bool IsBreakingUp() const { return breakingUp; }
    bool IsSinking() const { return sinking; }
    // Read by the EnemyManager: launch robots this pass.
    bool GetLaunchFlag() const { return launchFlag; }
    const Matrix& GetWorld() const { return world; }
    // The hull used by ray queries (bullets, missiles, robots keeping clear).
    const FwModel* GetHitModel() const { return hitModel; }
    // The three cannons in waking order; the player tests its weapons against them.
    const std::vector<std::unique_ptr<BattleShipCannon>>& GetCannons() const { return cannons; }
    int GetLaunchTimer() const { return launchTimer; }
    float GetShockwaveHalfSize() const { return shockwaveHalfSize; }
    float GetShockwaveAlpha() const { return shockwaveAlpha; }
    int GetSinkCount() const { return sinkCount; }

private:
    void UpdateDestruction();
    void UpdateShockwave();

    Matrix world;
    // From the model cache; not owned.
    FwModel* hitModel = nullptr;
    int launchTimer = 0;
    bool launchFlag = false;
    bool alive = true;
    std::vector<std::unique_ptr<BattleShipCannon>> cannons;
    std::unique_ptr<Explosion> explosion;
    int explosionFrame = 0;
    bool exploded = false;
    // The expanding ring, "Data/spaceBattleShip/maru.png", billboarded at the ship.
    std::unique_ptr<EffectQuad> shockwave;
    float shockwaveHalfSize = 100.0f;
    float shockwaveAlpha = 1.0f;
    bool breakingUp = false;
    int sinkCount = 0;
    bool sinking = false;
};
