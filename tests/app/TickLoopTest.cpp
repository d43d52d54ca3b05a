// The loop driven turn by turn by its host (a browser's animation frames, a test), and
// how it ends.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "app/Application.h"
#include "app/SceneManager.h"
#include "support/GameHarness.h"

namespace {

// Ends a host-paced run as a player closing the window would, so that the application
// shuts down (and frees its GPU objects while the context exists).
void CloseAndTickOut(ScriptedPlatform& platform) {
    Application& application = Application::GetInstance();
    platform.SetPassLimit(platform.GetPass());
    for (int turn = 0; turn < 100 && application.Tick(); ++turn) platform.AdvanceTime(16);
    application.SetHostPaced(false);
}

class CountingScene : public SceneBase {
public:
    CountingScene(int& updates, bool& destroyed) : updates(updates), destroyed(destroyed) {}
    ~CountingScene() override { destroyed = true; }
    void Update() override { ++updates; }

private:
    int& updates;
    bool& destroyed;
};

// Starts the application on the harness's platform and ticks until it stops; the number
// of turns that said "go on".
int TickUntilStopped(int& updates, bool& destroyed) {
    Application& application = Application::GetInstance();
    application.SetHostPaced(false);
    EXPECT_TRUE(application.Start([&] { return new CountingScene(updates, destroyed); }));
    int turns = 0;
    while (application.Tick()) {
        ++turns;
        if (turns > 1000) break;  // a loop that never ends fails the checks below
    }
    return turns;
}

TEST(TickLoop, EndsOnEscapeTheCloseButtonAndAQuitRequestAsRunDoes) {
    for (WindowAction action :
         {WindowAction::PressEscape, WindowAction::CloseButton, WindowAction::Quit}) {
        SCOPED_TRACE(static_cast<int>(action));
        GameHarness harness;
        harness.Platform().SetScript([action](uint64_t pass) {
            PassInput input;
            if (pass == 7) input.window.push_back(action);
            return input;
        });
        int updates = 0;
        bool destroyed = false;
        const int turns = TickUntilStopped(updates, destroyed);
        // Six whole passes; the pump of the seventh closes the window, and that turn
        // updates, draws and presents nothing, then shuts the application down.
        EXPECT_EQ(turns, 6);
        EXPECT_EQ(updates, 6);
        EXPECT_EQ(harness.Platform().GetSwapCount(), 6);
        EXPECT_FALSE(harness.Platform().IsWindowOpen());
        EXPECT_TRUE(destroyed);
        EXPECT_EQ(SceneManager::GetInstance().GetCurrent(), nullptr);
    }
}

// A host-paced run of a counting scene.
struct HostPacedRun {
    GameHarness harness;
    ScriptedPlatform& platform = harness.Platform();
    Application& application = Application::GetInstance();
    int updates = 0;
    bool destroyed = false;

    bool Start() {
        application.SetHostPaced(true);
        return application.Start([this] { return new CountingScene(updates, destroyed); });
    }
};

TEST(TickLoop, AHostPacedTurnRunsOnlyThePassesDueAndNeverSleeps) {
    HostPacedRun run;
    ASSERT_TRUE(run.Start());
    ScriptedPlatform& platform = run.platform;
    Application& application = run.application;
    int& updates = run.updates;
    // A 100 Hz display's animation frames: 10 ms apart.
    std::vector<int> updatesPerFrame;
    for (int frame = 0; frame < 100; ++frame) {
        const int before = updates;
        const int swapsBefore = platform.GetSwapCount();
        ASSERT_TRUE(application.Tick());
        updatesPerFrame.push_back(updates - before);
        // A frame without a pass due pumps nothing and presents nothing.
        EXPECT_EQ(platform.GetSwapCount() - swapsBefore, updates > before ? 1 : 0);
        platform.AdvanceTime(10);
    }
    EXPECT_TRUE(platform.GetSleeps().empty());
    // One second of frames: 62 or 63 passes, one at most per 10 ms frame.
    EXPECT_GE(updates, 62);
    EXPECT_LE(updates, 63);
    for (int n : updatesPerFrame) EXPECT_LE(n, 1);
    EXPECT_EQ(static_cast<uint64_t>(updates), platform.GetPass());
    EXPECT_EQ(application.GetLoopCounts().pictures, static_cast<uint64_t>(updates));
    CloseAndTickOut(platform);
    EXPECT_TRUE(run.destroyed);
}

TEST(TickLoop, SixtyHertzFramesRunTheOddSecondPassToKeepSixtyTwoAndAHalf) {
    // With vertical sync on a 60 Hz display a turn comes every 16.7 ms; the game's passes
    // stay 16 ms apart, so now and then a turn runs two.
    HostPacedRun run;
    ASSERT_TRUE(run.Start());
    ScriptedPlatform& platform = run.platform;
    Application& application = run.application;
    int& updates = run.updates;
    int doubles = 0;
    for (int frame = 0; frame < 300; ++frame) {
        const int before = updates;
        ASSERT_TRUE(application.Tick());
        doubles += updates - before == 2;
        EXPECT_GE(updates - before, 1);
        EXPECT_LE(updates - before, 2);
        platform.AdvanceTime(frame % 3 == 2 ? 16 : 17);  // 50 ms every three frames
    }
    // Five seconds: 312 or 313 passes in 300 pictures.
    EXPECT_NEAR(updates, 312, 1);
    EXPECT_NEAR(doubles, 12, 1);
    CloseAndTickOut(platform);
    EXPECT_TRUE(run.destroyed);
}

TEST(TickLoop, VsyncFollowsTheSettingAndTheRenderer) {
    const auto requests = [](int vsync) {
        GameHarness harness;
        SettingsStore& settings = Application::GetInstance().GetSettings();
        settings.Override([vsync](Settings& s) { s.vsync = vsync; });
        harness.Run([] { return new SceneBase; }, 1);
        settings.Override([](Settings& s) { s.vsync = 0; });
        return harness.Platform().GetVsyncRequests();
    };
    // Tests keep it off; auto is off on this software rasteriser and would be on a GPU.
    EXPECT_EQ(requests(0), (std::vector<bool>{false}));
    EXPECT_EQ(requests(1), (std::vector<bool>{true}));
    EXPECT_EQ(requests(Settings::kAuto), (std::vector<bool>{false}));
    EXPECT_TRUE(PictureQuality::VsyncFor(Settings::kAuto, false));
    EXPECT_FALSE(PictureQuality::VsyncFor(Settings::kAuto, true));
    EXPECT_TRUE(PictureQuality::VsyncFor(1, true));
    EXPECT_FALSE(PictureQuality::VsyncFor(0, false));
}

}  // namespace
