// Soak run: the whole game played by the aiming bot for many passes across several
// battles (title → battle → clear or game over → title → ...), headless, drawing only a
// pass now and then. Prints, per battle, its length, its outcome and the resident memory
// at its start, so growth from one battle to the next shows.
//
//   bench_soak [passes]      (default 100000)
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "app/SceneManager.h"
#include "engine/platform/Keys.h"
#include "game/scenes/Clear.h"
#include "game/scenes/GameScene.h"
#include "game/scenes/Gameover.h"
#include "game/scenes/Title.h"
#include "support/AimBot.h"
#include "support/GameHarness.h"
#include "support/ProcessMemory.h"

int main(int argc, char** argv) {
    const uint64_t passes = argc > 1 ? std::strtoull(argv[1], nullptr, 10) : 100000;
    GameHarness harness;
    AimBot bot;
    // Identity only: the scene behind it may be gone by the time it is compared.
    const SceneBase* lastScene = nullptr;
    bool lastWasBattle = false;
    uint64_t battleStart = 0, battles = 0, wins = 0, losses = 0;
    harness.DrawOnly([](uint64_t pass) { return pass % 1000 == 0; });
    harness.Platform().SetScript([&](uint64_t pass) {
        SceneBase* scene = SceneManager::GetInstance().GetCurrent();
        if (auto* battle = dynamic_cast<GameScene*>(scene)) {
            if (bot.scene != battle) bot = AimBot{};
            bot.scene = battle;
            return bot.Next(pass);
        }
        bot.scene = nullptr;
        // Every other screen: press Enter now and then, as an impatient player would.
        return pass % 40 == 0 ? GameHarness::Hold({vk::Return}) : PassInput{};
    });
    const auto started = std::chrono::steady_clock::now();
    harness.Platform().SetPresentHook([&](uint64_t pass) {
        SceneBase* scene = SceneManager::GetInstance().GetCurrent();
        if (scene == lastScene) return;
        if (lastWasBattle) {
            const bool won = dynamic_cast<Clear*>(scene) != nullptr;
            const bool lost = dynamic_cast<Gameover*>(scene) != nullptr;
            wins += won;
            losses += lost;
            long rss = 0, peak = 0;
            ReadProcessMemory(rss, peak);
            std::printf("battle %llu: %llu passes, %s; resident %ld kB, peak %ld kB\n",
                        static_cast<unsigned long long>(battles),
                        static_cast<unsigned long long>(pass - battleStart),
                        won    ? "won"
                        : lost ? "lost"
                               : "left",
                        rss, peak);
            std::fflush(stdout);
        }
        lastWasBattle = dynamic_cast<GameScene*>(scene) != nullptr;
        if (lastWasBattle) {
            ++battles;
            battleStart = pass;
        }
        lastScene = scene;
    });
    harness.Run([] { return new Title; }, passes);
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    long rss = 0, peak = 0;
    ReadProcessMemory(rss, peak);
    std::printf(
        "soak: %llu passes in %.1f s (%.0f passes/s), %llu battles (%llu won, %llu lost), "
        "resident %ld kB, peak %ld kB\n",
        static_cast<unsigned long long>(passes), seconds, passes / seconds,
        static_cast<unsigned long long>(battles), static_cast<unsigned long long>(wins),
        static_cast<unsigned long long>(losses), rss, peak);
    return 0;
}
