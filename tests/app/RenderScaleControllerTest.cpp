// The render scale's decisions from sequences of pass times (no GL needed).
#include <gtest/gtest.h>

#include "app/PictureQuality.h"
#include "app/RenderScaleController.h"
#include "app/SettingsStore.h"

namespace {

// Feeds `passes` passes of `ms` milliseconds; returns the scale after the last.
int Feed(RenderScaleController& c, int passes, double ms) {
    int percent = c.GetPercent();
    for (int i = 0; i < passes; ++i) percent = c.AddPassTime(static_cast<uint32_t>(ms * 1000.0));
    return percent;
}

}  // namespace

TEST(RenderScale, StepsDownOncePerWindowStraightToTheScaleThatShouldFit) {
    RenderScaleController c;
    ASSERT_TRUE(c.IsAdaptive());
    EXPECT_EQ(c.GetPercent(), 100);
    // The software renderer at full size: 38 ms a pass. Nothing changes within a window.
    EXPECT_EQ(Feed(c, 29, 38.0), 100);
    // 14.4 ms aimed at: 100 × sqrt(14.4 / 38) = 61.6, on the 10 % grid below: 60.
    EXPECT_EQ(Feed(c, 1, 38.0), 60);
    EXPECT_EQ(c.GetPendingPasses(), 0);
    // Still too slow at 60 % (time that does not shrink with the pixels): further down.
    EXPECT_EQ(Feed(c, 30, 19.0), 50);
}

TEST(RenderScale, AnyWindowOverBudgetGoesDownAtLeastOneStep) {
    RenderScaleController c;
    // Just over: the estimate rounds to 90 %; a step is the least.
    EXPECT_EQ(Feed(c, 30, 16.5), 90);
    EXPECT_EQ(Feed(c, 30, 16.2), 80);
}

TEST(RenderScale, HoldsWhileTheNextStepUpMightNotFitOrTheMedianIsFine) {
    RenderScaleController c;
    EXPECT_EQ(Feed(c, 90, 14.0), 100);  // under budget at the top: stays
    c.Adapt(60);
    // At 70 % the same pixels' cost would be 12 × (70 / 60)² = 16.3 ms: too close.
    EXPECT_EQ(Feed(c, 90, 12.0), 60);
    // One slow pass (a scene being built) in a window of good ones changes nothing.
    Feed(c, 14, 6.0);
    Feed(c, 1, 500.0);
    EXPECT_EQ(Feed(c, 15, 12.0), 60);
}

TEST(RenderScale, StepsUpOneStepPerWindowWithHeadroomUpToTheTop) {
    RenderScaleController c;
    c.Adapt(50);
    EXPECT_EQ(Feed(c, 30, 5.0), 60);
    EXPECT_EQ(Feed(c, 30, 5.0), 70);
    EXPECT_EQ(Feed(c, 60, 5.0), 90);
    EXPECT_EQ(Feed(c, 30, 5.0), 100);
    EXPECT_EQ(Feed(c, 300, 1.0), 100);
}

TEST(RenderScale, NeverLeavesItsBoundsAndAFixedScaleIgnoresTheClock) {
    RenderScaleController c;
    EXPECT_EQ(Feed(c, 30, 400.0), 50);
    EXPECT_EQ(Feed(c, 300, 400.0), 50);
    c.Adapt(20);
    EXPECT_EQ(c.GetPercent(), 50);
    c.Adapt(140);
    EXPECT_EQ(c.GetPercent(), 100);

    c.Fix(75);
    EXPECT_FALSE(c.IsAdaptive());
    EXPECT_EQ(Feed(c, 300, 400.0), 75);
    EXPECT_EQ(Feed(c, 300, 1.0), 75);
    c.Fix(10);
    EXPECT_EQ(c.GetPercent(), 50);

    RenderScaleController::Tuning narrow;
    narrow.minPercent = 70;
    narrow.windowPasses = 5;
    RenderScaleController n(narrow);
    EXPECT_EQ(Feed(n, 5, 100.0), 70);
}

TEST(PictureQualitySettings, AutomaticMultisamplingOnlyOnHardware) {
    EXPECT_EQ(PictureQuality::SamplesFor(Settings::kAuto, false), 4);
    EXPECT_EQ(PictureQuality::SamplesFor(Settings::kAuto, true), 0);
    EXPECT_EQ(PictureQuality::SamplesFor(0, false), 0);
    EXPECT_EQ(PictureQuality::SamplesFor(8, true), 8);  // asked for: given
    const Settings reproducible = SettingsStore::Reproducible().Get();
    EXPECT_EQ(reproducible.antiAliasing, 0);
    EXPECT_EQ(reproducible.renderScale, 100);
}
