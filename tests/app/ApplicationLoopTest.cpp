#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/Application.h"
#include "app/InputLatch.h"
#include "app/SceneManager.h"
#include "engine/graphics/GraphicsDevice.h"
#include "engine/platform/Keys.h"
#include "engine/platform/SystemConventions.h"
#include "support/Environment.h"
#include "support/GameHarness.h"

namespace {

// A scene that records what happens to it and can pretend to take time.
struct Journal {
    std::vector<std::string> events;
};

class RecordingScene : public SceneBase {
public:
    RecordingScene(Journal& journal, std::string name, uint32_t workMs = 0)
        : journal(journal), name(std::move(name)), workMs(workMs) {}
    ~RecordingScene() override { journal.events.push_back(name + ":destroy"); }
    void Update() override {
        journal.events.push_back(name + ":update");
        if (workMs) static_cast<ScriptedPlatform&>(GetPlatform()).AdvanceTime(workMs);
        if (onUpdate) onUpdate();
    }
    void Draw() override {
        journal.events.push_back(name + ":draw");
        if (onDraw) onDraw();
    }

    std::function<void()> onUpdate;
    std::function<void()> onDraw;

private:
    Journal& journal;
    std::string name;
    uint32_t workMs;
};

TEST(ApplicationLoop, SleepsOutTheRestOfASixteenMillisecondBudget) {
    GameHarness harness;
    Journal journal;
    harness.Run([&] { return new RecordingScene(journal, "a", 5); }, 3);
    ASSERT_EQ(harness.Platform().GetSleeps().size(), 3u);
    for (uint32_t sleep : harness.Platform().GetSleeps()) EXPECT_EQ(sleep, 11u);
}

TEST(ApplicationLoop, SlowPassesDoNotSleepAndAreNotMadeUpFor) {
    GameHarness harness;
    Journal journal;
    harness.Run([&] { return new RecordingScene(journal, "a", 16); }, 4);
    EXPECT_TRUE(harness.Platform().GetSleeps().empty());

    GameHarness again;
    again.Run([&] { return new RecordingScene(journal, "b", 40); }, 2);
    EXPECT_TRUE(again.Platform().GetSleeps().empty());
}

TEST(ApplicationLoop, SlowPassesDrawTheWorldSmallerOnlyWithAnAutomaticRenderScale) {
    // 40 ms of work a pass; the width of the viewport each Draw saw.
    const auto run = [](std::vector<float>& widths) {
        GameHarness harness;
        Journal journal;
        harness.Run(
            [&] {
                auto* scene = new RecordingScene(journal, "a", 40);
                scene->onDraw = [&] {
                    widths.push_back(GraphicsDevice::GetInstance().GetViewport().width);
                };
                return scene;
            },
            120);
        return journal.events.size();
    };
    std::vector<float> fixedWidths, autoWidths;
    const size_t fixedEvents = run(fixedWidths);
    EXPECT_EQ(fixedWidths.back(), 1280.0f) << "tests draw at full scale";

    SettingsStore& settings = Application::GetInstance().GetSettings();
    settings.Override([](Settings& s) { s.renderScale = Settings::kAuto; });
    const size_t autoEvents = run(autoWidths);
    settings.Override([](Settings& s) { s.renderScale = Settings::kMaxRenderScale; });
    EXPECT_EQ(autoWidths.front(), 1280.0f);
    EXPECT_EQ(autoWidths.back(), 640.0f) << "40 ms a pass is far over the budget";
    // The passes themselves are the same.
    EXPECT_EQ(autoEvents, fixedEvents);
}

TEST(ApplicationLoop, PassWhoseWindowClosesRunsNothingElse) {
    GameHarness harness;
    Journal journal;
    harness.Run([&] { return new RecordingScene(journal, "a"); }, 2);
    // Two full passes, then the pump of the third closes the window: no third update,
    // draw or present.
    int updates = 0;
    for (const auto& e : journal.events) updates += e == "a:update";
    EXPECT_EQ(updates, 2);
    EXPECT_EQ(harness.Platform().GetSwapCount(), 2);
    EXPECT_FALSE(harness.Platform().IsWindowOpen());
    // The scene is gone at shutdown.
    EXPECT_EQ(journal.events.back(), "a:destroy");
}

TEST(ApplicationLoop, FailedWindowCreationShowsOnlyItsMessage) {
    GameHarness harness;
    harness.Platform().SetFailWindowCreation(true);
    bool built = false;
    harness.Run(
        [&] {
            built = true;
            return new SceneBase;
        },
        5);
    ASSERT_EQ(harness.Platform().GetMessages().size(), 1u);
    const auto& message = harness.Platform().GetMessages()[0];
    EXPECT_EQ(message.caption, "エラー");
    EXPECT_EQ(message.text, "ウィンドウ作成に失敗");
    EXPECT_FALSE(message.withOwner);
    EXPECT_FALSE(built);
    EXPECT_EQ(harness.Platform().GetPass(), 0u);
    EXPECT_EQ(harness.Platform().GetSwapCount(), 0);
}

// OpenAL picks its backend once per process, so the run without a device happens in a
// child process started afresh; it reports the message it was shown on stderr.
TEST(ApplicationLoop, WithoutASoundDeviceTheMessageSaysWhatFailedAndHowToPlaySilently) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            SetEnv("ALSOFT_DRIVERS", "no-such-backend");
            SetEnv("ALSOFT_LOGLEVEL", "0");
            GameHarness harness;
            bool built = false;
            harness.Run(
                [&] {
                    built = true;
                    return new SceneBase;
                },
                5);
            const auto& messages = harness.Platform().GetMessages();
            if (messages.size() != 1 || built || harness.Platform().GetSwapCount() != 0)
                std::exit(2);
            // The message ends with this system's way to play without sound; the rest is
            // reported on one line, since not every death-test matcher spans lines.
            std::string text = messages[0].text;
            const bool hint = text.ends_with(StartWithoutSoundHint());
            std::replace(text.begin(), text.end(), '\n', ' ');
            std::fprintf(stderr, "[%s] %s\n", messages[0].caption.c_str(), text.c_str());
            std::exit(!hint ? 4 : messages[0].error && messages[0].withOwner ? 0 : 3);
        },
        ::testing::ExitedWithCode(0),
        "\\[サウンド初期化失敗\\] .*could not open the default sound output device "
        "\\(ALSOFT_DRIVERS=no-such-backend\\)");
}

TEST(ApplicationLoop, WindowHasTheGameCaptionAndClientSize) {
    GameHarness harness;
    PlatformPoint size;
    harness.Platform().SetPassHook([&](uint64_t) { size = harness.Platform().GetClientSize(); });
    harness.Run([] { return new SceneBase; }, 1);
    EXPECT_EQ(size, (PlatformPoint{1280, 720}));
    EXPECT_STREQ(Application::kCaption, "ほしかげ ミルトス　ver1.0.5");
}

TEST(SceneSwitch, RequestedSceneStartsNextPassAfterTheOldOneIsDrawnAndDeleted) {
    GameHarness harness;
    Journal journal;
    harness.Run(
        [&] {
            auto* first = new RecordingScene(journal, "a");
            first->onUpdate = [&journal] {
                if (journal.events.size() == 1)
                    SceneManager::GetInstance().SetScene(new RecordingScene(journal, "b"));
            };
            return first;
        },
        2);
    const std::vector<std::string> expected{"a:update", "a:draw", "a:destroy",
                                            "b:update", "b:draw", "b:destroy"};
    EXPECT_EQ(journal.events, expected);
}

TEST(SceneSwitch, SettingTheCurrentSceneChangesNothing) {
    GameHarness harness;
    Journal journal;
    RecordingScene* first = nullptr;
    harness.Run(
        [&] {
            first = new RecordingScene(journal, "a");
            first->onUpdate = [&] { SceneManager::GetInstance().SetScene(first); };
            return first;
        },
        3);
    int updates = 0;
    for (const auto& e : journal.events) updates += e == "a:update";
    EXPECT_EQ(updates, 3);
    EXPECT_EQ(journal.events.back(), "a:destroy");
}

TEST(SceneSwitch, NullSceneKeepsTheLoopPumpingAndPresenting) {
    GameHarness harness;
    Journal journal;
    harness.Run(
        [&] {
            auto* first = new RecordingScene(journal, "a");
            first->onUpdate = [] { SceneManager::GetInstance().SetScene(nullptr); };
            return first;
        },
        5);
    EXPECT_EQ(journal.events, (std::vector<std::string>{"a:update", "a:draw", "a:destroy"}));
    EXPECT_EQ(harness.Platform().GetSwapCount(), 5);
    EXPECT_EQ(SceneManager::GetInstance().GetCurrent(), nullptr);
}

TEST(SceneSwitch, PendingScenesAreNeverLeaked) {
    Journal journal;
    {
        GameHarness harness;
        SceneManager& scenes = SceneManager::GetInstance();
        scenes.SetScene(new RecordingScene(journal, "first"));
        // A second request before the first started replaces (and deletes) it.
        scenes.SetScene(new RecordingScene(journal, "second"));
        EXPECT_EQ(journal.events, (std::vector<std::string>{"first:destroy"}));
    }
    // The harness clears the manager as the process exit would: the pending one goes too.
    EXPECT_EQ(journal.events.back(), "second:destroy");
}

TEST(InputLatchRule, ActsOncePerPressAndWaitsForRelease) {
    bool latched = false;
    EXPECT_TRUE(InputLatch::Trigger(true, latched));
    EXPECT_FALSE(InputLatch::Trigger(true, latched));
    EXPECT_FALSE(InputLatch::Trigger(true, latched));
    EXPECT_FALSE(InputLatch::Trigger(false, latched));
    EXPECT_FALSE(latched);
    EXPECT_TRUE(InputLatch::Trigger(true, latched));
}

TEST(InputLatchRule, EnterAndClickLatchesAreSeparateAndSharedAcrossScenes) {
    InputLatch& latch = InputLatch::GetInstance();
    latch.SetEnter(false);
    latch.SetClick(false);
    EXPECT_TRUE(latch.TriggerClick(true));
    // A later scene asking about the same still-held click sees no new press...
    EXPECT_FALSE(InputLatch::GetInstance().TriggerClick(true));
    // ...while Enter is independent.
    EXPECT_TRUE(latch.TriggerEnter(true));
    EXPECT_FALSE(latch.TriggerClick(false));
    EXPECT_TRUE(latch.TriggerClick(true));
    latch.SetEnter(false);
    latch.SetClick(false);
}

}  // namespace
