#include "tools/modelview/ModelViewer.h"

#include <algorithm>
#include <cmath>

#include "engine/graphics/GraphicsDevice.h"
#include "engine/graphics/ModelDrawer.h"
#include "engine/graphics/ShaderManager.h"
#include "engine/graphics/TextureCache.h"
#include "engine/platform/Platform.h"

ModelViewer::~ModelViewer() {
    Close();
}

bool ModelViewer::Open(int w, int h, const std::string& caption, std::string& error) {
    width = w;
    height = h;
    if (!GetPlatform().CreateGameWindow(w, h, caption)) {
        error = "cannot open a window with an OpenGL 3.3 context";
        return false;
    }
    if (!GraphicsDevice::GetInstance().Initialize(&GetPlatform(), w, h, false, error)) {
        GetPlatform().DestroyGameWindow();
        return false;
    }
    ShaderManager::GetInstance().Initialize();
    open = true;
    return true;
}

bool ModelViewer::Load(const std::string& path) {
    model.Load(path);
    bool any = false;
    Vector3 lo, hi;
    for (const FwModelNode& node : model.nodes) {
        if (!node.mesh) continue;
        for (const Vector3& position : node.mesh->positions) {
            const Vector3 p = Vector3::Transform(position, node.matrix);
            if (!any) lo = hi = p;
            any = true;
            lo = {std::min(lo.x, p.x), std::min(lo.y, p.y), std::min(lo.z, p.z)};
            hi = {std::max(hi.x, p.x), std::max(hi.y, p.y), std::max(hi.z, p.z)};
        }
    }
    if (!any) return false;
    centre = (lo + hi) * 0.5f;
    radius = std::max((hi - lo).Length() * 0.5f, 1e-3f);
    // Far enough that the bounding sphere fits the 60° view with a margin.
    distance = radius * 2.2f;
    return true;
}

void ModelViewer::Turn(float yawDegrees, float pitchDegrees) {
    yaw += yawDegrees;
    pitch = std::clamp(pitch + pitchDegrees, -89.0f, 89.0f);
}

void ModelViewer::Zoom(float factor) {
    distance = std::clamp(distance * factor, radius * 0.2f, radius * 50.0f);
}

void ModelViewer::DrawFrame() {
    if (!open) return;
    GraphicsDevice& device = GraphicsDevice::GetInstance();
    device.SetBackBufferTarget();
    device.ClearBackBuffer(Color(0.08f, 0.09f, 0.12f, 1));
    device.ClearDepthStencil();

    ShaderManager& shaders = ShaderManager::GetInstance();
    const Vector3 eye{0, 0, -distance};
    shaders.SetView(Matrix::CreateLookAt(eye, {0, 0, 0}, {0, 1, 0}));
    shaders.SetProjMatrix(
        Matrix::CreatePerspectiveFieldOfView(ToRadians(60.0f), float(width) / float(height),
                                             distance * 0.01f, distance + radius * 4.0f));
    shaders.SetCameraPosition(eye);
    shaders.UploadCamera();
    shaders.SetAmbientLight({0.4f, 0.4f, 0.42f});
    shaders.SetDirectionalLight(Vector3(0.5f, -0.8f, 0.6f).Normalized(), {2.6f, 2.5f, 2.4f});
    shaders.UploadLights();

    ModelShader& shader = shaders.GetModelShader();
    shader.Activate();
    shader.SetLightEnable(true);
    shader.SetWorld(Matrix::CreateTranslation(-centre) * Matrix::CreateRotationY(ToRadians(yaw)) *
                    Matrix::CreateRotationX(ToRadians(pitch)));
    DrawModel(&model, 1.0f, nullptr);
}

void ModelViewer::Close() {
    if (!open) return;
    model.Clear();
    ReleaseTextureCache();
    ShaderManager::GetInstance().Release();
    GraphicsDevice::GetInstance().Release();
    GetPlatform().DestroyGameWindow();
    open = false;
}
