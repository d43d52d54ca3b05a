// The busiest battle the enemy side can produce, timed per pass: five robots that fire
// whenever their guns allow (attack energy kept topped up), all three battleship cannons
// awake at once (missile bursts and charge shots with their ring bursts), the 20 stones of
// the field. Update = EnemyManager::Update + BattleShip::Update; draw = the ship and the
// robots with their gauges, submission only (the GPU is drained outside the timing), with
// the effects batched and mesh subsets merged, and once more with a draw call each.
//
// Run from the build folder (it reads the generated Data/). Prints the mean and the worst
// pass of each part, in milliseconds of CPU time of the game's thread (the software
// renderer's own threads are not counted).
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "engine/audio/AudioManager.h"
#include "engine/graphics/EffectBatch.h"
#include "engine/graphics/FwScreenshot.h"
#include "engine/graphics/GraphicsDevice.h"
#include "engine/graphics/ModelCache.h"
#include "engine/graphics/ModelDrawer.h"
#include "engine/graphics/ShaderManager.h"
#include "engine/graphics/TextureCache.h"
#include "engine/platform/ScriptedPlatform.h"
#include "game/enemy/BattleShip.h"
#include "game/enemy/BattleShipCannon.h"
#include "game/enemy/ChargeShot.h"
#include "game/enemy/EnemyManager.h"
#include "game/player/Player.h"
#include "game/world/StoneField.h"
#include "support/Environment.h"
#include "support/ThreadCpuTime.h"

namespace {

int g_window = 0;

bool StartEngine() {
    static bool started = false;
    if (started) return true;
    SetEnv("SDL_VIDEODRIVER", "offscreen", false);
    SetEnv("ALSOFT_DRIVERS", "null", false);
    SetPlatform(std::make_unique<ScriptedPlatform>());
    if (!GetPlatform().CreateGameWindow(1280, 720, "bench")) return false;
    std::string error;
    if (!GraphicsDevice::GetInstance().Initialize(&g_window, 1280, 720, false, error)) return false;
    ShaderManager::GetInstance().Initialize();
    AudioManager::GetInstance().Initialize();
    started = true;
    return true;
}

// The battle, warmed up until every kind of projectile is in flight. Owned by the first
// benchmark that needs it and shared by both (the draw times the state the update left).
struct Battle {
    Player player;
    StoneField stones;
    BattleShip ship;
    EnemyManager manager{ship};

    Battle() {
        // Close enough to the ship for the missiles and the charge-shot bursts to matter.
        player.SetMatrix(Matrix::CreateTranslation(0.0f, 4.0f, 120.0f));
        while (manager.GetEnemies().size() < EnemyManager::kMaxEnemies)
            manager.GetEnemies().push_back(std::make_unique<Enemy>(ship.GetWorld()));
        // All three cannons at once, which the game itself never does (each waits for the
        // previous one to die): the worst case.
        for (const auto& cannon : ship.GetCannons())
            cannon->Update(ship.GetWorld(), true, false, 0.2f, player, stones.GetStones(),
                           manager.GetEnemies(), ship);
        for (int pass = 0; pass < 900; ++pass) Update();
    }

    void Update() {
        for (auto& enemy : manager.GetEnemies()) {
            enemy->SetWeaponMode(Enemy::kGunsArmed);
            enemy->SetFireRequest(1);
        }
        manager.SpendAttackEnergy(manager.GetAttackEnergy() - EnemyManager::kMaxAttackEnergy);
        manager.Update(player, &stones, stones.GetStones(), ship);
        ship.Update(manager.IsEnemyRemoved(), player, stones.GetStones(), manager.GetEnemies());
        stones.Update(false);
    }

    void Draw() {
        ShaderManager& shaders = ShaderManager::GetInstance();
        const Vector3 eye(0.0f, 20.0f, 60.0f);
        shaders.SetView(Matrix::CreateLookAt(eye, {0.0f, 5.0f, 200.0f}, {0, 1, 0}));
        shaders.SetProjMatrix(Matrix::CreatePerspectiveFieldOfView(
            ToRadians(60.0f), 1280.0f / 720.0f, 0.1f, 1000.0f));
        shaders.SetCameraPosition(eye);
        shaders.UploadCamera();
        shaders.GetModelShader().Activate();
        ship.Draw();
        manager.Draw();
    }

    int Projectiles() const {
        int count = 0;
        for (const auto& enemy : manager.GetEnemies()) count += enemy->GetBulletCount();
        for (const auto& cannon : ship.GetCannons()) {
            count += cannon->GetMissileCount();
            for (const auto& shot : cannon->GetChargeShots()) count += 1 + shot->GetBulletCount();
        }
        return count;
    }
};

std::unique_ptr<Battle> g_battle;

Battle* GetBattle() {
    if (!StartEngine()) return nullptr;
    if (!g_battle) g_battle = std::make_unique<Battle>();
    return g_battle.get();
}

void Report(benchmark::State& state, const char* what, double totalMs, double worstMs) {
    const double mean = totalMs / static_cast<double>(state.iterations());
    state.counters["mean_ms"] = mean;
    state.counters["worst_ms"] = worstMs;
    std::printf("%s per pass: mean %.3f ms, worst %.3f ms over %lld passes\n", what, mean, worstMs,
                static_cast<long long>(state.iterations()));
}

void BM_BusiestBattleUpdate(benchmark::State& state) {
    Battle* battle = GetBattle();
    if (!battle) {
        state.SkipWithError("no GL context");
        return;
    }
    double total = 0.0;
    double worst = 0.0;
    for (auto _ : state) {
        const double start = ThreadCpuMs();
        battle->Update();
        const double ms = ThreadCpuMs() - start;
        total += ms;
        worst = std::max(worst, ms);
    }
    state.counters["projectiles"] = battle->Projectiles();
    Report(state, "update", total, worst);
}
BENCHMARK(BM_BusiestBattleUpdate)->Iterations(600)->Unit(benchmark::kMillisecond);

void BM_BusiestBattleDraw(benchmark::State& state) {
    Battle* battle = GetBattle();
    if (!battle) {
        state.SkipWithError("no GL context");
        return;
    }
    // Argument 1: effects batched and mesh subsets merged (the game); 0: a draw call per
    // effect strip and per subset, as before either existed.
    const bool batched = state.range(0) != 0;
    EffectBatch::GetInstance().SetEnabled(batched);
    SetMergedSubsetDraws(batched);
    GraphicsDevice& device = GraphicsDevice::GetInstance();
    double total = 0.0;
    double worst = 0.0;
    long drawCalls = 0;
    long vertices = 0;
    for (auto _ : state) {
        state.PauseTiming();
        battle->Update();
        device.ClearBackBuffer(Color(0, 0, 0, 1));
        device.ClearDepthStencil();
        state.ResumeTiming();
        device.ResetDrawStats();
        const double start = ThreadCpuMs();
        battle->Draw();
        EffectBatch::GetInstance().Flush();  // what the batch still holds is part of the pass
        const double ms = ThreadCpuMs() - start;
        drawCalls += device.GetDrawStats().drawCalls;
        vertices += device.GetDrawStats().vertices;
        total += ms;
        worst = std::max(worst, ms);
        state.PauseTiming();
        uint8_t rgba[4];
        FwReadPixel(0, 0, rgba);  // drains the GPU outside the timing
        state.ResumeTiming();
    }
    EffectBatch::GetInstance().SetEnabled(true);
    SetMergedSubsetDraws(true);
    Report(state, batched ? "draw submission (batched)" : "draw submission (unbatched)", total,
           worst);
    const double passes = static_cast<double>(state.iterations());
    state.counters["draw_calls"] = static_cast<double>(drawCalls) / passes;
    state.counters["vertices"] = static_cast<double>(vertices) / passes;
    std::printf("draw calls per pass (%s): %.1f, vertices fetched per pass: %.0f\n",
                batched ? "batched" : "unbatched", static_cast<double>(drawCalls) / passes,
                static_cast<double>(vertices) / passes);
}
BENCHMARK(BM_BusiestBattleDraw)->Arg(1)->Arg(0)->Iterations(300)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    // Everything that holds GL objects goes while the context still exists.
    g_battle.reset();
    ReleaseModelCache();
    ReleaseTextureCache();
    ShaderManager::GetInstance().Release();
    GraphicsDevice::GetInstance().Release();
    AudioManager::GetInstance().Release();
    GetPlatform().DestroyGameWindow();
    return 0;
}
