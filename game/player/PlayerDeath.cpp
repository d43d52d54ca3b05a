// Damage intake with invulnerability and the running-down HP display, the death check and
// the death sequence that ends the battle.
#include <algorithm>
#include <cfloat>

#include "engine/audio/FwSoundInstance.h"
#include "engine/audio/SoundCache.h"
#include "engine/math/Quaternion.h"
#include "game/effects/Explosion.h"
#include "game/effects/HitFlash.h"
#include "game/effects/Spark.h"
#include "game/enemy/BattleShip.h"
#include "game/enemy/Enemy.h"
#include "game/player/EnergyGauge.h"
#include "game/player/FlashAx.h"
#include "game/player/Hp.h"
#include "game/player/Player.h"
#include "game/player/Weapon.h"

namespace {
constexpr int kCannonShotDamage = 200;
constexpr int kAxeBlow = 300;  // a loss of exactly this much shows sparks
constexpr int kInvulnerablePasses = 60;
constexpr int kDisplayStep = 10;  // displayed HP per pass
constexpr int kAxeSparkLife = 50;
constexpr int kHitFlashEnd = 8;
constexpr int kExplosionEnd = 64;
constexpr int kFadeStart = 181;  // death-timer ceiling; the fade runs after it
constexpr int kTumbleStart = 20;
constexpr float kFadeStep = 0.01f;
constexpr float kExplosionHalfSize = 10.0f;
}  // namespace

void Player::TakeDamage(const EnemyList& enemies, const BattleShip* ship) {
    previousHp = hp;
    const bool shipDestroyed = ship != nullptr && ship->IsExploding();
    if (!invulnerable && !shipDestroyed) {
        for (const auto& enemy : enemies) hp -= enemy->GetAttackDamage();
        if (cannonHit > 0) hp -= kCannonShotDamage;
        hp = std::max(hp, 0);
    }
    cannonHit = 0;

    if (hp < previousHp) {
        displayedHp = previousHp;
        invulnerable = true;
        if (hp > 0) {
            const int loss = previousHp - hp;
            const Vector3 position = Position();
            if (loss == kAxeBlow) {
                for (auto& spark : axeSparks) {
                    if (!spark) spark = std::make_unique<Spark>(world, 0);
                }
                PlaySound3DOnce("Data/sound/attackHit.wav", position, 0.01f, false, FLT_MAX);
            } else if (loss == kCannonShotDamage && !hitFlash) {
                hitFlash = std::make_unique<HitFlash>();
                PlaySound3DOnce("Data/sound/bulletHit.wav", position, 0.1f, false, FLT_MAX);
            }
        }
    }

    for (size_t i = 0; i < axeSparks.size(); ++i) {
        if (axeSparkLife[i] == 0) {
            axeSparks[i].reset();
            axeSparkLife[i] = kAxeSparkLife;
        }
    }
    for (size_t i = 0; i < axeSparks.size(); ++i) {
        if (!axeSparks[i]) continue;
        axeSparks[i]->Update();
        --axeSparkLife[i];
    }

    if (hitFlashFrame == kHitFlashEnd) {
        hitFlash.reset();
        hitFlashFrame = 0;
    } else if (hitFlash) {
        hitFlashFrame = hitFlash->Update(world);
    }

    if (invulnerable && ++invulnerableCount == kInvulnerablePasses) {
        invulnerable = false;
        invulnerableCount = 0;
    }

    if (hp < displayedHp) {
        displayedHp = std::max(displayedHp - kDisplayStep, hp);
        damageFlash = true;
    } else {
        damageFlash = false;
    }

    hp = std::max(hp, 0);
    hpGauge->SetValue(kMaxHp, displayedHp);
    energyGauge->SetValue(energy, weaponIndex);
}

void Player::CheckDeath() {
    if (hp >= 1) return;
    // The alarm's own stop runs only while the robot lives, and a wreck is never flown: the
    // loops end here, or they would sound on under the death sequence.
    if (!dying) FallSilent();
    dying = true;
    if (!dyingSound) {
        dyingSound = PlaySound3D("Data/sound/dead.wav", Position(), 0.2f, true, FLT_MAX);
    }
}

void Player::RunDeath(bool deathViewDone) {
    // The camera raises the flag only while the robot is dying; checking both keeps a
    // stray flag from blowing up a living robot.
    if (!deathViewDone || !dying) return;

    if (!explosion && deathTimer == 0) {
        if (dyingSound) dyingSound->Stop();
        explosion = std::make_unique<Explosion>(world);
        weaponInHand.reset();
        weaponOnBack.reset();
        slashFlash.reset();
        PlaySound3DOnce("Data/sound/deadBom.wav", Position(), 0.1f, false, FLT_MAX);
    }
    if (explosion && deathTimer <= kExplosionEnd) {
        explosion->Update(kExplosionHalfSize);
        if (deathTimer == kExplosionEnd) explosion.reset();
    }

    if (deathTimer < kFadeStart) {
        ++deathTimer;
    } else {
        fading = true;
        fadeAlpha += kFadeStep;
        if (fadeAlpha > 1.0f) alive = false;
    }

    if (deathTimer > kTumbleStart) {
        const float degree = ToRadians(1.0f);
        const Matrix tumble = Matrix::CreateFromQuaternion(
            Quaternion::CreateFromYawPitchRoll(degree, degree, degree));
        world = tumble * world;
        Vector3 t = world.Translation();
        t.z -= 0.1f;
        world.SetTranslation(t);
        UpdateMatrix();
        rightHand = Matrix::CreateTranslation(0.8f, 0.2f, 0.0f) * world;
    }
}
