// The whole game as a person plays it, through the real application loop: the title,
// the battle, the result screens and back, with screenshots of each screen in the build
// folder's screens/. Only the passes that are photographed are rasterised.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "app/SceneManager.h"
#include "engine/graphics/FwScreenshot.h"
#include "engine/platform/Keys.h"
#include "game/scenes/Clear.h"
#include "game/scenes/GameScene.h"
#include "game/scenes/Gameover.h"
#include "game/scenes/Title.h"
#include "support/AimBot.h"
#include "support/GameHarness.h"

namespace {

enum class Screen { None, Title, Battle, Clear, Gameover };

Screen CurrentScreen() {
    SceneBase* scene = SceneManager::GetInstance().GetCurrent();
    if (dynamic_cast<Title*>(scene)) return Screen::Title;
    if (dynamic_cast<GameScene*>(scene)) return Screen::Battle;
    if (dynamic_cast<Clear*>(scene)) return Screen::Clear;
    if (dynamic_cast<Gameover*>(scene)) return Screen::Gameover;
    return Screen::None;
}

// Records the pass at which each screen became current, in order.
struct ScreenLog {
    struct Entry {
        Screen screen;
        uint64_t pass;
    };
    std::vector<Entry> entries;

    void Note(uint64_t pass) {
        const Screen now = CurrentScreen();
        if (entries.empty() || entries.back().screen != now) entries.push_back({now, pass});
    }
    uint64_t FirstPass(Screen screen, size_t occurrence = 0) const {
        for (const Entry& e : entries)
            if (e.screen == screen && occurrence-- == 0) return e.pass;
        return 0;
    }
};

void Shot(const std::string& name) {
    std::filesystem::create_directories("screens");
    EXPECT_TRUE(FwSaveScreenshot("screens/" + name + ".png")) << name;
}

TEST(WholeGame, LosingReturnsToTheTitleByItselfAndAClickStartsAgain) {
    GameHarness harness;
    ScreenLog log;
    uint64_t clickAt = 0;
    // Enter on the title; then nothing until the game has come back to the title by
    // itself; then one click.
    harness.Platform().SetScript([&](uint64_t pass) {
        if (pass == 10) return GameHarness::Hold({vk::Return});
        const uint64_t back = log.FirstPass(Screen::Title, 1);
        if (back && pass >= back + 20 && pass <= back + 21) {
            if (!clickAt) clickAt = pass;
            return GameHarness::Hold({vk::LButton});
        }
        return PassInput{};
    });
    std::vector<std::string> shots;
    harness.DrawOnly([&](uint64_t pass) {
        const uint64_t gameover = log.FirstPass(Screen::Gameover);
        return pass == 5 || pass == 300 || (gameover && pass == gameover + 200);
    });
    harness.Platform().SetPresentHook([&](uint64_t pass) {
        log.Note(pass);
        const uint64_t gameover = log.FirstPass(Screen::Gameover);
        if (pass == 5) Shot("game_title");
        if (pass == 300) Shot("game_battle");
        if (gameover && pass == gameover + 200) Shot("game_gameover");
        if (log.FirstPass(Screen::Battle, 1)) harness.Platform().SetPassLimit(pass);
    });
    // The idle robot is worn down by the robots and the ship's guns.
    harness.Run([] { return new Title; }, 60000);

    ASSERT_GE(log.entries.size(), 5u) << "the game did not come round";
    EXPECT_EQ(log.entries[0].screen, Screen::Title);
    EXPECT_EQ(log.entries[1].screen, Screen::Battle);
    // Enter in pass 10, the fade's 101st pass requests the battle, which starts next pass.
    EXPECT_EQ(log.entries[1].pass, 111u);
    EXPECT_EQ(log.entries[2].screen, Screen::Gameover);
    EXPECT_EQ(log.entries[3].screen, Screen::Title);
    // Without input the game-over screen requests the title in its 702nd pass.
    EXPECT_EQ(log.entries[3].pass - log.entries[2].pass, 702u);
    EXPECT_EQ(log.entries[4].screen, Screen::Battle);
    EXPECT_EQ(log.entries[4].pass, clickAt + 101);
    std::printf("lost the battle in %llu passes\n",
                static_cast<unsigned long long>(log.entries[2].pass - log.entries[1].pass));
}

TEST(WholeGame, WinningShowsTheClearScreenAndEnterReturnsToTheTitle) {
    GameHarness harness;
    ScreenLog log;
    AimBot bot;
    uint64_t enterAt = 0;
    harness.Platform().SetScript([&](uint64_t pass) {
        const Screen screen = CurrentScreen();
        if (screen == Screen::Title && pass == 10) return GameHarness::Hold({vk::Return});
        if (screen == Screen::Battle) {
            bot.scene = dynamic_cast<GameScene*>(SceneManager::GetInstance().GetCurrent());
            // The bot aims well but dodges badly and loses about half its battles; this
            // run is about the way from a won battle to the clear screen and back, so
            // its robot is kept alive.
            if (Player* player = bot.scene ? bot.scene->GetPlayer() : nullptr) {
                if (player->IsAlive() && !player->IsDying()) player->SetHp(2000);
            }
            return bot.Next(pass);
        }
        bot.scene = nullptr;
        const uint64_t clear = log.FirstPass(Screen::Clear);
        if (screen == Screen::Clear && pass == clear + 30) {
            enterAt = pass;
            return GameHarness::Hold({vk::Return});
        }
        return PassInput{};
    });
    harness.DrawOnly([&](uint64_t pass) {
        const uint64_t clear = log.FirstPass(Screen::Clear);
        return pass == 700 || (clear && pass == clear + 10);
    });
    harness.Platform().SetPresentHook([&](uint64_t pass) {
        log.Note(pass);
        const uint64_t clear = log.FirstPass(Screen::Clear);
        if (pass == 700) Shot("game_battle_bot");
        if (clear && pass == clear + 10) Shot("game_clear");
        if (log.FirstPass(Screen::Title, 1)) harness.Platform().SetPassLimit(pass);
    });
    harness.Run([] { return new Title; }, 20000);

    ASSERT_GE(log.entries.size(), 4u)
        << "cannons down: " << bot.cannonsSeenDown << ", shots: " << bot.shots;
    EXPECT_EQ(log.entries[1].screen, Screen::Battle);
    EXPECT_EQ(log.entries[2].screen, Screen::Clear);
    EXPECT_EQ(log.entries[3].screen, Screen::Title);
    EXPECT_EQ(log.entries[3].pass, enterAt + 101);
    std::printf("won the battle in %llu passes with %d shots\n",
                static_cast<unsigned long long>(log.entries[2].pass - log.entries[1].pass),
                bot.shots);
}

}  // namespace
