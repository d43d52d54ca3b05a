// The lock-on turn: Space turns the camera 10° a pass toward the nearest robot, snaps the
// last step and stops; a removed target drops the lock instead of being read.
#include <gtest/gtest.h>

#include <vector>

#include "engine/platform/Keys.h"
#include "player/PlayerStage.h"

namespace {

TEST(PlayerLockOn, TurnsTheCameraToTheNearestRobotTenDegreesAPassThenLetsGo) {
    std::vector<float> yaw;
    std::vector<int> target;
    RunStage(
        30, {},
        [&](PlayerStage& stage) {
            stage.AddEnemy(0.0f, -100.0f);  // far, behind
            stage.AddEnemy(30.0f, 0.0f);    // nearest: 90° to the right
            stage.afterUpdate = [&](PlayerStage& s, int) {
                yaw.push_back(s.yaw);
                target.push_back(s.GetPlayer().GetLockTarget());
            };
        },
        [](uint64_t pass) { return pass >= 2 ? Keys({vk::Space}) : Keys({}); });
    EXPECT_EQ(yaw[0], 0.0f);
    EXPECT_NEAR(yaw[1], 10.0f, 1e-3f);
    EXPECT_EQ(target[1], 1);
    EXPECT_NEAR(yaw[9], 90.0f, 1e-3f);
    // Holding Space does not turn again once the heading is reached.
    EXPECT_NEAR(yaw.back(), 90.0f, 1e-3f);
}

TEST(PlayerLockOn, ATargetRemovedDuringTheTurnDropsTheLock) {
    std::vector<float> yaw;
    std::vector<int> target;
    RunStage(
        20, {},
        [&](PlayerStage& stage) {
            stage.AddEnemy(0.0f, -100.0f);
            stage.AddEnemy(-30.0f, 0.0f);  // nearest, to the left
            stage.beforeUpdate = [](PlayerStage& s, int pass) {
                if (pass == 4) s.Enemies().pop_back();  // destroyed mid-turn
            };
            stage.afterUpdate = [&](PlayerStage& s, int) {
                yaw.push_back(s.yaw);
                target.push_back(s.GetPlayer().GetLockTarget());
            };
        },
        [](uint64_t pass) {
            if (pass == 2) return Keys({vk::Space});
            if (pass == 10) return Keys({vk::Space});  // a new press locks the other robot
            return Keys({});
        });
    EXPECT_NEAR(yaw[2], -20.0f, 1e-3f);
    EXPECT_EQ(target[3], -1);
    EXPECT_NEAR(yaw[8], -20.0f, 1e-3f);
    EXPECT_EQ(target[9], 0);
    EXPECT_NEAR(yaw[9], -30.0f, 1e-3f);  // turning on toward the robot behind
}

}  // namespace
