// Battleship cannon: missile bursts, charge shots and the projectiles in flight.
#include <cfloat>

#include "engine/audio/SoundCache.h"
#include "game/effects/MuzzleFlash.h"
#include "game/enemy/BattleShipCannon.h"
#include "game/enemy/ChargeShot.h"
#include "game/enemy/Missile.h"

namespace {

constexpr int kShotInterval = 60;  // passes between missiles of a burst
constexpr int kBurstShots = 5;
constexpr int kRestPasses = 300;      // pause after a burst
constexpr int kChargeInterval = 120;  // passes between charge shots
// The main barrel's muzzle in its model (the barrel runs along +y, lifted along z); the
// model is drawn at 0.6.
constexpr Vector3 kMuzzle(0.0f, 10.0f, 2.6f);
constexpr float kMainScale = 0.6f;
constexpr float kLaunchTilt = 80.0f;  // degrees the missile leaves behind the barrel

}  // namespace

void BattleShipCannon::Fire(Player&) {
    if (kind == 0) {
        if (resting) {
            if (--restCountdown <= 0) {
                resting = false;
                restCountdown = kRestPasses;
            }
            return;
        }
        if (--shotCountdown > 0) return;
        FireMissile();
        --shotsLeft;
        shotCountdown = kShotInterval;
        if (shotsLeft == 0) {
            resting = true;
            shotsLeft = kBurstShots;
        }
        return;
    }
    if (--chargeCountdown <= 0) {
        FireChargeShot();
        chargeCountdown = kChargeInterval;
    }
}

void BattleShipCannon::FireMissile() {
    const Vector3 tip = Vector3::Transform(kMuzzle, Matrix::CreateScale(kMainScale) * barrel);
    const Matrix launch = Matrix::CreateRotationX(ToRadians(pitch - kLaunchTilt)) *
                          Matrix::CreateRotationY(ToRadians(yaw)) * Matrix::CreateTranslation(tip);
    missiles.push_back(std::make_unique<Missile>(launch));
    PlaySound3DOnce("Data/sound/gun.wav", barrel.Translation(), 0.1f, false, FLT_MAX);
    const Matrix flashAt =
        Matrix::CreateTranslation(barrel.Translation() + Vector3(0.0f, 4.0f, 0.0f));
    for (auto& flash : muzzleFlashes)
        if (!flash) flash = std::make_unique<MuzzleFlash>(flashAt, 5.0f);
}

void BattleShipCannon::FireChargeShot() {
    const Vector3 at = barrel.Translation();
    Matrix start;
    if (kind == 1)
        start = Matrix::CreateTranslation(at + Vector3(0.0f, -0.5f, -5.0f));
    else
        start = Matrix::CreateRotationY(kPi) *
                Matrix::CreateTranslation(at + Vector3(0.0f, 0.5f, 5.0f));
    chargeShots.push_back(std::make_unique<ChargeShot>(start, kind));
    // One looping charge hum per cannon, kept until the cannon dies.
    if (!chargeSound) chargeSound = PlaySound3D("Data/sound/charge.wav", at, 0.1f, true, FLT_MAX);
}

void BattleShipCannon::UpdateProjectiles(Player& player, const StoneList& stones,
                                         BattleShip& ship) {
    std::erase_if(chargeShots, [&](const std::unique_ptr<ChargeShot>& shot) {
        return !shot->Update(player, stones);
    });
    std::erase_if(missiles, [&](const std::unique_ptr<Missile>& missile) {
        return !missile->Update(player, &ship, stones);
    });
}

void BattleShipCannon::UpdateMuzzleFlashes() {
    for (int i = 0; i < kMuzzleSlots; ++i) {
        if (!muzzleFlashes[i]) continue;
        muzzleFlashes[i]->Update();
        if (muzzleLives[i] == 1) {
            muzzleFlashes[i].reset();
            muzzleLives[i] = 50;
        } else {
            --muzzleLives[i];
        }
    }
}
