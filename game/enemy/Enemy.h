#pragma once

#include <array>
#include <memory>
#include <vector>

#include "app/Object.h"
#include "engine/graphics/CollisionQuery.h"
#include "engine/math/Matrix.h"
#include "engine/math/Vector3.h"

class Ax;
class BattleShip;
class Bullet;
class BulletTrail;
class Cannon;
class EnemyHp;
class EnemyManager;
class Explosion;
class HitFlash;
class MuzzleFlash;
class Player;
class SlashTrail;
class SparkBurst;
class State;
class Stone;
class SwingAnimator;
class Enemy;

// The stones of the field as the StoneField hands them round (not owned here).
using StoneList = std::vector<Stone*>;
// The live enemy robots, owned by the EnemyManager, in spawn order.
using EnemyList = std::vector<std::unique_ptr<Enemy>>;

// An enemy robot: walks out of the battleship, chases the player, swings an axe at close
// range and fires its two shoulder guns from afar; dies in an explosion with its limbs
// flying apart and fades out. Owned by the EnemyManager, which deletes it once IsAlive is
// false. Its AI is one State object (owned); the robot forces EscapeShot, BackStep and Stun
// over the state's own choice.
//
// Durations are passes, distances world units, angles degrees.
class Enemy : public Object {
public:
    static constexpr int kMaxHp = 600;
    static constexpr int kAxeDamage = 300;
    static constexpr int kSwingCost = 200;   // attack energy per axe swing
    static constexpr int kVolleyCost = 500;  // attack energy per gun volley
    static constexpr int kMuzzleSlots = 30;  // per gun
    static constexpr float kRadius = 1.5f;

    // Weapon modes.
    static constexpr int kMelee = 0;
    static constexpr int kGunsArmed = 2;
    static constexpr int kGunsFired = 3;

    // Placed at RotY(π) × T(s.x − 35, 3, s.z − 10), s = the ship's translation. Draws its
    // debris motion from rand() (15 draws for velocities, then 15 for spins).
    explicit Enemy(const Matrix& shipWorld);
    ~Enemy() override;
    Enemy(const Enemy&) = delete;
    Enemy& operator=(const Enemy&) = delete;

    // Body, limbs, shoulder guns, axe, trails and effects, with the current alpha.
    void Draw() override;
    // Stores the given matrix as the body matrix (the collision queries push through here).
    void SetMatrix(const Matrix& m) override;
    // Re-places the left hand and the legs from the body matrix.
    void UpdateMatrix() override;

    // One pass: AI, swing, damage, effects, hull keep-out, limbs, axe and gun hits, volley,
    // death. The manager passes itself for the shared attack energy.
    void Update(Player& player, const StoneList& stones, BattleShip& ship, EnemyManager& manager);
    // The HP gauge, when shown and the robot is not yet wrecked (sprite pass of its own).
    void DrawHpGauge();

    // --- read and written by the player ---
    const Matrix& GetWorld() const { return world; }
    // Damage this robot deals to the player this pass (its axe or its bullets).
    int GetAttackDamage() const { return attackDamage; }
    // Replaces (does not add to) the damage taken at the next update.
    void SetPendingDamage(int damage) { pendingDamage = damage; }
    bool IsAlive() const { return alive; }

    // --- for the AI states ---
    bool IsReady() const { return ready; }
    void SetAttackRequest(bool request) { attackRequest = request; }
    bool IsAttackRequested() const { return attackRequest; }
    int GetWeaponMode() const { return weaponMode; }
    void SetWeaponMode(int mode) { weaponMode = mode; }
    // Destroys the axe.
    void DropAxe();
    // A new enemy axe in the hand (replacing any held one).
    void EquipAx();
    void SetFireRequest(int request) { fireRequest = request; }
    int GetStunTimer() const { return stunTimer; }

    // --- inspection (gauge, tests, tools) ---
    int GetHp() const { return hp; }
    // Sets HP directly (scenario set-up in tests and tools); gauge HP follows.
    void SetHp(int value);
    int GetMaxHp() const { return maxHp; }
    int GetGaugeHp() const { return gaugeHp; }
    int GetPendingDamage() const { return pendingDamage; }
    bool IsInvulnerable() const { return invulnerable; }
    float GetPitch() const { return pitch; }
    float GetYaw() const { return yaw; }
    float GetAlpha() const { return alpha; }
    int GetBodyMode() const { return bodyMode; }
    bool IsShowingGauge() const { return showGauge; }
    bool HasAxe() const { return axe != nullptr; }
    bool IsEscapePending() const { return escapePending; }
    int GetEscapeTimer() const { return escapeTimer; }
    bool IsGunCoolingDown() const { return gunCooldown; }
    bool IsAttackStarted() const { return attackStarted; }
    int GetFireRequest() const { return fireRequest; }
    const State* GetState() const { return state.get(); }
    const EnemyHp* GetHpGauge() const { return hpGauge.get(); }
    int GetBulletCount() const { return static_cast<int>(shots.size()); }
    const Bullet* GetBullet(int index) const;
    bool HasAxeHitEffect() const { return axeHitEffect != nullptr; }
    bool HasGunHitEffect() const { return gunHitEffect != nullptr; }
    bool HasExploded() const { return exploded; }
    int GetSpawnAge() const { return spawnAge; }
    // Limb matrices: 0 body, 1 right hand, 2 left hand, 3 right leg, 4 left leg.
    const Matrix& GetLimb(int index) const;

private:
    // A gun bullet with its trail. Bullets leave in pairs; `volley` ties the two together
    // so that a hit removes both even after one of them is gone.
    struct Shot {
        std::unique_ptr<Bullet> bullet;
        std::unique_ptr<BulletTrail> trail;
        int volley = 0;
    };

    // Update steps, split by concern (Enemy.cpp, EnemyCombat.cpp, EnemyDeath.cpp).
    void RunAi(Player& player);
    void RunSwing(EnemyManager& manager);
    void TakeDamage(Player& player);
    void UpdateHitEffects();
    void KeepOutOfHull(BattleShip& ship);
    void PlaceLimbs();
    void UseAxe(const Player& player);
    void UpdateBullets(Player& player, const StoneList& stones, BattleShip& ship);
    void RemoveVolley(int volley);
    void FireVolley(EnemyManager& manager);
    void UpdateMuzzleFlashes();
    void UpdateDeath();
    void MoveDebris();
    Vector3 Position() const { return world.Translation(); }

    std::unique_ptr<State> state;
    int bodyMode = 0;
    int weaponMode = kMelee;
    int attackDamage = 0;
    int pendingDamage = 0;
    int maxHp = kMaxHp;
    int hp = kMaxHp;
    int previousHp = kMaxHp;
    int gaugeHp = kMaxHp;
    bool showGauge = false;
    bool invulnerable = false;
    int invulnerableCount = 0;
    Matrix world;
    Matrix rightHand;
    Matrix rightHandPrevious;
    float pitch = 0.0f;
    float yaw = 180.0f;
    Matrix leftHand;
    Matrix rightLeg;
    Matrix leftLeg;
    // From the model cache; not owned. Body, right hand, left hand, right leg, left leg.
    std::array<FwModel*, 5> models{};
    float alpha = 1.0f;
    std::unique_ptr<EnemyHp> hpGauge;
    std::unique_ptr<Ax> axe;
    std::unique_ptr<SwingAnimator> swing;
    bool attackRequest = false;
    bool attackStarted = false;
    bool ready = true;
    int readyCount = 0;
    int gunCooldownCount = 0;
    bool gunCooldown = false;
    int fireRequest = 0;
    std::vector<Shot> shots;
    int nextVolley = 0;
    bool alive = true;
    std::unique_ptr<Explosion> explosion;
    int explosionFrame = 0;
    bool exploded = false;
    // Per limb (body, right hand, left hand, right leg, left leg): x, y, z.
    std::array<Vector3, 5> debrisVelocity{};
    // Per limb: degrees per pass about X, Y, Z.
    std::array<Vector3, 5> debrisSpin{};
    CollisionQuery query;
    std::array<std::unique_ptr<Cannon>, 2> guns;
    int spawnAge = 0;
    std::unique_ptr<SlashTrail> slashTrail;
    std::unique_ptr<SparkBurst> axeHitEffect;
    int axeHitLife = 50;
    std::unique_ptr<HitFlash> gunHitEffect;
    int gunHitFrame = 0;
    // Slot pairs: [i][0] left gun, [i][1] right gun.
    std::array<std::array<std::unique_ptr<MuzzleFlash>, 2>, kMuzzleSlots> muzzleFlashes;
    std::array<std::array<int, 2>, kMuzzleSlots> muzzleLives;
    int escapeTimer = 300;
    bool escapePending = false;
    int stunTimer = 0;
};
