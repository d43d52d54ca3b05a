#include "game/player/Player.h"

#include "engine/audio/FwSoundInstance.h"
#include "engine/graphics/FwModel.h"
#include "engine/graphics/ModelCache.h"
#include "engine/graphics/ModelDrawer.h"
#include "engine/graphics/ShaderManager.h"
#include "engine/graphics/TextureCache.h"
#include "engine/math/Color.h"
#include "game/effects/Explosion.h"
#include "game/effects/HitFlash.h"
#include "game/effects/MuzzleFlash.h"
#include "game/effects/SlashTrail.h"
#include "game/effects/SmokeEmitter.h"
#include "game/effects/Spark.h"
#include "game/enemy/BattleShip.h"
#include "game/enemy/Enemy.h"
#include "game/enemy/SwingAnimator.h"
#include "game/player/Bullet.h"
#include "game/player/BulletTrail.h"
#include "game/player/EnergyGauge.h"
#include "game/player/FlashAx.h"
#include "game/player/Hp.h"
#include "game/player/Thruster.h"
#include "game/player/Weapon.h"

namespace {
const char* const kBodyModelPaths[7] = {
    "Data/player04/player04_4_body.gltf",       "Data/player04/player04_4_rightHand.gltf",
    "Data/player04/player04_4_leftHand.gltf",   "Data/player04/player04_4_rightThighs.gltf",
    "Data/player04/player04_4_leftThighs.gltf", "Data/player04/player04_4_rightLeg.gltf",
    "Data/player04/player04_4_leftLeg.gltf",
};

constexpr int kStoneSparkLife = 50;  // passes
constexpr int kShipSparkLife = 70;
constexpr int kAxeSparkLife = 50;
constexpr int kMuzzleLife = 50;
constexpr int kExplosionEnd = 64;  // last pass of the death explosion
constexpr int kThrustersShownUntil = 20;

template <typename Slots>
int CountLive(const Slots& slots) {
    int count = 0;
    for (const auto& effect : slots) count += effect != nullptr ? 1 : 0;
    return count;
}

template <typename Slots>
void DrawLive(Slots& slots) {
    for (auto& effect : slots) {
        if (effect) effect->Draw();
    }
}
}  // namespace

Player::Player() {
    for (int i = 0; i < 7; ++i) bodyModels[i] = GetModel(kBodyModelPaths[i]);
    hitBoxModel = GetModel("Data/player04/hitBox.gltf");

    aimTexture = GetTexture("Data/aim/aim.png");
    aimMatrix = Matrix::CreateTranslation(0.0f, 25.0f, 0.0f);
    world = Matrix::CreateTranslation(0.0f, kHeight, 0.0f);

    swing = std::make_unique<SwingAnimator>();
    hpGauge = std::make_unique<Hp>();
    energyGauge = std::make_unique<EnergyGauge>();
    rightThruster = std::make_unique<Thruster>(Matrix::CreateTranslation(0.3f, -0.2f, -0.5f));
    leftThruster = std::make_unique<Thruster>(Matrix::CreateTranslation(-0.3f, -0.2f, -0.5f));

    SetMatrixAndRadius(world, kRadius);

    fadeTexture = GetTexture("Data/tex/black.png");
    query = std::make_unique<CollisionQuery>();
    axeSparkLife.fill(kAxeSparkLife);
    shipSparkLife.fill(kShipSparkLife);
    stoneSparkLife.fill(kStoneSparkLife);
    muzzleLife.fill(kMuzzleLife);
}

Player::~Player() {
    weaponInHand.reset();
    slashFlash.reset();
    weaponOnBack.reset();
    bullets.clear();
    bulletTrails.clear();
    swing.reset();
    hpGauge.reset();
    energyGauge.reset();
    rightThruster.reset();
    leftThruster.reset();
    explosion.reset();
    query.reset();
    slashTrail.reset();
    for (auto& spark : axeSparks) spark.reset();
    for (auto& spark : stoneSparks) spark.reset();
    for (auto& spark : shipSparks) spark.reset();
    hitFlash.reset();
    for (auto& flash : muzzleFlashes) flash.reset();
    if (alarmSound) alarmSound->Stop();
    if (dyingSound) dyingSound->Stop();
    // The engine hum loops in the play list; left playing it would outlive the battle.
    if (thrusterSound) thrusterSound->Stop();
    overheatSmoke.reset();
    alarmSound.reset();
    dyingSound.reset();
    thrusterSound.reset();
}

void Player::Update(float* pitch, float* cameraYaw, EnemyList& enemies,
                    const std::vector<Stone*>& stones, BattleShip* ship, bool deathViewDone) {
    // The exhaust narrows with the overheat that the last picture showed, whether or not
    // that picture was drawn.
    if (deathTimer < kThrustersShownUntil) {
        rightThruster->SetHot(overheated);
        leftThruster->SetHot(overheated);
    }
    if (alive) {
        if (!dying) {
            tentative = Position();
            BeginEnergy();
            if (!aiming) Move(*cameraYaw, enemies, stones);
            UpdateAlarm();
            TriggerAxe();
            ArmWeapons();
            TriggerRailgun();
            TurnToAim(*cameraYaw);
            RefillEnergy();
            PlaceBody(ship);
            Fire(*pitch, *cameraYaw);
            PlaceRightHand();
            PlaceLimbs();
            UpdateFlicker();
            StepThrusters();
        }
        UpdateSmoke();
    }
    UpdateBullets(enemies, stones, ship);
    AgeEffects();
    HitWithAxe(enemies);
    UpdateSlashTrail();
    PlaceWeaponOnBack();
    FollowSlashFlash(false);
    TakeDamage(enemies, ship);
    UpdateCollisionSphere();
    TurnToLockTarget(cameraYaw, enemies);
    CheckDeath();
    RunDeath(deathViewDone);
    if (!PlaceWeaponInHand()) return;
    FollowSlashFlash(true);
}

void Player::SetMatrix(const Matrix& m) {
    world = m;
}

void Player::PlaceLimbs() {
    leftHand = Matrix::CreateTranslation(-0.7f, -0.6f, 0.2f) * world;
    rightThigh = Matrix::CreateTranslation(0.0f, -2.0f, -0.1f) * world;
    leftThigh = Matrix::CreateTranslation(-0.4f, -1.9f, 0.0f) * world;
    rightLeg = Matrix::CreateTranslation(0.5f, -1.0f, 0.0f) * rightThigh;
    leftLeg = Matrix::CreateTranslation(-0.1f, -1.0f, -0.1f) * leftThigh;
}

void Player::UpdateMatrix() {
    PlaceLimbs();
    rightThruster->Place(world);
    leftThruster->Place(world);
}

void Player::Draw() {
    ShaderManager& shaders = ShaderManager::GetInstance();
    ModelShader& modelShader = shaders.GetModelShader();
    modelShader.Activate();

    if (slashTrail) slashTrail->Draw();
    DrawLive(shipSparks);
    DrawLive(axeSparks);
    DrawLive(stoneSparks);
    if (hitFlash) hitFlash->Draw();
    if (explosion && deathTimer <= kExplosionEnd) explosion->Draw();

    const Matrix* limbs[7] = {&world,     &rightHand, &leftHand, &rightThigh,
                              &leftThigh, &rightLeg,  &leftLeg};
    for (int i = 0; i < 7; ++i) {
        modelShader.SetWorld(*limbs[i]);
        DrawModel(bodyModels[i], drawOpacity);
    }

    if (hp > 0) {
        if (weaponInHand) weaponInHand->Draw();
        if (slashFlash) slashFlash->Draw();
    }
    if (weaponOnBack) weaponOnBack->Draw();

    for (auto& trail : bulletTrails) trail->Draw(1);

    if (deathTimer < kThrustersShownUntil) {
        rightThruster->DrawFlame(aiming, overheated, flicker);
        leftThruster->DrawFlame(aiming, overheated, flicker);
    }

    DrawLive(muzzleFlashes);
    if (overheatSmoke) overheatSmoke->Draw();

    SpriteShader& sprite = shaders.GetSpriteShader();
    sprite.Begin(false, true);
    hpGauge->Draw();
    energyGauge->Draw(overheated);
    const Color white(1.0f, 1.0f, 1.0f, 1.0f);
    if (weaponIndex == 1 && hp > 0) {
        sprite.SetTransform(aimMatrix);
        const SpriteRect source{0, 0, 64, 64};
        sprite.DrawSprite(aimTexture, 0, 0, 64, 64, &source, &white, {0.5f, 0.5f});
    }
    if (fading) {
        sprite.SetTransform(fadeMatrix);
        const SpriteRect source{0, 0, 1280, 720};
        const Color fade(1.0f, 1.0f, 1.0f, fadeAlpha);
        sprite.DrawSprite(fadeTexture, 0, 0, 1280, 720, &source, &fade, {0.5f, 0.5f});
    }
    sprite.End();
    modelShader.Activate();
}

const Matrix& Player::GetWeaponMatrix() const {
    static const Matrix kNone;
    return weaponInHand ? weaponInHand->GetMatrix() : kNone;
}

const Thruster* Player::GetThruster(int right) const {
    return right != 0 ? rightThruster.get() : leftThruster.get();
}

int Player::CountAxeSparks() const {
    return CountLive(axeSparks);
}

int Player::CountStoneSparks() const {
    return CountLive(stoneSparks);
}

int Player::CountShipSparks() const {
    return CountLive(shipSparks);
}

int Player::CountMuzzleFlashes() const {
    return CountLive(muzzleFlashes);
}

void Player::FallSilent() {
    if (alarmSound) alarmSound->Stop();
    if (thrusterSound) thrusterSound->Stop();
}

bool Player::IsAlarmSounding() const {
    return alarmSound && alarmSound->IsPlaying();
}

bool Player::IsThrusterSounding() const {
    return thrusterSound && thrusterSound->IsPlaying();
}

void Player::SetHp(int value) {
    hp = value;
    previousHp = value;
    displayedHp = value;
}
