// Energy and overheat, the weapon switch, the axe swing and its hits, the rail gun's
// aim-turn-fire cycle, the hands and the slash effects.
#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstdlib>

#include "app/InputLatch.h"
#include "engine/audio/FwSoundInstance.h"
#include "engine/audio/SoundCache.h"
#include "engine/platform/Keys.h"
#include "engine/platform/Platform.h"
#include "game/effects/MuzzleFlash.h"
#include "game/effects/SlashTrail.h"
#include "game/effects/SmokeEmitter.h"
#include "game/enemy/Enemy.h"
#include "game/enemy/SwingAnimator.h"
#include "game/player/Ax.h"
#include "game/player/Bullet.h"
#include "game/player/BulletTrail.h"
#include "game/player/FlashAx.h"
#include "game/player/Player.h"
#include "game/player/Railgun.h"

namespace {
constexpr int kShotCost = 800;
constexpr int kRefill = 4;        // energy per pass in which nothing spent any
constexpr float kAimStep = 5.0f;  // degrees per pass
constexpr int kShotPosePasses = 50;
constexpr float kOverheatStepSpeed = 0.1f;
constexpr int kSlashEmitPasses = 6;  // the trail keeps growing this long after the window
constexpr int kSlashCountdown = 60;
constexpr float kSmokeHalfSize = 2.0f;

Matrix RestHand() {
    return Matrix::CreateTranslation(0.8f, 0.2f, 0.0f);
}
}  // namespace

void Player::BeginEnergy() {
    energyUsed = false;
    if (energy > kMaxEnergy) {
        energy = kMaxEnergy;
        overheated = false;
    }
    if (energy < 0) {
        tiltLimit = 0.0f;
        stepSpeed = kOverheatStepSpeed;
        overheated = true;
    }
}

void Player::SwitchWeapon() {
    const bool down = GetPlatform().IsKeyDown(vk::RButton);
    if (!down) {
        switchLatch = false;
        return;
    }
    if (switchLatch || swinging) return;
    switchLatch = true;
    weaponIndex = weaponIndex + 1 > 1 ? 0 : weaponIndex + 1;
    PlaySoundOnce("Data/sound/weapon.wav", 0.1f, false);
}

void Player::UpdateAlarm() {
    if (!overheated && alarmSound) {
        alarmSound->Pause();
        alarmSound.reset();
    }
    if (overheated) {
        if (!alarmSound) alarmSound = PlaySound("Data/sound/signal.wav", 0.03f, true);
        if (alarmSound) alarmSound->Resume();
    }
    if (hp < 1 && alarmSound) alarmSound->Stop();
}

void Player::TriggerAxe() {
    InputLatch& latch = InputLatch::GetInstance();
    if (!GetPlatform().IsKeyDown(vk::LButton)) {
        latch.SetClick(false);
    } else if (weaponIndex == 0 && !swinging && !latch.GetClick()) {
        swinging = true;
        latch.SetClick(true);
    }

    if (swinging) {
        rightHand = RestHand();
        swing->RunPlayerSwing(rightHand, world);
        rightHand = swing->GetOutputPose();
        swinging = swing->IsRunning();
        energyUsed = true;
    } else {
        damageOut = 0;
    }
}

void Player::ArmWeapons() {
    if (weaponIndex == 0 && !axeArmed) {
        weaponInHand = std::make_unique<Ax>(0);
        if (!slashFlash && weaponInHand) {
            slashFlash = std::make_unique<FlashAx>(weaponInHand->GetMatrix());
        }
        axeArmed = true;
        weaponOnBack = std::make_unique<Railgun>();
    }
    if (weaponIndex != 0) axeArmed = false;
    if (weaponIndex == 1 && !railArmed) {
        weaponInHand = std::make_unique<Railgun>();
        railArmed = true;
        weaponOnBack = std::make_unique<Ax>(0);
    }
    if (weaponIndex != 1) railArmed = false;
}

void Player::TriggerRailgun() {
    if (weaponIndex != 1 || overheated) return;
    InputLatch& latch = InputLatch::GetInstance();
    if (!GetPlatform().IsKeyDown(vk::LButton)) {
        railClickLatch = false;
        latch.SetClick(false);
    } else if (!railClickLatch && !shotPose && !latch.GetClick()) {
        // The shot may start at any energy; the cost can overheat at the next pass.
        aiming = true;
        railClickLatch = true;
        shotPose = true;
        energyUsed = true;
        energy -= kShotCost;
        latch.SetClick(true);
    }
}

void Player::TurnToAim(float cameraYaw) {
    if (!aiming) return;
    if (tilt > 0.0f) tilt -= 1.0f;
    // The body's forward axis includes the lean, so the shot also waits for the lean to
    // drop below the aim tolerance.
    const Vector4 row = world.Row(2);
    const Vector3 forward = Vector3(row.x, row.y, row.z).Normalized();
    const float r = ToRadians(cameraYaw);
    const Vector3 heading{std::sin(r), 0.0f, std::cos(r)};
    const float a = ToDegrees(std::acos(std::clamp(forward.Dot(heading), -1.0f, 1.0f)));
    float turn = kAimStep;
    if (a < kAimStep) {
        turn = a;
        fireNow = true;
        aiming = false;
        if (weaponInHand) {
            PlaySound3DOnce("Data/sound/gun.wav", weaponInHand->GetMatrix().Translation(), 0.1f,
                            false, FLT_MAX);
        }
    }
    if (heading.Cross(forward).y < 0.0f) {
        yaw += turn;
    } else {
        yaw -= turn;
    }
}

void Player::RefillEnergy() {
    if (!energyUsed) energy += kRefill;
}

void Player::Fire(float cameraPitch, float cameraYaw) {
    if (!fireNow) return;
    energyUsed = true;
    const Vector3 position = Position();
    const Matrix muzzle = Matrix::CreateTranslation(0.0f, 0.0f, 1.5f) *
                          Matrix::CreateRotationY(ToRadians(cameraYaw)) *
                          Matrix::CreateTranslation(position);
    for (auto& flash : muzzleFlashes) {
        if (!flash) flash = std::make_unique<MuzzleFlash>(muzzle, 1.0f);
    }
    // The shot leaves 15° above the camera's line of sight.
    const float p = ToRadians(cameraPitch - 15.0f);
    const float y = ToRadians(yaw);
    const Vector3 direction{std::cos(p) * std::sin(y), -std::sin(p), std::cos(p) * std::cos(y)};
    bullets.push_back(std::make_unique<Bullet>(Matrix::CreateRotationX(p) * muzzle, direction));
    bulletTrails.push_back(std::make_unique<BulletTrail>(muzzle));
    fireNow = false;
}

void Player::PlaceRightHand() {
    if (rightHand == previousRightHand) {
        // No swing pose was written this pass.
        rightHand = RestHand() * world;
    } else {
        rightHand = rightHand * world;
        if (weaponIndex == 1) rightHand = RestHand() * world;
    }
    previousRightHand = rightHand;
}

void Player::UpdateFlicker() {
    if (overheated && flickerOn < 1 && flickerOff < 1) {
        flickerOn = std::rand() % 60;
        flickerOff = std::rand() % 60;
    }
    if (flickerOn >= 1) {
        --flickerOn;
        flicker = true;
    } else if (flickerOff > 0) {
        --flickerOff;
        flicker = false;
    }
}

void Player::UpdateSmoke() {
    if (overheated) {
        if (!overheatSmoke) {
            overheatSmoke = std::make_unique<SmokeEmitter>(world);
        } else {
            overheatSmoke->Update(world, kSmokeHalfSize);
        }
    } else {
        overheatSmoke.reset();
    }
}

void Player::HitWithAxe(EnemyList& enemies) {
    if (!weaponInHand || weaponIndex != 0) return;
    weaponInHand->Attach(rightHand, {0.3f, -1.0f, 2.0f});
    if (!swing->IsHitWindow()) return;
    for (auto& enemy : enemies) {
        weaponInHand->HitTest(enemy->GetWorld());
        damageOut = weaponInHand->GetDamage();
        // A miss leaves the value alone: another hit of this pass (a bullet) must not be
        // wiped, and the robot clears its pending damage itself once it has taken it.
        if (damageOut != 0) enemy->SetPendingDamage(damageOut);
        damageOut = 0;
    }
}

void Player::UpdateSlashTrail() {
    bool emitting = true;
    const bool window = swing->IsHitWindow();
    if (window && !slashTrail && weaponInHand) {
        slashTrail = std::make_unique<SlashTrail>(weaponInHand->GetMatrix(), yaw, 0);
    }
    if (!window && slashTrail) {
        --slashCountdown;
        emitting = slashCountdown > kSlashCountdown - kSlashEmitPasses;
        if (slashCountdown < 1) {
            slashTrail.reset();
            slashCountdown = kSlashCountdown;
        }
    }
    if (slashTrail && weaponInHand) slashTrail->Update(weaponInHand->GetMatrix(), yaw, emitting);
}

void Player::PlaceWeaponOnBack() {
    if (!weaponOnBack) return;
    if (weaponIndex == 0) {
        weaponOnBack->Attach(Matrix::CreateRotationZ(ToRadians(-180.0f)) *
                                 Matrix::CreateRotationX(ToRadians(170.0f)) *
                                 Matrix::CreateRotationY(ToRadians(90.0f)) *
                                 Matrix::CreateTranslation(0.0f, -1.5f, -0.7f) * world,
                             {0.0f, 0.0f, 0.0f});
    } else if (weaponIndex == 1) {
        weaponOnBack->Attach(Matrix::CreateRotationX(ToRadians(140.0f)) *
                                 Matrix::CreateRotationY(ToRadians(90.0f)) *
                                 Matrix::CreateTranslation(0.0f, -1.5f, -0.6f) * world,
                             {0.0f, 0.0f, 0.0f});
    }
}

void Player::FollowSlashFlash(bool axeInHand) {
    if (!slashFlash || !swing || hp <= 0) return;
    if (axeInHand) {
        if (weaponIndex == 0 && weaponInHand) {
            slashFlash->Follow(weaponInHand->GetMatrix(), swing->GetSwingFlag());
        }
    } else if (weaponIndex == 1 && weaponOnBack) {
        slashFlash->Follow(weaponOnBack->GetMatrix(), swing->GetSwingFlag());
    }
}

bool Player::PlaceWeaponInHand() {
    if (shotPose && weaponIndex == 1) {
        ++recoilCount;
        if (recoilCount < kShotPosePasses) {
            rightHand = Matrix::CreateRotationZ(ToRadians(-40.0f)) *
                        Matrix::CreateRotationX(ToRadians(-50.0f)) * rightHand;
            leftHand = Matrix::CreateTranslation(0.7f, -0.3f, 0.7f) *
                       Matrix::CreateRotationZ(ToRadians(40.0f)) *
                       Matrix::CreateRotationX(ToRadians(-50.0f)) * leftHand;
            if (weaponInHand) {
                weaponInHand->Attach(Matrix::CreateTranslation(-0.3f, 1.0f, 0.6f) * world,
                                     {0.3f, -1.3f, 1.5f});
            }
            return false;
        }
        shotPose = false;
        fireNow = false;
        recoilCount = 0;
    }
    if (weaponInHand && weaponIndex == 1) weaponInHand->Attach(rightHand, {0.3f, -1.3f, 1.5f});
    return true;
}
