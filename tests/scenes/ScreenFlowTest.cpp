#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <string>

#include "app/InputLatch.h"
#include "app/SceneManager.h"
#include "engine/audio/AudioManager.h"
#include "engine/graphics/FwScreenshot.h"
#include "engine/platform/Keys.h"
#include "game/scenes/Clear.h"
#include "game/scenes/GameScene.h"
#include "game/scenes/Gameover.h"
#include "game/scenes/Title.h"
#include "support/GameHarness.h"
#include "support/Voices.h"

namespace {

template <typename T>
T* Current() {
    return dynamic_cast<T*>(SceneManager::GetInstance().GetCurrent());
}

// Screenshots land in the build folder's screens/ for a person to look at.
void Shot(const std::string& name) {
    std::filesystem::create_directories("screens");
    EXPECT_TRUE(FwSaveScreenshot("screens/" + name + ".png"));
}

// Mean of each pixel's brightest channel, 0..1, over a screen rectangle (top-left origin).
float MeanBrightness(int x0, int y0, int x1, int y1) {
    double sum = 0.0;
    int count = 0;
    for (int y = y0; y < y1; y += 4) {
        for (int x = x0; x < x1; x += 4) {
            uint8_t rgba[4] = {};
            if (!FwReadPixel(x, y, rgba)) return -1.0f;
            sum += std::max({rgba[0], rgba[1], rgba[2]}) / 255.0;
            ++count;
        }
    }
    return count > 0 ? static_cast<float>(sum / count) : 0.0f;
}

TEST(TitleScreen, EnterHeldFromTheLastSceneWaitsForARelease) {
    GameHarness harness;
    harness.DrawNothing();
    InputLatch::GetInstance().SetEnter(true);  // Enter pressed on the previous screen
    harness.Platform().SetScript([](uint64_t pass) {
        // Held through pass 20, released for one pass, pressed again from pass 22.
        if (pass <= 20 || pass >= 22) return GameHarness::Hold({vk::Return});
        return PassInput{};
    });
    uint64_t startedAt = 0;
    harness.Platform().SetPresentHook([&](uint64_t pass) {
        Title* title = Current<Title>();
        if (title && title->IsStarted() && !startedAt) startedAt = pass;
    });
    harness.Run([] { return new Title; }, 30);
    EXPECT_EQ(startedAt, 22u);
}

TEST(TitleScreen, EnterAndClickTogetherStartOnceWithOneStartSound) {
    GameHarness harness;
    harness.DrawNothing();
    harness.Platform().SetScript([](uint64_t pass) {
        return pass >= 5 ? GameHarness::Hold({vk::Return, vk::LButton}) : PassInput{};
    });
    size_t voicesBefore = 0, voicesAfter = 0;
    uint64_t requested = 0;
    harness.Platform().SetPresentHook([&](uint64_t pass) {
        if (pass == 4) voicesBefore = AudioManager::GetInstance().GetPlayListSize();
        if (pass == 5) voicesAfter = AudioManager::GetInstance().GetPlayListSize();
        if (!requested && SceneManager::GetInstance().IsChangePending()) requested = pass;
    });
    harness.Run([] { return new Title; }, 110);
    // The music (stopped, dropped at the next update) and one start sound.
    EXPECT_EQ(voicesAfter, voicesBefore + 1);
    // The fade: 0.01 per pass from pass 5, the battle requested when it first exceeds 1.
    EXPECT_EQ(requested, 105u);
}

TEST(TitleScreen, RobotFliesByThenDropsIntoTheCloseUp) {
    GameHarness harness;
    harness.DrawOnly([](uint64_t pass) { return pass == 150 || pass == 420; });
    uint64_t closeUpAt = 0, restingAt = 0;
    bool thrustersGoneAtCloseUp = false;
    float closeUpLight = -1.0f;
    harness.Platform().SetPresentHook([&](uint64_t pass) {
        Title* title = Current<Title>();
        ASSERT_NE(title, nullptr);
        const Vector3 p = title->GetRobotMatrix().Translation();
        if (!closeUpAt && p.z == 5.0f) closeUpAt = pass;
        if (closeUpAt && pass == closeUpAt + 1) thrustersGoneAtCloseUp = !title->HasThrusters();
        if (!restingAt && p.y == -9.0f) restingAt = pass;
        if (pass == 150) Shot("title_flyby");
        if (pass == 420) {
            Shot("title_closeup");
            closeUpLight = MeanBrightness(500, 300, 780, 540);
        }
    });
    harness.Run([] { return new Title; }, 420);
    EXPECT_EQ(closeUpAt, 301u);
    EXPECT_TRUE(thrustersGoneAtCloseUp);
    EXPECT_GE(restingAt, closeUpAt + 69);
    EXPECT_LE(restingAt, closeUpAt + 72);
    // The robot's chest fills the middle of the close-up; it must not be a silhouette.
    EXPECT_GT(closeUpLight, 0.3f);
}

TEST(ClearScreen, AClickHeldSinceTheBattleDoesNotStartTheFade) {
    GameHarness harness;
    harness.DrawOnly([](uint64_t pass) { return pass == 10; });
    InputLatch::GetInstance().SetClick(true);
    harness.Platform().SetScript([](uint64_t pass) {
        if (pass <= 50) return GameHarness::Hold({vk::LButton});
        if (pass >= 60) return GameHarness::Hold({vk::LButton});
        return PassInput{};
    });
    uint64_t startedAt = 0;
    harness.Platform().SetPresentHook([&](uint64_t pass) {
        Clear* clear = Current<Clear>();
        if (clear && clear->IsStarted() && !startedAt) startedAt = pass;
        if (pass == 10) Shot("clear");
    });
    harness.Run([] { return new Clear; }, 70);
    EXPECT_EQ(startedAt, 60u);
}

TEST(ClearScreen, WaitsForeverWithoutInput) {
    GameHarness harness;
    harness.DrawNothing();
    bool changed = false, started = true;
    harness.Platform().SetPresentHook([&](uint64_t pass) {
        changed = changed || SceneManager::GetInstance().IsChangePending();
        if (pass == 1500) started = !Current<Clear>() || Current<Clear>()->IsStarted();
    });
    harness.Run([] { return new Clear; }, 1500);
    EXPECT_FALSE(changed);
    EXPECT_FALSE(started);
}

TEST(GameoverScreen, ReturnsToTheTitleByItselfAfterTheTimeOut) {
    GameHarness harness;
    harness.DrawOnly([](uint64_t pass) { return pass == 200; });
    uint64_t fadeFrom = 0, requested = 0;
    float captionAt150 = -1, captionAt149 = -1, captionAt400 = -1;
    size_t voices601 = 0, voices602 = 0;
    harness.Platform().SetPresentHook([&](uint64_t pass) {
        Gameover* screen = Current<Gameover>();
        if (!screen) return;
        if (!fadeFrom && screen->GetFade() > 0.0f) fadeFrom = pass;
        if (!requested && SceneManager::GetInstance().IsChangePending()) requested = pass;
        if (pass == 149) captionAt149 = screen->GetCaptionY();
        if (pass == 150) captionAt150 = screen->GetCaptionY();
        if (pass == 400) captionAt400 = screen->GetCaptionY();
        if (pass == 601) voices601 = AudioManager::GetInstance().GetPlayListSize();
        if (pass == 602) voices602 = AudioManager::GetInstance().GetPlayListSize();
        if (pass == 200) Shot("gameover");
    });
    harness.Run([] { return new Gameover; }, 705);
    EXPECT_EQ(fadeFrom, 602u);
    EXPECT_EQ(requested, 702u);
    EXPECT_GT(captionAt149, 0.0f);
    EXPECT_EQ(captionAt150, 0.0f);
    EXPECT_EQ(captionAt400, 0.0f);
    // The time-out plays no start sound.
    EXPECT_EQ(voices602, voices601);
}

TEST(GameoverScreen, InputAfterTheTimeOutStillPlaysTheStartSoundOnce) {
    GameHarness harness;
    harness.DrawNothing();
    harness.Platform().SetScript([](uint64_t pass) {
        if (pass == 620 || pass == 640) return GameHarness::Hold({vk::Return});
        return PassInput{};
    });
    bool soundPlayedBefore = true;
    size_t before = 0, atPress = 0, atSecondPress = 0;
    harness.Platform().SetPresentHook([&](uint64_t pass) {
        Gameover* screen = Current<Gameover>();
        if (!screen) return;
        if (pass == 619) {
            soundPlayedBefore = screen->IsStartSoundPlayed();
            before = AudioManager::GetInstance().GetPlayListSize();
        }
        if (pass == 620) atPress = AudioManager::GetInstance().GetPlayListSize();
        if (pass == 640) atSecondPress = AudioManager::GetInstance().GetPlayListSize();
    });
    harness.Run([] { return new Gameover; }, 650);
    EXPECT_FALSE(soundPlayedBefore);
    EXPECT_EQ(atPress, before + 1);
    EXPECT_LE(atSecondPress, atPress);
}

// The music volume must reach each screen's background track and nothing else it plays.
TEST(Screens, BackgroundTracksPlayAsMusicAndEverythingElseAsEffects) {
    struct Screen {
        const char* track;
        Application::SceneFactory make;
    };
    const Screen screens[] = {
        {"Data/sound/title.wav", [] { return new Title; }},
        {"Data/sound/battle.wav", [] { return new GameScene; }},
        {"Data/sound/gameover.wav", [] { return new Gameover; }},
    };
    for (const Screen& screen : screens) {
        SCOPED_TRACE(screen.track);
        GameHarness harness;
        harness.DrawNothing();
        int music = 0;
        bool trackIsMusic = false;
        harness.Platform().SetPresentHook([&](uint64_t pass) {
            if (pass != 3) return;
            for (const auto& [key, voice] : AudioManager::GetInstance().GetPlayList()) {
                music += voice->GetGroup() == SoundGroup::Music;
            }
            const FwSoundInstance* track = FindVoice(screen.track);
            trackIsMusic = track && track->GetGroup() == SoundGroup::Music;
        });
        harness.Run(screen.make, 3);
        EXPECT_TRUE(trackIsMusic);
        EXPECT_EQ(music, 1);
    }
}

}  // namespace
