// The AI states on their own: a robot pose (world, pitch, yaw) driven against a player
// placed by the test.
#include <gtest/gtest.h>

#include <cmath>
#include <type_traits>

#include "enemy/InGame.h"
#include "game/enemy/BackStep.h"
#include "game/enemy/EscapeShot.h"
#include "game/enemy/MoveAttack.h"
#include "game/enemy/Start.h"
#include "game/enemy/StateMotion.h"
#include "game/enemy/Stun.h"

static_assert(std::has_virtual_destructor_v<State>,
              "the robot frees its states through the State base");

namespace {

struct Pose {
    Matrix world;
    float pitch = 0.0f;
    float yaw = 0.0f;

    Pose(const Vector3& at, float yawDegrees, float pitchDegrees = 0.0f)
        : pitch(pitchDegrees), yaw(yawDegrees) {
        world = Matrix::CreateTranslation(at);
        StateMotion::Rebuild(world, pitch, yaw);
    }
    std::unique_ptr<State> Run(State& state, EnemyWorld& w, Enemy& enemy) {
        return state.Update(w.player, enemy, world, pitch, yaw);
    }
};

}  // namespace

TEST(EnemyAi, StartWalksSeventyPassesStraightOutThenChases) {
    RunInGame([] {
        EnemyWorld w;
        Enemy enemy(w.ship.GetWorld());
        Start start(70);
        Pose pose({0, 3, 0}, 180.0f);
        for (int pass = 1; pass < 70; ++pass) ASSERT_EQ(pose.Run(start, w, enemy), nullptr);
        auto next = pose.Run(start, w, enemy);
        EXPECT_NE(dynamic_cast<MoveAttack*>(next.get()), nullptr);
        EXPECT_NEAR(pose.world.Translation().z, -21.0f, 1e-3f);
        EXPECT_NEAR(pose.world.Translation().x, 0.0f, 1e-3f);
    });
}

TEST(EnemyAi, TurnsAtMostFiveDegreesPerPassTowardItsTarget) {
    Matrix world = Matrix::CreateTranslation(0, 3, 0);
    float yaw = 0.0f;
    // Target to the right (+x): yaw grows.
    EXPECT_NEAR(StateMotion::TurnToward(world, 0.0f, yaw, {1, 0, 0}), 90.0f, 1e-3f);
    EXPECT_FLOAT_EQ(yaw, 5.0f);
    // Target 2 degrees to the left of the new heading: turns exactly that far.
    const float left = ToRadians(3.0f);
    StateMotion::TurnToward(world, 0.0f, yaw, {std::sin(left), 0, std::cos(left)});
    EXPECT_NEAR(yaw, 3.0f, 1e-3f);
    // The lean is removed before comparing: a leaning robot facing its target stays put.
    StateMotion::Rebuild(world, 30.0f, 0.0f);
    yaw = 0.0f;
    EXPECT_NEAR(StateMotion::TurnToward(world, 30.0f, yaw, {0, 0, 5}), 0.0f, 1e-2f);
    EXPECT_NEAR(yaw, 0.0f, 1e-2f);
}

TEST(EnemyAi, MoveAttackWithinFourNeverGivesUpAndAsksForTheAxe) {
    RunInGame([] {
        EnemyWorld w;
        Enemy enemy(w.ship.GetWorld());
        w.PlacePlayer({0, 4, 3.5f});
        MoveAttack state(0);
        Pose pose({0, 3, 0}, 0.0f, 10.0f);
        for (int pass = 0; pass < 400; ++pass) {
            ASSERT_EQ(pose.Run(state, w, enemy), nullptr) << "pass " << pass;
            EXPECT_EQ(state.GetCounter(), 0);
        }
        EXPECT_EQ(pose.pitch, 0.0f);  // straightened up one degree per pass
        EXPECT_NEAR(pose.world.Translation().z, 0.0f, 1e-4f);  // stands its ground
    });
}

TEST(EnemyAi, MoveAttackGivesUpAfterThreeHundredPassesOutOfReach) {
    RunInGame([] {
        EnemyWorld w;
        Enemy enemy(w.ship.GetWorld());
        w.PlacePlayer({0, 4, 500});
        MoveAttack state(0);
        Pose pose({0, 3, 0}, 0.0f);
        for (int pass = 1; pass <= 300; ++pass) ASSERT_EQ(pose.Run(state, w, enemy), nullptr);
        EXPECT_EQ(pose.pitch, 40.0f);  // leaning into the run, at most 40
        auto next = pose.Run(state, w, enemy);
        EXPECT_NE(dynamic_cast<EscapeShot*>(next.get()), nullptr);
        // 300 passes at 0.2 toward the player.
        EXPECT_NEAR(pose.world.Translation().z, 60.0f, 1e-2f);
    });
}

TEST(EnemyAi, EscapeShotRetreatsAtExactlyFortyAndFacesThePlayerBeyond) {
    RunInGame([] {
        EnemyWorld w;
        Enemy enemy(w.ship.GetWorld());
        // The robot faces +x; the player lies along +z.
        w.PlacePlayer({0, 4, 40.0f});
        {
            EscapeShot state(0);
            Pose pose({0, 3, 0}, 90.0f);
            EXPECT_EQ(pose.Run(state, w, enemy), nullptr);
            EXPECT_FLOAT_EQ(pose.yaw, 95.0f);  // turning away from the player
            EXPECT_EQ(state.GetCounter(), 1);
            EXPECT_EQ(pose.pitch, 1.0f);
            EXPECT_GT(Vector3::Distance(pose.world.Translation(), {0, 3, 0}), 0.19f);
            EXPECT_EQ(enemy.GetFireRequest(), 0);
        }
        w.PlacePlayer({0, 4, 40.01f});
        {
            EscapeShot state(0);
            Pose pose({0, 3, 0}, 90.0f);
            EXPECT_EQ(pose.Run(state, w, enemy), nullptr);
            EXPECT_FLOAT_EQ(pose.yaw, 85.0f);  // turning to face the player
            EXPECT_EQ(state.GetCounter(), 0);
            EXPECT_NEAR(Vector3::Distance(pose.world.Translation(), {0, 3, 0}), 0.0f, 1e-4f);
        }
    });
}

TEST(EnemyAi, EscapeShotArmsTheGunsOnlyOnceUpright) {
    RunInGame([] {
        EnemyWorld w;
        Enemy enemy(w.ship.GetWorld());
        w.PlacePlayer({0, 4, 60.0f});
        EscapeShot state(0);
        Pose pose({0, 3, 0}, 0.0f, 3.0f);  // facing the player, still leaning
        for (int pass = 1; pass <= 3; ++pass) {
            EXPECT_EQ(pose.Run(state, w, enemy), nullptr);
            EXPECT_EQ(pose.pitch, 3.0f - pass);
            EXPECT_EQ(enemy.GetWeaponMode(), Enemy::kMelee);
            EXPECT_TRUE(enemy.HasAxe());
            EXPECT_EQ(enemy.GetFireRequest(), 1);  // aligned, but not yet upright
        }
        auto next = pose.Run(state, w, enemy);
        EXPECT_NE(dynamic_cast<MoveAttack*>(next.get()), nullptr);
        EXPECT_EQ(enemy.GetWeaponMode(), Enemy::kGunsArmed);
        EXPECT_FALSE(enemy.HasAxe());
        EXPECT_EQ(enemy.GetFireRequest(), 1);
    });
}

TEST(EnemyAi, EscapeShotGivesUpAfterOneHundredEightyPassesWithinForty) {
    RunInGame([] {
        EnemyWorld w;
        Enemy enemy(w.ship.GetWorld());
        EscapeShot state(0);
        for (int pass = 1; pass <= 180; ++pass) {
            // Keep the player close whatever the robot does.
            Pose pose({0, 3, 0}, 90.0f);
            w.PlacePlayer({0, 4, 10});
            ASSERT_EQ(pose.Run(state, w, enemy), nullptr);
        }
        Pose pose({0, 3, 0}, 90.0f);
        auto next = pose.Run(state, w, enemy);
        EXPECT_NE(dynamic_cast<MoveAttack*>(next.get()), nullptr);
    });
}

TEST(EnemyAi, BackStepEndsAtOnceBeyondFifteenAndAfterSixtyOnePassesWithin) {
    RunInGame([] {
        EnemyWorld w;
        Enemy enemy(w.ship.GetWorld());
        w.PlacePlayer({0, 4, 15.01f});
        {
            BackStep state(60);
            Pose pose({0, 3, 0}, 0.0f);
            auto next = pose.Run(state, w, enemy);
            EXPECT_NE(dynamic_cast<MoveAttack*>(next.get()), nullptr);
            // It still stepped back once, leaning back.
            EXPECT_NEAR(pose.world.Translation().z, -0.3f, 1e-4f);
            EXPECT_EQ(pose.pitch, -1.0f);
        }
        w.PlacePlayer({0, 4, 8.0f});
        {
            BackStep state(60);
            int passes = 0;
            std::unique_ptr<State> next;
            while (!next && passes < 100) {
                Pose pose({0, 3, 0}, 0.0f);  // held at 8 from the player
                next = pose.Run(state, w, enemy);
                ++passes;
            }
            EXPECT_EQ(passes, 61);
            EXPECT_NE(dynamic_cast<MoveAttack*>(next.get()), nullptr);
        }
    });
}

TEST(EnemyAi, StunLeansBackAndDropsTheSwingRequest) {
    RunInGame([] {
        EnemyWorld w;
        Enemy enemy(w.ship.GetWorld());
        enemy.SetAttackRequest(true);
        Stun state;
        Pose pose({0, 3, 0}, 0.0f);
        // A fresh robot's stun timer is 0, not 1: it stays.
        for (int pass = 1; pass <= 8; ++pass) {
            EXPECT_EQ(pose.Run(state, w, enemy), nullptr);
            EXPECT_EQ(pose.pitch, std::max(-3.0f * pass, -15.0f));
            EXPECT_FALSE(enemy.IsAttackRequested());
        }
    });
}
