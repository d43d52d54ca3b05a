// Cost of the immediate-mode paths on the real GL context (llvmpipe offscreen when
// SDL_VIDEODRIVER=offscreen): 10,000 sprites per frame and 1,000 effect quads per frame.
// Each iteration is one frame, ended with a glFinish-equivalent read of one pixel so the
// GPU work is counted too.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "engine/graphics/AdditiveBlend.h"
#include "engine/graphics/FwScreenshot.h"
#include "engine/graphics/FwTexture.h"
#include "engine/graphics/GraphicsDevice.h"
#include "engine/graphics/ShaderManager.h"
#include "engine/platform/ScriptedPlatform.h"
#include "support/Environment.h"

namespace {

int g_window = 0;

bool StartGraphics() {
    static bool started = false;
    if (started) return true;
    SetEnv("SDL_VIDEODRIVER", "offscreen", false);
    SetPlatform(std::make_unique<ScriptedPlatform>());
    if (!GetPlatform().CreateGameWindow(1280, 720, "bench")) return false;
    std::string error;
    if (!GraphicsDevice::GetInstance().Initialize(&g_window, 1280, 720, false, error)) return false;
    ShaderManager::GetInstance().Initialize();
    started = true;
    return true;
}

std::unique_ptr<FwTexture> MakeTexture() {
    std::vector<uint32_t> texels(64 * 64, 0xC0FFFFFFu);
    auto texture = std::make_unique<FwTexture>();
    SubresourceData data{texels.data(), 64 * 4, 0};
    texture->Create(64, 64, PixelFormat::R8G8B8A8_Unorm, 1, &data);
    return texture;
}

void FinishFrame() {
    uint8_t rgba[4];
    FwReadPixel(0, 0, rgba);  // waits for the frame's drawing to complete
}

void BM_DrawSprite10000(benchmark::State& state) {
    if (!StartGraphics()) {
        state.SkipWithError("no GL context");
        return;
    }
    auto texture = MakeTexture();
    SpriteShader& sprites = ShaderManager::GetInstance().GetSpriteShader();
    const SpriteRect rect{0, 0, 32, 32};
    const Color colour(1, 1, 1, 0.5f);
    const int size = static_cast<int>(state.range(0));
    for (auto _ : state) {
        GraphicsDevice::GetInstance().ClearBackBuffer(Color(0, 0, 0, 1));
        sprites.Begin(false, true);
        for (int i = 0; i < 10000; ++i) {
            sprites.SetTransform(Matrix::CreateTranslation(
                static_cast<float>(i % 100 * 12 - 600), static_cast<float>(i / 100 * 7 - 350), 0));
            sprites.DrawSprite(texture.get(), 0, 0, size, size, &rect, &colour,
                               Vector2(0.5f, 0.5f));
        }
        sprites.End();
        FinishFrame();
    }
    state.SetItemsProcessed(state.iterations() * 10000);
}
BENCHMARK(BM_DrawSprite10000)->Arg(8)->Arg(32)->Unit(benchmark::kMillisecond);

void BM_EffectQuads1000(benchmark::State& state) {
    if (!StartGraphics()) {
        state.SkipWithError("no GL context");
        return;
    }
    auto texture = MakeTexture();
    ShaderManager& shaders = ShaderManager::GetInstance();
    shaders.SetView(Matrix::CreateLookAt(Vector3(0, 0, -50), Vector3(0, 0, 0), Vector3(0, 1, 0)));
    shaders.UploadCamera();
    struct V {
        float p[3], uv[2], c[4];
    };
    const V quad[4] = {{{-1, 1, 0}, {0, 0}, {1, 1, 1, 1}},
                       {{1, 1, 0}, {1, 0}, {1, 1, 1, 1}},
                       {{-1, -1, 0}, {0, 1}, {1, 1, 1, 1}},
                       {{1, -1, 0}, {1, 1}, {1, 1, 1, 1}}};
    // Each effect owns its four-vertex buffer and blend switch, as the game's effects do.
    std::vector<FwBuffer> buffers(1000);
    std::vector<std::unique_ptr<AdditiveBlend>> blends;
    for (auto& b : buffers)
        b.Create(BindFlag::VertexBuffer, sizeof(quad), BufferUsage::Default, quad);
    for (int i = 0; i < 1000; ++i) blends.push_back(std::make_unique<AdditiveBlend>());
    GraphicsDevice& device = GraphicsDevice::GetInstance();
    EffectShader& effect = shaders.GetEffectShader();
    for (auto _ : state) {
        device.ClearBackBuffer(Color(0, 0, 0, 1));
        device.ClearDepthStencil();
        for (int i = 0; i < 1000; ++i) {
            blends[i]->Begin();
            effect.Activate();
            device.SetVertexBuffer(&buffers[i], sizeof(V), 0);
            device.SetPrimitiveTopology(PrimitiveTopology::TriangleStrip);
            device.SetShaderResource(0, texture.get());
            effect.SetWorld(Matrix::CreateTranslation(static_cast<float>(i % 40 - 20),
                                                      static_cast<float>(i / 40 - 12), 0));
            effect.Upload();
            device.Draw(4, 0);
            blends[i]->End();
            shaders.GetModelShader().Activate();
        }
        FinishFrame();
    }
    state.SetItemsProcessed(state.iterations() * 1000);
}
BENCHMARK(BM_EffectQuads1000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
