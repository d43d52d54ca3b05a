// The game as a player meets it, headless on the software renderer, every pass drawn at
// 1280 × 720:
//   - launch: wall time from the start of the loop (window, GL, shaders, audio) to the
//     first title frame presented;
//   - battle construction with the model and texture caches empty (the first battle of a
//     fresh loop), and with them warm (every later battle);
//   - battles played by the aiming bot: passes per second with full rendering, thread CPU
//     time per pass of GameScene::Update and GameScene::Draw;
//   - resident memory at the start of each battle and the peak, across the battles.
//
//   - draw calls per pass, and the render scale the battle ended at.
//
//   bench_game [passes per battle] [battles] [adaptive]     (defaults 1200, 3, fixed)
//
// "adaptive" lets the render scale follow the measured pass time (as the game does with
// render_scale = auto); without it every pass is drawn at full scale.
//
//   bench_game paced [passes]                                (default 1500)
//
// The game against the wall clock, as a player meets it: the real paced loop on the real
// clock (passes due every 16 ms, pictures dropped when drawing cannot keep up), the bot's
// battle, once with the picture fixed at full scale and once with the automatic settings
// (render scale, multisampling, vsync). Prints the game speed (passes per wall second over
// the 62.5 the game is made for), pictures per second and the longest gap between two
// pictures.
//
// Run from the build folder (it reads the generated Data/).
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "app/Application.h"
#include "app/SceneManager.h"
#include "engine/graphics/GraphicsDevice.h"
#include "engine/graphics/ScenePass.h"
#include "game/scenes/GameScene.h"
#include "game/scenes/Title.h"
#include "support/AimBot.h"
#include "support/GameHarness.h"
#include "support/ProcessMemory.h"
#include "support/ThreadCpuTime.h"

namespace {

using Clock = std::chrono::steady_clock;

double MsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

struct BattleFigures {
    double constructMs = 0.0;
    CpuTally update, draw;
    long drawCalls = 0;
    long drawnPasses = 0;
    long scaleSum = 0;  // percent, summed over the drawn passes
    long residentAtStartKb = 0;
    Clock::time_point started;
};

class TimedBattle : public GameScene {
public:
    explicit TimedBattle(BattleFigures& figures) : figures(figures) {}

    void Update() override {
        figures.update.Time([this] { GameScene::Update(); });
    }
    void Draw() override {
        figures.draw.Time([this] { GameScene::Draw(); });
    }

private:
    BattleFigures& figures;
};

TimedBattle* NewBattle(BattleFigures& figures) {
    long peak = 0;
    ReadProcessMemory(figures.residentAtStartKb, peak);
    const auto start = Clock::now();
    auto* battle = new TimedBattle(figures);
    figures.constructMs = MsSince(start);
    figures.started = Clock::now();
    return battle;
}

void Print(int index, const BattleFigures& f, double wallMs) {
    long resident = 0, peak = 0;
    ReadProcessMemory(resident, peak);
    std::printf(
        "battle %d (%s cache): constructed in %.1f ms; %d passes in %.1f s = %.1f passes/s; "
        "update mean %.3f ms (worst %.3f), draw mean %.3f ms (worst %.3f); %.1f draw calls per "
        "pass, render scale %.0f %% on average (%d %% at the end); resident %ld kB at its start, "
        "%ld kB at its end, peak so far "
        "%ld kB\n",
        index, index == 1 ? "cold" : "warm", f.constructMs, f.update.count, wallMs / 1000.0,
        f.update.count / (wallMs / 1000.0), f.update.MeanMs(), f.update.worstMs, f.draw.MeanMs(),
        f.draw.worstMs,
        f.drawnPasses > 0 ? static_cast<double>(f.drawCalls) / static_cast<double>(f.drawnPasses)
                          : 0.0,
        f.drawnPasses > 0 ? static_cast<double>(f.scaleSum) / static_cast<double>(f.drawnPasses)
                          : 0.0,
        ScenePass::GetInstance().GetScalePercent(), f.residentAtStartKb, resident, peak);
    std::fflush(stdout);
}

struct PacedFigures {
    uint64_t passes = 0;
    uint64_t pictures = 0;
    double wallMs = 0.0;
    double longestGapMs = 0.0;
    uint64_t longestGapPasses = 0;
    long scaleSum = 0;
};

PacedFigures RunPaced(uint64_t passes, bool automatic) {
    SettingsStore& settings = Application::GetInstance().GetSettings();
    const Settings before = settings.Get();
    if (automatic) {
        settings.Override([](Settings& s) {
            s.antiAliasing = Settings::kAuto;
            s.renderScale = Settings::kAuto;
            s.vsync = Settings::kAuto;
        });
    }
    GameHarness harness;
    ScriptedPlatform& platform = harness.Platform();
    platform.UseRealClock(true);
    aimbot::AimBot bot;
    platform.SetScript([&](uint64_t pass) {
        bot.scene = dynamic_cast<GameScene*>(SceneManager::GetInstance().GetCurrent());
        return bot.scene ? bot.Next(pass) : PassInput{};
    });
    PacedFigures f;
    bool started = false;
    Clock::time_point first, last;
    uint64_t firstPass = 0, lastPass = 0;
    platform.SetPresentHook([&](uint64_t pass) {
        const Clock::time_point now = Clock::now();
        if (!started) {
            started = true;
            first = now;
            firstPass = pass;
        } else {
            const double gap = std::chrono::duration<double, std::milli>(now - last).count();
            f.longestGapMs = std::max(f.longestGapMs, gap);
            f.longestGapPasses = std::max(f.longestGapPasses, pass - lastPass);
            ++f.pictures;
            f.scaleSum += ScenePass::GetInstance().GetScalePercent();
        }
        last = now;
        lastPass = pass;
    });
    harness.Run([] { return new GameScene; }, passes);
    settings.Override([&](Settings& s) { s = before; });
    // From the first picture to the last: the battle's construction is not part of it.
    f.passes = lastPass - firstPass;
    f.wallMs = std::chrono::duration<double, std::milli>(last - first).count();
    return f;
}

void PrintPaced(const char* name, const PacedFigures& f) {
    const double seconds = f.wallMs / 1000.0;
    std::printf(
        "paced, %s: %llu passes in %.1f s: game speed %.3f of real time; %.1f pictures per "
        "second (%.2f passes a picture); longest gap between pictures %.1f ms, %llu passes; "
        "render scale %.0f %% on average\n",
        name, static_cast<unsigned long long>(f.passes), seconds,
        seconds > 0 ? static_cast<double>(f.passes) / seconds / 62.5 : 0.0,
        seconds > 0 ? static_cast<double>(f.pictures) / seconds : 0.0,
        f.pictures > 0 ? static_cast<double>(f.passes) / static_cast<double>(f.pictures) : 0.0,
        f.longestGapMs, static_cast<unsigned long long>(f.longestGapPasses),
        f.pictures > 0 ? static_cast<double>(f.scaleSum) / static_cast<double>(f.pictures) : 0.0);
    std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc > 1 && std::string(argv[1]) == "paced") {
        const int passes = argc > 2 ? std::max(1, std::atoi(argv[2])) : 1500;
        PrintPaced("full scale fixed", RunPaced(static_cast<uint64_t>(passes), false));
        PrintPaced("automatic settings", RunPaced(static_cast<uint64_t>(passes), true));
        return 0;
    }
    const int passesPerBattle = argc > 1 ? std::max(1, std::atoi(argv[1])) : 1200;
    const int battles = argc > 2 ? std::max(1, std::atoi(argv[2])) : 3;
    const bool adaptive = argc > 3 && std::string(argv[3]) == "adaptive";
    if (adaptive) {
        Application::GetInstance().GetSettings().Override(
            [](Settings& s) { s.renderScale = Settings::kAuto; });
    }
    std::printf("render scale: %s\n", adaptive ? "adaptive" : "fixed at 100 %");

    // Launch to the first title frame.
    {
        GameHarness harness;
        double firstFrameMs = -1.0;
        const auto start = Clock::now();
        harness.Platform().SetPresentHook([&](uint64_t) {
            if (firstFrameMs < 0.0) firstFrameMs = MsSince(start);
        });
        harness.Run([] { return new Title; }, 2);
        std::printf("launch: first title frame presented %.1f ms after the loop started\n",
                    firstFrameMs);
        std::fflush(stdout);
    }

    // Battles back to back, the first one built on empty caches.
    GameHarness harness;
    // The render scale follows real pass times; the game's own clock stays virtual.
    harness.Platform().MeasureRealTime(adaptive);
    aimbot::AimBot bot;
    BattleFigures figures[16];
    const int count = std::min(battles, 16);
    int current = 0;
    uint64_t battleStartPass = 0;
    harness.Platform().SetScript([&](uint64_t pass) {
        if (pass - battleStartPass == static_cast<uint64_t>(passesPerBattle) &&
            current + 1 < count) {
            Print(current + 1, figures[current], MsSince(figures[current].started));
            ++current;
            battleStartPass = pass;
            bot = aimbot::AimBot{};
            SceneManager::GetInstance().SetScene(NewBattle(figures[current]));
            return PassInput{};
        }
        auto* battle = dynamic_cast<GameScene*>(SceneManager::GetInstance().GetCurrent());
        bot.scene = battle;
        return battle ? bot.Next(pass) : PassInput{};
    });
    GraphicsDevice::GetInstance().ResetDrawStats();
    harness.Platform().SetPresentHook([&](uint64_t) {
        GraphicsDevice& device = GraphicsDevice::GetInstance();
        figures[current].drawCalls += device.GetDrawStats().drawCalls;
        ++figures[current].drawnPasses;
        figures[current].scaleSum += ScenePass::GetInstance().GetScalePercent();
        device.ResetDrawStats();
    });
    harness.Run([&] { return NewBattle(figures[0]); },
                static_cast<uint64_t>(passesPerBattle) * static_cast<uint64_t>(count));
    Print(current + 1, figures[current], MsSince(figures[current].started));
    return 0;
}
