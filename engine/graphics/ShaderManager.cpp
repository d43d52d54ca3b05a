#include "engine/graphics/ShaderManager.h"

#include <algorithm>
#include <cstdio>
#include <string>

#include "engine/graphics/EffectBatch.h"
#include "engine/graphics/GraphicsDevice.h"
#include "engine/graphics/ScenePass.h"

ShaderManager& ShaderManager::GetInstance() {
    static ShaderManager instance;
    return instance;
}

ShaderManager::ShaderManager() {
    ResetDefaults();
}

void ShaderManager::ResetDefaults() {
    camera.data = CameraConstants{};
    light.data = LightConstants{};
    // Default projection: 60° vertical field of view over the back buffer's aspect, near
    // 0.01, far 1000 world units.
    const GraphicsDevice& device = GraphicsDevice::GetInstance();
    const float aspect = device.GetHeight() > 0 ? static_cast<float>(device.GetWidth()) /
                                                      static_cast<float>(device.GetHeight())
                                                : 1280.0f / 720.0f;
    camera.data.g_mV = Matrix::Identity().Invert();
    camera.data.g_mP =
        Matrix::CreatePerspectiveFieldOfView(ToRadians(60.0f), aspect, 0.01f, 1000.0f);
    camera.MarkDirty();
    light.MarkDirty();
}

namespace {
// The driver's own words are the only useful report of a shader that does not build.
bool Report(bool built, const char* shader, const std::string& log) {
    if (!built)
        std::fprintf(stderr, "hoshikage: the %s shader failed to build:\n%s\n", shader,
                     log.empty() ? "(the driver gave no log)" : log.c_str());
    return built;
}
}  // namespace

bool ShaderManager::Initialize() {
    Release();
    ResetDefaults();
    // A shader that fails stays empty (draws nothing); the others are still built, so that
    // every failure is reported at once.
    bool built = Report(modelShader.Initialize(), "model",
                        modelShader.GetProgram().GetLog() + modelShader.GetUnlitProgram().GetLog());
    built &= Report(effectShader.Initialize(), "effect", effectShader.GetProgram().GetLog());
    built &= Report(spriteShader.Initialize(), "sprite", spriteShader.GetProgram().GetLog());
    GraphicsDevice& device = GraphicsDevice::GetInstance();
    if (!camera.Create() || !light.Create()) {
        camera.Release();
        light.Release();
        return false;
    }
    device.SetConstantBuffer(7, &camera.buffer);
    device.SetConstantBuffer(8, &light.buffer);
    return built;
}

void ShaderManager::Release() {
    // Held effects and the scene pass's targets belong to the device that is going away.
    EffectBatch::GetInstance().Discard();
    ScenePass::GetInstance().Release();
    modelShader.Release();
    effectShader.Release();
    spriteShader.Release();
    camera.Release();
    light.Release();
}

void ShaderManager::SetView(const Matrix& view) {
    camera.data.g_mV = view;
    camera.MarkDirty();
}

void ShaderManager::SetProjMatrix(const Matrix& proj) {
    camera.data.g_mP = proj;
    camera.MarkDirty();
}

void ShaderManager::SetCameraPosition(const Vector3& position) {
    camera.data.g_CamPos = position;
    camera.MarkDirty();
}

void ShaderManager::SetDistanceFog(bool enable, const Vector3& color, float density) {
    camera.data.g_DistanceFogEnable = enable ? 1 : 0;
    camera.data.g_DistanceFogColor = color;
    camera.data.g_DistanceFogDensity = density;
    camera.MarkDirty();
}

void ShaderManager::UploadCamera() {
    // Held effects were placed for the camera the GPU has now.
    if (camera.dirty) EffectBatch::GetInstance().Flush();
    camera.Upload();
}

void ShaderManager::SetAmbientLight(const Vector3& color) {
    light.data.g_AmbientLight = color;
    light.MarkDirty();
}

void ShaderManager::SetDirectionalLight(const Vector3& direction, const Vector3& color) {
    light.data.g_DL_Dir = direction;
    light.data.g_DL_Color = color;
    light.MarkDirty();
}

void ShaderManager::SetPointLight(int index, const Vector3& color, float radius,
                                  const Vector3& position) {
    if (index < 0 || index >= kMaxPointLights) return;
    PointLightConstants& pl = light.data.g_PL[index];
    pl.color = color;
    pl.radius = radius;
    pl.pos = position;
    light.MarkDirty();
}

void ShaderManager::SetPointLightCount(int count) {
    light.data.g_PL_Num = std::clamp(count, 0, kMaxPointLights);
    light.MarkDirty();
}

void ShaderManager::UploadLights() {
    light.Upload();
}
