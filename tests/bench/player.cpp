// The player's busiest pass, timed: boosting with W and Shift, swinging the axe again as
// soon as a swing ends, eight rail-gun bullets in flight that hit a stone and spray sparks,
// three robots within reach of the blade, the muzzle flashes, thrusters and trails alive.
// Update = Player::Update; draw = Player::Draw (limbs, weapons, effects, thrusters, trails,
// gauges and reticle), submission only: the GPU is drained outside the timing.
//
// Run from the build folder (it reads the generated Data/).
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "app/InputLatch.h"
#include "engine/audio/AudioManager.h"
#include "engine/graphics/FwScreenshot.h"
#include "engine/graphics/GraphicsDevice.h"
#include "engine/graphics/ShaderManager.h"
#include "engine/platform/Keys.h"
#include "engine/platform/ScriptedPlatform.h"
#include "game/enemy/Enemy.h"
#include "game/player/Bullet.h"
#include "game/player/Player.h"
#include "game/world/Stone.h"
#include "support/Environment.h"

namespace {

int g_window = 0;

bool StartEngine() {
    static bool started = false;
    if (started) return true;
    SetEnv("SDL_VIDEODRIVER", "offscreen", false);
    SetEnv("ALSOFT_DRIVERS", "null", false);
    auto platform = std::make_unique<ScriptedPlatform>();
    ScriptedPlatform* scripted = platform.get();
    SetPlatform(std::move(platform));
    if (!GetPlatform().CreateGameWindow(1280, 720, "bench")) return false;
    std::string error;
    if (!GraphicsDevice::GetInstance().Initialize(&g_window, 1280, 720, false, error)) return false;
    ShaderManager::GetInstance().Initialize();
    AudioManager::GetInstance().Initialize();
    // Held for the whole run: forward, boost and the left button.
    scripted->SetScript([](uint64_t) {
        PassInput input;
        input.held = {'W', vk::Shift, vk::LButton};
        return input;
    });
    scripted->PumpMessages();
    started = true;
    return true;
}

struct Arena {
    Player player;
    EnemyList enemies;
    std::vector<std::unique_ptr<Stone>> stones;
    std::vector<Stone*> stoneView;
    float pitch = 15.0f;
    float yaw = 0.0f;

    Arena() {
        for (int i = 0; i < 3; ++i) {
            enemies.push_back(std::make_unique<Enemy>(Matrix()));
        }
        auto stone = std::make_unique<Stone>();
        stone->PlaceAt({0.0f, 4.0f, 80.0f});
        stone->Update();
        stoneView.push_back(stone.get());
        stones.push_back(std::move(stone));
        for (int pass = 0; pass < 120; ++pass) Update();
    }

    void Update() {
        // Keeps the busy state going: energy for the boost, a free click for the next
        // swing, robots on the blade and bullets in the air.
        player.SetEnergy(Player::kMaxEnergy);
        InputLatch::GetInstance().SetClick(false);
        const Vector3 at = player.GetWorld().Translation();
        for (size_t i = 0; i < enemies.size(); ++i) {
            const Matrix place =
                Matrix::CreateTranslation(at + Vector3(static_cast<float>(i) - 1.0f, -1.0f, 2.0f));
            enemies[i]->SetMatrix(place);
        }
        // The stone stays ahead so the bullets keep hitting it.
        stones[0]->SetMatrix(Matrix::CreateTranslation(at + Vector3(0.0f, 0.0f, 40.0f)));
        stones[0]->Update();
        while (player.GetBullets().size() < 8) {
            const Vector3 start =
                at +
                Vector3(0.0f, 0.0f, 2.0f + 4.0f * static_cast<float>(player.GetBullets().size()));
            player.AddBullet(Matrix::CreateTranslation(start), {0.0f, 0.0f, 1.0f});
        }
        player.Update(&pitch, &yaw, enemies, stoneView, nullptr, false);
    }

    void Draw() {
        ShaderManager& shaders = ShaderManager::GetInstance();
        const Vector3 at = player.GetWorld().Translation();
        const Vector3 eye = at + Vector3(0.0f, 3.5f, -9.0f);
        shaders.SetView(Matrix::CreateLookAt(eye, at, {0, 1, 0}));
        shaders.SetProjMatrix(Matrix::CreatePerspectiveFieldOfView(
            ToRadians(60.0f), 1280.0f / 720.0f, 0.1f, 1000.0f));
        shaders.SetCameraPosition(eye);
        shaders.UploadCamera();
        shaders.GetModelShader().Activate();
        player.Draw();
    }
};

std::unique_ptr<Arena> g_arena;

Arena* GetArena() {
    if (!StartEngine()) return nullptr;
    if (!g_arena) g_arena = std::make_unique<Arena>();
    return g_arena.get();
}

void BM_PlayerUpdate(benchmark::State& state) {
    Arena* arena = GetArena();
    if (arena == nullptr) {
        state.SkipWithError("no offscreen OpenGL context");
        return;
    }
    for (auto _ : state) arena->Update();
    state.counters["bullets"] = static_cast<double>(arena->player.GetBullets().size());
    state.counters["stoneSparks"] = arena->player.CountStoneSparks();
}
BENCHMARK(BM_PlayerUpdate)->Iterations(2000)->Unit(benchmark::kMicrosecond);

void BM_PlayerDraw(benchmark::State& state) {
    Arena* arena = GetArena();
    if (arena == nullptr) {
        state.SkipWithError("no offscreen OpenGL context");
        return;
    }
    uint8_t pixel[4];
    for (auto _ : state) {
        state.PauseTiming();
        arena->Update();
        GraphicsDevice::GetInstance().ClearBackBuffer(Color(0, 0, 0, 1));
        GraphicsDevice::GetInstance().ClearDepthStencil();
        state.ResumeTiming();
        arena->Draw();
        state.PauseTiming();
        FwReadPixel(0, 0, pixel);  // drains the GPU outside the timing
        state.ResumeTiming();
    }
}
BENCHMARK(BM_PlayerDraw)->Iterations(300)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
