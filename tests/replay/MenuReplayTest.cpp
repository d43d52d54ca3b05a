// Recordings of sessions that used the menus: menu keys, the pause and options commands,
// rebinding captures, raw clicks and rebound keys must play back exactly, and the log's
// text must keep them (and still read what older builds wrote).
#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "engine/platform/Keys.h"
#include "engine/platform/RecordingPlatform.h"
#include "engine/platform/ReplayPlatform.h"
#include "support/GameHarness.h"

namespace {

using Device = PhysicalInput::Device;
constexpr int kScancodeI = 12;

TEST(InputLogFile, KeepsMenuKeysCommandsCapturesAndRawKeys) {
    InputLog log;
    log.passes.resize(4);
    log.passes[0].timeReads = {1000};
    log.passes[1].held = {'W'};
    log.passes[1].rawHeld = {vk::LButton};
    log.passes[1].menuReads = {{}, {MenuKey::Up, MenuKey::Accept}, {MenuKey::Back}};
    log.passes[1].commandReads = {{PlatformCommand::Pause}, {}, {PlatformCommand::OpenOptions}};
    log.passes[2].held = {vk::Return};
    log.passes[2].rawHeld = {vk::Return};
    log.passes[2].captureReads = {std::nullopt, PhysicalInput{Device::Key, 26}, PhysicalInput{},
                                  PhysicalInput{Device::Mouse, 3}, PhysicalInput{Device::Pad, 101}};
    log.passes[3].menuReads = {{MenuKey::Left, MenuKey::Right, MenuKey::Down}};
    log.passes[3].inactive = true;
    const std::string text = log.ToText();
    InputLog back;
    ASSERT_TRUE(back.FromText(text)) << text;
    EXPECT_EQ(back.passes, log.passes);
    // Raw keys the same as the bound ones are not written twice.
    std::istringstream lines(text);
    std::string line;
    std::getline(lines, line);
    std::getline(lines, line);
    std::getline(lines, line);
    std::getline(lines, line);
    EXPECT_EQ(line, "k d c - x .;k26;n;m3;p101 t -");
}

TEST(InputLogFile, OlderRecordingsReadWithRawKeysAsHeld) {
    InputLog log;
    ASSERT_TRUE(log.FromText("hoshikage-input 2\nk - c - t 1000\nk 1,57 c 3,4 p t 1016\n"));
    ASSERT_EQ(log.passes.size(), 2u);
    EXPECT_EQ(log.passes[1].rawHeld, (std::set<int>{vk::LButton, 'W'}));
    EXPECT_TRUE(log.passes[1].menuReads.empty());
    EXPECT_TRUE(log.passes[1].inactive);
    // The new fields are not part of the older formats.
    EXPECT_FALSE(log.FromText("hoshikage-input 2\nk - c - m U t 1000\n"));
    EXPECT_FALSE(log.FromText("hoshikage-input 1\nk - c - r 1 t 1000\n"));
}

TEST(InputLogFile, RejectsDamagedMenuFields) {
    InputLog log;
    for (const char* line : {
             "k - c - m - t -",        // an absent field is not written as '-'
             "k - c - m UX t -",       // no such menu key
             "k - c - m U; t -",       // an empty call
             "k - c - m ;U t -",       //
             "k - c - o V t -",        // no such command kept
             "k - c - x q5 t -",       // no such device
             "k - c - x k t -",        // no code
             "k - c - x k-5 t -",      //
             "k - c - x k123456 t -",  // beyond any device
             "k - c - r zz t -",       //
             "k - c - o P m U t -",    // out of order
             "k - c - m U m D t -",    // twice
             "k - c - r 1 p t -",      // the focus mark comes first
             "k - c - m U",            // no clock field
         }) {
        EXPECT_FALSE(log.FromText(std::string("hoshikage-input 3\n") + line + "\n")) << line;
        EXPECT_TRUE(log.passes.empty());
    }
    EXPECT_TRUE(log.FromText("hoshikage-input 3\nk - c - p r 1 m U;. o P x n t 5\n"));
}

// Plays a session of menus straight on a platform, pass by pass, writing down everything
// a menu and the game read from it.
std::vector<std::string> Drive(Platform& platform, int passes) {
    std::vector<std::string> trace;
    for (int pass = 1; pass <= passes; ++pass) {
        if (!platform.PumpMessages()) break;
        std::ostringstream out;
        for (int key : RecordedKeys()) out << platform.IsKeyDown(key) << platform.IsRawKeyDown(key);
        out << " m";
        // Two calls a pass: a menu that reads its keys twice gets them once.
        for (int call = 0; call < 2; ++call)
            for (MenuKey k : platform.TakeMenuKeys()) out << static_cast<int>(k);
        out << " o";
        for (PlatformCommand c : platform.TakeCommands()) out << static_cast<int>(c);
        out << " x";
        if (const std::optional<PhysicalInput> got = platform.TakeCaptured())
            out << static_cast<int>(got->device) << ':' << got->code;
        const PlatformPoint cursor = platform.GetCursorPos();
        const PlatformPoint origin = platform.ClientToScreen({0, 0});
        out << " c" << cursor.x - origin.x << ',' << cursor.y - origin.y;
        trace.push_back(out.str());
        // What the menu does with them: open for a while, capture, rebind.
        if (pass == 3) platform.SetEscapeCloses(false);
        if (pass == 10) platform.BeginCapture();
        if (pass == 14) {
            InputBindings bindings = InputBindings::Defaults();
            bindings.Bind(GameAction::MoveForward, {Device::Key, kScancodeI});
            platform.SetBindings(bindings);
            platform.SetLook(50, true, 100);
        }
        if (pass == 20) platform.SetEscapeCloses(true);
    }
    return trace;
}

PassInput MenuSession(uint64_t pass) {
    PassInput input;
    if (pass == 2) input.keyPresses = {scancode::P};
    if (pass == 4) input.keyPresses = {scancode::Down, scancode::Down, scancode::Return};
    if (pass == 5) input.keyPresses = {scancode::O};
    if (pass >= 6 && pass <= 8) input.pads[0].Press(PadButton::DpadUp);
    if (pass == 9) input.pads[0].Press(PadButton::A);
    if (pass == 12) input.keyPresses = {kScancodeI};
    if (pass == 13) input.keyPresses = {scancode::Escape};
    if (pass >= 15 && pass <= 16) input.keys = {kScancodeI};
    if (pass == 17) input.held = {'W'};
    if (pass >= 16 && pass <= 18) {
        input.pointer = PlatformPoint{400 + static_cast<int>(pass), 300};
        input.mouseButtons = {1};
        input.mouseDy = 3;
    }
    if (pass == 19) input.pads[0].Press(PadButton::Start);
    return input;
}

TEST(Replay, ReproducesASessionInTheMenusExactly) {
    PrepareHeadlessEnvironment();
    constexpr int kPasses = 22;
    std::vector<std::string> recorded;
    InputLog log;
    {
        auto scripted = std::make_unique<ScriptedPlatform>(5000);
        scripted->SetScript(MenuSession);
        RecordingPlatform recording(std::move(scripted));
        recorded = Drive(recording, kPasses);
        // The pump that found the window closed ends every recording.
        recording.PumpMessages();
        log = recording.GetLog();
    }
    ASSERT_EQ(recorded.size(), static_cast<size_t>(kPasses));
    // The session did what it meant to: the capture took I, the rebound I moved the robot.
    EXPECT_NE(recorded[11].find(" x1:12"), std::string::npos) << recorded[11];
    // RecordedKeys()[9] is W: bound to I, it is held by I and not by the W key itself.
    EXPECT_EQ(recorded[14].substr(18, 2), "10") << recorded[14];
    EXPECT_EQ(recorded[16].substr(18, 2), "01") << recorded[16];

    InputLog reloaded;
    ASSERT_TRUE(reloaded.FromText(log.ToText()));
    ASSERT_EQ(reloaded.passes, log.passes);
    {
        ReplayPlatform replay(reloaded);
        EXPECT_EQ(Drive(replay, kPasses), recorded);
        EXPECT_FALSE(replay.IsDiverged());
    }

    // Without its menu keys the same recording plays another session, and says so.
    InputLog stripped = reloaded;
    for (PassLog& pass : stripped.passes) pass.menuReads.clear();
    {
        ReplayPlatform replay(stripped);
        EXPECT_NE(Drive(replay, kPasses), recorded);
    }
    InputLog extra = reloaded;
    extra.passes[7].commandReads = {{}, {PlatformCommand::Pause}};
    {
        ReplayPlatform replay(extra);
        Drive(replay, kPasses);
        EXPECT_TRUE(replay.IsDiverged());
    }
}

}  // namespace
