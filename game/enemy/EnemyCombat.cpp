// Enemy robot: damage intake, hit effects, hull keep-out, the axe and the shoulder guns.
#include <algorithm>
#include <cmath>

#include "engine/audio/SoundCache.h"
#include "game/effects/HitFlash.h"
#include "game/effects/MuzzleFlash.h"
#include "game/effects/SlashTrail.h"
#include "game/effects/SparkBurst.h"
#include "game/enemy/BattleShip.h"
#include "game/enemy/Enemy.h"
#include "game/enemy/EnemyManager.h"
#include "game/enemy/SwingAnimator.h"
#include "game/player/Ax.h"
#include "game/player/Bullet.h"
#include "game/player/BulletTrail.h"
#include "game/player/Player.h"
#include "game/world/Stone.h"

namespace {

constexpr float kHitVolume = 0.1f;
constexpr float kHitSoundReach = 30.0f;  // world units at full volume
constexpr float kGunSoundReach = 50.0f;
constexpr float kHullClearance = 3.0f;  // world units kept between robot and hull
constexpr int kShotMaxAge = 180;

Vector3 Heading(float yawDegrees) {
    return {std::sin(ToRadians(yawDegrees)), 0.0f, std::cos(ToRadians(yawDegrees))};
}

}  // namespace

void Enemy::TakeDamage(Player& player) {
    previousHp = hp;
    if (!invulnerable) hp = std::max(hp - pendingDamage, 0);
    pendingDamage = 0;
    if (hp >= previousHp) return;

    // A hit that HP clamping shortens neither sparks nor stuns.
    const int loss = previousHp - hp;
    gaugeHp = previousHp;
    invulnerable = true;
    if (loss == kAxeDamage && !axeHitEffect) {
        axeHitEffect = std::make_unique<SparkBurst>(player.GetWeaponMatrix());
        PlaySound3DOnce("Data/sound/attackHit.wav", Position(), kHitVolume, false, kHitSoundReach);
    }
    if (loss == Bullet::kDamage && !gunHitEffect) {
        gunHitEffect = std::make_unique<HitFlash>();
        PlaySound3DOnce("Data/sound/bulletHit.wav", Position(), kHitVolume, false, kHitSoundReach);
    }
    if (loss == kAxeDamage) stunTimer = 20;
}

void Enemy::UpdateHitEffects() {
    if (axeHitEffect && axeHitLife > 0) {
        axeHitEffect->Update();
        if (--axeHitLife == 0) {
            axeHitEffect.reset();
            axeHitLife = 50;
        }
    }
    if (gunHitFrame == 8) {
        gunHitEffect.reset();
        gunHitFrame = 0;
    } else if (gunHitEffect) {
        gunHitFrame = gunHitEffect->Update(world);
    }
}

void Enemy::KeepOutOfHull(BattleShip& ship) {
    if (spawnAge <= 180) {
        // Still walking out of the hangar: the hull is all around.
        ++spawnAge;
        return;
    }
    const Vector3 heading = Heading(yaw);
    for (const Vector3& direction : {heading, -heading}) {
        Vector3 normal;
        float distance = 0.0f;
        if (!query.RayToModel(ship.GetHitModel(), ship.GetWorld(), Position(), direction, normal,
                              distance))
            continue;
        // Cosine between the way back and the surface normal: the hull's distance along
        // the normal is distance × k. A normal facing away (k <= 0) is the far side.
        const float k = (-direction).Dot(normal);
        if (k <= 0.0f || kHullClearance / k <= distance) continue;
        const float push = kHullClearance - distance * k;
        world(3, 0) += normal.x * push;
        world(3, 2) += normal.z * push;
    }
}

void Enemy::UseAxe(const Player& player) {
    if (!axe || weaponMode != kMelee) {
        attackDamage = 0;
        return;
    }
    axe->Attach(rightHand, Vector3(0.3f, -1.2f, 1.8f));
    axe->HitTest(player.GetWorld());
    if (!swing->IsHitWindow() || stunTimer != 0) {
        attackDamage = 0;
        slashTrail.reset();
        return;
    }
    if (!slashTrail) slashTrail = std::make_unique<SlashTrail>(axe->GetMatrix(), yaw, 1);
    attackDamage = axe->GetDamage();
}

void Enemy::UpdateBullets(Player& player, const StoneList& stones, BattleShip& ship) {
    for (std::size_t i = 0; i < shots.size();) {
        Bullet& bullet = *shots[i].bullet;
        bullet.Advance();
        bullet.TestTarget(player.GetWorld(), Bullet::kRobotAlt);
        bool stoneHit = false;
        for (Stone* stone : stones) {
            bullet.TestTarget(stone->GetMatrix(), Bullet::kStone);
            // Only a hit is handed on: clearing the flag would undo another shot's hit on
            // the same stone before the field shatters it.
            if (bullet.IsStoneHit()) {
                stone->SetHit(true);
                stoneHit = true;
                break;
            }
        }
        shots[i].trail->Update(bullet.GetMatrix());
        // A miss of one bullet does not cancel a hit found earlier this pass (the axe or the
        // other bullet of the pair).
        if (bullet.GetDamage() != 0) attackDamage = bullet.GetDamage();
        bullet.TestShip(&ship);
        if (stoneHit || bullet.IsHullHit()) {
            RemoveVolley(shots[i].volley);
            break;
        }
        if (bullet.GetAge() > kShotMaxAge) {
            shots.erase(shots.begin() + static_cast<std::ptrdiff_t>(i));
            continue;
        }
        ++i;
    }
}

void Enemy::RemoveVolley(int volley) {
    std::erase_if(shots, [volley](const Shot& shot) { return shot.volley == volley; });
}

void Enemy::FireVolley(EnemyManager& manager) {
    if (gunCooldown || fireRequest != 1 || weaponMode != kGunsArmed) return;
    if (manager.GetAttackEnergy() < kVolleyCost) {
        fireRequest = 0;
        return;
    }
    const Matrix aim = Matrix::CreateRotationX(ToRadians(-pitch)) * world;
    const Vector3 heading = Heading(yaw);
    const float sides[2] = {0.8f, -0.8f};  // left gun, then right gun
    for (int gun = 0; gun < 2; ++gun) {
        const Matrix muzzle = Matrix::CreateTranslation(sides[gun], 0.9f, 3.0f) * aim;
        Shot shot;
        shot.bullet = std::make_unique<Bullet>(muzzle, heading);
        shot.trail = std::make_unique<BulletTrail>(muzzle);
        shot.volley = nextVolley;
        shots.push_back(std::move(shot));
        for (auto& slot : muzzleFlashes)
            if (!slot[gun]) slot[gun] = std::make_unique<MuzzleFlash>(muzzle, 1.0f);
    }
    ++nextVolley;
    PlaySound3DOnce("Data/sound/gun.wav", Position(), kHitVolume, false, kGunSoundReach);
    gunCooldown = true;
    manager.SpendAttackEnergy(kVolleyCost);
    weaponMode = kGunsFired;
}

void Enemy::UpdateMuzzleFlashes() {
    for (int slot = 0; slot < kMuzzleSlots; ++slot) {
        for (int gun = 0; gun < 2; ++gun) {
            if (!muzzleFlashes[slot][gun]) continue;
            muzzleFlashes[slot][gun]->Update();
            if (muzzleLives[slot][gun] == 1) {
                muzzleFlashes[slot][gun].reset();
                muzzleLives[slot][gun] = 50;
            } else {
                --muzzleLives[slot][gun];
            }
        }
    }
}
