#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <set>
#include <vector>

#include "app/Application.h"
#include "app/SceneManager.h"
#include "engine/platform/Keys.h"
#include "engine/platform/RecordingPlatform.h"
#include "engine/platform/ReplayPlatform.h"
#include "support/GameHarness.h"

namespace {

// A scene whose state depends on everything a real battle depends on: a seed from the
// clock, keys, and mouse motion read the way the camera reads it.
class ProbeScene : public SceneBase {
public:
    explicit ProbeScene(std::vector<uint64_t>& trace) : trace(trace) {
        std::srand(GetPlatform().GetTime());
    }
    void Update() override {
        Platform& platform = GetPlatform();
        const PlatformPoint centre = platform.ClientToScreen({640, 360});
        const PlatformPoint cursor = platform.GetCursorPos();
        platform.SetCursorPos(centre);
        // A wrapping hash of everything read: unsigned, so the overflow is defined.
        state =
            state * 31 + static_cast<uint64_t>((cursor.x - centre.x) * 7 + (cursor.y - centre.y));
        if (platform.IsKeyDown('W')) state += 1000;
        if (platform.IsKeyDown(vk::LButton)) state += static_cast<uint64_t>(std::rand() % 97);
        trace.push_back(state);
    }

private:
    std::vector<uint64_t>& trace;
    uint64_t state = 0;
};

PassInput Script(uint64_t pass) {
    PassInput input;
    if (pass % 3 == 0) input.held.insert('W');
    if (pass % 5 < 2) input.held.insert(vk::LButton);
    input.mouseDx = static_cast<int>(pass % 7) - 3;
    input.mouseDy = static_cast<int>(pass % 4) - 1;
    return input;
}

TEST(InputLogFile, RoundTripsThroughText) {
    InputLog log;
    log.passes.resize(3);
    log.passes[0].timeReads = {1000};
    log.passes[1].held = {vk::LButton, 'W', vk::Return};
    log.passes[1].cursorReads = {{740, 410}, {-3, 5}};
    log.passes[1].timeReads = {1016, 1016, 4294967295u};
    InputLog back;
    ASSERT_TRUE(back.FromText(log.ToText()));
    EXPECT_EQ(back.passes, log.passes);

    const auto path = std::filesystem::temp_directory_path() / "hoshikage_input_roundtrip.txt";
    ASSERT_TRUE(log.Save(path.string()));
    InputLog loaded;
    ASSERT_TRUE(loaded.Load(path.string()));
    EXPECT_EQ(loaded.passes, log.passes);
    std::filesystem::remove(path);
}

TEST(InputLogFile, KeepsInactivePassesAndReadsOlderRecordings) {
    InputLog log;
    log.passes.resize(3);
    log.passes[1].inactive = true;
    log.passes[1].timeReads = {1016, 1032};
    log.passes[2].held = {'W'};
    InputLog back;
    ASSERT_TRUE(back.FromText(log.ToText()));
    EXPECT_EQ(back.passes, log.passes);

    // A recording from before the focus mark existed: every pass was active.
    ASSERT_TRUE(back.FromText("hoshikage-input 1\nk - c - t 1000\nk 57 c 3,4 t 1016 1032\n"));
    ASSERT_EQ(back.passes.size(), 2u);
    EXPECT_FALSE(back.passes[1].inactive);
    EXPECT_EQ(back.passes[1].held, (std::set<int>{'W'}));
    // The mark is not part of the older format, and stands only before the clock readings.
    EXPECT_FALSE(back.FromText("hoshikage-input 1\nk - c - p t 1000\n"));
    EXPECT_FALSE(back.FromText("hoshikage-input 2\nk - p c - t 1000\n"));
    EXPECT_FALSE(back.FromText("hoshikage-input 2\nk - c - p\n"));
}

TEST(InputLogFile, RejectsDamagedFiles) {
    InputLog log;
    EXPECT_FALSE(log.Load("/nonexistent/hoshikage/input.txt"));
    EXPECT_FALSE(log.FromText(""));
    EXPECT_FALSE(log.FromText("not a log\nk - c - t -\n"));
    EXPECT_FALSE(log.FromText("hoshikage-input 1\nk zz c - t -\n"));
    EXPECT_FALSE(log.FromText("hoshikage-input 1\nk - c 1;2 t -\n"));
    EXPECT_FALSE(log.FromText("hoshikage-input 1\nk - c - t 12x\n"));
    EXPECT_FALSE(log.FromText("hoshikage-input 1\nk 1ff c - t -\n"));
    EXPECT_TRUE(log.passes.empty());
    EXPECT_TRUE(log.FromText("hoshikage-input 1\nk - c - t -\n"));
    EXPECT_EQ(log.passes.size(), 1u);
}

TEST(Replay, ReproducesARecordedRunPassForPass) {
    PrepareHeadlessEnvironment();
    std::vector<uint64_t> recorded;
    InputLog log;
    {
        // Record: the scripted platform stands in for the player at a real window; its
        // clock starts at an odd time so the seed is not a default.
        auto scripted = std::make_unique<ScriptedPlatform>(123457);
        scripted->SetScript(Script);
        scripted->SetPassLimit(120);
        auto recorder = std::make_unique<RecordingPlatform>(std::move(scripted));
        RecordingPlatform* recording = recorder.get();
        SetPlatform(std::move(recorder));
        Application::GetInstance().Run([&] { return new ProbeScene(recorded); });
        log = recording->GetLog();
        SetPlatform(nullptr);
    }
    ASSERT_EQ(recorded.size(), 120u);
    // Passes 1..120 plus the pump that closed the window.
    ASSERT_GE(log.passes.size(), 121u);

    InputLog reloaded;
    ASSERT_TRUE(reloaded.FromText(log.ToText()));
    std::vector<uint64_t> replayed;
    {
        // Replay on a clock that starts elsewhere: every reading must come from the log.
        auto replay = std::make_unique<ReplayPlatform>(reloaded);
        ReplayPlatform* player = replay.get();
        SetPlatform(std::move(replay));
        Application::GetInstance().Run([&] { return new ProbeScene(replayed); });
        EXPECT_FALSE(player->IsDiverged());
        SetPlatform(nullptr);
    }
    EXPECT_EQ(replayed.size(), recorded.size());
    EXPECT_EQ(replayed, recorded);
}

TEST(Replay, ReproducesARunWhoseWindowLostTheFocus) {
    PrepareHeadlessEnvironment();
    const auto script = [](uint64_t pass) {
        PassInput input = Script(pass);
        // The player switches away twice, holding keys and moving the mouse meanwhile.
        input.focused = !(pass >= 30 && pass < 45) && !(pass >= 80 && pass < 81);
        return input;
    };
    std::vector<uint64_t> recorded;
    InputLog log;
    {
        auto scripted = std::make_unique<ScriptedPlatform>(98765);
        scripted->SetScript(script);
        scripted->SetPassLimit(120);
        auto recorder = std::make_unique<RecordingPlatform>(std::move(scripted));
        RecordingPlatform* recording = recorder.get();
        SetPlatform(std::move(recorder));
        Application::GetInstance().Run([&] { return new ProbeScene(recorded); });
        log = recording->GetLog();
        SetPlatform(nullptr);
    }
    // 16 of the 120 passes ran no game logic.
    ASSERT_EQ(recorded.size(), 104u);
    size_t inactive = 0;
    for (const PassLog& pass : log.passes) inactive += pass.inactive;
    EXPECT_EQ(inactive, 16u);

    InputLog reloaded;
    ASSERT_TRUE(reloaded.FromText(log.ToText()));
    std::vector<uint64_t> replayed;
    {
        auto replay = std::make_unique<ReplayPlatform>(reloaded);
        ReplayPlatform* player = replay.get();
        SetPlatform(std::move(replay));
        Application::GetInstance().Run([&] { return new ProbeScene(replayed); });
        EXPECT_FALSE(player->IsDiverged());
        SetPlatform(nullptr);
    }
    EXPECT_EQ(replayed, recorded);

    // Without the marks the replay would run the paused passes and go its own way.
    InputLog unmarked = reloaded;
    for (PassLog& pass : unmarked.passes) pass.inactive = false;
    std::vector<uint64_t> wrong;
    {
        auto replay = std::make_unique<ReplayPlatform>(unmarked);
        ReplayPlatform* player = replay.get();
        SetPlatform(std::move(replay));
        Application::GetInstance().Run([&] { return new ProbeScene(wrong); });
        EXPECT_TRUE(player->IsDiverged());
        SetPlatform(nullptr);
    }
    EXPECT_NE(wrong, recorded);
}

}  // namespace
