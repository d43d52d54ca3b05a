// The player's looping sounds (overheat alarm, thruster hum) against the robot's death.
#include <gtest/gtest.h>

#include <vector>

#include "engine/platform/Keys.h"
#include "player/PlayerStage.h"

namespace {

struct LoopLog {
    std::vector<bool> dying;  // after each pass, index 0 = pass 1
    std::vector<bool> alarm;
    std::vector<bool> thruster;
};

}  // namespace

// The wreck neither overheats nor flies: both loops end in the pass the death begins,
// although the robot was moving and overheated right up to it.
TEST(PlayerLoops, AlarmAndThrusterHumStopWhenTheDeathBegins) {
    LoopLog log;
    const int overheatAt = 2, hitAt = 6;
    RunStage(
        hitAt + 40, {},
        [&](PlayerStage& stage) {
            stage.GetPlayer().SetHp(100);
            stage.beforeUpdate = [&](PlayerStage& s, int pass) {
                if (pass == overheatAt) s.GetPlayer().SetEnergy(-100);
                if (pass == hitAt) s.GetPlayer().SetCannonHit(1);
                s.deathViewDone = pass > hitAt + 20;
            };
            stage.afterUpdate = [&](PlayerStage& s, int) {
                const Player& p = s.GetPlayer();
                log.dying.push_back(p.IsDying());
                log.alarm.push_back(p.IsAlarmSounding());
                log.thruster.push_back(p.IsThrusterSounding());
            };
        },
        [](uint64_t) { return Keys({'W'}); });
    const int hit = hitAt - 1;
    ASSERT_FALSE(log.dying[hit - 1]);
    ASSERT_TRUE(log.dying[hit]);
    EXPECT_TRUE(log.alarm[hit - 1]);
    EXPECT_TRUE(log.thruster[hit - 1]);
    int alarmAfter = 0, humAfter = 0;
    for (std::size_t i = hit; i < log.dying.size(); ++i) {
        alarmAfter += log.alarm[i];
        humAfter += log.thruster[i];
    }
    EXPECT_EQ(alarmAfter, 0) << "passes of alarm after the death began";
    EXPECT_EQ(humAfter, 0) << "passes of hum after the death began";
}
