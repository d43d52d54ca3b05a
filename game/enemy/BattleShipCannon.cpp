#include "game/enemy/BattleShipCannon.h"

#include <algorithm>
#include <cfloat>
#include <cmath>

#include "engine/audio/SoundCache.h"
#include "engine/graphics/ModelCache.h"
#include "engine/graphics/ModelDrawer.h"
#include "engine/graphics/ShaderManager.h"
#include "game/effects/Explosion.h"
#include "game/effects/FlameEmitter.h"
#include "game/effects/HitFlash.h"
#include "game/effects/MuzzleFlash.h"
#include "game/enemy/ChargeShot.h"
#include "game/enemy/Missile.h"
#include "game/player/Player.h"

namespace {

constexpr float kTurnStep = 0.3f;     // degrees per pass
constexpr float kCoverStep = 0.015f;  // world units per pass
constexpr float kPitchOpenStep = 0.2f;
constexpr int kFlashEndFrame = 8;
constexpr float kFlameHalfSize = 4.0f;

Matrix At(const Vector3& position) {
    return Matrix::CreateTranslation(position);
}

}  // namespace

BattleShipCannon::BattleShipCannon(const Matrix& placement, int kind)
    : kind(kind), base(placement), barrel(placement), cover(placement) {
    if (kind == 0) {
        baseModel = GetModel("Data/spaceBattleShip/cannon.gltf");
        barrelModel = GetModel("Data/spaceBattleShip/cannon1.gltf");
        // The main barrel rests flat under its cover (its model lies along +y).
        pitch = -90.0f;
        barrel = Matrix::CreateRotationX(ToRadians(pitch)) * placement;
    } else {
        barrelModel = GetModel("Data/spaceBattleShip/cannon2.gltf");
    }
    coverModel = GetModel("Data/spaceBattleShip/cannonCover.gltf");
    muzzleLives.fill(50);
}

BattleShipCannon::~BattleShipCannon() {
    if (chargeSound) chargeSound->Stop();
}

int BattleShipCannon::GetFlameCount() const {
    return flames ? static_cast<int>(flames->GetFlames().size()) : 0;
}

void BattleShipCannon::Update(const Matrix& shipWorld, bool wake, bool sinking, float sinkSpeed,
                              Player& player, const StoneList& stones, const EnemyList&,
                              BattleShip& ship) {
    launchRequest = false;
    TakeDamage();
    if (sinking) Sink(sinkSpeed);
    if (hp < 1 && alive) Die(shipWorld);
    if (kind == 0 && !alive) Droop();
    if (kind == 0 && awake && alive && IsCoverOpen()) TurnToPlayer(player);
    if (awake && openingFrames > 0) OpenCover();
    UpdateFlames();
    if (wake && alive) awake = true;
    if (awake && hp > 0 && IsCoverOpen()) Fire(player);
    UpdateProjectiles(player, stones, ship);
    UpdateMuzzleFlashes();
}

void BattleShipCannon::TakeDamage() {
    // Only a rail-gun hit counts, and only one per hit flash.
    if (!hitFlashing && pendingDamage == kRailDamage) hp = std::max(hp - pendingDamage, 0);
    pendingDamage = 0;
    if (hp < shownHp) {
        shownHp = hp;
        hitFlashing = true;
        hitFlashingCount = 0;
        hitFlash = std::make_unique<HitFlash>(Matrix::CreateTranslation(0.0f, 5.0f, 0.0f) * barrel);
        hitFlashFrame = 0;
        PlaySound3DOnce("Data/sound/bulletHit.wav", base.Translation(), 0.1f, false, FLT_MAX);
        flames.reset();  // rebuilt below for the new HP
    }
    if (hitFlashing && ++hitFlashingCount >= kHitFlashPasses) {
        hitFlashing = false;
        hitFlashingCount = 0;
    }
}

void BattleShipCannon::Sink(float sinkSpeed) {
    base(3, 1) -= sinkSpeed;
    barrel(3, 1) -= sinkSpeed;
}

void BattleShipCannon::Die(const Matrix& shipWorld) {
    alive = false;
    awake = false;
    launchRequest = true;
    PlaySound3DOnce("Data/sound/explosion3.wav", shipWorld.Translation(), 0.1f, false, FLT_MAX);
    if (chargeSound) {
        chargeSound->Stop();
        chargeSound.reset();
    }
    destructionExplosion = std::make_unique<Explosion>(barrel);
}

void BattleShipCannon::Droop() {
    if (droopFrames < 0) return;
    barrel = Matrix::CreateRotationX(ToRadians(-1.0f)) * barrel;
    pitch -= 1.0f;
    --droopFrames;
}

void BattleShipCannon::TurnToPlayer(const Player& player) {
    // The barrel lies along its model's +y, pitched below the horizon, so at yaw a it
    // points away from the heading (sin a, 0, cos a): aim that heading away from the player.
    const Vector3 to = player.GetWorld().Translation() - barrel.Translation();
    const float wanted = ToDegrees(std::atan2(-to.x, -to.z));
    float difference = std::fmod(wanted - yaw, 360.0f);
    if (difference > 180.0f) difference -= 360.0f;
    if (difference < -180.0f) difference += 360.0f;
    yaw += std::clamp(difference, -kTurnStep, kTurnStep);
    yaw = std::fmod(yaw, 360.0f);
    RebuildBarrel();
}

void BattleShipCannon::RebuildBarrel() {
    const Vector3 at = barrel.Translation();
    barrel = Matrix::CreateRotationX(ToRadians(pitch)) * Matrix::CreateRotationY(ToRadians(yaw)) *
             At(at);
    base = Matrix::CreateRotationY(ToRadians(yaw)) * At(base.Translation());
}

void BattleShipCannon::OpenCover() {
    cover = Matrix::CreateRotationX(ToRadians(-1.0f)) * cover;
    if (kind == 0) {
        pitch += kPitchOpenStep;
        cover(3, 1) -= kCoverStep;
    } else {
        cover(3, 2) += kind == 1 ? kCoverStep : -kCoverStep;
    }
    --openingFrames;
}

Vector3 BattleShipCannon::FlameAnchor() const {
    const Vector3 at = barrel.Translation();
    if (kind == 0) return at + Vector3(0.0f, -1.0f, 0.0f);
    return at + Vector3(0.0f, 0.0f, kind == 1 ? -3.0f : 3.0f);
}

void BattleShipCannon::UpdateFlames() {
    if (flames)
        flames->Update(At(FlameAnchor()), kFlameHalfSize);
    else
        flames = std::make_unique<FlameEmitter>(At(FlameAnchor()), hp);

    if (hitFlash) {
        hitFlashFrame = hitFlash->Update(hp > 0 ? 10.0f : 30.0f);
        if (hitFlashFrame >= kFlashEndFrame) {
            hitFlash.reset();
            hitFlashFrame = 0;
        }
    }
    if (destructionExplosion && destructionExplosion->Update(15.0f) > 64)
        destructionExplosion.reset();
}

void BattleShipCannon::Draw() {
    ModelShader& shader = ShaderManager::GetInstance().GetModelShader();
    const Matrix scale = Matrix::CreateScale(kind == 0 ? 0.6f : 0.3f);
    if (kind == 0) {
        shader.SetWorld(scale * base);
        DrawModel(baseModel, 1.0f);
    }
    shader.SetWorld(scale * barrel);
    DrawModel(barrelModel, 1.0f);
    if (hp > 0) {
        shader.SetWorld(scale * cover);
        DrawModel(coverModel, 1.0f);
    }
    if (hitFlash) hitFlash->Draw();
    if (destructionExplosion) destructionExplosion->Draw();
    for (auto& shot : chargeShots) shot->Draw();
    for (auto& missile : missiles) missile->Draw();
    for (auto& flash : muzzleFlashes)
        if (flash) flash->Draw();
    if (flames) flames->Draw();
}
