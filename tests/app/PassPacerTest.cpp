// When the loop runs passes, from clock readings alone.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "app/PassPacer.h"

namespace {

constexpr uint32_t kPass = PassPacer::kPassMs;

// Passes taken at each reading in turn.
std::vector<int> TakeAt(PassPacer& pacer, const std::vector<uint32_t>& readings) {
    std::vector<int> taken;
    for (uint32_t now : readings) taken.push_back(pacer.TakeDue(now));
    return taken;
}

TEST(PassPacer, APassIsDueEverySixteenMillisecondsOfTheClock) {
    EXPECT_EQ(kPass, 16u);
    PassPacer pacer;
    pacer.Start(1000);
    EXPECT_EQ(pacer.WaitFrom(1000), 0u);
    EXPECT_EQ(pacer.TakeDue(1000), 1);
    // On time: the wait runs to the next due pass, and a reading before it owes nothing.
    EXPECT_EQ(pacer.WaitFrom(1005), 11u);
    EXPECT_EQ(pacer.TakeDue(1015), 0);
    EXPECT_EQ(pacer.TakeDue(1016), 1);
    EXPECT_EQ(pacer.WaitFrom(1016), 16u);
    // The schedule is the clock's, not the readings': a late pass does not push the next one.
    EXPECT_EQ(pacer.TakeDue(1040), 1);
    EXPECT_EQ(pacer.WaitFrom(1040), 8u);
    // 62.5 passes a second over a long run, whatever the readings' jitter.
    PassPacer steady;
    steady.Start(0);
    int passes = 0;
    for (uint32_t now = 0; now < 10000; now += 7 + now % 13) passes += steady.TakeDue(now);
    EXPECT_GE(passes, 624);
    EXPECT_LE(passes, 626);
}

TEST(PassPacer, PassesOwedRunBackToBackUpToFourAPicture) {
    PassPacer pacer;
    pacer.Start(0);
    ASSERT_EQ(pacer.TakeDue(0), 1);  // next due at 16
    // Behind by one pass (the next one due too), by three, by ten.
    EXPECT_EQ(pacer.TakeDue(32), 2);  // passes due at 16 and 32
    EXPECT_EQ(pacer.TakeDue(48 + 2 * kPass), 3);
    EXPECT_EQ(pacer.BehindAt(96), 0u);
    EXPECT_EQ(pacer.TakeDue(96 + 10 * kPass), PassPacer::kMaxPassesPerPicture);
    // What was owed beyond the four is forgiven: the next pass is one period later.
    EXPECT_EQ(pacer.WaitFrom(256), kPass);
    EXPECT_EQ(pacer.TakeDue(256 + kPass), 1);
}

TEST(PassPacer, AMachineThatCannotKeepUpSlowsTheGameWithoutFreezingThePicture) {
    // Every turn takes 100 ms: four passes a picture, forever, and nothing piles up.
    PassPacer pacer;
    pacer.Start(0);
    std::vector<uint32_t> readings;
    for (uint32_t t = 0; t <= 1000; t += 100) readings.push_back(t);
    const std::vector<int> taken = TakeAt(pacer, readings);
    EXPECT_EQ(taken.front(), 1);
    for (size_t i = 1; i < taken.size(); ++i) EXPECT_EQ(taken[i], 4) << i;
    EXPECT_EQ(pacer.BehindAt(1000), 0u);
}

TEST(PassPacer, AStallIsNeverCaughtUp) {
    PassPacer pacer;
    pacer.Start(0);
    ASSERT_EQ(pacer.TakeDue(0), 1);
    // Half a second is still a slow machine...
    EXPECT_EQ(pacer.TakeDue(16 + PassPacer::kStallMs), 4);
    // ...a debugger or a suspended laptop is not: one pass, and the clock starts afresh.
    const uint32_t woke = 600 + 30000;
    EXPECT_EQ(pacer.TakeDue(woke), 1);
    EXPECT_EQ(pacer.WaitFrom(woke), kPass);
    EXPECT_EQ(TakeAt(pacer, {woke + 16, woke + 32, woke + 48}), (std::vector<int>{1, 1, 1}));
}

TEST(PassPacer, RestartForgivesWhatIsOwed) {
    // A scene took 300 ms to build: the pass after it comes a period later, as after any
    // pass on time, and alone.
    PassPacer pacer;
    pacer.Start(0);
    ASSERT_EQ(pacer.TakeDue(0), 1);
    pacer.Restart(316);
    EXPECT_EQ(pacer.WaitFrom(316), kPass);
    EXPECT_EQ(pacer.TakeDue(316), 0);
    EXPECT_EQ(pacer.TakeDue(332), 1);
    EXPECT_EQ(pacer.TakeDue(347), 0);
    EXPECT_EQ(pacer.TakeDue(348), 1);
}

TEST(PassPacer, TheClockMayWrapAroundMidGame) {
    PassPacer pacer;
    const uint32_t start = UINT32_MAX - 20;
    pacer.Start(start);
    ASSERT_EQ(pacer.TakeDue(start), 1);
    EXPECT_EQ(pacer.WaitFrom(start + 5), 11u);
    // Readings past the wrap are later, not 4 billion milliseconds earlier.
    EXPECT_EQ(pacer.TakeDue(start + 16), 1);
    EXPECT_EQ(pacer.TakeDue(start + 16 + 3 * kPass), 3);
    EXPECT_EQ(pacer.TakeDue(start + 16 + 3 * kPass + 1), 0);
}

TEST(PassPacer, ALongerPeriodPacesFewerPasses) {
    PassPacer pacer(1000 / 30);
    pacer.Start(0);
    EXPECT_EQ(TakeAt(pacer, {0, 20, 33, 99}), (std::vector<int>{1, 0, 1, 2}));
    // A period of zero would run passes without end; it counts as one millisecond.
    EXPECT_EQ(PassPacer(0).GetPassMs(), 1u);
}

}  // namespace
