#include "GraphicsFixture.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <memory>

#include "engine/graphics/FwScreenshot.h"
#include "engine/graphics/GraphicsDevice.h"
#include "engine/graphics/ShaderManager.h"
#include "engine/graphics/TextureCache.h"
#include "engine/platform/ScriptedPlatform.h"
#include "support/Environment.h"
#include "support/LeakChecks.h"

namespace {

class WindowEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        SetEnv("SDL_VIDEODRIVER", "offscreen", false);
        SetPlatform(std::make_unique<ScriptedPlatform>());
        ASSERT_TRUE(GetPlatform().CreateGameWindow(1280, 720, "graphics test"));
    }
    void TearDown() override {
        CheckLeaksWhileDriverLoaded();
        GetPlatform().DestroyGameWindow();
        SetPlatform(nullptr);
    }
};

const ::testing::Environment* const kWindow =
    ::testing::AddGlobalTestEnvironment(new WindowEnvironment);

int g_windowToken = 0;  // any non-null address stands for the window handle

}  // namespace

void GraphicsTest::SetUp() {
    Reinitialize(true);
}

void GraphicsTest::Reinitialize(bool allowNativeClipDepth) {
    ShaderManager::GetInstance().Release();
    ReleaseTextureCache();
    GraphicsDevice::AllowNativeClipDepth(allowNativeClipDepth);
    std::string error;
    ASSERT_TRUE(
        GraphicsDevice::GetInstance().Initialize(&g_windowToken, kWidth, kHeight, false, error))
        << error;
    ASSERT_TRUE(ShaderManager::GetInstance().Initialize());
    ASSERT_TRUE(ShaderManager::GetInstance().GetModelShader().IsValid())
        << ShaderManager::GetInstance().GetModelShader().GetProgram().GetLog();
    ASSERT_TRUE(ShaderManager::GetInstance().GetEffectShader().IsValid())
        << ShaderManager::GetInstance().GetEffectShader().GetProgram().GetLog();
    ASSERT_TRUE(ShaderManager::GetInstance().GetSpriteShader().IsValid())
        << ShaderManager::GetInstance().GetSpriteShader().GetProgram().GetLog();
}

void GraphicsTest::TearDown() {
    ReleaseTextureCache();
    ShaderManager::GetInstance().Release();
    GraphicsDevice::GetInstance().Release();
    GraphicsDevice::AllowNativeClipDepth(true);
}

std::array<int, 4> ReadPixelAt(int x, int y) {
    uint8_t rgba[4] = {0, 0, 0, 0};
    EXPECT_TRUE(FwReadPixel(x, y, rgba));
    return {rgba[0], rgba[1], rgba[2], rgba[3]};
}

std::string GraphicsTestDir() {
    const char* root = std::getenv("HOSHIKAGE_TEST_DATA");
    std::filesystem::path dir = std::filesystem::path(root ? root : ".") / "graphics_test_files";
    std::filesystem::create_directories(dir);
    return dir.string();
}

int ColorByte(float v) {
    return static_cast<int>(std::lround(std::clamp(v, 0.0f, 1.0f) * 255.0f));
}

void ExpectPixelNear(const std::array<int, 4>& actual, const std::array<int, 4>& expected,
                     int tolerance, const char* what) {
    for (int k = 0; k < 4; ++k)
        EXPECT_NEAR(actual[k], expected[k], tolerance)
            << what << ": channel " << k << " is " << actual[k] << ", expected " << expected[k];
}
