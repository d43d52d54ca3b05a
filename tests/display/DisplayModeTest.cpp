// Fullscreen: toggled by the player's command, opened as the settings say, remembered in
// the settings file.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <vector>

#include "app/Application.h"
#include "support/GameHarness.h"

namespace {

class SettingsFile : public ::testing::Test {
protected:
    void SetUp() override {
        // A folder per test: ctest runs the tests of this fixture in parallel processes.
        const std::string test = ::testing::UnitTest::GetInstance()->current_test_info()->name();
        path = std::filesystem::temp_directory_path() / ("hoshikage_display_test_" + test) /
               "settings.ini";
        std::filesystem::remove_all(path.parent_path());
    }
    void TearDown() override {
        Application::GetInstance().UseSettings(SettingsStore());
        std::filesystem::remove_all(path.parent_path());
    }
    void Use(const std::string& text) {
        if (!text.empty()) {
            std::filesystem::create_directories(path.parent_path());
            std::ofstream(path) << text;
        }
        SettingsStore store(path.string());
        store.Load();
        Application::GetInstance().UseSettings(std::move(store));
    }
    std::string Saved() const {
        std::ifstream in(path);
        std::ostringstream text;
        text << in.rdbuf();
        return text.str();
    }

    std::filesystem::path path;
};

TEST_F(SettingsFile, F11TogglesFullscreenAndTheChoiceIsKept) {
    Use("volume = 40\n");
    GameHarness harness;
    std::vector<bool> fullscreen;
    harness.Platform().SetScript([](uint64_t pass) {
        PassInput input;
        if (pass == 2 || pass == 5) input.commands = {PlatformCommand::ToggleFullscreen};
        return input;
    });
    std::string savedAfterFirst;
    harness.Platform().SetPassHook([&](uint64_t pass) {
        fullscreen.push_back(harness.Platform().IsFullscreen());
        if (pass == 4) savedAfterFirst = Saved();
    });
    harness.Run([] { return new SceneBase; }, 6);
    // The hook sees each pass before the loop acts on its commands.
    EXPECT_EQ(fullscreen, (std::vector<bool>{false, false, true, true, true, false}));
    EXPECT_NE(savedAfterFirst.find("fullscreen = true"), std::string::npos) << savedAfterFirst;
    EXPECT_NE(Saved().find("fullscreen = false"), std::string::npos) << Saved();
    // The rest of the player's file survives.
    EXPECT_NE(Saved().find("volume = 40"), std::string::npos) << Saved();
}

TEST_F(SettingsFile, TheWindowOpensInTheRememberedModeAndTheGameIsDrawnTheSame) {
    Use("fullscreen = true\n");
    GameHarness harness;
    bool fullscreenAtFirstPass = false;
    harness.Platform().SetPassHook([&](uint64_t pass) {
        if (pass == 1) fullscreenAtFirstPass = harness.Platform().IsFullscreen();
    });
    harness.Run([] { return new SceneBase; }, 2);
    EXPECT_TRUE(fullscreenAtFirstPass);
    EXPECT_EQ(harness.Platform().GetSwapCount(), 2);
}

// X11 without a window manager: SDL says yes and the window stays as it was. The game must
// neither believe it is fullscreen nor remember it, and must keep drawing to the real size.
TEST_F(SettingsFile, AFullscreenTheWindowSystemDoesNotGrantIsNeitherShownNorKept) {
    Use("volume = 40\n");
    GameHarness harness;
    ScriptedPlatform& platform = harness.Platform();
    platform.SetWindowSize({960, 540});
    platform.SetFullscreenRefused(true);
    platform.SetScript([](uint64_t pass) {
        PassInput input;
        if (pass == 2) input.commands = {PlatformCommand::ToggleFullscreen};
        return input;
    });
    std::vector<bool> fullscreen;
    std::vector<PlatformPoint> sizes;
    platform.SetPassHook([&](uint64_t pass) {
        // From pass 4 on, the size SDL itself reports: it must have been put back as well.
        if (pass == 4) platform.SetFullscreenRefused(false);
        fullscreen.push_back(platform.IsFullscreen());
        sizes.push_back(platform.GetClientSize());
    });
    harness.Run([] { return new SceneBase; }, 5);
    EXPECT_EQ(fullscreen, (std::vector<bool>(5, false)));
    EXPECT_EQ(sizes, (std::vector<PlatformPoint>(5, PlatformPoint{960, 540})));
    EXPECT_EQ(Saved().find("fullscreen = true"), std::string::npos) << Saved();

    // Where the window system grants it, the same command goes fullscreen.
    std::vector<bool> granted;
    platform.SetScript([](uint64_t) {
        PassInput input;
        input.commands = {PlatformCommand::ToggleFullscreen};
        return input;
    });
    platform.SetPassHook([&](uint64_t) { granted.push_back(platform.IsFullscreen()); });
    harness.Run([] { return new SceneBase; }, 2);
    EXPECT_EQ(granted, (std::vector<bool>{false, true}));
}

TEST_F(SettingsFile, OtherCommandsLeaveTheWindowAlone) {
    Use("");
    GameHarness harness;
    harness.Platform().SetScript([](uint64_t) {
        PassInput input;
        input.commands = {PlatformCommand::VolumeUp, PlatformCommand::ToggleMute};
        return input;
    });
    harness.Run([] { return new SceneBase; }, 3);
    EXPECT_FALSE(harness.Platform().IsFullscreen());
    // The volume keys save their own settings; the window mode goes with them unchanged.
    EXPECT_EQ(Saved().find("fullscreen = true"), std::string::npos) << Saved();
}

}  // namespace
