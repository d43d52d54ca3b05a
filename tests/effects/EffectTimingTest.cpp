// How each billboard effect advances, fades and ends, update by update. No graphics device:
// the quads are built but never drawn.
#include <gtest/gtest.h>

#include <cstdlib>

#include "battle/ProbeScene.h"
#include "game/effects/EnergyMote.h"
#include "game/effects/Explosion.h"
#include "game/effects/HitFlash.h"
#include "game/effects/MuzzleFlash.h"
#include "game/effects/RisingFlame.h"
#include "game/effects/SmokePuff.h"
#include "game/effects/Spark.h"
#include "game/effects/SparkBurst.h"

namespace {

class EffectTiming : public ::testing::Test {
protected:
    void TearDown() override { DropDevicelessCaches(); }
    const Matrix at = Matrix::CreateTranslation(3.0f, 4.0f, 5.0f);
};

TEST_F(EffectTiming, ExplosionCountsOneFramePerUpdateAndReturns65OnThe65thUpdate) {
    Explosion explosion(at);
    int last = 0;
    for (int i = 1; i <= 65; ++i) {
        last = explosion.Update(10.0f);
        ASSERT_EQ(last, i);
    }
    EXPECT_EQ(last, 65);
    // Half-size as given, centred on the explosion's own position.
    const auto& v = explosion.GetQuad().GetVertices();
    EXPECT_FLOAT_EQ(v[1].position.x, 10.0f);
    EXPECT_FLOAT_EQ(v[2].position.y, -10.0f);
    const Vector3 p = explosion.GetQuad().GetPosition();
    EXPECT_FLOAT_EQ(p.x, 3.0f);
    EXPECT_FLOAT_EQ(p.z, 5.0f);
}

TEST_F(EffectTiming, HitFlashUpdateFormsReachEightAtTheirOwnPace) {
    HitFlash owned;  // first form: follows its owner
    int frame = 0;
    int updates = 0;
    while (frame != 8 && updates < 100) {
        frame = owned.Update(at);
        ++updates;
    }
    EXPECT_EQ(updates, 32);
    // Drawn 0.6 in front of the owner, in the owner's frame, 3 units across each way.
    EXPECT_FLOAT_EQ(owned.GetQuad().GetPosition().z, 5.6f);
    EXPECT_FLOAT_EQ(owned.GetQuad().GetVertices()[1].position.x, 3.0f);

    HitFlash stone(at);  // third form: half-size 10, 0.25 per update
    updates = 0;
    frame = 0;
    while (frame != 8 && updates < 100) {
        frame = stone.Update();
        ++updates;
    }
    EXPECT_EQ(updates, 32);
    EXPECT_FLOAT_EQ(stone.GetQuad().GetVertices()[1].position.x, 10.0f);

    HitFlash cannon(at);  // second form: 0.2 per update, about 40 updates
    updates = 0;
    frame = 0;
    while (frame < 8 && updates < 100) {
        frame = cannon.Update(30.0f);
        ++updates;
    }
    EXPECT_GE(updates, 40);
    EXPECT_LE(updates, 41);
    EXPECT_FLOAT_EQ(cannon.GetQuad().GetVertices()[1].position.x, 30.0f);
}

TEST_F(EffectTiming, SparkIsInvisibleAfterTwentyUpdatesHavingGrownByFour) {
    srand(3);
    Spark streak(at, 1);
    Spark burst(at, 2);
    for (int i = 0; i < 20; ++i) {
        streak.Update();
        burst.Update();
    }
    EXPECT_NEAR(streak.GetAlpha(), 0.0f, 1e-5f);
    EXPECT_NEAR(streak.GetGrow(), 4.0f, 1e-4f);
    // Quad: grow + base size; streaks start flat, bursts round.
    const auto& s = streak.GetQuad().GetVertices();
    EXPECT_NEAR(s[1].position.x, 4.5f, 1e-4f);
    EXPECT_NEAR(s[1].position.y, 4.0f, 1e-4f);
    const auto& b = burst.GetQuad().GetVertices();
    EXPECT_NEAR(b[1].position.x, 6.5f, 1e-4f);
    EXPECT_NEAR(b[1].position.y, 6.5f, 1e-4f);
    // Nothing left to see: the vertex alpha never goes below zero.
    for (const auto& vertex : s) EXPECT_GE(vertex.color.a, 0.0f);
    // 0.1 per update, whatever the direction: 20 updates end 2 units away.
    EXPECT_NEAR(Vector3::Distance(streak.GetQuad().GetPosition(), at.Translation()), 2.0f, 1e-3f);
}

TEST_F(EffectTiming, SparkBurstHoldsSixtyStreaks) {
    SparkBurst burst(at);
    ASSERT_EQ(burst.GetSparks().size(), 60u);
    burst.Update();
    for (const auto& spark : burst.GetSparks()) EXPECT_NEAR(spark->GetGrow(), 0.2f, 1e-6f);
}

TEST_F(EffectTiming, MuzzleFlashShrinksUntilItsSizeTurnsNegative) {
    MuzzleFlash flash(at, 1.0f);
    for (int i = 0; i < 5; ++i) flash.Update();
    EXPECT_NEAR(flash.GetSize(), 0.0f, 1e-5f);
    flash.Update();
    EXPECT_LT(flash.GetSize(), 0.0f);
    const auto& v = flash.GetQuad().GetVertices();
    EXPECT_NEAR(v[1].position.x, flash.GetSize() + 1.5f, 1e-5f);
    EXPECT_NEAR(v[1].position.y, flash.GetSize(), 1e-5f);
    EXPECT_NEAR(flash.GetAlpha(), 1.0f - 6 * 0.07f, 1e-5f);
}

TEST_F(EffectTiming, EnergyMoteFadesByTheDistanceItCoversAndDiesWithoutVelocity) {
    // Look for seeds that give a resting mote and a moving one.
    bool sawResting = false;
    bool sawMoving = false;
    for (unsigned seed = 1; seed < 400 && !(sawResting && sawMoving); ++seed) {
        srand(seed);
        EnergyMote mote(at);
        const Vector3 v = mote.GetVelocity();
        // The start is moved along x by the x velocity.
        EXPECT_FLOAT_EQ(mote.GetQuad().GetPosition().x, 3.0f + v.x);
        if (v.LengthSquared() == 0.0f) {
            mote.Update();
            EXPECT_FALSE(mote.IsAlive());
            sawResting = true;
            continue;
        }
        int updates = 0;
        while (mote.IsAlive() && updates < 100) {
            mote.Update();
            ++updates;
        }
        // Strength 1 spent at |v| per update.
        const int expected = static_cast<int>(std::ceil(1.0f / v.Length() - 1e-4f));
        EXPECT_NEAR(updates, expected, 1) << "velocity " << v.x << "," << v.y << "," << v.z;
        sawMoving = true;
    }
    EXPECT_TRUE(sawResting);
    EXPECT_TRUE(sawMoving);
}

TEST_F(EffectTiming, SmokePuffFadesAtOneToTwoHundredthsPerUpdate) {
    int shortest = 1000;
    int longest = 0;
    for (unsigned seed = 1; seed < 60; ++seed) {
        srand(seed);
        SmokePuff puff(at);
        int updates = 0;
        while (!puff.IsFinished() && updates < 200) {
            puff.Update(2.0f);
            ++updates;
        }
        shortest = std::min(shortest, updates);
        longest = std::max(longest, updates);
        // Offset −1, 0 or +1 along x.
        const float dx = puff.GetQuad().GetPosition().x - 3.0f;
        EXPECT_TRUE(dx == -1.0f || dx == 0.0f || dx == 1.0f) << dx;
    }
    // Single-precision steps of 0.02 and 0.01 land just above 0 after 50 and 100 updates.
    EXPECT_GE(shortest, 50);
    EXPECT_LE(shortest, 51);
    EXPECT_GE(longest, 100);
    EXPECT_LE(longest, 101);
}

TEST_F(EffectTiming, RisingFlameClimbsAndHoldsItsLastFrame) {
    srand(11);
    RisingFlame flame(at);
    for (int i = 0; i < 20; ++i) flame.Update(4.0f);
    EXPECT_NEAR(flame.GetQuad().GetPosition().y, 4.0f + 20 * 0.1f, 1e-4f);
    const float dx = flame.GetQuad().GetPosition().x - 3.0f;
    // Twenty sideways steps of 0.1 in either direction: an even number of tenths.
    const int tenths = static_cast<int>(std::lround(dx * 10.0f));
    EXPECT_EQ(tenths % 2, 0);
    EXPECT_LE(std::abs(tenths), 20);
    EXPECT_FLOAT_EQ(flame.GetCounter(), 25.0f);
}

}  // namespace
