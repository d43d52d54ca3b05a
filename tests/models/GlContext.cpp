#include "models/GlContext.h"

#include <cstdlib>

#include "engine/graphics/FwScreenshot.h"
#include "engine/graphics/GraphicsDevice.h"
#include "engine/graphics/ModelCache.h"
#include "engine/graphics/ShaderManager.h"
#include "engine/graphics/TextureCache.h"
#include "engine/platform/ScriptedPlatform.h"
#include "support/Environment.h"
#include "support/LeakChecks.h"

bool GlModelTest::ready = false;
std::string GlModelTest::setupError;

namespace {

// One offscreen window for the whole process; the suites make and release devices on it.
class WindowEnvironment : public testing::Environment {
public:
    void SetUp() override {
        SetEnv("SDL_VIDEODRIVER", "offscreen", false);
        SetPlatform(std::make_unique<ScriptedPlatform>());
        windowOpen = GetPlatform().CreateGameWindow(1280, 720, "models");
    }
    void TearDown() override {
        CheckLeaksWhileDriverLoaded();
        SetPlatform(nullptr);
    }
    static bool windowOpen;
};

bool WindowEnvironment::windowOpen = false;

const testing::Environment* const kWindow =
    testing::AddGlobalTestEnvironment(new WindowEnvironment);

}  // namespace

void GlModelTest::SetUpTestSuite() {
    setupError.clear();
    ready = WindowEnvironment::windowOpen;
    if (!ready) {
        setupError = "no window";
        return;
    }
    ready = GraphicsDevice::GetInstance().Initialize(&GetPlatform(), 1280, 720, false, setupError);
    if (ready) {
        ShaderManager::GetInstance().Initialize();
        ready = ShaderManager::GetInstance().GetModelShader().IsValid();
        if (!ready) setupError = "the model shader did not build";
    }
}

void GlModelTest::TearDownTestSuite() {
    ReleaseModelCache();
    ReleaseTextureCache();
    ShaderManager::GetInstance().Release();
    GraphicsDevice::GetInstance().Release();
    ready = false;
}

void GlModelTest::SetUp() {
    if (ready) Clear(0, 0, 0);
}

void GlModelTest::Clear(float r, float g, float b) {
    GraphicsDevice& device = GraphicsDevice::GetInstance();
    device.SetBackBufferTarget();
    device.ClearBackBuffer(Color(r, g, b, 1));
    device.ClearDepthStencil();

    ShaderManager& shaders = ShaderManager::GetInstance();
    shaders.SetView(Matrix::Identity());
    shaders.SetProjMatrix(Matrix::CreateOrthographicOffCenter(-1, 1, -1, 1, 0, 10));
    shaders.SetCameraPosition({0, 0, 0});
    shaders.UploadCamera();
    shaders.SetAmbientLight({0, 0, 0});
    shaders.UploadLights();
    ModelShader& model = shaders.GetModelShader();
    model.Activate();
    model.SetLightEnable(false);
    model.SetWorld(Matrix::Identity());
}

std::array<uint8_t, 4> GlModelTest::PixelAt(float x, float y) {
    std::array<uint8_t, 4> rgba{};
    const int px = int((x + 1) * 0.5f * 1280);
    const int py = int((1 - y) * 0.5f * 720);
    EXPECT_TRUE(FwReadPixel(px, py, rgba.data()));
    return rgba;
}

std::shared_ptr<FwMesh> GlModelTest::Quad(float x0, float y0, float x1, float y1, float z,
                                          int material) {
    std::vector<FwMeshVertex> v(4);
    const Vector3 corners[4] = {{x0, y0, z}, {x1, y0, z}, {x1, y1, z}, {x0, y1, z}};
    for (int i = 0; i < 4; ++i) {
        v[size_t(i)].pos = corners[i];
        v[size_t(i)].normal = {0, 0, -1};
    }
    auto mesh = std::make_shared<FwMesh>();
    EXPECT_TRUE(mesh->Create(v, {{0, 1, 2}, {0, 2, 3}}, {{material, 0, 2}}));
    return mesh;
}

FwMaterial GlModelTest::Flat(float r, float g, float b, const Vector3& emissive) {
    FwMaterial m;
    m.BaseColor = {r, g, b, 1};
    m.Emissive = emissive;
    m.Metallic = 1;  // no specular highlight: exact colours on screen
    return m;
}
