// The player's volume: the keys and mute, the engine's master gain they set, the music and
// effects volumes under it, the levels kept in the settings file, and the sign of a change
// drawn over the picture.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <vector>

#include "app/SceneManager.h"
#include "app/VolumeControl.h"
#include "app/VolumeIndicator.h"
#include "engine/audio/AudioManager.h"
#include "engine/graphics/FwScreenshot.h"
#include "engine/graphics/GraphicsDevice.h"
#include "support/GameHarness.h"

namespace {

namespace fs = std::filesystem;

using Command = PlatformCommand;

// The master gain the engine was given, in dB relative to the calibrated level.
double GainDb() {
    return 20.0 * std::log10(AudioManager::GetInstance().GetMasterGain());
}

void Press(VolumeControl& volume, Command command, int times = 1) {
    for (int i = 0; i < times; ++i) volume.Handle(command);
}

// The engine's gain and the application's settings are process-wide: each test leaves
// them as it found them.
class VolumeTest : public ::testing::Test {
protected:
    void TearDown() override {
        AudioManager::GetInstance().SetMasterGain(1.0f);
        AudioManager::GetInstance().SetGroupGain(SoundGroup::Music, 1.0f);
        AudioManager::GetInstance().SetGroupGain(SoundGroup::Effects, 1.0f);
        Application::GetInstance().UseSettings(SettingsStore::Reproducible());
    }
};

}  // namespace

TEST_F(VolumeTest, KeysStepToTheNextMultipleOfFiveWithinTheRange) {
    SettingsStore store;  // reads and writes nothing
    store.Override([](Settings& s) { s.volume = 37; });
    VolumeControl volume(store);
    volume.Start();
    EXPECT_NEAR(GainDb(), 40.0 * std::log10(0.37), 1e-3);

    Press(volume, Command::VolumeUp);
    EXPECT_EQ(store.Get().volume, 40);
    Press(volume, Command::VolumeDown, 2);
    EXPECT_EQ(store.Get().volume, 30);
    store.Override([](Settings& s) { s.volume = 37; });
    Press(volume, Command::VolumeDown);
    EXPECT_EQ(store.Get().volume, 35);

    Press(volume, Command::VolumeUp, 30);
    EXPECT_EQ(store.Get().volume, 100);
    EXPECT_NEAR(GainDb(), 0.0, 1e-4);  // the calibrated level
    // Half the volume is a quarter of the amplitude.
    Press(volume, Command::VolumeDown, 10);
    EXPECT_EQ(store.Get().volume, 50);
    EXPECT_NEAR(GainDb(), -12.04, 0.01);
    Press(volume, Command::VolumeDown, 30);
    EXPECT_EQ(store.Get().volume, 0);
    EXPECT_EQ(AudioManager::GetInstance().GetMasterGain(), 0.0f);

    // Other requests belong to other rooms.
    Press(volume, Command::ToggleFullscreen);
    EXPECT_EQ(store.Get().volume, 0);
    EXPECT_FALSE(store.Get().fullscreen);
}

// A run started muted by an option: the key acts on what the player hears.
TEST_F(VolumeTest, MuteTogglesWhatIsHeardAndAVolumeKeyEndsIt) {
    SettingsStore store;
    store.Override([](Settings& s) { s.mute = true; });
    VolumeControl volume(store);
    volume.Start();
    EXPECT_EQ(AudioManager::GetInstance().GetMasterGain(), 0.0f);

    Press(volume, Command::ToggleMute);
    EXPECT_FALSE(store.Get().mute);
    EXPECT_FALSE(store.Kept().mute);
    EXPECT_EQ(AudioManager::GetInstance().GetMasterGain(), 1.0f);
    Press(volume, Command::ToggleMute);
    EXPECT_TRUE(store.Get().mute);
    EXPECT_TRUE(store.Kept().mute);
    EXPECT_EQ(AudioManager::GetInstance().GetMasterGain(), 0.0f);

    Press(volume, Command::VolumeDown);
    EXPECT_FALSE(store.Get().mute);
    EXPECT_EQ(store.Get().volume, 95);
    EXPECT_GT(AudioManager::GetInstance().GetMasterGain(), 0.0f);
}

TEST_F(VolumeTest, ChangesAreKeptInTheSettingsFileForTheNextStart) {
    const fs::path root = fs::temp_directory_path() / "hoshikage-volume-file";
    fs::remove_all(root);
    const std::string path = (root / "hoshikage" / "settings.ini").string();
    {
        SettingsStore store(path);
        store.Load();
        VolumeControl volume(store);
        Press(volume, Command::VolumeDown, 3);
        Press(volume, Command::ToggleMute);
    }
    SettingsStore next(path);
    ASSERT_TRUE(next.Load());
    EXPECT_EQ(next.Get().volume, 85);
    EXPECT_TRUE(next.Get().mute);
    AudioManager::GetInstance().SetMasterGain(1.0f);
    VolumeControl(next).Start();
    EXPECT_EQ(AudioManager::GetInstance().GetMasterGain(), 0.0f);
    fs::remove_all(root);
}

// A group's gain in dB relative to the level the game's own volumes set.
double GroupDb(SoundGroup group) {
    return 20.0 * std::log10(AudioManager::GetInstance().GetGroupGain(group));
}

TEST_F(VolumeTest, MenuSettersApplyAtOnceOnTheKeysCurveEachToItsOwnGain) {
    SettingsStore store;
    store.Override([](Settings& s) {
        s.musicVolume = 70;
        s.effectsVolume = 40;
    });
    VolumeControl volume(store);
    volume.Start();
    EXPECT_NEAR(GroupDb(SoundGroup::Music), 40.0 * std::log10(0.7), 1e-3);
    EXPECT_NEAR(GroupDb(SoundGroup::Effects), 40.0 * std::log10(0.4), 1e-3);

    volume.SetMusicVolume(50);
    EXPECT_EQ(store.Get().musicVolume, 50);
    EXPECT_EQ(store.Kept().musicVolume, 50);
    EXPECT_NEAR(GroupDb(SoundGroup::Music), -12.04, 0.01);
    EXPECT_NEAR(GroupDb(SoundGroup::Effects), 40.0 * std::log10(0.4), 1e-3);
    EXPECT_NEAR(GainDb(), 0.0, 1e-4);

    volume.SetEffectsVolume(150);
    EXPECT_EQ(store.Get().effectsVolume, 100);
    EXPECT_NEAR(GroupDb(SoundGroup::Effects), 0.0, 1e-4);
    volume.SetEffectsVolume(-5);
    EXPECT_EQ(store.Get().effectsVolume, 0);
    EXPECT_EQ(AudioManager::GetInstance().GetGroupGain(SoundGroup::Effects), 0.0f);
    EXPECT_NEAR(GroupDb(SoundGroup::Music), -12.04, 0.01);

    // The menu shows its own values: no sign over them.
    EXPECT_FALSE(volume.IsIndicatorShowing());
    // The keys move the master volume only.
    Press(volume, Command::VolumeDown);
    EXPECT_EQ(store.Get().volume, 95);
    EXPECT_EQ(store.Get().musicVolume, 50);
    EXPECT_EQ(store.Get().effectsVolume, 0);
    EXPECT_NEAR(GroupDb(SoundGroup::Music), -12.04, 0.01);
}

TEST_F(VolumeTest, MenuMuteSilencesEverythingAndSettingTheMasterVolumeEndsIt) {
    SettingsStore store;
    VolumeControl volume(store);
    volume.Start();
    volume.SetMusicVolume(50);
    volume.SetMute(true);
    EXPECT_TRUE(store.Kept().mute);
    EXPECT_EQ(AudioManager::GetInstance().GetMasterGain(), 0.0f);
    // The groups keep their levels for when the sound comes back.
    EXPECT_NEAR(GroupDb(SoundGroup::Music), -12.04, 0.01);

    volume.SetMusicVolume(80);  // the music's share, still muted
    EXPECT_TRUE(store.Get().mute);
    EXPECT_EQ(AudioManager::GetInstance().GetMasterGain(), 0.0f);

    volume.SetMasterVolume(50);
    EXPECT_FALSE(store.Get().mute);
    EXPECT_FALSE(store.Kept().mute);
    EXPECT_EQ(store.Get().volume, 50);
    EXPECT_NEAR(GainDb(), -12.04, 0.01);
    volume.SetMasterVolume(101);
    EXPECT_EQ(store.Get().volume, 100);
    volume.SetMasterVolume(-1);
    EXPECT_EQ(store.Get().volume, 0);
    EXPECT_EQ(AudioManager::GetInstance().GetMasterGain(), 0.0f);

    volume.SetMute(true);
    volume.SetMute(false);
    EXPECT_FALSE(store.Kept().mute);
    EXPECT_EQ(store.Get().volume, 0);  // unmuting keeps the level it had
    EXPECT_FALSE(volume.IsIndicatorShowing());
}

TEST_F(VolumeTest, MenuChoicesAreKeptInTheSettingsFileAndHeardAtTheNextStart) {
    const fs::path root = fs::temp_directory_path() / "hoshikage-volume-menu";
    fs::remove_all(root);
    const std::string path = (root / "hoshikage" / "settings.ini").string();
    {
        SettingsStore store(path);
        store.Load();
        // A one-run master volume from the command line is not what the menu saves.
        store.Override([](Settings& s) { s.volume = 20; });
        VolumeControl volume(store);
        volume.Start();
        volume.SetMusicVolume(35);
        volume.SetEffectsVolume(70);
        volume.SetMute(true);
    }
    SettingsStore next(path);
    ASSERT_TRUE(next.Load());
    EXPECT_EQ(next.Get().musicVolume, 35);
    EXPECT_EQ(next.Get().effectsVolume, 70);
    EXPECT_TRUE(next.Get().mute);
    EXPECT_EQ(next.Get().volume, 100);

    AudioManager::GetInstance().SetGroupGain(SoundGroup::Music, 1.0f);
    AudioManager::GetInstance().SetGroupGain(SoundGroup::Effects, 1.0f);
    VolumeControl volume(next);
    volume.Start();
    EXPECT_NEAR(GroupDb(SoundGroup::Music), 40.0 * std::log10(0.35), 1e-3);
    EXPECT_NEAR(GroupDb(SoundGroup::Effects), 40.0 * std::log10(0.7), 1e-3);
    EXPECT_EQ(AudioManager::GetInstance().GetMasterGain(), 0.0f);

    volume.SetMasterVolume(60);
    SettingsStore third(path);
    ASSERT_TRUE(third.Load());
    EXPECT_EQ(third.Get().volume, 60);
    EXPECT_FALSE(third.Get().mute);
    EXPECT_EQ(third.Get().musicVolume, 35);
    fs::remove_all(root);
}

namespace {

// Fills the picture with mid grey, so that the sign's panel shows as a darkening.
class GreyScene : public SceneBase {
public:
    void Render() override {
        GraphicsDevice::GetInstance().ClearBackBuffer(Color(0.5f, 0.5f, 0.5f, 1.0f));
    }
};

struct Rgb {
    int r = -1, g = -1, b = -1;
};

Rgb CentreOf(const std::vector<uint8_t>& picture, const SpriteRect& rect) {
    const int x = rect.x + rect.width / 2;
    const int y = rect.y + rect.height / 2;
    const uint8_t* p = &picture[(static_cast<size_t>(y) * 1280 + x) * 4];
    return {p[0], p[1], p[2]};
}

// Pixels of the panel's area that differ from the grey the scene drew.
int ChangedInPanel(const std::vector<uint8_t>& picture) {
    const SpriteRect panel = VolumeIndicator::PanelRect();
    const uint8_t grey = picture[(static_cast<size_t>(719) * 1280) * 4];  // a corner
    int changed = 0;
    for (int y = panel.y; y < panel.y + panel.height; ++y) {
        for (int x = panel.x; x < panel.x + panel.width; ++x) {
            changed += picture[(static_cast<size_t>(y) * 1280 + x) * 4] != grey;
        }
    }
    return changed;
}

// Runs the grey scene with the given commands and keeps the pictures of the chosen passes.
std::map<uint64_t, std::vector<uint8_t>> Pictures(
    const std::map<uint64_t, std::vector<PlatformCommand>>& commands,
    const std::vector<uint64_t>& passes) {
    std::map<uint64_t, std::vector<uint8_t>> pictures;
    GameHarness harness;
    harness.Platform().SetScript([&](uint64_t pass) {
        PassInput input;
        if (auto it = commands.find(pass); it != commands.end()) input.commands = it->second;
        return input;
    });
    harness.Platform().SetPresentHook([&](uint64_t pass) {
        if (std::find(passes.begin(), passes.end(), pass) == passes.end()) return;
        int w = 0, h = 0;
        FwReadBackBuffer(pictures[pass], w, h);
    });
    harness.Run([] { return new GreyScene; }, passes.back());
    return pictures;
}

}  // namespace

TEST_F(VolumeTest, IndicatorShowsTheLevelExactlyForAShortWhileAfterAChange) {
    const uint64_t down = 3, mute = 120;
    const uint64_t lastFull = down + VolumeControl::kShowPasses - VolumeControl::kFadePasses;
    const uint64_t gone = down + VolumeControl::kShowPasses;
    auto pictures = Pictures({{down, {Command::VolumeDown}}, {mute, {Command::ToggleMute}}},
                             {down - 1, down, lastFull, gone, mute});
    ASSERT_EQ(pictures.size(), 5u);

    EXPECT_EQ(ChangedInPanel(pictures[down - 1]), 0);
    for (uint64_t pass : {down, lastFull}) {
        SCOPED_TRACE(pass);
        const auto& picture = pictures[pass];
        // 95 %: nineteen bars lit in white, the last one dark; the speaker white.
        const Rgb lit = CentreOf(picture, VolumeIndicator::BarRect(18));
        EXPECT_EQ(lit.r, 255);
        EXPECT_EQ(lit.b, 255);
        const Rgb unlit = CentreOf(picture, VolumeIndicator::BarRect(19));
        EXPECT_EQ(unlit.r, 64);
        EXPECT_EQ(unlit.g, 64);
        EXPECT_EQ(CentreOf(picture, VolumeIndicator::SpeakerRect()).g, 255);
        // No cross: its squares show the panel, which darkens the grey to 40 %.
        const Rgb cross = CentreOf(picture, VolumeIndicator::CrossRect(3));
        EXPECT_NEAR(cross.r, 51, 1);
        EXPECT_EQ(cross.r, cross.g);
    }
    EXPECT_EQ(ChangedInPanel(pictures[gone]), 0);

    // Muted: the cross in pure red, the lit bars greyed.
    const auto& muted = pictures[mute];
    const Rgb cross = CentreOf(muted, VolumeIndicator::CrossRect(3));
    EXPECT_EQ(cross.r, 255);
    EXPECT_EQ(cross.g, 0);
    EXPECT_EQ(cross.b, 0);
    EXPECT_NEAR(CentreOf(muted, VolumeIndicator::BarRect(0)).g, 128, 1);
    EXPECT_EQ(CentreOf(muted, VolumeIndicator::BarRect(19)).g, 64);
}

TEST_F(VolumeTest, IndicatorNeverShowsInARunWithoutVolumeCommands) {
    auto pictures = Pictures({{5, {Command::ToggleFullscreen}}}, {1, 5, 6, 60});
    ASSERT_EQ(pictures.size(), 4u);
    for (const auto& [pass, picture] : pictures) {
        EXPECT_EQ(ChangedInPanel(picture), 0) << "pass " << pass;
    }
}
