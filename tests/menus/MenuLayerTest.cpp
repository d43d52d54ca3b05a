// The pause menu and the options screen in the real loop, driven as a player drives them:
// keyboard, mouse and controller, on the title and over the battle.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "app/Application.h"
#include "app/InputLatch.h"
#include "app/MenuLayer.h"
#include "app/SceneManager.h"
#include "app/VolumeControl.h"
#include "engine/audio/AudioManager.h"
#include "engine/graphics/FwScreenshot.h"
#include "engine/graphics/GraphicsDevice.h"
#include "engine/platform/InputBindings.h"
#include "engine/platform/Keys.h"
#include "engine/platform/RecordingPlatform.h"
#include "engine/platform/ReplayPlatform.h"
#include "game/player/Player.h"
#include "game/scenes/Camera.h"
#include "game/scenes/GameScene.h"
#include "game/scenes/Title.h"
#include "support/GameDigest.h"
#include "support/GameHarness.h"

namespace fs = std::filesystem;

namespace {

// Enter in pass 10 starts the battle in pass 111.
constexpr uint64_t kEnter = 10;
constexpr uint64_t kBattle = 111;

PassInput Press(std::initializer_list<int> scancodes) {
    PassInput input;
    input.keyPresses = scancodes;
    return input;
}

PassInput PadPress(PadButton button) {
    PassInput input;
    input.pads[0].Press(button);
    return input;
}

PassInput NoPad() {
    PassInput input;
    input.pads[0] = PadState{};
    return input;
}

// A click at a picture pixel (the scripted window is 1280 × 720, so the same client pixel).
PassInput ClickAt(int x, int y) {
    PassInput input;
    input.pointer = PlatformPoint{x, y};
    input.buttonPresses = {1};
    input.mouseButtons = {1};
    return input;
}

PassInput PointAt(int x, int y) {
    PassInput input;
    input.pointer = PlatformPoint{x, y};
    return input;
}

// Scripts as a table of passes: what is not listed holds nothing.
using Table = std::map<uint64_t, PassInput>;
ScriptedPlatform::Script FromTable(const Table& table) {
    return [table](uint64_t pass) {
        const auto at = table.find(pass);
        return at == table.end() ? PassInput{} : at->second;
    };
}

MenuLayer& Menus() {
    return Application::GetInstance().GetMenus();
}

std::string Heading() {
    const Menu* menu = Menus().GetMenu();
    return menu ? menu->GetHeading() : std::string();
}

std::string SelectedLabel() {
    const Menu* menu = Menus().GetMenu();
    return menu ? menu->GetItems()[menu->GetSelected()].label : std::string();
}

GameScene* Battle() {
    return dynamic_cast<GameScene*>(SceneManager::GetInstance().GetCurrent());
}

// The centre of the row with this label on the open page, in picture pixels.
PlatformPoint RowCentre(const std::string& label) {
    const Menu* menu = Menus().GetMenu();
    if (!menu) return {-1, -1};
    for (size_t i = 0; i < menu->GetItems().size(); ++i) {
        if (menu->GetItems()[i].label != label) continue;
        const Menu::Box row = menu->GetRow(static_cast<int>(i));
        return {row.left + row.width / 4, row.top + row.height / 2};
    }
    return {-1, -1};
}

void Shot(const std::string& name) {
    fs::create_directories("screens");
    EXPECT_TRUE(FwSaveScreenshot("screens/" + name + ".png")) << name;
}

// A settings file in a folder of its own, used by the run as the player's.
class PlayerSettings : public ::testing::Test {
protected:
    void SetUp() override {
        root = fs::temp_directory_path() /
               ("hoshikage-menus-" +
                std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(root);
        path = (root / "settings.ini").string();
        SettingsStore store(path);
        store.Load();
        Application::GetInstance().UseSettings(std::move(store));
    }
    void TearDown() override {
        Application::GetInstance().UseSettings(SettingsStore::Reproducible());
        fs::remove_all(root);
    }
    Settings Saved() const {
        std::ifstream in(path);
        std::stringstream text;
        text << in.rdbuf();
        std::vector<std::string> warnings;
        return ParseSettings(text.str(), warnings);
    }
    fs::path root;
    std::string path;
};

}  // namespace

TEST(PauseMenu, HoldsTheBattleExactlyAndResumesWhereItStopped) {
    // The same battle twice: once straight through, once with P at pass 200 and again at
    // pass 260. The paused run must play the same game, pass for pass, shifted by the
    // passes the menu held.
    const auto play = [](uint64_t pause, uint64_t resume, std::vector<uint64_t>& digests,
                         std::vector<bool>* soundHeld) {
        GameHarness harness;
        harness.DrawOnly([](uint64_t) { return false; });
        std::srand(7);
        const uint64_t held = resume > pause ? resume - pause + 1 : 0;
        harness.Platform().SetScript([=](uint64_t pass) {
            if (held && pass == pause) return Press({scancode::P});
            if (held && pass == resume) return Press({scancode::P});
            if (held && pass > pause && pass < resume) {
                // Whatever is held under the menu does nothing to the game.
                return GameHarness::Hold({'W', vk::Shift}, 30, -12);
            }
            const uint64_t game = held && pass > resume ? pass - held : pass;
            if (game == kEnter) return GameHarness::Hold({vk::Return});
            if (game > kBattle + 20 && game < 330) return GameHarness::Hold({'W', 'D'}, 3, 1);
            return PassInput{};
        });
        harness.Platform().SetPassHook([&](uint64_t) { digests.push_back(DigestGame()); });
        if (soundHeld) {
            harness.Platform().SetPresentHook([&](uint64_t) {
                soundHeld->push_back(AudioManager::GetInstance().IsOutputPaused());
            });
        }
        harness.Run([] { return new Title; }, 360 + held);
    };

    std::vector<uint64_t> straight, paused;
    std::vector<bool> sound;
    play(0, 0, straight, nullptr);
    play(200, 260, paused, &sound);
    ASSERT_EQ(paused.size(), straight.size() + 61);
    // The digest at the start of every held pass is the state the pause began in.
    for (uint64_t pass = 200; pass <= 261; ++pass) {
        EXPECT_EQ(paused[pass - 1], straight[199]) << "pass " << pass;
    }
    std::vector<uint64_t> withoutHeld(paused.begin(), paused.begin() + 200);
    withoutHeld.insert(withoutHeld.end(), paused.begin() + 261, paused.end());
    EXPECT_EQ(withoutHeld, straight);
    // The battle's sound holds from the pass the menu opens to the one it closes in.
    ASSERT_EQ(sound.size(), paused.size());
    for (uint64_t pass = 1; pass <= sound.size(); ++pass) {
        EXPECT_EQ(sound[pass - 1], pass >= 200 && pass < 260) << "pass " << pass;
    }
    EXPECT_FALSE(AudioManager::GetInstance().IsOutputPaused());
}

TEST(PauseMenu, ControllerStartPausesTheBattleAndOnlyStartsTheOtherScreens) {
    GameHarness harness;
    harness.DrawOnly([](uint64_t) { return false; });
    std::map<uint64_t, std::string> seen;
    harness.Platform().SetScript([](uint64_t pass) {
        // Start on the title starts the game (as Enter); in the battle it pauses; the
        // D-pad and A work the menu; B goes back.
        // Y on the title opens the options, B closes them.
        if (pass == 3) return PadPress(PadButton::Y);
        if (pass == 5) return PadPress(PadButton::B);
        if (pass == kEnter || pass == 200 || pass == 206) return PadPress(PadButton::Start);
        if (pass == 202) return PadPress(PadButton::DpadDown);
        if (pass == 204) return PadPress(PadButton::A);
        if (pass == 208) return PadPress(PadButton::Start);
        if (pass == 212) return PadPress(PadButton::B);
        if (pass == 214) return PadPress(PadButton::B);
        return NoPad();
    });
    bool inBattle = false;
    harness.Platform().SetPassHook([&](uint64_t pass) {
        if (pass >= 200 || pass < 10) seen[pass] = Heading() + "/" + SelectedLabel();
        if (pass == 219) inBattle = Battle() != nullptr;
    });
    harness.Run([] { return new Title; }, 220);
    EXPECT_EQ(seen[4], "Options/Sound");
    EXPECT_EQ(seen[6], "/");
    EXPECT_EQ(seen[201], "Paused/Resume");
    EXPECT_EQ(seen[203], "Paused/Options");
    EXPECT_EQ(seen[205], "Options/Sound");
    // Start from inside the options resumes the battle at once.
    EXPECT_EQ(seen[207], "/");
    EXPECT_EQ(seen[209], "Paused/Resume");
    EXPECT_EQ(seen[213], "/");  // B on the pause menu resumes
    EXPECT_TRUE(inBattle);
}

TEST_F(PlayerSettings, OptionsFromTheTitleByKeyboardApplyAtOnceAndAreSaved) {
    GameHarness harness;
    harness.DrawOnly([](uint64_t) { return false; });
    // O opens the options; Enter on Sound; Left lowers the master volume by a step; Down,
    // Down, Left twice lowers the effects volume by two; Escape twice goes back and closes.
    // Then Escape on the title ends the game, as it always did.
    const Table table = {
        {5, Press({scancode::O})},
        {7, Press({scancode::Return})},
        {9, Press({scancode::Left})},
        {11, Press({scancode::Down, scancode::Down})},
        {13, Press({scancode::Left, scancode::Left})},
        {15, Press({scancode::Escape})},
        {17, Press({scancode::Escape})},
        {30, Press({scancode::Escape})},
    };
    harness.Platform().SetScript(FromTable(table));
    std::map<uint64_t, std::string> heading;
    std::map<uint64_t, float> gain;
    std::vector<uint64_t> titlePasses;
    harness.Platform().SetPassHook([&](uint64_t pass) {
        heading[pass] = Heading();
        gain[pass] = AudioManager::GetInstance().GetMasterGain();
    });
    harness.Platform().SetPresentHook([&](uint64_t pass) {
        if (pass == 6) Shot("menus_options_title");
    });
    harness.DrawOnly([](uint64_t pass) { return pass == 6; });
    harness.Run([] { return new Title; }, 40);

    EXPECT_EQ(heading[6], "Options");
    EXPECT_EQ(heading[8], "Sound");
    EXPECT_EQ(heading[16], "Options");
    EXPECT_EQ(heading[18], "");
    // Escape inside the menus went back; on the title it closed the window at pass 30.
    EXPECT_EQ(harness.Platform().GetPass(), 30u);

    // The master volume took effect in the pass it was changed.
    EXPECT_FLOAT_EQ(gain[8], VolumeControl::GainFor(100, false));
    EXPECT_FLOAT_EQ(gain[10], VolumeControl::GainFor(95, false));
    const Settings saved = Saved();
    EXPECT_EQ(saved.volume, 95);
    EXPECT_EQ(saved.effectsVolume, 90);
    EXPECT_EQ(saved.musicVolume, 100);
}

TEST_F(PlayerSettings, OptionsFromThePauseMenuByMouse) {
    GameHarness harness;
    std::map<uint64_t, std::string> heading;
    std::map<uint64_t, PlatformPoint> cursorFromCentre;
    Table table;
    harness.Platform().SetScript([&](uint64_t pass) {
        if (pass == kEnter) return GameHarness::Hold({vk::Return});
        if (pass == 150) return Press({scancode::P});
        // Each click aims at the row as the open page lays it out.
        const auto click = [](const std::string& label) {
            const PlatformPoint at = RowCentre(label);
            return ClickAt(at.x, at.y);
        };
        if (pass == 152) return PointAt(10, 10);
        if (pass == 154) return click("Options");
        if (pass == 156) return click("Controls");
        if (pass == 158) {
            // The increase arrow of the mouse sensitivity: the right end of its row.
            const Menu* menu = Menus().GetMenu();
            const Menu::Box row = menu->GetRow(0);
            return ClickAt(row.left + row.width - 4, row.top + row.height / 2);
        }
        if (pass == 160) return click("Invert vertical look");
        if (pass == 162) {
            // Hovering selects the row under the pointer.
            const PlatformPoint at = RowCentre("Back");
            return PointAt(at.x, at.y);
        }
        if (pass == 170) return Press({scancode::P});
        if (pass == 180) {
            PassInput input;
            input.mouseDx = 8;
            input.mouseDy = 8;
            return input;
        }
        return PassInput{};
    });
    std::map<uint64_t, std::string> selected;
    float yawBefore = 0.0f, pitchBefore = 0.0f, yawAfter = 0.0f, pitchAfter = 0.0f;
    harness.Platform().SetPassHook([&](uint64_t pass) {
        heading[pass] = Heading();
        selected[pass] = SelectedLabel();
        GameScene* battle = Battle();
        if (!battle) return;
        if (pass == 180) {
            yawBefore = battle->GetCamera()->GetYaw();
            pitchBefore = battle->GetCamera()->GetPitch();
        }
        if (pass == 181) {
            yawAfter = battle->GetCamera()->GetYaw();
            pitchAfter = battle->GetCamera()->GetPitch();
        }
    });
    harness.DrawOnly([](uint64_t pass) { return pass == 151 || pass == 159 || pass == 163; });
    harness.Platform().SetPresentHook([&](uint64_t pass) {
        if (pass == 151) Shot("menus_pause");
        if (pass == 159 || pass == 163) Shot("menus_controls_" + std::to_string(pass));
    });
    harness.Run([] { return new Title; }, 190);

    EXPECT_EQ(heading[151], "Paused");
    EXPECT_EQ(heading[155], "Options");
    EXPECT_EQ(heading[157], "Controls");
    EXPECT_EQ(selected[163], "Back");
    EXPECT_EQ(heading[171], "");
    const Settings saved = Saved();
    EXPECT_EQ(saved.mouseSensitivity, 125);
    EXPECT_TRUE(saved.invertLook);
    // 8 pixels at 1.25× is 10 pixels of turn (0.25° each); inverted, down turns up.
    EXPECT_FLOAT_EQ(yawAfter - yawBefore, 10 * 0.25f);
    EXPECT_FLOAT_EQ(pitchAfter - pitchBefore, -10 * 0.25f);
}

TEST_F(PlayerSettings, ARebindingChangesWhatMovesTheRobotSwapsConflictsAndResets) {
    GameHarness harness;
    harness.DrawOnly([](uint64_t) { return false; });
    std::map<uint64_t, std::string> selected;
    std::map<uint64_t, Vector3> position;
    std::string swapMessage;
    const Table table = {
        {kEnter, GameHarness::Hold({vk::Return})},
        {150, Press({scancode::P})},
        {152, Press({scancode::Down})},  // Options
        {154, Press({scancode::Return})},
        {156, Press({scancode::Down, scancode::Down, scancode::Down})},  // Keyboard and mouse
        {158, Press({scancode::Return})},
        {160, Press({scancode::Return})},  // Move forward: capture
        {162, Press({12})},                // the I key
        {164, Press({scancode::Down})},    // Move back
        {166, Press({scancode::Return})},
        {168, Press({12})},  // I again: taken from Move forward, which gets S
        {170, Press({scancode::P})},
    };
    harness.Platform().SetScript([&](uint64_t pass) {
        const auto at = table.find(pass);
        if (at != table.end()) return at->second;
        PassInput input;
        // After the rebinding: the old key first, then the new one, then the swapped one.
        if (pass >= 180 && pass < 200) input.held = {'W'};
        if (pass >= 200 && pass < 220) input.keys = {12};
        if (pass >= 220 && pass < 240) input.keys = {scancode::S};
        return input;
    });
    harness.Platform().SetPassHook([&](uint64_t pass) {
        selected[pass] = SelectedLabel();
        if (pass == 169) swapMessage = Menus().GetMessage();
        if (GameScene* battle = Battle())
            position[pass] = battle->GetPlayer()->GetWorld().Translation();
    });
    harness.Run([] { return new Title; }, 245);

    EXPECT_EQ(selected[159], InputBindings::Label(GameAction::MoveForward));
    EXPECT_NE(swapMessage.find(InputBindings::Label(GameAction::MoveForward)), std::string::npos)
        << swapMessage;
    const auto moved = [&](uint64_t from, uint64_t to) {
        const Vector3 d = position[to] - position[from];
        return d.x * d.x + d.y * d.y + d.z * d.z;
    };
    // W no longer moves the robot; I (now "back") and S (now "forward") do.
    EXPECT_LT(moved(182, 199), 1e-6f);
    EXPECT_GT(moved(202, 219), 0.5f);
    EXPECT_GT(moved(222, 239), 0.5f);

    // Saved as the player left them; a reset brings the defaults back.
    std::vector<std::string> warnings;
    const InputBindings bound = InputBindings::FromSettings(Saved().bindings, warnings);
    EXPECT_TRUE(warnings.empty());
    EXPECT_EQ(bound.GetKeyboard(GameAction::MoveBack),
              (PhysicalInput{PhysicalInput::Device::Key, 12}));
    EXPECT_EQ(bound.GetKeyboard(GameAction::MoveForward),
              (PhysicalInput{PhysicalInput::Device::Key, scancode::S}));
}

TEST_F(PlayerSettings, ResetRestoresTheDefaultsAndAReservedKeyIsRefused) {
    GameHarness harness;
    std::string refused, reset;
    const Table table = {
        {5, Press({scancode::O})},
        {7, Press({scancode::Down, scancode::Down, scancode::Down})},  // Keyboard and mouse
        {9, Press({scancode::Return})},
        {11, Press({scancode::Return})},  // Move forward: capture
        {13, Press({scancode::M})},       // the mute key stays the mute key
        {15, Press({scancode::Return})},
        {17, Press({12})},                          // I
        {21, Press({scancode::Up, scancode::Up})},  // Reset to defaults
        {23, Press({scancode::Return})},
    };
    harness.Platform().SetScript(FromTable(table));
    bool capturingShot = false;
    harness.Platform().SetPassHook([&](uint64_t pass) {
        if (pass == 14) refused = Menus().GetMessage();
        if (pass == 24) reset = Menus().GetMessage();
    });
    harness.DrawOnly([](uint64_t pass) { return pass == 16; });
    harness.Platform().SetPresentHook([&](uint64_t pass) {
        if (pass == 16) {
            capturingShot = Menus().IsCapturing();
            Shot("menus_rebinding");
        }
    });
    harness.Run([] { return new Title; }, 26);
    EXPECT_NE(refused.find("reserved"), std::string::npos) << refused;
    EXPECT_TRUE(capturingShot);
    EXPECT_EQ(reset, "Defaults restored");
    std::vector<std::string> warnings;
    EXPECT_EQ(InputBindings::FromSettings(Saved().bindings, warnings), InputBindings::Defaults());
    EXPECT_FALSE(Saved().mute);
}

TEST_F(PlayerSettings, EveryPageDrawsAndEverySettingStepsAndRoundTrips) {
    GameHarness harness;
    // Open each page of the options from the title, step every setting on it once to the
    // right, photograph it, and go back.
    Table table = {{5, Press({scancode::O})}};
    std::vector<std::pair<uint64_t, std::string>> shots;
    uint64_t pass = 7;
    for (int page = 0; page < 5; ++page) {
        table[pass] = Press({scancode::Return});
        pass += 2;
        const int rows = page == 0 ? 4 : page == 1 ? 4 : page == 2 ? 3 : 0;
        for (int r = 0; r < rows; ++r) {
            table[pass] = Press({scancode::Right, scancode::Down});
            pass += 2;
        }
        // The page as its last step left it, in the pass before it is left.
        shots.emplace_back(pass - 1, "menus_page" + std::to_string(page));
        table[pass] = Press({scancode::Escape});
        pass += 2;
        table[pass] = Press({scancode::Down});
        pass += 2;
    }
    harness.Platform().SetScript(FromTable(table));
    harness.DrawOnly([&](uint64_t p) {
        for (const auto& shot : shots)
            if (shot.first == p) return true;
        return false;
    });
    harness.Platform().SetPresentHook([&](uint64_t p) {
        for (const auto& shot : shots)
            if (shot.first == p) Shot(shot.second);
    });
    harness.Run([] { return new Title; }, pass + 2);

    const Settings saved = Saved();
    EXPECT_EQ(saved.volume, 100);       // already at the top
    EXPECT_EQ(saved.musicVolume, 100);  // likewise
    EXPECT_TRUE(saved.mute);
    EXPECT_TRUE(saved.fullscreen == harness.Platform().IsFullscreen());
    EXPECT_EQ(saved.vsync, 1);         // auto → on
    EXPECT_EQ(saved.antiAliasing, 0);  // auto → off
    EXPECT_EQ(saved.renderScale, 50);  // auto → 50 %
    EXPECT_EQ(saved.mouseSensitivity, 125);
    EXPECT_TRUE(saved.invertLook);
    EXPECT_EQ(saved.padLookSensitivity, 125);
    EXPECT_EQ(Application::GetInstance().GetSettings().Get(), saved);
}

TEST(PauseMenu, AReplayOfASessionWithPausesAndMenusIsExact) {
    // Recorded: the battle, a pause, a walk through the options with a change, a resume,
    // a second pause by controller and a resume.
    InputLog log;
    std::vector<uint64_t> recorded;
    {
        PrepareHeadlessEnvironment();
        Application::GetInstance().UseSettings(SettingsStore::Reproducible());
        std::srand(3);
        InputLatch::GetInstance().SetEnter(false);
        InputLatch::GetInstance().SetClick(false);
        auto scripted = std::make_unique<ScriptedPlatform>();
        const Table table = {
            {kEnter, GameHarness::Hold({vk::Return})},
            {160, Press({scancode::P})},
            {162, Press({scancode::Down, scancode::Return})},
            {164, Press({scancode::Down, scancode::Down, scancode::Return})},  // Controls
            {166, Press({scancode::Right})},
            {168, Press({scancode::P})},
            {220, PadPress(PadButton::Start)},
            {221, NoPad()},
            {240, PadPress(PadButton::Start)},
        };
        scripted->SetScript([table](uint64_t pass) {
            const auto at = table.find(pass);
            PassInput input = at == table.end() ? PassInput{} : at->second;
            // Walking and turning, but not under the menu, where the pointer would
            // wander over the rows.
            if (pass > 120 && pass < 300 && (pass < 160 || pass > 168) &&
                input.keyPresses.empty()) {
                input.held.insert('W');
                input.mouseDx = 2;
            }
            return input;
        });
        scripted->SetPassLimit(320);
        ScriptedPlatform* inner = scripted.get();
        inner->SetPassStartHook([&](uint64_t) { recorded.push_back(DigestGame()); });
        auto recording = std::make_unique<RecordingPlatform>(std::move(scripted));
        RecordingPlatform* recorder = recording.get();
        SetPlatform(std::move(recording));
        GraphicsDevice::GetInstance().SetSkipRasterization(true);
        ASSERT_TRUE(Application::GetInstance().Run([] { return new Title; }));
        log = recorder->GetLog();
        SetPlatform(nullptr);
    }
    {
        Application::GetInstance().UseSettings(SettingsStore::Reproducible());
        std::srand(3);
        InputLatch::GetInstance().SetEnter(false);
        InputLatch::GetInstance().SetClick(false);
        auto replay = std::make_unique<ReplayPlatform>(log);
        ReplayPlatform* player = replay.get();
        std::vector<uint64_t> replayed;
        player->SetPassStartHook([&](uint64_t) { replayed.push_back(DigestGame()); });
        SetPlatform(std::move(replay));
        ASSERT_TRUE(Application::GetInstance().Run([] { return new Title; }));
        EXPECT_FALSE(player->IsDiverged());
        SetPlatform(nullptr);
        GraphicsDevice::GetInstance().SetSkipRasterization(false);
        ASSERT_EQ(replayed.size(), recorded.size());
        for (size_t i = 0; i < replayed.size(); ++i) {
            ASSERT_EQ(replayed[i], recorded[i]) << "first difference at pass " << i + 1;
        }
    }
    // The options change made in the recording was made in the replay too, and the
    // mouse sensitivity went back to the game's own for the tests after this one.
    EXPECT_EQ(Application::GetInstance().GetSettings().Get().mouseSensitivity, 125);
    Application::GetInstance().UseSettings(SettingsStore::Reproducible());
}
