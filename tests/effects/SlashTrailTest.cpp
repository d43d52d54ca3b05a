// The slash trail's history and strip.
#include <gtest/gtest.h>

#include "battle/ProbeScene.h"
#include "game/effects/SlashTrail.h"

namespace {

class SlashTrailTest : public ::testing::Test {
protected:
    void TearDown() override { DropDevicelessCaches(); }
};

bool Degenerate(const SlashTrail& trail) {
    const auto& v = trail.GetVertices();
    for (size_t i = 2; i < v.size(); ++i) {
        if (!(v[i].position == v[i % 2].position)) return false;
    }
    return true;
}

TEST_F(SlashTrailTest, FreshTrailIsDegenerateUntilTheAnchorMoves) {
    const Matrix anchor = Matrix::CreateTranslation(5.0f, 4.0f, -2.0f);
    SlashTrail trail(anchor, 90.0f, 1);
    EXPECT_TRUE(Degenerate(trail));
    trail.Update(anchor, 90.0f);
    EXPECT_TRUE(Degenerate(trail));  // same place: still nothing visible
    trail.Update(Matrix::CreateTranslation(6.0f, 4.0f, -2.0f), 90.0f);
    EXPECT_FALSE(Degenerate(trail));
}

TEST_F(SlashTrailTest, RibbonSpansFromOneBehindToThreeAheadAlongTheHeading) {
    // Yaw 90°: the heading is +x.
    SlashTrail trail(Matrix::CreateTranslation(5.0f, 4.0f, -2.0f), 90.0f, 1);
    const auto& v = trail.GetVertices();
    EXPECT_NEAR(v[0].position.x, 4.0f, 1e-5f);
    EXPECT_NEAR(v[1].position.x, 8.0f, 1e-5f);
    EXPECT_NEAR(v[0].position.y, 4.0f, 1e-5f);
    EXPECT_NEAR(v[0].position.z, -2.0f, 1e-5f);
    // u from −1 to −1/14 along the history, v 0 and 1 across.
    EXPECT_FLOAT_EQ(v[0].uv.x, -1.0f);
    EXPECT_FLOAT_EQ(v[27].uv.x, 13.0f / 14.0f - 1.0f);
    EXPECT_FLOAT_EQ(v[0].uv.y, 0.0f);
    EXPECT_FLOAT_EQ(v[1].uv.y, 1.0f);
    for (const auto& vertex : v) EXPECT_FLOAT_EQ(vertex.color.a, 1.0f);
}

TEST_F(SlashTrailTest, ConstructionFrameLeavesTheHistoryAfterFourteenUpdates) {
    const Matrix start = Matrix::CreateTranslation(0.0f, 0.0f, 0.0f);
    SlashTrail trail(start, 0.0f, 1);
    const Matrix head = SlashTrail::HeadFrame(start, 0.0f);
    for (int i = 1; i <= 14; ++i) {
        trail.Update(Matrix::CreateTranslation(static_cast<float>(i), 0.0f, 0.0f), 0.0f);
        const bool stillThere = trail.GetHistory().back() == head;
        EXPECT_EQ(stillThere, i < 14) << "after update " << i;
    }
    // Newest first.
    EXPECT_FLOAT_EQ(trail.GetHistory()[0].Translation().x, 14.0f);
    EXPECT_FLOAT_EQ(trail.GetHistory()[13].Translation().x, 1.0f);
}

TEST_F(SlashTrailTest, PlayerFormKeepsTheHistoryWhileNotAdvancing) {
    SlashTrail trail(Matrix::CreateTranslation(0.0f, 0.0f, 0.0f), 0.0f, 0);
    trail.Update(Matrix::CreateTranslation(1.0f, 0.0f, 0.0f), 0.0f, true);
    const auto before = trail.GetHistory();
    trail.Update(Matrix::CreateTranslation(9.0f, 0.0f, 0.0f), 45.0f, false);
    EXPECT_EQ(trail.GetHistory(), before);
    trail.Update(Matrix::CreateTranslation(9.0f, 0.0f, 0.0f), 45.0f, true);
    EXPECT_FLOAT_EQ(trail.GetHistory()[0].Translation().x, 9.0f);
    EXPECT_TRUE(trail.GetHistory()[1] == before[0]);
}

TEST_F(SlashTrailTest, UnknownKindHasNoTexture) {
    EXPECT_EQ(SlashTrail(Matrix(), 0.0f, 7).GetTexture(), nullptr);
    EXPECT_NE(SlashTrail(Matrix(), 0.0f, 1).GetTexture(), nullptr);
}

}  // namespace
