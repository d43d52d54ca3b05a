#pragma once

#include <functional>
#include <memory>

#include <gtest/gtest.h>

#include <string>

#include "engine/audio/AudioManager.h"
#include "engine/graphics/GraphicsDevice.h"
#include "engine/graphics/ModelCache.h"
#include "engine/graphics/ShaderManager.h"
#include "engine/graphics/TextureCache.h"
#include "engine/math/Matrix.h"
#include "engine/platform/ScriptedPlatform.h"
#include "game/enemy/BattleShip.h"
#include "game/enemy/Enemy.h"
#include "game/enemy/EnemyManager.h"
#include "game/player/Player.h"
#include "support/GameHarness.h"

// Runs body with the engine up as the game has it (offscreen window, graphics device,
// shaders, null audio) and takes it all down again afterwards, caches included, while the
// GL context still exists. Whatever body makes must be gone when it returns.
inline void RunInGame(const std::function<void()>& body) {
    PrepareHeadlessEnvironment();
    SetPlatform(std::make_unique<ScriptedPlatform>());
    static int windowTag = 0;
    std::string error;
    const bool up = GetPlatform().CreateGameWindow(1280, 720, "enemy tests") &&
                    GraphicsDevice::GetInstance().Initialize(&windowTag, 1280, 720, false, error);
    if (up) {
        ShaderManager::GetInstance().Initialize();
        AudioManager::GetInstance().Initialize();
        body();
    }
    ReleaseModelCache();
    ReleaseTextureCache();
    ShaderManager::GetInstance().Release();
    GraphicsDevice::GetInstance().Release();
    AudioManager::GetInstance().Release();
    GetPlatform().DestroyGameWindow();
    SetPlatform(nullptr);
    ASSERT_TRUE(up) << "no offscreen GL context: " << error;
}

// The pieces an enemy robot needs around it: the player (standing at (0, 4, 0) unless
// moved), the battleship and a manager for the attack energy. The manager launches its
// own first robot, which the tests leave alone.
struct EnemyWorld {
    Player player;
    BattleShip ship;
    EnemyManager manager{ship};
    StoneList stones;

    void PlacePlayer(const Vector3& at) { player.SetMatrix(Matrix::CreateTranslation(at)); }
    // Away from the hull, still facing -z as a fresh robot does.
    static void PlaceEnemy(Enemy& enemy, const Vector3& at) {
        enemy.SetMatrix(Matrix::CreateRotationY(kPi) * Matrix::CreateTranslation(at));
    }
    void Pass(Enemy& enemy) { enemy.Update(player, stones, ship, manager); }
    void Passes(Enemy& enemy, int count) {
        for (int i = 0; i < count; ++i) Pass(enemy);
    }
};
