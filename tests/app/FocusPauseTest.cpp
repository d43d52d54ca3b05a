// The game holds still while its window is in the background: no game pass runs, the sound
// is paused, and everything resumes where it stopped.
#include <gtest/gtest.h>

#include <vector>

#include "app/Application.h"
#include "app/FocusPause.h"
#include "engine/audio/AudioManager.h"
#include "engine/audio/FwSoundInstance.h"
#include "engine/audio/SoundCache.h"
#include "support/GameHarness.h"

namespace {

class CountingScene : public SceneBase {
public:
    explicit CountingScene(std::vector<uint64_t>& updates) : updates(updates) {}
    void Update() override {
        updates.push_back(static_cast<ScriptedPlatform&>(GetPlatform()).GetPass());
    }

private:
    std::vector<uint64_t>& updates;
};

PassInput FocusLostFrom(uint64_t pass, uint64_t first, uint64_t last) {
    PassInput input;
    input.focused = pass < first || pass > last;
    return input;
}

TEST(FocusPause, NoGamePassRunsWhileTheWindowIsInactive) {
    GameHarness harness;
    std::vector<uint64_t> updates;
    std::vector<bool> paused;
    harness.Platform().SetScript([](uint64_t pass) { return FocusLostFrom(pass, 4, 7); });
    harness.Platform().SetPresentHook(
        [&](uint64_t) { paused.push_back(AudioManager::GetInstance().IsOutputPaused()); });
    harness.Run([&] { return new CountingScene(updates); }, 10);
    EXPECT_EQ(updates, (std::vector<uint64_t>{1, 2, 3, 8, 9, 10}));
    // The window is still drawn (the last picture) and the loop still paces itself.
    EXPECT_EQ(harness.Platform().GetSwapCount(), 10);
    EXPECT_EQ(harness.Platform().GetSleeps().size(), 10u);
    // The sound is held exactly over the inactive passes.
    const std::vector<bool> expected = {false, false, false, true,  true,
                                        true,  true,  false, false, false};
    EXPECT_EQ(paused, expected);
    EXPECT_FALSE(AudioManager::GetInstance().IsOutputPaused());
}

TEST(FocusPause, ARunThatEndsInactiveLeavesTheSoundRunning) {
    GameHarness harness;
    std::vector<uint64_t> updates;
    harness.Platform().SetScript([](uint64_t pass) { return FocusLostFrom(pass, 2, 99); });
    harness.Run([&] { return new CountingScene(updates); }, 4);
    EXPECT_EQ(updates, (std::vector<uint64_t>{1}));
    EXPECT_FALSE(AudioManager::GetInstance().IsOutputPaused());
}

TEST(FocusPause, PausedVoicesStayPlayingAndInThePlayList) {
    GameHarness harness;
    bool checked = false;
    harness.Platform().SetPassHook([&](uint64_t pass) {
        AudioManager& audio = AudioManager::GetInstance();
        FocusPause pause;
        if (pass != 2) return;
        const auto music = PlaySound("Data/sound/title.wav", 0.03f, true);
        ASSERT_NE(music, nullptr);
        ASSERT_TRUE(pause.Update(true));
        EXPECT_FALSE(pause.Update(false));
        EXPECT_TRUE(pause.IsPaused());
        EXPECT_TRUE(audio.IsOutputPaused());
        // The game's own update between passes drops voices that stopped; a paused device
        // must not look like stopped voices.
        audio.Update();
        EXPECT_TRUE(audio.IsInPlayList(music.get()));
        EXPECT_TRUE(music->IsPlaying());
        EXPECT_TRUE(pause.Update(true));
        EXPECT_FALSE(audio.IsOutputPaused());
        checked = true;
    });
    harness.Run([] { return new SceneBase; }, 2);
    EXPECT_TRUE(checked);
}

}  // namespace
