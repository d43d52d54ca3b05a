#include "game/enemy/Enemy.h"

#include <algorithm>
#include <cstdlib>

#include "engine/graphics/ModelCache.h"
#include "game/effects/Explosion.h"
#include "game/effects/HitFlash.h"
#include "game/effects/MuzzleFlash.h"
#include "game/effects/SlashTrail.h"
#include "game/effects/SparkBurst.h"
#include "game/enemy/BackStep.h"
#include "game/enemy/Cannon.h"
#include "game/enemy/EnemyHp.h"
#include "game/enemy/EnemyManager.h"
#include "game/enemy/EscapeShot.h"
#include "game/enemy/Start.h"
#include "game/enemy/Stun.h"
#include "game/enemy/SwingAnimator.h"
#include "game/player/Ax.h"
#include "game/player/Bullet.h"
#include "game/player/BulletTrail.h"
#include "game/player/Player.h"

namespace {

constexpr const char* kLimbPaths[5] = {
    "Data/enemy04/enemy04 body.gltf",     "Data/enemy04/enemy04 rightHand.gltf",
    "Data/enemy04/enemy04 leftHand.gltf", "Data/enemy04/enemy04 rightLeg.gltf",
    "Data/enemy04/enemy04 leftLeg.gltf",
};

constexpr int kWalkOutPasses = 70;
constexpr int kLowHp = 200;           // at or below: forced retreats, shorter gun cooldown
constexpr int kEscapeInterval = 300;  // passes between forced retreats
constexpr int kReadyPasses = 60;      // not-ready passes after a swing

Matrix RestHand() {
    return Matrix::CreateTranslation(1.05f, 0.7f, 0.0f);
}

}  // namespace

Enemy::Enemy(const Matrix& shipWorld)
    : state(std::make_unique<Start>(kWalkOutPasses)),
      hpGauge(std::make_unique<EnemyHp>()),
      axe(std::make_unique<Ax>(1)),
      swing(std::make_unique<SwingAnimator>()) {
    const Vector3 s = shipWorld.Translation();
    world =
        Matrix::CreateRotationY(kPi) * Matrix::CreateTranslation(s.x - 35.0f, 3.0f, s.z - 10.0f);
    for (int i = 0; i < 5; ++i) models[i] = GetModel(kLimbPaths[i]);
    sharedModel = models[0];

    // Debris motion: velocities limb by limb, then spins limb by limb.
    for (Vector3& v : debrisVelocity) {
        v.x = static_cast<float>(std::rand() % 11 - 5) / 30.0f;
        v.y = static_cast<float>(std::rand() % 5) / 30.0f;
        v.z = static_cast<float>(std::rand() % 11 - 5) / 30.0f;
    }
    for (Vector3& spin : debrisSpin) {
        spin.x = static_cast<float>((std::rand() % 5 - 2) * 3);
        spin.z = static_cast<float>((std::rand() % 5 - 2) * 3 + 1);
        spin.y = static_cast<float>((std::rand() % 5 - 2) * 3);
    }

    guns[0] = std::make_unique<Cannon>(Matrix::CreateTranslation(0.8f, 1.0f, 0.8f));
    guns[1] = std::make_unique<Cannon>(Matrix::CreateTranslation(-0.7f, 1.0f, 0.8f));
    for (auto& lives : muzzleLives) lives = {50, 50};
    SetMatrixAndRadius(world, kRadius);
}

Enemy::~Enemy() = default;

void Enemy::SetMatrix(const Matrix& m) {
    world = m;
}

void Enemy::UpdateMatrix() {
    // A wreck's limbs fly on their own; a push from a robot or a stone moves the body only.
    if (bodyMode == 3) return;
    leftHand = Matrix::CreateTranslation(-1.0f, -0.5f, 0.0f) * world;
    rightLeg = Matrix::CreateTranslation(0.6f, -2.1f, 0.0f) * world;
    leftLeg = Matrix::CreateTranslation(-0.4f, -2.0f, 0.0f) * world;
}

void Enemy::DropAxe() {
    axe.reset();
}

void Enemy::EquipAx() {
    axe = std::make_unique<Ax>(1);
}

void Enemy::SetHp(int value) {
    hp = value;
    previousHp = value;
    gaugeHp = value;
}

const Bullet* Enemy::GetBullet(int index) const {
    return shots[index].bullet.get();
}

const Matrix& Enemy::GetLimb(int index) const {
    switch (index) {
        case 1:
            return rightHand;
        case 2:
            return leftHand;
        case 3:
            return rightLeg;
        case 4:
            return leftLeg;
        default:
            return world;
    }
}

void Enemy::Update(Player& player, const StoneList& stones, BattleShip& ship,
                   EnemyManager& manager) {
    if (hp < 1) {
        attackDamage = 0;
    } else {
        RunAi(player);
        if (stunTimer > 0) --stunTimer;
        if (!ready && ++readyCount > kReadyPasses) {
            ready = true;
            readyCount = 0;
        }
        RunSwing(manager);
        TakeDamage(player);
        UpdateHitEffects();
        if (invulnerable) {
            // 25 passes in all, the hit pass included.
            if (invulnerableCount == 24) {
                invulnerable = false;
                invulnerableCount = 0;
            } else {
                ++invulnerableCount;
            }
        }
        if (hp < gaugeHp) gaugeHp = std::max(gaugeHp - 6, hp);
        hpGauge->Update(maxHp, gaugeHp, world, player.GetWorld());
        KeepOutOfHull(ship);
        if (bodyMode != 3) PlaceLimbs();
        UseAxe(player);
    }
    if (axe && slashTrail) slashTrail->Update(axe->GetMatrix(), yaw);

    UpdateBullets(player, stones, ship);
    FireVolley(manager);
    UpdateMuzzleFlashes();

    ++gunCooldownCount;
    if (gunCooldownCount > (hp > kLowHp ? 240 : 180)) {
        gunCooldownCount = 0;
        gunCooldown = false;
    }

    UpdateDeath();

    SetMatrixAndRadius(world, kRadius);
    const float toPlayer = Vector3::Distance(Position(), player.GetWorld().Translation());
    showGauge = hpGauge && (toPlayer < 20.0f || hp != maxHp);
    world(3, 0) = std::clamp(world(3, 0), -300.0f, 300.0f);
    world(3, 2) = std::clamp(world(3, 2), -300.0f, 300.0f);
    for (auto& gun : guns) gun->Attach(world);
}

void Enemy::RunAi(Player& player) {
    std::unique_ptr<State> next = state->Update(player, *this, world, pitch, yaw);
    // Later rules win; a state replaced here is freed at once.
    if (stunTimer == 0) swing->SetSwingFlag(false);
    if (hp <= kLowHp && !escapePending) {
        next = std::make_unique<EscapeShot>(0);
        escapePending = true;
    }
    if (escapePending && --escapeTimer < 0) {
        escapeTimer = kEscapeInterval;
        escapePending = false;
    }
    if (!attackRequest && !ready && hp > kLowHp) next = std::make_unique<BackStep>(60);
    if (stunTimer > 1) {
        next = std::make_unique<Stun>();
        swing->SetSwingFlag(true);
        ready = true;
    }
    if (next) state = std::move(next);
}

void Enemy::RunSwing(EnemyManager& manager) {
    if (attackRequest && ready && weaponMode == kMelee && axe) {
        if (manager.GetAttackEnergy() < kSwingCost || attackStarted) {
            attackRequest = false;
        } else {
            attackStarted = true;
            manager.SpendAttackEnergy(kSwingCost);
        }
    }
    if (!attackStarted) return;
    rightHand = RestHand();
    swing->RunEnemySwing(rightHand, world);
    rightHand = swing->GetOutputPose();
    attackRequest = ready = swing->IsRunning();
    if (!attackRequest && !ready) attackStarted = false;
}

void Enemy::PlaceLimbs() {
    // An unchanged right hand means no swing pose was written this pass.
    const Matrix local = rightHand == rightHandPrevious ? RestHand() : rightHand;
    rightHand = local * world;
    rightHandPrevious = rightHand;
    UpdateMatrix();
}
