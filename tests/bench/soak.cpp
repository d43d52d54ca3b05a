// Soak run: the whole game played by the aiming bot for many passes across many battles
// (title → battle → clear or game over → title → ...), headless, drawing only a pass now
// and then. Prints each battle's length and outcome with the resident memory at its start,
// and at the end the totals and the verdict on memory from battle to battle (MemoryTrend).
// Exits with status 1 when memory grows beyond noise, 0 otherwise.
//
//   bench_soak [passes]      (default 100000)
//
// Under AddressSanitizer the resident memory also holds the freed blocks it keeps in
// quarantine, which grows until the quarantine is full; the verdict is printed but does not
// fail the run there (LeakSanitizer checks for leaks at exit instead). scripts/soak runs
// the long soak: its first stretch in the sanitizer build, the rest in the normal build.
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
#include "support/MemoryTrend.h"
#include "support/ProcessMemory.h"

namespace {

#if defined(__SANITIZE_ADDRESS__)
constexpr bool kSanitized = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool kSanitized = true;
#else
constexpr bool kSanitized = false;
#endif
#else
constexpr bool kSanitized = false;
#endif

}  // namespace

int main(int argc, char** argv) {
    const uint64_t passes = argc > 1 ? std::strtoull(argv[1], nullptr, 10) : 100000;
    GameHarness harness;
    AimBot bot;
    // Identity only: the scene behind it may be gone by the time it is compared.
    const SceneBase* lastScene = nullptr;
    bool lastWasBattle = false;
    uint64_t battleStart = 0, battles = 0, wins = 0, losses = 0;
    long residentAtStart = 0;
    MemoryTrend trend;
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
            std::printf(
                "battle %llu: %llu passes, %s; resident %ld kB at its start, %ld kB at "
                "its end, peak %ld kB\n",
                static_cast<unsigned long long>(battles),
                static_cast<unsigned long long>(pass - battleStart),
                won    ? "won"
                : lost ? "lost"
                       : "left",
                residentAtStart, rss, peak);
            std::fflush(stdout);
        }
        lastWasBattle = dynamic_cast<GameScene*>(scene) != nullptr;
        if (lastWasBattle) {
            ++battles;
            battleStart = pass;
            long peak = 0;
            ReadProcessMemory(residentAtStart, peak);
            trend.Add(residentAtStart);
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
    std::printf("%s%s\n", trend.Describe().c_str(),
                kSanitized ? " (sanitizer build: reported, not judged)" : "");
    std::fflush(stdout);
    return trend.IsGrowing() && !kSanitized ? 1 : 0;
}
