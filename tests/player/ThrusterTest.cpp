// The back thrusters: warm-up, hidden exhaust while aiming or flickering, trail points that
// sink behind a moving robot and are thrown aside when it turns in place, and the width
// pulse and narrower overheat trail.
#include <gtest/gtest.h>

#include <cmath>

#include "engine/graphics/ShaderManager.h"
#include "game/player/Thruster.h"
#include "player/PlayerStage.h"

namespace {

// Runs body inside a live device (one pass of an empty stage).
void WithDevice(const std::function<void()>& body) {
    RunStage(1, {},
             [&](PlayerStage& stage) { stage.afterDraw = [&](PlayerStage&, int) { body(); }; }, {});
}

float HalfWidth(const Thruster& t, int ribbon, int entry) {
    const auto& r = t.GetRibbon(ribbon);
    return Vector3::Distance(r[entry * 2].position, r[entry * 2 + 1].position) / 2.0f;
}

TEST(Thruster, DrawsOnlyTheEngineAndFlameForTheFirstTenSteps) {
    WithDevice([] {
        ShaderManager::GetInstance().GetModelShader().Activate();
        Thruster t(Matrix::CreateTranslation(0.3f, -0.2f, -0.5f));
        const Matrix body = Matrix::CreateTranslation(0.0f, 4.0f, 0.0f);
        for (int i = 0; i < 9; ++i) {
            t.Step(body, true, true);
            t.DrawFlame(false, false, false);
            EXPECT_FALSE(t.DrewTrail()) << i;
        }
        t.Step(body, true, true);
        t.DrawFlame(false, false, false);
        EXPECT_TRUE(t.DrewTrail());
        // Aiming or the overheat flicker hide the exhaust; the flame stays.
        t.DrawFlame(true, false, false);
        EXPECT_FALSE(t.DrewTrail());
        t.DrawFlame(false, false, true);
        EXPECT_FALSE(t.DrewTrail());
    });
}

TEST(Thruster, TrailPointsStayStillSinkWhenMovingAndAreThrownAsideWhenTurningInPlace) {
    WithDevice([] {
        Thruster t{Matrix()};
        const Matrix body = Matrix::CreateTranslation(0.0f, 4.0f, 0.0f);
        t.Step(body, false, true);
        t.Step(body, false, true);
        // Unchanged body: the copied point keeps its place.
        const Vector3 before = t.GetHistory(1).Translation();
        t.Step(body, false, true);
        EXPECT_EQ(t.GetHistory(2).Translation(), before);

        // Turning in place: each older point moves 6 aside and 1 up per step.
        const Matrix turned = Matrix::CreateRotationY(0.5f) * body;
        const Vector3 newest = t.GetHistory(0).Translation();
        t.Step(turned, false, true);
        EXPECT_NEAR(t.GetHistory(1).Translation().x, newest.x + 6.0f, 1e-5f);
        EXPECT_NEAR(t.GetHistory(1).Translation().y, newest.y + 1.0f, 1e-5f);

        // Moving: the older points sink 0.2 per step.
        const Matrix ahead = Matrix::CreateTranslation(0.0f, 0.0f, 1.0f) * turned;
        const Vector3 head = t.GetHistory(0).Translation();
        t.Step(ahead, true, true);
        EXPECT_NEAR(t.GetHistory(1).Translation().y, head.y - 0.2f, 1e-5f);
        EXPECT_NEAR(t.GetHistory(1).Translation().x, head.x, 1e-5f);
    });
}

TEST(Thruster, WidthPulsesEveryThreeStepsAndTheOverheatTrailIsNarrower) {
    WithDevice([] {
        ShaderManager::GetInstance().GetModelShader().Activate();
        Thruster t{Matrix()};
        const Matrix body;
        std::vector<bool> wide;
        for (int i = 0; i < 9; ++i) {
            t.Step(body, true, true);
            wide.push_back(t.IsWide());
        }
        EXPECT_EQ(wide,
                  (std::vector<bool>{false, false, false, true, true, true, false, false, false}));
        // The ribbons are built before the pulse toggles, with the heat handed over at the
        // start of the pass: half-widths 7 / 3.5 normally, 3 / 1.5 overheated; 3 / 2
        // across. Drawing an overheated flame does not narrow them.
        bool wideBefore = t.IsWide();
        t.Step(body, true, true);
        EXPECT_NEAR(HalfWidth(t, 0, 0), wideBefore ? 7.0f : 3.5f, 1e-4f);
        EXPECT_NEAR(HalfWidth(t, 1, 0), wideBefore ? 3.0f : 2.0f, 1e-4f);
        t.DrawFlame(false, true, false);
        wideBefore = t.IsWide();
        t.Step(body, true, true);
        EXPECT_NEAR(HalfWidth(t, 0, 0), wideBefore ? 7.0f : 3.5f, 1e-4f);
        t.SetHot(true);
        wideBefore = t.IsWide();
        t.Step(body, true, true);
        EXPECT_NEAR(HalfWidth(t, 0, 0), wideBefore ? 3.0f : 1.5f, 1e-4f);
        wideBefore = t.IsWide();
        t.Step(body, true, true);
        EXPECT_NEAR(HalfWidth(t, 0, 0), wideBefore ? 3.0f : 1.5f, 1e-4f);
        EXPECT_NEAR(HalfWidth(t, 1, 0), wideBefore ? 3.0f : 2.0f, 1e-4f);
    });
}

}  // namespace
