// The battle scene in the real loop: construction and teardown, its world running in order,
// the pinned random placement, and the three frame forms seen in the finished picture.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <set>
#include <vector>

#include "app/SceneManager.h"

#include "app/InputLatch.h"
#include "battle/ProbeScene.h"
#include "engine/graphics/FwScreenshot.h"
#include "engine/graphics/GraphicsDevice.h"
#include "engine/graphics/ShaderManager.h"
#include "engine/platform/Keys.h"
#include "game/effects/ShootingStars.h"
#include "game/enemy/BattleShip.h"
#include "game/player/Player.h"
#include "game/scenes/Camera.h"
#include "game/scenes/Clear.h"
#include "game/scenes/GameScene.h"
#include "game/scenes/Gameover.h"
#include "game/world/Mob.h"
#include "game/world/ParticleField.h"
#include "game/world/StoneField.h"
#include "support/GameHarness.h"

namespace {

GameScene* Current() {
    return dynamic_cast<GameScene*>(SceneManager::GetInstance().GetCurrent());
}

TEST(GameScene, RunsItsWorldWithTheCursorCapturedAndReleasesItAtTheEnd) {
    GameHarness harness;
    bool hiddenDuring = true;
    float mobZ = 0.0f;
    size_t particles = 0, comets = 0, stones = 0;
    harness.Platform().SetPassHook(
        [&](uint64_t) { hiddenDuring = hiddenDuring && !harness.Platform().IsCursorShown(); });
    const std::function<void(uint64_t)> hook = ([&](uint64_t pass) {
        GameScene* scene = Current();
        ASSERT_NE(scene, nullptr);
        if (pass == 3) {
            mobZ = scene->GetMob()->GetFirstMatrix().Translation().z;
            particles = scene->GetParticles()->GetParticles().size();
            comets = scene->GetShootingStars()->GetComets().size();
            stones = scene->GetStones()->GetStones().size();
            const std::string dir = std::getenv("HOSHIKAGE_TEST_DATA")
                                        ? std::getenv("HOSHIKAGE_TEST_DATA")
                                        : std::filesystem::current_path().string();
            FwSaveScreenshot(dir + "/battle_pass3.png");
        }
        EXPECT_EQ(scene->GetLastFrameForm(), GameScene::FrameForm::Normal);
    });
    RunAndRelease(
        harness, [] { return new GameScene; }, 3, hook);
    EXPECT_TRUE(hiddenDuring);
    EXPECT_TRUE(harness.Platform().IsCursorShown());
    EXPECT_NEAR(mobZ, 800.0f - 3 * 0.05f, 0.001f);
    EXPECT_EQ(particles, 50u);
    EXPECT_GE(comets, 3u);
    EXPECT_EQ(stones, 20u);
}

// A battle that skips drawing (the passes cost only their updates) and whose battleship
// can be declared gone from a given pass on.
class QuietBattle : public GameScene {
public:
    uint64_t shipGoneFrom = UINT64_MAX;

    void Draw() override {}

protected:
    bool IsBattleShipAlive() const override {
        return static_cast<ScriptedPlatform&>(GetPlatform()).GetPass() < shipGoneFrom &&
               GameScene::IsBattleShipAlive();
    }
};

TEST(GameScene, SeedsFromThePlatformClockSoTheFirstStoneIsPinned) {
    GameHarness harness;
    uint32_t seed = 0;
    Matrix firstStone;
    int firstModel = -1;
    const std::function<void(uint64_t)> hook = ([&](uint64_t pass) {
        if (pass != 1) return;
        const Stone* stone = Current()->GetStones()->GetStoneList()[0].get();
        firstStone = stone->GetBaseMatrix();
        firstModel = stone->GetModelIndex();
    });
    RunAndRelease(
        harness,
        [&] {
            seed = GetPlatform().GetTime();
            return new QuietBattle;
        },
        1, hook);
    srand(seed);
    const int model = rand() % 3;
    const float ax = ToRadians(static_cast<float>(rand() % 360));
    const float ay = ToRadians(static_cast<float>(rand() % 360));
    const float az = ToRadians(static_cast<float>(rand() % 360));
    const Matrix expected = Matrix::CreateScale(5.0f) * Matrix::CreateRotationZ(az) *
                            Matrix::CreateRotationX(ax) * Matrix::CreateRotationY(ay);
    EXPECT_EQ(firstModel, model);
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c) EXPECT_NEAR(firstStone(r, c), expected(r, c), 1e-5f);
}

TEST(GameScene, BreakingUpWinsOverThePlayersHit) {
    EXPECT_EQ(GameScene::SelectFrameForm(false, false), GameScene::FrameForm::Normal);
    EXPECT_EQ(GameScene::SelectFrameForm(false, true), GameScene::FrameForm::Shake);
    EXPECT_EQ(GameScene::SelectFrameForm(true, false), GameScene::FrameForm::Smear);
    EXPECT_EQ(GameScene::SelectFrameForm(true, true), GameScene::FrameForm::Smear);
}

// A battle whose flags the test sets, drawing a white band instead of the world so the
// picture can be measured: 400 × 100 pixels centred 200 pixels above the screen's middle,
// i.e. rows 110 to 209 of the unshaken picture.
class FormProbe : public GameScene {
public:
    bool hit = false;
    bool breaking = false;
    bool band = false;

    void Draw() override {
        if (!band) return;
        SpriteShader& sprites = ShaderManager::GetInstance().GetSpriteShader();
        const Color white(1.0f, 1.0f, 1.0f, 1.0f);
        sprites.SetTransform(Matrix());
        sprites.DrawSprite(GraphicsDevice::GetInstance().GetWhiteTexture().get(), 0, 200, 400, 100,
                           nullptr, &white, Vector2(0.5f, 0.5f));
    }

protected:
    bool IsPlayerHit() const override { return hit; }
    bool IsBattleShipBreakingUp() const override { return breaking; }
};

int BandTop() {
    for (int y = 0; y < 720; ++y) {
        uint8_t rgba[4];
        if (FwReadPixel(640, y, rgba) && rgba[0] > 128) return y;
    }
    return -1;
}

TEST(GameSceneFrame, PlainFormDrawsTheBandInPlace) {
    GameHarness harness;
    int top = -2;
    const std::function<void(uint64_t)> hook = ([&](uint64_t pass) {
        if (pass == 3) top = BandTop();
    });
    RunAndRelease(
        harness,
        [] {
            auto* scene = new FormProbe;
            scene->band = true;
            return scene;
        },
        3, hook);
    EXPECT_EQ(top, 110);
}

TEST(GameSceneFrame, PlayerHitShakesThePictureByUpToFivePixels) {
    GameHarness harness;
    std::set<int> shakes;
    bool allMatched = true;
    const std::function<void(uint64_t)> hook = ([&](uint64_t) {
        auto* scene = dynamic_cast<FormProbe*>(SceneManager::GetInstance().GetCurrent());
        ASSERT_EQ(scene->GetLastFrameForm(), GameScene::FrameForm::Shake);
        const int s = scene->GetLastShake();
        EXPECT_GE(s, -5);
        EXPECT_LE(s, 5);
        shakes.insert(s);
        // Moved up by s pixels; no smear: the band is at full brightness.
        allMatched = allMatched && BandTop() == 110 - s;
        uint8_t rgba[4];
        FwReadPixel(640, 160, rgba);
        EXPECT_EQ(rgba[0], 255);
        FwReadPixel(640, 400, rgba);
        EXPECT_EQ(rgba[0], 0);
    });
    RunAndRelease(
        harness,
        [] {
            auto* scene = new FormProbe;
            scene->band = true;
            scene->hit = true;
            return scene;
        },
        12, hook);
    EXPECT_TRUE(allMatched);
    EXPECT_GE(shakes.size(), 3u);
}

TEST(GameSceneFrame, BreakingUpBlendsTheNewPictureAtTenPercentOverTheLast) {
    GameHarness harness;
    std::vector<int> brightness;
    FormProbe* probe = nullptr;
    harness.Platform().SetPassHook([&](uint64_t pass) {
        if (probe && pass == 5) {
            probe->band = true;
            probe->breaking = true;
        }
    });
    const std::function<void(uint64_t)> hook = ([&](uint64_t pass) {
        if (pass < 5) return;
        uint8_t rgba[4];
        FwReadPixel(640, 160, rgba);
        brightness.push_back(rgba[0]);
    });
    RunAndRelease(
        harness,
        [&] {
            probe = new FormProbe;
            return probe;
        },
        8, hook);
    ASSERT_EQ(brightness.size(), 4u);
    // 255 × (1 − 0.9^k) after k smeared frames over black.
    EXPECT_NEAR(brightness[0], 25.5, 2.0);
    EXPECT_NEAR(brightness[1], 48.5, 3.0);
    EXPECT_NEAR(brightness[2], 69.2, 4.0);
    EXPECT_NEAR(brightness[3], 87.8, 5.0);
}

TEST(GameSceneOutcome, PlayerDeathSwitchesToGameOverAtTheNextPassAfterAFullPass) {
    GameHarness harness;
    QuietBattle* battle = nullptr;
    uint64_t requestedAt = 0, gameOverAt = 0;
    int launchTimerBefore = 0, launchTimerAtDeath = 0;
    harness.Platform().SetPassHook([&](uint64_t) {
        // A cannon shot every pass: 200 whenever the player is not invulnerable.
        if (battle && SceneManager::GetInstance().GetCurrent() == battle)
            battle->GetPlayer()->SetCannonHit(1);
    });
    std::function<void(uint64_t)> hook = [&](uint64_t pass) {
        SceneBase* current = SceneManager::GetInstance().GetCurrent();
        if (current == battle) {
            if (requestedAt == 0 && battle->GetOutcome() == GameScene::Outcome::GameOver) {
                requestedAt = pass;
                launchTimerAtDeath = battle->GetBattleShip()->GetLaunchTimer();
                EXPECT_FALSE(battle->GetPlayer()->IsAlive());
            } else if (requestedAt == 0) {
                launchTimerBefore = battle->GetBattleShip()->GetLaunchTimer();
            }
        } else if (gameOverAt == 0 && dynamic_cast<Gameover*>(current)) {
            gameOverAt = pass;
        }
    };
    RunAndRelease(
        harness,
        [&] {
            battle = new QuietBattle;
            return battle;
        },
        1300, hook);
    ASSERT_NE(requestedAt, 0u);
    EXPECT_EQ(gameOverAt, requestedAt + 1);
    // The battleship still ran in the pass of the death.
    EXPECT_NE(launchTimerAtDeath, launchTimerBefore);
}

TEST(GameSceneOutcome, VictoryFadeRequestsTheClearSceneInItsHundredAndFirstPass) {
    GameHarness harness;
    QuietBattle* battle = nullptr;
    const uint64_t goneFrom = 5;
    uint64_t requestedAt = 0, clearAt = 0;
    float yawBefore = 0.0f, yawAfter = 0.0f, fadeAt50 = 0.0f;
    harness.Platform().SetScript([](uint64_t pass) {
        // The mouse keeps moving; after the ship is gone it no longer turns the camera.
        return GameHarness::Hold({vk::Right}, pass % 2 ? 40 : -20);
    });
    std::function<void(uint64_t)> hook = [&](uint64_t pass) {
        SceneBase* current = SceneManager::GetInstance().GetCurrent();
        if (current == battle) {
            if (pass == goneFrom - 1) yawBefore = battle->GetCamera()->GetYaw();
            if (pass == goneFrom + 30) yawAfter = battle->GetCamera()->GetYaw();
            if (pass == goneFrom + 49) fadeAt50 = battle->GetFade();
            if (requestedAt == 0 && battle->GetOutcome() == GameScene::Outcome::Clear)
                requestedAt = pass;
        } else if (clearAt == 0 && dynamic_cast<Clear*>(current)) {
            clearAt = pass;
        }
    };
    RunAndRelease(
        harness,
        [&] {
            battle = new QuietBattle;
            battle->shipGoneFrom = goneFrom;
            return battle;
        },
        goneFrom + 110, hook);
    EXPECT_EQ(requestedAt, goneFrom + 100);
    EXPECT_EQ(clearAt, requestedAt + 1);
    EXPECT_NEAR(fadeAt50, 0.5f, 1e-4f);
    EXPECT_FLOAT_EQ(yawAfter, yawBefore);
}

// Once the ship is gone the robot is no longer flown: its hum must not run on through the
// fade to the clear screen, although the move key is still held.
TEST(GameSceneOutcome, VictoryFadeSilencesTheThrusterHum) {
    GameHarness harness;
    QuietBattle* battle = nullptr;
    const uint64_t goneFrom = 20;
    std::vector<bool> humming;  // index = pass
    harness.Platform().SetScript([](uint64_t) { return GameHarness::Hold({'W'}); });
    std::function<void(uint64_t)> hook = [&](uint64_t) {
        if (SceneManager::GetInstance().GetCurrent() != battle) return;
        humming.push_back(battle->GetPlayer()->IsThrusterSounding());
    };
    humming.push_back(false);  // no pass 0
    RunAndRelease(
        harness,
        [&] {
            battle = new QuietBattle;
            battle->shipGoneFrom = goneFrom;
            return battle;
        },
        goneFrom + 30, hook);
    ASSERT_EQ(humming.size(), goneFrom + 31);
    EXPECT_TRUE(humming[goneFrom - 1]);
    int humAfter = 0;
    for (uint64_t pass = goneFrom; pass < humming.size(); ++pass) humAfter += humming[pass];
    EXPECT_EQ(humAfter, 0) << "passes of hum after the ship was gone";
}

TEST(GameSceneInput, ButtonHeldFromTheTitleDoesNotAttackUntilReleasedOnce) {
    GameHarness harness;
    QuietBattle* battle = nullptr;
    InputLatch::GetInstance().SetClick(true);  // the click that started the battle
    harness.Platform().SetScript(
        [](uint64_t pass) { return pass == 20 ? PassInput{} : GameHarness::Hold({vk::LButton}); });
    bool swungWhileHeld = false, swungAfterRelease = false;
    std::function<void(uint64_t)> hook = [&](uint64_t pass) {
        if (SceneManager::GetInstance().GetCurrent() != battle) return;
        const bool swinging = battle->GetPlayer()->IsSwinging();
        if (pass < 20) swungWhileHeld = swungWhileHeld || swinging;
        if (pass > 20) swungAfterRelease = swungAfterRelease || swinging;
    };
    RunAndRelease(
        harness,
        [&] {
            battle = new QuietBattle;
            return battle;
        },
        25, hook);
    EXPECT_FALSE(swungWhileHeld);
    EXPECT_TRUE(swungAfterRelease);
}

}  // namespace
