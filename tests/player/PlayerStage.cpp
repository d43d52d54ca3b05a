#include "player/PlayerStage.h"

#include <cmath>
#include <cstdlib>
#include <filesystem>

#include "engine/graphics/ShaderManager.h"
#include "game/enemy/BattleShip.h"
#include "game/enemy/EnemyManager.h"
#include "game/world/Stone.h"

PlayerStage::PlayerStage(const Options& opts) : options(opts) {
    player = std::make_unique<Player>();
    if (options.ship || options.liveEnemies) ship = std::make_unique<BattleShip>();
    if (options.liveEnemies) manager = std::make_unique<EnemyManager>(*ship);
    ShaderManager::GetInstance().SetAmbientLight({0.7f, 0.7f, 0.7f});
    ShaderManager::GetInstance().UploadLights();
}

PlayerStage::~PlayerStage() = default;

Enemy* PlayerStage::AddEnemy(float x, float z) {
    auto enemy = std::make_unique<Enemy>(Matrix());
    const Matrix at =
        Matrix::CreateRotationY(ToRadians(180.0f)) * Matrix::CreateTranslation(x, 3.0f, z);
    enemy->SetMatrix(at);
    enemy->SetMatrixAndRadius(at, Enemy::kRadius);
    enemy->UpdateMatrix();
    standing.push_back(std::move(enemy));
    return standing.back().get();
}

Stone* PlayerStage::AddStone(const Vector3& position) {
    auto stone = std::make_unique<Stone>();
    stone->PlaceAt(position);
    stone->Update();
    stoneView.push_back(stone.get());
    stones.push_back(std::move(stone));
    return stones.back().get();
}

EnemyList& PlayerStage::Enemies() {
    return manager ? manager->GetEnemies() : standing;
}

void PlayerStage::Update() {
    ++pass;
    if (beforeUpdate) beforeUpdate(*this, pass);
    player->Update(&pitch, &yaw, Enemies(), stoneView, ship.get(), deathViewDone);
    if (manager) {
        manager->Update(*player, nullptr, stoneView, *ship);
        ship->Update(manager->IsEnemyRemoved(), *player, stoneView, manager->GetEnemies());
    }
    for (auto& stone : stones) stone->Update();
    if (afterUpdate) afterUpdate(*this, pass);
}

void PlayerStage::SetCamera() {
    // Behind and above the robot along the camera heading, like the battle camera.
    const Vector3 at = player->GetWorld().Translation();
    const float r = ToRadians(yaw);
    const Vector3 heading{std::sin(r), 0.0f, std::cos(r)};
    const Vector3 eye = at - heading * 9.0f + Vector3(0.0f, 3.5f, 0.0f);
    ShaderManager& shaders = ShaderManager::GetInstance();
    const Matrix view = Matrix::CreateLookAt(eye, at + Vector3(0.0f, 1.0f, 0.0f), {0, 1, 0});
    shaders.SetView(view);
    shaders.SetProjMatrix(
        Matrix::CreatePerspectiveFieldOfView(ToRadians(60.0f), 1280.0f / 720.0f, 0.1f, 2000.0f));
    shaders.SetCameraPosition(eye);
    shaders.UploadCamera();
}

void PlayerStage::Draw() {
    if (options.draw && (!drawPass || drawPass(pass))) {
        ShaderManager::GetInstance().GetModelShader().Activate();
        if (ship) ship->Draw();
        for (auto& stone : stones) stone->Draw();
        if (manager) {
            manager->Draw();
        } else {
            for (auto& enemy : standing) enemy->Draw();
        }
        player->Draw();
    }
    if (afterDraw) afterDraw(*this, pass);
    if (pass == lastPass) {
        player.reset();
        manager.reset();
        standing.clear();
        stoneView.clear();
        stones.clear();
        ship.reset();
    }
}

void RunStage(uint64_t passes, const PlayerStage::Options& options,
              const std::function<void(PlayerStage&)>& setUp,
              const std::function<PassInput(uint64_t)>& script) {
    GameHarness harness;
    if (script) harness.Platform().SetScript(script);
    harness.Run(
        [&]() -> SceneBase* {
            auto* stage = new PlayerStage(options);
            stage->SetLastPass(static_cast<int>(passes));
            if (setUp) setUp(*stage);
            return stage;
        },
        passes);
}

PassInput Keys(std::initializer_list<int> keys) {
    return GameHarness::Hold(keys);
}

std::string ScreenshotPath(const std::string& name) {
    const char* dir = std::getenv("HOSHIKAGE_TEST_DATA");
    return (dir != nullptr ? std::string(dir) : std::filesystem::current_path().string()) + "/" +
           name;
}
