#pragma once

#include <array>
#include <memory>
#include <vector>

#include "app/Object.h"
#include "engine/graphics/CollisionQuery.h"
#include "engine/math/Matrix.h"
#include "engine/math/Vector3.h"

class BattleShip;
class Bullet;
class BulletTrail;
class Enemy;
class EnergyGauge;
class Explosion;
class FlashAx;
class FwModel;
class FwSoundInstance;
class FwTexture;
class HitFlash;
class Hp;
class MuzzleFlash;
class SlashTrail;
class SmokeEmitter;
class Spark;
class Stone;
class SwingAnimator;
class Thruster;
class Weapon;

// The live enemy robots as the EnemyManager holds them (same alias as in Enemy.h).
using EnemyList = std::vector<std::unique_ptr<Enemy>>;

// The robot the user controls in the battle: seven body parts, an axe and a rail gun, two
// back thrusters, the HP and energy gauges. Owned by the battle scene, which calls Update
// and Draw once per pass and deletes it after the battle.
//
// Units: durations in passes, distances in world units, angles in degrees.
class Player : public Object {
public:
    static constexpr int kMaxHp = 2000;
    static constexpr int kMaxEnergy = 1000;
    static constexpr float kHeight = 4.0f;    // the body's constant y
    static constexpr float kBounds = 300.0f;  // |x| and |z| never exceed it
    static constexpr float kRadius = 1.5f;
    static constexpr float kHullGap = 3.0f;  // closest approach to the battleship's hull
    static constexpr int kSlots = 60;        // spark slots per kind
    static constexpr int kMuzzleSlots = 30;

    Player();
    ~Player() override;
    Player(const Player&) = delete;
    Player& operator=(const Player&) = delete;

    // One pass. pitch and yaw point at the camera's angles (degrees); the lock-on turn
    // writes *yaw, and the caller copies it back to the camera. enemies (the manager's
    // list), stones (StoneField::GetStones) and ship are borrowed for the pass; ship may
    // be null (no hull push, hull hits, cannon hits or ship-destruction check).
    // deathViewDone: the camera has finished its lift onto the dying robot.
    void Update(float* pitch, float* yaw, EnemyList& enemies, const std::vector<Stone*>& stones,
                BattleShip* ship, bool deathViewDone);
    void Draw() override;
    // The collision queries push the player through these two.
    void SetMatrix(const Matrix& m) override;
    // Rest pose of the limbs and thrusters from the world matrix (the right hand excepted).
    void UpdateMatrix() override;

    bool IsAlive() const { return alive; }
    bool IsDying() const { return dying; }
    const Matrix& GetWorld() const { return world; }
    float GetSpeed() const { return speed; }
    bool GetDamageFlash() const { return damageFlash; }
    // The Object matrix of the weapon in hand; identity when no weapon is in hand (after
    // death), so a caller never reads a deleted weapon.
    const Matrix& GetWeaponMatrix() const;
    // A battleship cannon shot reached the player this pass (positive value: 200 damage
    // at the next update unless invulnerable).
    void SetCannonHit(int value) { cannonHit = value; }

    // State readers for the HUD, the camera, tools and tests.
    int GetHp() const { return hp; }
    int GetDisplayedHp() const { return displayedHp; }
    int GetEnergy() const { return energy; }
    bool IsOverheated() const { return overheated; }
    float GetYaw() const { return yaw; }
    float GetTilt() const { return tilt; }
    const Vector3& GetVelocity() const { return velocity; }
    int GetWeaponIndex() const { return weaponIndex; }
    bool IsSwinging() const { return swinging; }
    bool IsAiming() const { return aiming; }
    bool IsShotPose() const { return shotPose; }
    bool IsInvulnerable() const { return invulnerable; }
    bool IsBoosting() const { return boosting; }
    bool IsFlicker() const { return flicker; }
    bool IsFading() const { return fading; }
    float GetFadeAlpha() const { return fadeAlpha; }
    int GetDeathTimer() const { return deathTimer; }
    int GetLockTarget() const { return lockTarget; }
    const Matrix& GetRightHand() const { return rightHand; }
    const Matrix& GetLeftHand() const { return leftHand; }
    const Matrix& GetHitBoxMatrix() const { return hitBoxMatrix; }
    const Weapon* GetWeaponInHand() const { return weaponInHand.get(); }
    const Weapon* GetWeaponOnBack() const { return weaponOnBack.get(); }
    const FlashAx* GetSlashFlash() const { return slashFlash.get(); }
    const SwingAnimator* GetSwing() const { return swing.get(); }
    const Hp* GetHpGauge() const { return hpGauge.get(); }
    const EnergyGauge* GetEnergyGauge() const { return energyGauge.get(); }
    const Thruster* GetThruster(int right) const;
    const std::vector<std::unique_ptr<Bullet>>& GetBullets() const { return bullets; }
    bool HasExplosion() const { return explosion != nullptr; }
    bool HasHitFlash() const { return hitFlash != nullptr; }
    bool HasSlashTrail() const { return slashTrail != nullptr; }
    bool HasSmoke() const { return overheatSmoke != nullptr; }
    // Live effects in each slot group.
    int CountAxeSparks() const;
    int CountStoneSparks() const;
    int CountShipSparks() const;
    int CountMuzzleFlashes() const;
    bool HasAlarm() const { return alarmSound != nullptr; }
    bool HasDyingSound() const { return dyingSound != nullptr; }
    bool HasThrusterSound() const { return thrusterSound != nullptr; }
    // Stops the overheat alarm and the thruster hum: the robot can no longer move (its death
    // has begun, or the battle is won).
    void FallSilent();
    // Whether each looping voice is audible now (held and playing, not paused or stopped).
    bool IsAlarmSounding() const;
    bool IsThrusterSounding() const;

    // Scenario set-up for tests and tools: HP (the display follows at once) and energy.
    void SetHp(int value);
    void SetEnergy(int value) { energy = value; }
    // A bullet in flight (with its trail) as if fired, placed freely.
    void AddBullet(const Matrix& start, const Vector3& direction);

private:
    // Movement and the lock-on turn (PlayerMovement.cpp).
    void Move(float cameraYaw, EnemyList& enemies, const std::vector<Stone*>& stones);
    void PlaceBody(const BattleShip* ship);
    void PlaceLimbs();
    void StepThrusters();
    void UpdateCollisionSphere();
    void TurnToLockTarget(float* cameraYaw, const EnemyList& enemies);

    // Energy, weapons, the axe and the rail gun (PlayerCombat.cpp).
    void BeginEnergy();
    void SwitchWeapon();
    void UpdateAlarm();
    void TriggerAxe();
    void ArmWeapons();
    void TriggerRailgun();
    void TurnToAim(float cameraYaw);
    void RefillEnergy();
    void Fire(float cameraPitch, float cameraYaw);
    void PlaceRightHand();
    void UpdateFlicker();
    void UpdateSmoke();
    void HitWithAxe(EnemyList& enemies);
    void UpdateSlashTrail();
    void PlaceWeaponOnBack();
    void FollowSlashFlash(bool axeInHand);
    // Returns false when the shooting pose ends the update.
    bool PlaceWeaponInHand();

    // Bullets and the effect slots (PlayerShots.cpp).
    void UpdateBullets(EnemyList& enemies, const std::vector<Stone*>& stones, BattleShip* ship);
    void AgeEffects();

    // Damage and death (PlayerDeath.cpp).
    void TakeDamage(const EnemyList& enemies, const BattleShip* ship);
    void CheckDeath();
    void RunDeath(bool deathViewDone);

    Vector3 Position() const { return world.Translation(); }

    Matrix world;
    float yaw = 0.0f;
    float tilt = 0.0f;
    float tiltLimit = 10.0f;
    Matrix rightHand;
    Matrix previousRightHand;
    Matrix leftHand;
    Matrix rightThigh;
    Matrix leftThigh;
    Matrix rightLeg;
    Matrix leftLeg;
    // Body, right hand, left hand, right thigh, left thigh, right leg, left leg; cached.
    std::array<FwModel*, 7> bodyModels{};
    float drawOpacity = 1.0f;
    int damageOut = 0;
    int cannonHit = 0;
    int hp = kMaxHp;
    int previousHp = kMaxHp;
    int displayedHp = kMaxHp;
    int invulnerableCount = 0;
    bool invulnerable = false;
    int energy = kMaxEnergy;
    bool energyUsed = false;
    bool overheated = false;
    std::shared_ptr<FwSoundInstance> alarmSound;
    float speed = 0.0f;
    float stepSpeed = 0.0f;
    Vector3 velocity;
    // Where the movement block moves the body this pass (x, z; y is the constant height).
    Vector3 tentative;
    bool turningToVelocity = false;
    bool braking = false;
    bool forwardBackLatch = false;
    bool leftRightLatch = false;
    bool boosting = false;
    bool moved = false;
    bool aiming = false;
    int weaponIndex = 0;
    bool switchLatch = false;
    bool axeArmed = false;
    bool railArmed = false;
    bool swinging = false;
    bool railClickLatch = false;
    int recoilCount = 0;
    bool shotPose = false;
    bool fireNow = false;
    FwTexture* aimTexture = nullptr;
    Matrix aimMatrix;
    std::unique_ptr<SwingAnimator> swing;
    std::unique_ptr<Hp> hpGauge;
    std::unique_ptr<EnergyGauge> energyGauge;
    std::unique_ptr<Weapon> weaponInHand;
    std::unique_ptr<Weapon> weaponOnBack;
    std::vector<std::unique_ptr<Bullet>> bullets;
    std::vector<std::unique_ptr<BulletTrail>> bulletTrails;  // same index as bullets
    std::unique_ptr<Thruster> rightThruster;
    std::unique_ptr<Thruster> leftThruster;
    int flickerOn = 0;
    int flickerOff = 0;
    bool flicker = false;
    std::shared_ptr<FwSoundInstance> thrusterSound;
    bool alive = true;
    std::shared_ptr<FwSoundInstance> dyingSound;
    FwModel* hitBoxModel = nullptr;
    Matrix hitBoxMatrix;
    bool lockLatch = false;
    Vector3 lockTargetPosition;
    bool locking = false;
    int lockTarget = -1;
    std::unique_ptr<Explosion> explosion;
    bool dying = false;
    int deathTimer = 0;
    FwTexture* fadeTexture = nullptr;
    Matrix fadeMatrix;
    bool fading = false;
    float fadeAlpha = 0.0f;
    std::unique_ptr<CollisionQuery> query;
    std::unique_ptr<SlashTrail> slashTrail;
    int slashCountdown = 60;
    std::array<int, kSlots> axeSparkLife{};
    std::array<std::unique_ptr<Spark>, kSlots> axeSparks;
    std::array<int, kSlots> shipSparkLife{};
    std::array<std::unique_ptr<Spark>, kSlots> shipSparks;
    std::unique_ptr<HitFlash> hitFlash;
    int hitFlashFrame = 0;
    std::array<std::unique_ptr<MuzzleFlash>, kMuzzleSlots> muzzleFlashes;
    std::array<int, kMuzzleSlots> muzzleLife{};
    std::unique_ptr<SmokeEmitter> overheatSmoke;
    std::array<int, kSlots> stoneSparkLife{};
    std::array<std::unique_ptr<Spark>, kSlots> stoneSparks;
    std::unique_ptr<FlashAx> slashFlash;
    bool damageFlash = false;
};
