// A whole battle, played headless through the real loop by a simple aiming bot: it turns
// the camera with scripted mouse motion, shoots robots and woken cannons with the rail gun
// (leading moving robots), walks round the hull to reach the far cannon, sidesteps while
// its energy refills, and must win: all three cannons down, the ship gone, the clear
// scene requested.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>
#include <memory>

#include "app/SceneManager.h"
#include "enemy/InGame.h"
#include "engine/platform/Keys.h"
#include "engine/platform/ScriptedPlatform.h"
#include "game/enemy/BattleShip.h"
#include "game/enemy/BattleShipCannon.h"
#include "game/enemy/EnemyManager.h"
#include "game/player/Player.h"
#include "game/scenes/Camera.h"
#include "game/scenes/GameScene.h"
#include "support/AimBot.h"

// The battle scene's own update (camera input, player, stones, robots, ship, in the
// scene's order) and camera, pass by pass with the bot's input; only the drawing is left
// out, which keeps thousands of passes within a minute on a software renderer.
TEST(BattleEndToEnd, AnAimingBotDestroysRobotsAndAllThreeCannonsAndReachesTheClearScene) {
    AimBot bot;
    int passes = 0;
    int kills = 0;
    RunInGame([&] {
        auto& platform = static_cast<ScriptedPlatform&>(GetPlatform());
        platform.SetScript([&](uint64_t pass) { return bot.Next(pass); });
        auto scene = std::make_unique<GameScene>();
        bot.scene = scene.get();
        while (passes < 12000 && bot.outcome == GameScene::Outcome::None) {
            platform.PumpMessages();
            scene->Update();
            scene->SetCamera();
            kills += scene->GetEnemies()->IsEnemyRemoved() ? 1 : 0;
            bot.outcome = scene->GetOutcome();
            ++passes;
        }
        bot.scene = nullptr;
        scene.reset();
        SceneManager::GetInstance().Clear();  // the requested next scene
    });
    EXPECT_NE(bot.outcome, GameScene::Outcome::GameOver)
        << "the player died; lowest HP seen " << bot.lowestPlayerHp;
    EXPECT_EQ(bot.cannonsSeenDown, 3);
    EXPECT_GE(kills, 3);  // each cannon needs a robot kill to wake
    EXPECT_EQ(bot.outcome, GameScene::Outcome::Clear)
        << "cannons down: " << bot.cannonsSeenDown << ", shots: " << bot.shots
        << ", passes: " << passes;
    std::printf(
        "battle won in %d passes: %d robots destroyed, %d rail-gun shots, lowest player HP %d\n",
        passes, kills, bot.shots, bot.lowestPlayerHp);
}
