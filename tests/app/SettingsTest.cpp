#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "app/CommandLine.h"
#include "app/Settings.h"
#include "app/SettingsStore.h"
#include "support/Environment.h"

namespace {

namespace fs = std::filesystem;

// A fresh folder per test, removed afterwards.
class SettingsFolder : public ::testing::Test {
protected:
    void SetUp() override {
        root = fs::temp_directory_path() /
               ("hoshikage-settings-" +
                std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(root);
        fs::create_directories(root);
    }
    void TearDown() override { fs::remove_all(root); }

    std::string Write(const std::string& name, const std::string& text) {
        const fs::path file = root / name;
        std::ofstream(file, std::ios::binary) << text;
        return file.string();
    }
    static std::string Read(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        std::ostringstream text;
        text << in.rdbuf();
        return text.str();
    }

    fs::path root;
};

TEST(SettingsText, EveryValueRoundTripsThroughTheText) {
    Settings settings;
    settings.volume = 35;
    settings.mute = true;
    settings.fullscreen = true;
    settings.antiAliasing = 4;
    settings.renderScale = 75;
    settings.vsync = 1;
    settings.musicVolume = 40;
    settings.effectsVolume = 0;
    settings.mouseSensitivity = 125;
    settings.invertLook = true;
    settings.padLookSensitivity = 25;
    settings.bindings = {{"move_forward", "key:I"}, {"boost", "mouse:x1 pad:lb"}};
    settings.unknown = {{"future_key", "some value"}, {"another", "1 2 3"}};

    std::vector<std::string> warnings;
    EXPECT_EQ(ParseSettings(FormatSettings(settings), warnings), settings);
    EXPECT_TRUE(warnings.empty());

    // The defaults and the "decided at run time" values too.
    settings = Settings{};
    settings.antiAliasing = 0;
    settings.vsync = 0;
    EXPECT_EQ(ParseSettings(FormatSettings(settings), warnings), settings);
    EXPECT_EQ(ParseSettings(FormatSettings(Settings{}), warnings), Settings{});
    EXPECT_TRUE(warnings.empty());
}

TEST(SettingsText, BadLinesKeepTheirDefaultsWithOneWarningEach) {
    std::vector<std::string> warnings;
    const Settings settings = ParseSettings(
        "volume = 250\n"       // out of range
        "mute = perhaps\n"     // not a truth value
        "just some words\n"    // no '='
        " = 4\n"               // no key
        "antialias = 3\n"      // not a sample count
        "render_scale = 20\n"  // below the floor
        "vsync = sometimes\n"  // neither auto nor a truth value
        "fullscreen = yes\n",  // the one good line
        warnings);
    Settings expected;
    expected.fullscreen = true;
    EXPECT_EQ(settings, expected);
    ASSERT_EQ(warnings.size(), 7u);
    EXPECT_NE(warnings[0].find("line 1"), std::string::npos);
    EXPECT_NE(warnings[0].find("volume"), std::string::npos);
    EXPECT_NE(warnings[2].find("line 3"), std::string::npos);
}

TEST(SettingsText, AcceptsTheUsualSpellingsAndComments) {
    std::vector<std::string> warnings;
    const Settings settings = ParseSettings(
        "# a comment\n; another\n\n"
        "  VOLUME=  0  \r\n"
        "Mute = ON\n"
        "antialias = Off\n"
        "render_scale = 60%\n"
        "vsync = Yes\n",
        warnings);
    EXPECT_TRUE(warnings.empty());
    EXPECT_EQ(settings.vsync, 1);
    EXPECT_EQ(settings.volume, 0);
    EXPECT_TRUE(settings.mute);
    EXPECT_EQ(settings.antiAliasing, 0);
    EXPECT_EQ(settings.renderScale, 60);

    int value = 0;
    EXPECT_FALSE(ParseVolume("-1", value));
    EXPECT_FALSE(ParseVolume("50x", value));
    EXPECT_FALSE(ParseVolume("", value));
    EXPECT_FALSE(ParseVolume("99999999999999999999", value));
    EXPECT_TRUE(ParseVolume("100", value));
    EXPECT_EQ(value, 100);
    EXPECT_FALSE(ParseRenderScale("101", value));
    EXPECT_TRUE(ParseRenderScale("auto", value));
    EXPECT_EQ(value, Settings::kAuto);
}

TEST(SettingsText, LookSensitivityIsAFactorKeptInWholePercent) {
    const std::pair<const char*, int> good[] = {{"1", 100},    {"0.25", 25},  {"4", 400},
                                                {"1.5", 150},  {"1.05", 105}, {"150%", 150},
                                                {" 2.0 ", 200}};
    for (const auto& [text, percent] : good) {
        int value = 0;
        EXPECT_TRUE(ParseSensitivity(text, value)) << text;
        EXPECT_EQ(value, percent) << text;
        EXPECT_TRUE(ParseSensitivity(FormatSensitivity(value), value)) << text;
        EXPECT_EQ(value, percent) << text;
    }
    for (const char* bad :
         {"0.2", "4.01", "", ".5", "1.", "1,5", "-1", "1e0", "1.234", "x", "9999999999", "1.5%"}) {
        int value = 77;
        EXPECT_FALSE(ParseSensitivity(bad, value)) << bad;
        EXPECT_EQ(value, 77) << bad;
    }
    EXPECT_EQ(FormatSensitivity(100), "1");
    EXPECT_EQ(FormatSensitivity(250), "2.5");
    EXPECT_EQ(FormatSensitivity(105), "1.05");
}

TEST(SettingsText, BindingLinesAreKeptPerActionTheLastOneWinning) {
    std::vector<std::string> warnings;
    const Settings settings = ParseSettings(
        "bind.move_forward = key:W\n"
        "BIND.Boost = key:LShift\n"
        "bind. = key:Q\n"  // no action: kept as an unknown key, like any other
        "bind.move_forward = key:I\n",
        warnings);
    EXPECT_TRUE(warnings.empty());
    const std::vector<std::pair<std::string, std::string>> expected = {{"move_forward", "key:I"},
                                                                       {"boost", "key:LShift"}};
    EXPECT_EQ(settings.bindings, expected);
    ASSERT_EQ(settings.unknown.size(), 1u);
    EXPECT_EQ(settings.unknown[0].first, "bind.");
}

TEST(SettingsText, NoiseNeverThrowsAndYieldsTheDefaults) {
    std::string noise;
    for (int i = 0; i < 4096; ++i) noise += static_cast<char>((i * 7919) % 256);
    std::vector<std::string> warnings;
    const Settings settings = ParseSettings(noise, warnings);
    EXPECT_EQ(settings.volume, Settings{}.volume);
    EXPECT_FALSE(warnings.empty());
}

TEST_F(SettingsFolder, SaveCreatesTheFolderAndLoadReadsItBack) {
    const std::string path = (root / "deeper" / "hoshikage" / "settings.ini").string();
    SettingsStore store(path);
    EXPECT_FALSE(store.Load());  // nothing there yet: defaults
    EXPECT_EQ(store.Get(), Settings{});

    store.Change([](Settings& s) {
        s.volume = 40;
        s.fullscreen = true;
    });
    ASSERT_TRUE(fs::exists(path));
    EXPECT_FALSE(fs::exists(path + ".new"));

    SettingsStore again(path);
    EXPECT_TRUE(again.Load());
    EXPECT_EQ(again.Get().volume, 40);
    EXPECT_TRUE(again.Get().fullscreen);
}

TEST_F(SettingsFolder, AFirstRunWarnsOnceAndWritesTheDefaultsForTheNext) {
    const std::string path = (root / "hoshikage" / "settings.ini").string();
    SettingsStore first(path);
    ::testing::internal::CaptureStderr();
    EXPECT_FALSE(first.Load());
    const std::string firstWarnings = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(first.Get(), Settings{});
    EXPECT_NE(firstWarnings.find("not found"), std::string::npos);
    EXPECT_EQ(std::count(firstWarnings.begin(), firstWarnings.end(), '\n'), 1);
    ASSERT_TRUE(fs::exists(path));
    EXPECT_EQ(Read(path), FormatSettings(Settings{}));

    SettingsStore second(path);
    ::testing::internal::CaptureStderr();
    EXPECT_TRUE(second.Load());
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");
    EXPECT_EQ(second.Get(), Settings{});
}

TEST_F(SettingsFolder, OverridesLastOneRunButChangesAreKept) {
    const std::string path = Write("settings.ini", "volume = 70\nmystery = 12\n");
    SettingsStore store(path);
    ASSERT_TRUE(store.Load());
    store.Override([](Settings& s) { s.mute = true; });
    EXPECT_TRUE(store.Get().mute);
    EXPECT_FALSE(store.Kept().mute);

    store.Change([](Settings& s) { s.volume = 60; });
    SettingsStore reread(path);
    ASSERT_TRUE(reread.Load());
    EXPECT_EQ(reread.Get().volume, 60);
    EXPECT_FALSE(reread.Get().mute);  // the override was not written
    ASSERT_EQ(reread.Get().unknown.size(), 1u);
    EXPECT_EQ(reread.Get().unknown[0].first, "mystery");
    EXPECT_EQ(reread.Get().unknown[0].second, "12");
}

TEST_F(SettingsFolder, UnusableFilesGiveTheDefaults) {
    // A folder where the file should be, and a file far too large to be settings.
    fs::create_directories(root / "folder.ini");
    SettingsStore folder((root / "folder.ini").string());
    EXPECT_FALSE(folder.Load());
    EXPECT_EQ(folder.Get(), Settings{});

    SettingsStore huge(Write("huge.ini", std::string(1 << 20, 'v')));
    EXPECT_FALSE(huge.Load());
    EXPECT_EQ(huge.Get(), Settings{});

    // A malformed file still loads, with its bad values at their defaults.
    SettingsStore malformed(Write("bad.ini", "volume = loud\nmute = true\n"));
    EXPECT_TRUE(malformed.Load());
    EXPECT_EQ(malformed.Get().volume, Settings{}.volume);
    EXPECT_TRUE(malformed.Get().mute);
}

TEST_F(SettingsFolder, AFileThatCannotBeWrittenLeavesTheChangeForTheRun) {
    // The parent "folder" is a plain file, so nothing can be created below it.
    const std::string blocker = Write("blocker", "x");
    SettingsStore store(blocker + "/settings.ini");
    store.Change([](Settings& s) { s.volume = 10; });
    EXPECT_EQ(store.Get().volume, 10);
    EXPECT_EQ(Read(blocker), "x");

    SettingsStore none;  // no path: tests and replays
    EXPECT_FALSE(none.Load());
    EXPECT_FALSE(none.Save());
}

Settings Apply(const CommandLine& line) {
    Settings settings;
    for (const auto& apply : line.overrides) apply(settings);
    return settings;
}

CommandLine ParseArgs(std::vector<const char*> args) {
    args.insert(args.begin(), "hoshikage");
    return CommandLine::Parse(static_cast<int>(args.size()), args.data());
}

TEST(CommandLineOptions, OverrideTheSettingsInOrder) {
    ScopedEnv mute("HOSHIKAGE_MUTE", nullptr);
    const CommandLine line =
        ParseArgs({"--fullscreen", "--volume", "30", "--antialias=4", "--render-scale", "auto",
                   "--windowed", "--mute", "--vsync", "off"});
    ASSERT_EQ(line.error, "");
    const Settings settings = Apply(line);
    EXPECT_FALSE(settings.fullscreen);  // the later --windowed wins
    EXPECT_EQ(settings.volume, 30);
    EXPECT_EQ(settings.antiAliasing, 4);
    EXPECT_EQ(settings.renderScale, Settings::kAuto);
    EXPECT_TRUE(settings.mute);
    EXPECT_EQ(settings.vsync, 0);
}

TEST(CommandLineOptions, ReportsWhatIsWrong) {
    EXPECT_NE(ParseArgs({"--volume"}).error.find("needs a value"), std::string::npos);
    EXPECT_NE(ParseArgs({"--volume", "loud"}).error.find("loud"), std::string::npos);
    EXPECT_NE(ParseArgs({"--render-scale=10"}).error.find("--render-scale"), std::string::npos);
    EXPECT_NE(ParseArgs({"--frobnicate"}).error.find("--frobnicate"), std::string::npos);
    EXPECT_NE(ParseArgs({"--vsync", "2"}).error.find("--vsync"), std::string::npos);
    EXPECT_TRUE(ParseArgs({"--help"}).help);
    EXPECT_TRUE(ParseArgs({"--version"}).version);
}

TEST(CommandLineOptions, ChooseTheSettingsFileAndMuteFromTheEnvironment) {
    {
        ScopedEnv mute("HOSHIKAGE_MUTE", "1");
        const CommandLine line = ParseArgs({});
        EXPECT_EQ(line.settingsPath, SettingsStore::DefaultPath());
        EXPECT_TRUE(Apply(line).mute);
    }
    {
        ScopedEnv mute("HOSHIKAGE_MUTE", "0");
        EXPECT_FALSE(Apply(ParseArgs({})).mute);
    }
    EXPECT_EQ(ParseArgs({"--settings", "/x/y.ini"}).settingsPath, "/x/y.ini");
    EXPECT_EQ(ParseArgs({"--no-settings"}).settingsPath, "");
}

}  // namespace
