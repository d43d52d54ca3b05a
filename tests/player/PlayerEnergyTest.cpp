// Energy shared by boost and the rail gun: costs, refill, the overheat and its recovery,
// with the alarm, smoke and flicker that come with it.
#include <gtest/gtest.h>

#include <vector>

#include "engine/platform/Keys.h"
#include "game/player/Bullet.h"
#include "player/PlayerStage.h"

namespace {

struct EnergyLog {
    std::vector<int> energy;  // after each pass, index 0 = pass 1
    std::vector<bool> overheated;
    std::vector<bool> alarm;
    std::vector<bool> smoke;
    std::vector<size_t> bullets;
};

// Switches to the rail gun at pass 1, sets the energy before pass `shotPass` and pulls the
// trigger in that pass; the camera looks where the body faces, so the shot leaves at once.
EnergyLog Shoot(int startEnergy, int shotPass, uint64_t passes,
                const std::function<PassInput(uint64_t)>& extra = {}) {
    EnergyLog log;
    RunStage(
        passes, {},
        [&](PlayerStage& stage) {
            stage.beforeUpdate = [&, shotPass, startEnergy](PlayerStage& s, int pass) {
                if (pass == shotPass) s.GetPlayer().SetEnergy(startEnergy);
            };
            stage.afterUpdate = [&](PlayerStage& s, int) {
                const Player& p = s.GetPlayer();
                log.energy.push_back(p.GetEnergy());
                log.overheated.push_back(p.IsOverheated());
                log.alarm.push_back(p.HasAlarm());
                log.smoke.push_back(p.HasSmoke());
                log.bullets.push_back(p.GetBullets().size());
            };
        },
        [shotPass, extra](uint64_t pass) {
            if (pass == 1) return Keys({vk::RButton});
            if (static_cast<int>(pass) == shotPass) return Keys({vk::LButton});
            return extra ? extra(pass) : Keys({});
        });
    return log;
}

TEST(PlayerEnergy, AShotCosts800AndLeavesAtOnceWhenTheBodyFacesTheCamera) {
    const EnergyLog log = Shoot(900, 3, 4);
    EXPECT_EQ(log.bullets[1], 0u);
    EXPECT_EQ(log.energy[2], 100);
    EXPECT_EQ(log.bullets[2], 1u);
    EXPECT_FALSE(log.overheated[2]);
    EXPECT_EQ(log.energy[3], 104);  // refills again from the next pass
}

TEST(PlayerEnergy, AShotBelowItsCostOverheatsFromTheNextPassUntilRefilledPast1000) {
    const int shot = 3;
    const EnergyLog log = Shoot(500, shot, shot + 340, [shot](uint64_t pass) {
        // Trigger pulls while overheated are refused.
        if (pass > static_cast<uint64_t>(shot) + 100 && pass % 20 == 0) {
            return Keys({vk::LButton});
        }
        return Keys({});
    });
    const int at = shot - 1;  // index of the shot pass
    EXPECT_EQ(log.energy[at], -300);
    EXPECT_FALSE(log.overheated[at]);
    EXPECT_TRUE(log.overheated[at + 1]);
    EXPECT_TRUE(log.alarm[at + 1]);
    EXPECT_TRUE(log.smoke[at + 1]);
    // +4 per pass from -300: the first pass to start above 1000 is the 327th after the shot.
    EXPECT_TRUE(log.overheated[at + 326]);
    EXPECT_EQ(log.energy[at + 326], 1004);
    EXPECT_FALSE(log.overheated[at + 327]);
    EXPECT_FALSE(log.alarm[at + 327]);
    EXPECT_FALSE(log.smoke[at + 327]);
    for (int i = at + 1; i < at + 327; ++i) EXPECT_LE(log.bullets[i], 1u) << i;
}

TEST(PlayerEnergy, BoostCostsThreeAPassAndIdlePassesRefillFour) {
    std::vector<int> energy;
    RunStage(
        20, {},
        [&](PlayerStage& stage) {
            stage.afterUpdate = [&](PlayerStage& s, int) {
                energy.push_back(s.GetPlayer().GetEnergy());
            };
        },
        [](uint64_t pass) {
            return pass <= 10 ? Keys({'W', vk::Shift}) : Keys({});
        });
    EXPECT_EQ(energy[9], 970);
    EXPECT_EQ(energy[10], 974);
    // The ceiling applies at the start of a pass, so an idle pass ends 4 above it.
    EXPECT_EQ(energy[18], 1004);
    EXPECT_EQ(energy[19], 1004);
}

TEST(PlayerEnergy, ASwingSpendsNothingButStopsTheRefill) {
    std::vector<int> energy;
    std::vector<bool> swinging;
    RunStage(
        100, {},
        [&](PlayerStage& stage) {
            stage.beforeUpdate = [](PlayerStage& s, int pass) {
                if (pass == 1) s.GetPlayer().SetEnergy(500);
            };
            stage.afterUpdate = [&](PlayerStage& s, int) {
                energy.push_back(s.GetPlayer().GetEnergy());
                swinging.push_back(s.GetPlayer().IsSwinging());
            };
        },
        [](uint64_t pass) { return pass == 2 ? Keys({vk::LButton}) : Keys({}); });
    EXPECT_EQ(energy[0], 504);
    size_t last = 1;  // the pass of the swing's last step: not swinging afterwards
    while (last < swinging.size() && swinging[last]) ++last;
    ASSERT_GE(last, 80u);
    for (size_t i = 1; i <= last; ++i) EXPECT_EQ(energy[i], 504) << i;
    EXPECT_EQ(energy[last + 1], 508);
}

}  // namespace
