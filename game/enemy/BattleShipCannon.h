#pragma once

#include <array>
#include <memory>
#include <vector>

#include "engine/math/Matrix.h"
#include "engine/math/Vector3.h"
#include "game/enemy/Enemy.h"

class BattleShip;
class ChargeShot;
class Explosion;
class FlameEmitter;
class FwModel;
class FwSoundInstance;
class HitFlash;
class Missile;
class MuzzleFlash;
class Player;

// One of the battleship's three cannons, its weak points. Kind 0 is the main turret on
// top (missile bursts), kinds 1 and 2 the side cannons (charge shots). Asleep until woken
// by a robot kill (and, for kinds 1 and 2, the death of the previous cannon); then its
// cover opens over 180 passes and it fires. Only rail-gun hits of exactly 200 hurt it,
// and at most one per 60 passes. Owned by the BattleShip.
class BattleShipCannon {
public:
    static constexpr int kMaxHp = 600;
    static constexpr int kRailDamage = 200;
    static constexpr int kHitFlashPasses = 60;
    static constexpr int kOpeningPasses = 180;
    static constexpr int kMuzzleSlots = 15;

    // placement: the cannon's pose on the ship; kind 0, 1 or 2.
    BattleShipCannon(const Matrix& placement, int kind);
    ~BattleShipCannon();
    BattleShipCannon(const BattleShipCannon&) = delete;
    BattleShipCannon& operator=(const BattleShipCannon&) = delete;

    // One pass. wake: this cannon may wake now; sinking / sinkSpeed: the ship goes down and
    // takes the cannon with it (world units per pass).
    void Update(const Matrix& shipWorld, bool wake, bool sinking, float sinkSpeed, Player& player,
                const StoneList& stones, const EnemyList& enemies, BattleShip& ship);
    // Models, hit flash, explosion, projectiles, muzzle flashes, flames.
    void Draw();

    bool IsAlive() const { return alive; }
    bool IsAwake() const { return awake; }
    // Set for the one pass in which the cannon died: the ship launches robots.
    bool GetLaunchRequest() const { return launchRequest; }
    const Matrix& GetBarrelMatrix() const { return barrel; }
    // Replaces the previous value; only exactly 200 (a rail-gun hit) counts.
    void SetPendingDamage(int damage) { pendingDamage = damage; }

    int GetKind() const { return kind; }
    int GetHp() const { return hp; }
    int GetShownHp() const { return shownHp; }
    bool IsHitFlashing() const { return hitFlashing; }
    bool IsCoverOpen() const { return openingFrames <= 0; }
    int GetOpeningFrames() const { return openingFrames; }
    float GetYaw() const { return yaw; }
    float GetPitch() const { return pitch; }
    const Matrix& GetBase() const { return base; }
    const Matrix& GetCover() const { return cover; }
    // Flames of the damage emitter (0 when none).
    int GetFlameCount() const;
    int GetMissileCount() const { return static_cast<int>(missiles.size()); }
    int GetChargeShotCount() const { return static_cast<int>(chargeShots.size()); }
    const std::vector<std::unique_ptr<Missile>>& GetMissiles() const { return missiles; }
    const std::vector<std::unique_ptr<ChargeShot>>& GetChargeShots() const { return chargeShots; }
    bool IsResting() const { return resting; }
    int GetShotsLeft() const { return shotsLeft; }

private:
    // Update steps, split by concern (BattleShipCannon.cpp, BattleShipCannonFire.cpp).
    void TakeDamage();
    void Sink(float sinkSpeed);
    void Die(const Matrix& shipWorld);
    void Droop();
    void TurnToPlayer(const Player& player);
    void OpenCover();
    void UpdateFlames();
    void Fire(Player& player);
    void FireMissile();
    void FireChargeShot();
    void UpdateProjectiles(Player& player, const StoneList& stones, BattleShip& ship);
    void UpdateMuzzleFlashes();
    void RebuildBarrel();
    Vector3 FlameAnchor() const;

    int kind;
    // From the model cache; not owned. The base exists for the main turret only.
    FwModel* baseModel = nullptr;
    Matrix base;
    FwModel* barrelModel = nullptr;
    Matrix barrel;
    FwModel* coverModel = nullptr;
    Matrix cover;
    int openingFrames = kOpeningPasses;
    bool awake = false;
    int hp = kMaxHp;
    int shownHp = kMaxHp;
    int pendingDamage = 0;
    bool alive = true;
    int droopFrames = 50;
    std::unique_ptr<HitFlash> hitFlash;
    int hitFlashFrame = 0;
    std::unique_ptr<Explosion> destructionExplosion;
    std::unique_ptr<FlameEmitter> flames;
    std::vector<std::unique_ptr<ChargeShot>> chargeShots;
    std::vector<std::unique_ptr<Missile>> missiles;
    int chargeCountdown = 120;
    float yaw = 0.0f;
    float pitch = 0.0f;
    int shotCountdown = 60;
    int shotsLeft = 5;
    int restCountdown = 300;
    bool resting = false;
    std::array<std::unique_ptr<MuzzleFlash>, kMuzzleSlots> muzzleFlashes;
    std::array<int, kMuzzleSlots> muzzleLives;
    bool hitFlashing = false;
    int hitFlashingCount = 0;
    bool launchRequest = false;
    std::shared_ptr<FwSoundInstance> chargeSound;
};
