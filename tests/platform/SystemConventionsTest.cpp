// What the game does each system's way: where the settings live, the no-sound advice, and
// files opened by UTF-8 names from folders named in Japanese and with spaces.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "app/SettingsStore.h"
#include "engine/platform/FilePath.h"
#include "engine/platform/InputLog.h"
#include "engine/platform/SystemConventions.h"
#include "game/world/StoneField.h"
#include "support/DialogReader.h"
#include "support/Environment.h"

namespace {

namespace fs = std::filesystem;

#ifdef _WIN32

TEST(SettingsFolder, IsTheRoamingApplicationDataFolder) {
    const char* appData = std::getenv("APPDATA");
    ASSERT_NE(appData, nullptr);
    const std::string folder = SettingsFolder();
    EXPECT_EQ(folder, std::string(appData) + "\\hoshikage");
    EXPECT_TRUE(fs::is_directory(PathFromUtf8(folder)));
    EXPECT_EQ(SettingsStore::DefaultPath(), folder + "\\settings.ini");
    // Whatever the POSIX variables say: Wine and some shells pass them through.
    ScopedEnv xdg("XDG_CONFIG_HOME", "/tmp/cfg");
    ScopedEnv home("HOME", "/home/player");
    EXPECT_EQ(SettingsFolder(), folder);
}

TEST(MessageBox, IsTheSystemsOwnWithTheJapaneseTextsIntact) {
    ScopedEnv shown("HOSHIKAGE_NO_MESSAGE_BOX", nullptr);
    DialogReader reader("サウンド初期化失敗");
    EXPECT_TRUE(ShowSystemMessageBox("サウンド初期化失敗",
                                     "出力デバイスがありません。\nsecond line", true, nullptr));
    ASSERT_TRUE(reader.Wait());
    EXPECT_EQ(reader.Text(), "出力デバイスがありません。\nsecond line");
    EXPECT_TRUE(reader.HasErrorIcon());
}

TEST(NoSoundHint, NamesTheWaysAWindowsPlayerHas) {
    const std::string hint = StartWithoutSoundHint();
    EXPECT_NE(hint.find("alsoft.ini"), std::string::npos);
    EXPECT_NE(hint.find("drivers=null"), std::string::npos);
    EXPECT_NE(hint.find("set ALSOFT_DRIVERS=null\n    hoshikage.exe"), std::string::npos);
    EXPECT_NE(hint.find("Readme.txt"), std::string::npos);
    // Not the POSIX shell's form, which a Command Prompt refuses.
    EXPECT_EQ(hint.find("ALSOFT_DRIVERS=null hoshikage"), std::string::npos);
}

#else

TEST(SettingsFolder, FollowsXdgConfigHomeElseHome) {
    {
        ScopedEnv xdg("XDG_CONFIG_HOME", "/tmp/cfg");
        EXPECT_EQ(SettingsFolder(), "/tmp/cfg/hoshikage");
        EXPECT_EQ(SettingsStore::DefaultPath(), "/tmp/cfg/hoshikage/settings.ini");
    }
    {
        ScopedEnv xdg("XDG_CONFIG_HOME", "relative/ignored");
        ScopedEnv home("HOME", "/home/player");
        EXPECT_EQ(SettingsStore::DefaultPath(), "/home/player/.config/hoshikage/settings.ini");
    }
    {
        ScopedEnv xdg("XDG_CONFIG_HOME", nullptr);
        ScopedEnv home("HOME", nullptr);
        EXPECT_EQ(SettingsFolder(), "");
        EXPECT_EQ(SettingsStore::DefaultPath(), "");
    }
}

TEST(NoSoundHint, NamesTheShellCommand) {
    const std::string hint = StartWithoutSoundHint();
    EXPECT_NE(hint.find("ALSOFT_DRIVERS=null hoshikage"), std::string::npos);
    EXPECT_NE(hint.find("README"), std::string::npos);
}

#endif

// A fresh folder named in Japanese, with a space, under the temporary folder.
class JapaneseFolder : public ::testing::Test {
protected:
    void SetUp() override {
        root = Utf8FromPath(fs::temp_directory_path()) + "/ほしかげ テスト " +
               ::testing::UnitTest::GetInstance()->current_test_info()->name();
        fs::remove_all(PathFromUtf8(root));
        ASSERT_TRUE(fs::create_directories(PathFromUtf8(root)));
    }
    void TearDown() override { fs::remove_all(PathFromUtf8(root)); }

    std::string root;
};

TEST_F(JapaneseFolder, NamesSurviveTheTripThroughTheSystem) {
    const std::string name = "星影　データ.bin";
    std::FILE* file = OpenFile(root + "/" + name, "wb");
    ASSERT_NE(file, nullptr);
    EXPECT_GE(std::fputs("ok", file), 0);
    std::fclose(file);

    // The system holds the name as written, not as code-page bytes: listing the folder
    // gives it back unchanged.
    int found = 0;
    for (const fs::directory_entry& entry : fs::directory_iterator(PathFromUtf8(root))) {
        EXPECT_EQ(Utf8FromPath(entry.path().filename()), name);
        ++found;
    }
    EXPECT_EQ(found, 1);
    EXPECT_EQ(OpenFile(root + "/まだない.bin", "rb"), nullptr);
}

TEST_F(JapaneseFolder, SettingsReplayLogsAndTheStoneTableOpenThere) {
    SettingsStore store(root + "/設定/settings.ini");
    store.Change([](Settings& s) { s.volume = 35; });
    store.Change([](Settings& s) { s.mute = true; });  // replaces the file written before
    SettingsStore again(store.GetPath());
    ASSERT_TRUE(again.Load());
    EXPECT_EQ(again.Get().volume, 35);
    EXPECT_TRUE(again.Get().mute);

    InputLog log;
    log.passes.resize(3);
    log.passes[1].held = {0x0D};
    log.passes[2].timeReads = {16, 32};
    ASSERT_TRUE(log.Save(root + "/記録.txt"));
    InputLog read;
    ASSERT_TRUE(read.Load(root + "/記録.txt"));
    EXPECT_EQ(read.passes, log.passes);

    const float first[3] = {1.5f, -2.0f, 300.25f};
    {
        std::ofstream table(PathFromUtf8(root + "/石.dat"), std::ios::binary);
        table.write(reinterpret_cast<const char*>(first), sizeof first);
    }
    Vector3 positions[StoneField::kStoneCount];
    ASSERT_TRUE(StoneField::ReadTable(root + "/石.dat", positions));
    EXPECT_EQ(positions[0].x, 1.5f);
    EXPECT_EQ(positions[0].z, 300.25f);
}

}  // namespace
