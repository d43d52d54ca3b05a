// Sprite-sheet cells, the comets' drift and tails, and the shooting-star list's draws.
#include <gtest/gtest.h>

#include <cstdlib>

#include "battle/ProbeScene.h"
#include "game/effects/Comet.h"
#include "game/effects/EffectQuad.h"
#include "game/effects/FlameEmitter.h"
#include "game/effects/HitFlash.h"
#include "game/effects/RockMote.h"
#include "game/effects/ShootingStars.h"
#include "game/effects/SmokeEmitter.h"

namespace {

class DevicelessEffects : public ::testing::Test {
protected:
    void TearDown() override { DropDevicelessCaches(); }
};

TEST(SheetCell, EightColumnsOfSquareCellsOnAnySheetSize) {
    // 256 × 160 sheet of 32-pixel cells: frame 13 is column 5, row 1.
    const CellUV c = EffectQuad::SheetCell(13, 32, 256, 160);
    EXPECT_FLOAT_EQ(c.left, 5 * 0.125f);
    EXPECT_FLOAT_EQ(c.right, 6 * 0.125f);
    EXPECT_FLOAT_EQ(c.top, 0.2f);
    EXPECT_FLOAT_EQ(c.bottom, 0.4f);
    // The smoke cell, column 0 of row 4.
    const CellUV smoke = EffectQuad::SheetCell(32, 32, 256, 256);
    EXPECT_FLOAT_EQ(smoke.left, 0.0f);
    EXPECT_FLOAT_EQ(smoke.top, 0.5f);
    // A missing texture gives an empty cell instead of a division by zero.
    const CellUV none = EffectQuad::SheetCell(3, 32, 0, 0);
    EXPECT_EQ(none.right, 0.0f);
    EXPECT_EQ(none.bottom, 0.0f);
}

TEST(SheetCell, HitFlashRowsFollowTheFrameIndexItself) {
    // 960 × 960 sheet of 120-pixel cells: frame 3 sits in column 3 with its top at 3/8.
    const CellUV c = HitFlash::FrameCell(3, 960, 960);
    EXPECT_FLOAT_EQ(c.left, 3.0f / 8.0f);
    EXPECT_FLOAT_EQ(c.top, 3.0f / 8.0f);
    EXPECT_FLOAT_EQ(c.bottom, 4.0f / 8.0f);
    // Frame 9: column 1, but the top still at 9 steps.
    const CellUV d = HitFlash::FrameCell(9, 960, 960);
    EXPECT_FLOAT_EQ(d.left, 1.0f / 8.0f);
    EXPECT_FLOAT_EQ(d.top, 9.0f / 8.0f);
}

TEST_F(DevicelessEffects, RockMoteIsDrawnAtItsAlphaTimesItsComets) {
    RockMote mote(Vector3(1.0f, 2.0f, 3.0f));
    mote.Update(0.5f);
    for (const auto& v : mote.GetQuad().GetVertices()) EXPECT_FLOAT_EQ(v.color.a, 0.25f);
    EXPECT_FLOAT_EQ(mote.GetQuad().GetVertices()[1].position.x, 10.0f);
    int updates = 1;
    while (!mote.IsFinished() && updates < 200) {
        mote.Update(1.0f);
        ++updates;
    }
    EXPECT_GE(updates, 50);
    EXPECT_LE(updates, 51);
}

TEST_F(DevicelessEffects, CometWithNegativeSpeedDriftsToPlusXWhileFalling) {
    Comet comet(Vector3(0.0f, 200.0f, 500.0f), -2.0f);
    for (int i = 0; i < 10; ++i) comet.Update();
    EXPECT_FLOAT_EQ(comet.GetPosition().x, 20.0f);
    EXPECT_FLOAT_EQ(comet.GetPosition().y, 180.0f);
    EXPECT_FLOAT_EQ(comet.GetPosition().z, 500.0f);

    Comet other(Vector3(0.0f, 200.0f, 500.0f), 2.0f);
    other.Update();
    EXPECT_FLOAT_EQ(other.GetPosition().x, -2.0f);
    EXPECT_FLOAT_EQ(other.GetPosition().y, 198.0f);
}

TEST_F(DevicelessEffects, CometTailSettlesAtAboutFiftyOneMotesAndTheCometFadesOut) {
    Comet comet(Vector3(0.0f, 200.0f, 500.0f), 2.0f);
    size_t most = 0;
    int updates = 0;
    while (!comet.IsFinished() && updates < 1000) {
        comet.Update();
        most = std::max(most, comet.GetMotes().size());
        ++updates;
    }
    EXPECT_GE(most, 50u);
    EXPECT_LE(most, 52u);
    // 1 / 0.003 updates of fading.
    EXPECT_GE(updates, 333);
    EXPECT_LE(updates, 335);
}

TEST_F(DevicelessEffects, CometPlacementDrawsInTheStatedOrder) {
    srand(1234);
    const int x = rand() % 500 - 250;
    const int y = rand() % 200 + 100;
    (void)rand();
    const bool negative = rand() % 2 == 0;
    const int next = rand();

    srand(1234);
    Comet comet;
    EXPECT_FLOAT_EQ(comet.GetPosition().x, static_cast<float>(x));
    EXPECT_FLOAT_EQ(comet.GetPosition().y, static_cast<float>(y));
    EXPECT_FLOAT_EQ(comet.GetPosition().z, 500.0f);
    EXPECT_FLOAT_EQ(comet.GetSpeed(), negative ? -2.0f : 2.0f);
    // Exactly four draws were used.
    EXPECT_EQ(rand(), next);
}

// A seed whose first draw does (or does not) add a comet.
unsigned SeedWhoseFirstDraw(bool addsComet) {
    for (unsigned seed = 1;; ++seed) {
        srand(seed);
        if ((rand() % 400 == 0) == addsComet) return seed;
    }
}

TEST_F(DevicelessEffects, ShootingStarsStartWithThreeAndAddOneOnADrawOfZeroModulo400) {
    srand(99);
    ShootingStars stars;
    ASSERT_EQ(stars.GetComets().size(), 3u);

    const unsigned adding = SeedWhoseFirstDraw(true);
    const unsigned quiet = SeedWhoseFirstDraw(false);
    srand(quiet);
    stars.Update();
    EXPECT_EQ(stars.GetComets().size(), 3u);
    srand(adding);
    stars.Update();
    ASSERT_EQ(stars.GetComets().size(), 4u);
    // The new comet is appended with its tail still empty; the first three carry motes.
    EXPECT_TRUE(stars.GetComets().back()->GetMotes().empty());
    EXPECT_FALSE(stars.GetComets().front()->GetMotes().empty());

    // Comets fade out after 334 updates and are deleted from the list.
    for (int pass = 0; pass < 340; ++pass) {
        srand(quiet);
        stars.Update();
    }
    EXPECT_TRUE(stars.GetComets().empty());
}

TEST_F(DevicelessEffects, FlameEmitterSizeFollowsTheCannonsDamageStep) {
    const Matrix anchor = Matrix::CreateTranslation(0.0f, 10.0f, 0.0f);
    EXPECT_EQ(FlameEmitter(anchor, 600).GetFlames().size(), 0u);
    EXPECT_EQ(FlameEmitter(anchor, 400).GetFlames().size(), 2u);
    EXPECT_EQ(FlameEmitter(anchor, 200).GetFlames().size(), 4u);
    EXPECT_EQ(FlameEmitter(anchor, 0).GetFlames().size(), 50u);
    EXPECT_EQ(FlameEmitter(anchor, 123).GetFlames().size(), 0u);
}

TEST_F(DevicelessEffects, EmittersReplaceSpentPuffsAndFlamesAtTheNewAnchor) {
    srand(5);
    SmokeEmitter smoke(Matrix::CreateTranslation(0.0f, 0.0f, 0.0f));
    FlameEmitter flames(Matrix::CreateTranslation(0.0f, 0.0f, 0.0f), 200);
    const Matrix moved = Matrix::CreateTranslation(50.0f, 0.0f, 0.0f);
    for (int i = 0; i < 120; ++i) {
        smoke.Update(moved, 2.0f);
        flames.Update(moved, 4.0f);
        ASSERT_EQ(smoke.GetPuffs().size(), 12u);
        ASSERT_EQ(flames.GetFlames().size(), 4u);
    }
    // Every original puff is spent by now (at most 100 updates); the replacements stand
    // within a unit of the moved anchor.
    for (const auto& puff : smoke.GetPuffs()) {
        EXPECT_NEAR(puff->GetQuad().GetPosition().x, 50.0f, 1.0f + 1e-4f);
        EXPECT_FALSE(puff->IsFinished());
    }
    for (const auto& flame : flames.GetFlames()) EXPECT_GT(flame->GetQuad().GetPosition().x, 30.0f);
}

}  // namespace
