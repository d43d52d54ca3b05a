// The battle scene run headless through the real loop for 1,000 passes (or
// HOSHIKAGE_BENCH_PASSES): mean and worst thread CPU time per pass of GameScene::Update and
// GameScene::Draw (submission only; llvmpipe rasterises on its own threads and at the
// swap), and the draw calls per pass: effect draws counted by the effects, model draws
// issued by the world (sky, satellite, background ships, stones, fragments).
//
// Run from the build folder (it reads the generated Data/).
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "battle/ProbeScene.h"
#include "game/effects/EffectQuad.h"
#include "game/scenes/GameScene.h"
#include "game/world/StoneField.h"
#include "support/GameHarness.h"
#include "support/ThreadCpuTime.h"

namespace {

struct Figures {
    CpuTally update, draw;
    long effectDraws = 0, modelDraws = 0;
};

class TimedBattle : public GameScene {
public:
    explicit TimedBattle(Figures& figures) : figures(figures) {}

    void Update() override {
        figures.update.Time([this] { GameScene::Update(); });
    }
    void Draw() override {
        const int effectsBefore = EffectQuad::GetDrawCount();
        figures.draw.Time([this] { GameScene::Draw(); });
        figures.effectDraws += EffectQuad::GetDrawCount() - effectsBefore;
        // Sky, satellite, two background ships, then every stone and fragment.
        figures.modelDraws += 4 + static_cast<long>(GetStones()->GetStones().size() +
                                                    GetStones()->GetFragments().size());
    }

private:
    Figures& figures;
};

void BM_BattlePasses(benchmark::State& state) {
    const char* env = std::getenv("HOSHIKAGE_BENCH_PASSES");
    const uint64_t passes = env ? std::strtoull(env, nullptr, 10) : 1000;
    for (auto _ : state) {
        Figures figures;
        GameHarness harness;
        RunAndRelease(
            harness, [&] { return new TimedBattle(figures); }, passes);
        const double n = std::max(1, figures.update.count);
        state.counters["update_mean_ms"] = figures.update.MeanMs();
        state.counters["update_worst_ms"] = figures.update.worstMs;
        state.counters["draw_mean_ms"] = figures.draw.MeanMs();
        state.counters["draw_worst_ms"] = figures.draw.worstMs;
        state.counters["effect_draws_per_pass"] = static_cast<double>(figures.effectDraws) / n;
        state.counters["model_draws_per_pass"] = static_cast<double>(figures.modelDraws) / n;
        std::printf(
            "battle, %d passes: update mean %.3f ms worst %.3f ms; draw mean %.3f ms worst %.3f "
            "ms; %.1f effect draws and %.1f world model draws per pass\n",
            figures.update.count, figures.update.MeanMs(), figures.update.worstMs,
            figures.draw.MeanMs(), figures.draw.worstMs,
            static_cast<double>(figures.effectDraws) / n,
            static_cast<double>(figures.modelDraws) / n);
    }
}
BENCHMARK(BM_BattlePasses)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
