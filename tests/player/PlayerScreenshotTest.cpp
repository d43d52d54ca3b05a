// Pictures of the robot from a scripted run, written next to the test data for a person
// to look at: standing, boosting with the exhaust, swinging, firing and overheated, with
// the HP and energy gauges and the reticle. Each picture is also checked for the robot in
// the middle and the gauges in their corners.
#include <gtest/gtest.h>

#include <map>
#include <string>

#include "engine/graphics/FwScreenshot.h"
#include "engine/platform/Keys.h"
#include "player/PlayerStage.h"

namespace {

// Share of lit pixels (any channel above 40) in a screen rectangle (top-left origin).
float LitShare(int x0, int y0, int x1, int y1) {
    int lit = 0, total = 0;
    for (int y = y0; y < y1; y += 4) {
        for (int x = x0; x < x1; x += 4) {
            uint8_t rgba[4] = {};
            if (!FwReadPixel(x, y, rgba)) return -1.0f;
            ++total;
            if (rgba[0] > 40 || rgba[1] > 40 || rgba[2] > 40) ++lit;
        }
    }
    return total > 0 ? static_cast<float>(lit) / static_cast<float>(total) : 0.0f;
}

struct Shot {
    float robot = 0.0f;   // the screen's middle, where the robot stands
    float hp = 0.0f;      // the HP gauge, upper left
    float energy = 0.0f;  // the energy gauge, bottom centre
    float reticle = 0.0f;
    bool saved = false;
};

TEST(PlayerPictures, RobotGaugesAndReticleAreDrawnThroughARun) {
    const std::map<int, std::string> names = {{10, "standing"},  {40, "boosting"},
                                              {126, "swinging"}, {172, "firing"},
                                              {182, "shot"},     {235, "overheated"}};
    std::map<std::string, Shot> shots;
    RunStage(
        240, {.draw = true},
        [&](PlayerStage& stage) {
            stage.pitch = 15.0f;
            stage.AddStone({25.0f, 6.0f, 60.0f});
            stage.drawPass = [&](int pass) { return names.count(pass) != 0; };
            stage.beforeUpdate = [](PlayerStage& s, int pass) {
                if (pass == 200) s.GetPlayer().SetEnergy(-50);
            };
            stage.afterDraw = [&](PlayerStage&, int pass) {
                const auto name = names.find(pass);
                if (name == names.end()) return;
                Shot shot;
                shot.robot = LitShare(560, 200, 720, 480);
                shot.hp = LitShare(200, 40, 560, 80);
                shot.energy = LitShare(500, 640, 780, 700);
                shot.reticle = LitShare(620, 315, 660, 355);
                shot.saved = FwSaveScreenshot(ScreenshotPath("player_" + name->second + ".png"));
                shots[name->second] = shot;
            };
        },
        [](uint64_t pass) {
            if (pass > 10 && pass <= 40) return Keys({'W', vk::Shift});
            if (pass == 71) return Keys({vk::LButton});
            if (pass == 160) return Keys({vk::RButton});
            if (pass == 170) return Keys({vk::LButton});
            if (pass > 200) return Keys({'W'});
            return Keys({});
        });
    ASSERT_EQ(shots.size(), names.size());
    for (const auto& [name, shot] : shots) {
        EXPECT_TRUE(shot.saved) << name;
        EXPECT_GT(shot.robot, 0.05f) << name;
        EXPECT_GT(shot.hp, 0.2f) << name;
        EXPECT_GT(shot.energy, 0.1f) << name;
    }
    // The reticle shows only with the rail gun in hand; the axe pictures have none.
    EXPECT_GT(shots["firing"].reticle, shots["standing"].reticle);
}

}  // namespace
