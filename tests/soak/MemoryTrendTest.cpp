// The soak run's verdict on resident memory across battles: growth against noise.
#include <gtest/gtest.h>

#include <cstdlib>

#include "support/MemoryTrend.h"

namespace {

constexpr long kMb = 1024;

// A deterministic wobble of up to ±3 MB, as allocators give from battle to battle.
long Wobble(int battle) {
    return ((battle * 7919) % 13 - 6) * kMb / 2;
}

TEST(MemoryTrend, NoiseAndTheWarmUpAreNotGrowth) {
    MemoryTrend trend;
    // The first battles load the screens' assets: a big climb that is not a leak.
    trend.Add(120 * kMb);
    trend.Add(170 * kMb);
    trend.Add(185 * kMb);
    for (int battle = 3; battle < 200; ++battle) trend.Add(190 * kMb + Wobble(battle));
    // One battle far busier than the rest late in the run.
    trend.Add(230 * kMb);
    ASSERT_TRUE(trend.CanJudge());
    EXPECT_FALSE(trend.IsGrowing()) << trend.Describe();
    EXPECT_LT(std::abs(trend.GrowthKb()), 3 * kMb);
    EXPECT_NE(trend.Describe().find("flat"), std::string::npos);
}

TEST(MemoryTrend, ASlowLeakAcrossManyBattlesIsGrowth) {
    MemoryTrend trend;
    // 60 kB a battle: a few wobbles' worth in all, but steady.
    for (int battle = 0; battle < 400; ++battle)
        trend.Add(190 * kMb + battle * 60 + Wobble(battle));
    EXPECT_TRUE(trend.IsGrowing()) << trend.Describe();
    EXPECT_GT(trend.GrowthKb(), trend.ToleranceKb());
    EXPECT_NE(trend.Describe().find("GROWING"), std::string::npos);
}

TEST(MemoryTrend, ToleranceIsEightMegabytesOrThreePercent) {
    MemoryTrend small, large;
    for (int battle = 0; battle < 20; ++battle) {
        small.Add(100 * kMb);
        large.Add(1000 * kMb);
    }
    EXPECT_EQ(small.ToleranceKb(), 8 * kMb);
    EXPECT_EQ(large.ToleranceKb(), 30 * kMb);
    // A step just above the small run's tolerance in its late quarter counts.
    MemoryTrend step;
    for (int battle = 0; battle < 23; ++battle) step.Add(battle < 18 ? 100 * kMb : 109 * kMb);
    EXPECT_TRUE(step.IsGrowing()) << step.Describe();
}

TEST(MemoryTrend, TooFewBattlesAreNotJudged) {
    MemoryTrend trend;
    for (int battle = 0; battle < 10; ++battle) trend.Add(100 * kMb + battle * 50 * kMb);
    EXPECT_FALSE(trend.CanJudge());
    EXPECT_FALSE(trend.IsGrowing());
    EXPECT_EQ(trend.GrowthKb(), 0);
    trend.Add(1000 * kMb);
    EXPECT_TRUE(trend.CanJudge());
    EXPECT_TRUE(trend.IsGrowing());
}

}  // namespace
