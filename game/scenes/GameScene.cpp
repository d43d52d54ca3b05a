#include "game/scenes/GameScene.h"

#include <cstdlib>

#include "app/InputLatch.h"
#include "app/SceneManager.h"
#include "engine/audio/FwSoundInstance.h"
#include "engine/audio/SoundCache.h"
#include "engine/graphics/GraphicsDevice.h"
#include "engine/graphics/ScenePass.h"
#include "engine/graphics/ShaderManager.h"
#include "engine/graphics/TextureCache.h"
#include "engine/platform/Keys.h"
#include "engine/platform/Platform.h"
#include "game/effects/EffectQuad.h"
#include "game/effects/ShootingStars.h"
#include "game/enemy/BattleShip.h"
#include "game/enemy/EnemyManager.h"
#include "game/player/Player.h"
#include "game/scenes/Camera.h"
#include "game/scenes/Clear.h"
#include "game/scenes/Gameover.h"
#include "game/world/Earth.h"
#include "game/world/Mob.h"
#include "game/world/ParticleField.h"
#include "game/world/Sky.h"
#include "game/world/StoneField.h"

namespace {
constexpr int kWidth = 1280;
constexpr int kHeight = 720;
const Color kBlack(0.0f, 0.0f, 0.0f, 1.0f);
const SpriteRect kScreenRect{0, 0, kWidth, kHeight};
}  // namespace

GameScene::GameScene() {
    bgm = PlayMusic("Data/sound/battle.wav", 0.03f, true);
    srand(GetPlatform().GetTime());
    ShaderManager& shaders = ShaderManager::GetInstance();
    shaders.SetAmbientLight(Vector3(0.7f, 0.7f, 0.7f));
    shaders.UploadLights();

    player = std::make_unique<Player>();
    camera = std::make_unique<Camera>();
    sky = std::make_unique<Sky>();
    earth = std::make_unique<Earth>();
    stones = std::make_unique<StoneField>();
    battleShip = std::make_unique<BattleShip>();
    enemies = std::make_unique<EnemyManager>(*battleShip);
    particles = std::make_unique<ParticleField>(player->GetWorld().Translation());
    shootingStars = std::make_unique<ShootingStars>();
    mob = std::make_unique<Mob>();
    fadeTexture = GetTexture("Data/tex/black.png");
    sceneTarget.CreateRenderTarget(kWidth, kHeight, PixelFormat::R8G8B8A8_Unorm, 1, nullptr);
    sceneDepth.CreateDepthStencil(kWidth, kHeight, PixelFormat::R24G8_Typeless, 1, nullptr);
}

GameScene::~GameScene() {
    if (bgm) bgm->Stop();
    if (camera) {
        GetPlatform().ShowCursor(true);
        camera.reset();
    }
    player.reset();
    sky.reset();
    earth.reset();
    enemies.reset();
    stones.reset();
    battleShip.reset();
    particles.reset();
    shootingStars.reset();
    mob.reset();
    sceneDepth.Release();
    sceneTarget.Release();
    bgm.reset();
}

bool GameScene::IsBattleShipAlive() const {
    return !battleShip || battleShip->IsAlive();
}

bool GameScene::IsBattleShipBreakingUp() const {
    return battleShip && battleShip->IsBreakingUp();
}

bool GameScene::IsPlayerHit() const {
    return player && player->GetDamageFlash();
}

// The next scene takes over at the start of the next pass; one request per battle.
void GameScene::RequestGameOver() {
    if (outcome != Outcome::None) return;
    outcome = Outcome::GameOver;
    SceneManager::GetInstance().SetScene(new Gameover);
}

void GameScene::RequestClear() {
    if (outcome != Outcome::None) return;
    outcome = Outcome::Clear;
    SceneManager::GetInstance().SetScene(new Clear);
}

void GameScene::Update() {
    // The player's attack sets the latch; releasing the button frees it.
    if (!GetPlatform().IsKeyDown(vk::LButton)) InputLatch::GetInstance().SetClick(false);

    if (IsBattleShipAlive()) {
        camera->ReadInput();
        // The player reads both angles and may turn the yaw while locking on.
        float pitch = camera->GetPitch();
        float yaw = camera->GetYaw();
        player->Update(&pitch, &yaw, enemies->GetEnemies(), stones->GetStones(), battleShip.get(),
                       camera->IsDeathViewDone());
        camera->SetYaw(yaw);
        stones->Update(true);
        // The rest of the pass still runs; the game-over scene takes over at the next.
        if (!player->IsAlive()) RequestGameOver();
        enemies->Update(*player, stones.get(), stones->GetStones(), *battleShip);
        stones->Update(false);
    } else {
        // The battle is won and the robot no longer flies: its loops end with the fight.
        player->FallSilent();
        fade += 0.01f;
        if (fade > 1.0f) RequestClear();
    }
    if (battleShip) {
        battleShip->Update(enemies->IsEnemyRemoved(), *player, stones->GetStones(),
                           enemies->GetEnemies());
    }
    stones->Update(false);
    mob->Update();
    particles->Update(player->GetWorld().Translation(), player->GetSpeed());
    shootingStars->Update();
}

void GameScene::SetCamera() {
    camera->Follow(player->GetWorld(), player->IsDying());
}

void GameScene::Draw() {
    const int effectDrawsBefore = EffectQuad::GetDrawCount();
    ShaderManager& shaders = ShaderManager::GetInstance();
    shaders.GetModelShader().Activate();
    sky->Draw();
    earth->Draw();
    mob->Draw();
    shootingStars->Draw();
    if (battleShip) battleShip->Draw();
    stones->Draw();
    particles->Draw();
    enemies->Draw();
    player->Draw();

    if (battleShip && !IsBattleShipAlive()) {
        SpriteShader& sprites = shaders.GetSpriteShader();
        const Color veil(1.0f, 1.0f, 1.0f, fade);
        sprites.SetTransform(fadeMatrix);
        sprites.DrawSprite(fadeTexture, 0, 0, kWidth, kHeight, &kScreenRect, &veil,
                           Vector2(0.5f, 0.5f));
    }
    lastEffectDraws = EffectQuad::GetDrawCount() - effectDrawsBefore;
}

GameScene::FrameForm GameScene::SelectFrameForm(bool shipBreakingUp, bool playerHit) {
    if (shipBreakingUp) return FrameForm::Smear;
    if (playerHit) return FrameForm::Shake;
    return FrameForm::Normal;
}

void GameScene::Advance() {
    lastForm = SelectFrameForm(IsBattleShipBreakingUp(), IsPlayerHit());
    Update();
    SetCamera();
    if (lastForm != FrameForm::Normal) lastShake = rand() % 11 - 5;
}

void GameScene::Render() {
    GraphicsDevice& device = GraphicsDevice::GetInstance();
    switch (lastForm) {
        case FrameForm::Smear:
            // The back buffer keeps the last picture; the new one goes over it at 10 %.
            device.ClearDepthStencil();
            RenderOffscreen();
            PresentShaken(0.1f);
            break;
        case FrameForm::Shake:
            device.ClearBackBuffer(kBlack);
            device.ClearDepthStencil();
            RenderOffscreen();
            PresentShaken(1.0f);
            break;
        case FrameForm::Normal: {
            device.ClearBackBuffer(kBlack);
            device.ClearDepthStencil();
            const ScenePass::Scope pass(kBlack);
            Draw();
            break;
        }
    }
}

void GameScene::RenderOffscreen() {
    GraphicsDevice& device = GraphicsDevice::GetInstance();
    device.SetRenderTarget(&sceneTarget, &sceneDepth);
    device.ClearRenderTarget(&sceneTarget, kBlack);
    device.ClearDepthStencil(&sceneDepth, 1.0f, 0);
    Viewport viewport;
    viewport.width = static_cast<float>(kWidth);
    viewport.height = static_cast<float>(kHeight);
    device.SetViewport(viewport);
    // Multisampled or scaled, the world is resolved into the target before it shakes.
    const ScenePass::Scope pass(kBlack);
    Draw();
}

void GameScene::PresentShaken(float alpha) {
    GraphicsDevice::GetInstance().SetBackBufferTarget();
    SpriteShader& sprites = ShaderManager::GetInstance().GetSpriteShader();
    sprites.Begin(false, true);
    sprites.SetTransform(Matrix::CreateTranslation(0.0f, static_cast<float>(lastShake), 0.0f));
    const Color tint(1.0f, 1.0f, 1.0f, alpha);
    sprites.DrawSprite(&sceneTarget, 0, 0, kWidth, kHeight, &kScreenRect, &tint,
                       Vector2(0.5f, 0.5f));
    sprites.End();
}
