#include "game/enemy/BattleShip.h"

#include <algorithm>

#include "engine/audio/SoundCache.h"
#include "engine/graphics/ModelCache.h"
#include "engine/graphics/ModelDrawer.h"
#include "engine/graphics/ShaderManager.h"
#include "game/effects/EffectQuad.h"
#include "game/effects/Explosion.h"
#include "game/enemy/BattleShipCannon.h"

namespace {

const Vector3 kShipPosition(0.0f, 5.0f, 200.0f);
constexpr float kBlastHalfSize = 50.0f;        // world units
constexpr float kFinalBlastHalfSize = 100.0f;  // world units
constexpr int kLastBlastFrame = 64;
constexpr float kShockwaveShrink = 2.0f;  // world units per pass
constexpr float kShockwaveFade = 0.02f;   // alpha per pass
constexpr int kSinkStart = 110;           // passes after the destruction began
constexpr int kGone = 240;
constexpr float kSinkSpeed = 0.2f;  // world units per pass
constexpr float kMainSinkSpeed = 0.2f;
constexpr float kSideSinkSpeed = 0.18f;

void PlayBlast(const Vector3& at) {
    PlaySound3DOnce("Data/sound/deadBom.wav", at, 0.1f, false, 30.0f);
}

}  // namespace

BattleShip::BattleShip()
    : shockwave(std::make_unique<EffectQuad>("Data/spaceBattleShip/maru.png")) {
    sharedModel = GetModel("Data/spaceBattleShip/battleShip.gltf");
    world = Matrix::CreateScale(5.0f) * Matrix::CreateRotationY(-kPi / 2.0f) *
            Matrix::CreateTranslation(kShipPosition);
    matrix = world;
    hitModel = GetModel("Data/spaceBattleShip/hitBox.gltf");

    const Vector3& p = kShipPosition;
    // The main turret on the deck; the side cannons on the flanks, their barrels (along
    // the models' +y) turned out of the hull: cannon 1 toward -z (the side the player
    // starts on), cannon 2 toward +z.
    cannons.push_back(std::make_unique<BattleShipCannon>(
        Matrix::CreateTranslation(p.x - 10.0f, p.y + 5.0f, p.z), 0));
    cannons.push_back(std::make_unique<BattleShipCannon>(
        Matrix::CreateRotationX(-kPi / 2.0f) * Matrix::CreateRotationZ(kPi) *
            Matrix::CreateTranslation(p.x + 15.0f, p.y - 4.0f, p.z - 11.0f),
        1));
    cannons.push_back(std::make_unique<BattleShipCannon>(
        Matrix::CreateRotationZ(0.0f) * Matrix::CreateRotationX(kPi / 2.0f) *
            Matrix::CreateTranslation(p.x + 15.0f, p.y - 4.0f, p.z + 12.0f),
        2));
}

BattleShip::~BattleShip() = default;

void BattleShip::Update(bool enemyRemoved, Player& player, const StoneList& stones,
                        const EnemyList& enemies) {
    launchFlag = false;
    UpdateDestruction();

    if (sinking) {
        // The bow tips and the hull goes down.
        world = Matrix::CreateRotationX(ToRadians(0.1f)) * world;
        world(3, 1) -= kSinkSpeed;
        matrix = world;
    }

    launchFlag = launchTimer > kLaunchInterval;
    launchTimer = launchTimer <= kLaunchInterval ? launchTimer + 1 : 1;

    for (std::size_t i = 0; i < cannons.size(); ++i) {
        // Cannons wake in order: each needs a robot kill after the previous one has died.
        const bool wake = i == 0 ? enemyRemoved : enemyRemoved && !cannons[i - 1]->IsAlive();
        const float sinkSpeed = i == 0 ? kMainSinkSpeed : kSideSinkSpeed;
        cannons[i]->Update(world, wake, sinking, sinkSpeed, player, stones, enemies, *this);
    }
    for (auto& cannon : cannons)
        if (cannon->GetLaunchRequest()) launchFlag = true;

    if (exploded) UpdateShockwave();
}

void BattleShip::UpdateDestruction() {
    // The cannons die in order, so the last one's death means all three are gone.
    if (cannons.back()->IsAlive() || shockwaveHalfSize <= 0.0f) return;
    if (explosion) {
        explosionFrame = explosion->Update(kBlastHalfSize);
    } else if (!exploded) {
        explosion = std::make_unique<Explosion>(world);
        PlayBlast(world.Translation());
        exploded = true;
        explosionFrame = explosion->Update(kBlastHalfSize);
    }
    if (explosionFrame > kLastBlastFrame) {
        explosion.reset();
        explosionFrame = 0;
    }
}

void BattleShip::UpdateShockwave() {
    const float h = shockwaveHalfSize;
    shockwave->Billboard(world.Translation());
    shockwave->SetRect(h + 1.5f, h, CellUV{}, shockwaveAlpha);
    shockwaveHalfSize -= kShockwaveShrink;
    shockwaveAlpha = std::min(shockwaveAlpha - kShockwaveFade, 1.0f);
    if (shockwaveHalfSize < 0.0f) {
        shockwaveHalfSize = 0.0f;
        if (!explosion) {
            explosion = std::make_unique<Explosion>(world);
            PlayBlast(world.Translation());
        }
        explosionFrame = explosion->Update(kFinalBlastHalfSize);
        if (explosionFrame > kLastBlastFrame) {
            explosion.reset();
            explosionFrame = 0;
            breakingUp = true;
        }
    }
    ++sinkCount;
    if (sinkCount > kSinkStart) sinking = true;
    if (sinkCount > kGone) alive = false;
}

void BattleShip::Draw() {
    ShaderManager::GetInstance().GetModelShader().SetWorld(world);
    DrawModel(sharedModel, 1.0f);
    for (auto& cannon : cannons) cannon->Draw();
    if (exploded) shockwave->Draw();
    if (explosion) explosion->Draw();
}
