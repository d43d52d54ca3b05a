#include "engine/graphics/ScenePass.h"

#include <algorithm>

#include "engine/graphics/GlApi.h"
#include "engine/graphics/GraphicsDevice.h"
#include "engine/graphics/ShaderManager.h"

ScenePass& ScenePass::GetInstance() {
    static ScenePass instance;
    return instance;
}

void ScenePass::Configure(int sampleCount, int percent) {
    samples = sampleCount > 1 ? sampleCount : 0;
    SetScalePercent(percent);
}

void ScenePass::SetScalePercent(int percent) {
    scalePercent = std::clamp(percent, 50, 100);
}

int ScenePass::GetMaxSamples() {
    if (!GraphicsDevice::GetInstance().IsInitialized()) return 0;
    GLint most = 0;
    glGetIntegerv(GL_MAX_SAMPLES, &most);
    return most;
}

bool ScenePass::IsSoftwareRenderer() {
    return GraphicsDevice::GetInstance().IsSoftwareRenderer();
}

bool ScenePass::PrepareTargets(int width, int height) {
    const int want = samples > 1 ? std::min(samples, GetMaxSamples()) : 0;
    if (framebufferGeneration != GraphicsDevice::LiveGeneration()) {
        // A new device: the old names belong to a context that is gone.
        color.Release();
        depth.Release();
        resolved.Release();
        GLuint names[2] = {0, 0};
        glGenFramebuffers(2, names);
        readFramebuffer = names[0];
        resolveFramebuffer = names[1];
        framebufferGeneration = GraphicsDevice::LiveGeneration();
    }
    const TextureDesc& have = color.GetDesc();
    if (color.HasRTV() && depth.HasDSV() && have.width == width && have.height == height &&
        targetSamples == want)
        return true;

    TextureDesc d;
    d.width = width;
    d.height = height;
    d.format = PixelFormat::R8G8B8A8_Unorm;
    d.sampleCount = want > 1 ? want : 1;
    d.bindFlags = BindFlag::RenderTarget;
    // The device's own depth format, so the picture's depth tests come out the same.
    TextureDesc dd = d;
    dd.format = PixelFormat::R32_Typeless;
    dd.bindFlags = BindFlag::DepthStencil;
    bool ok = color.Create(d, nullptr) && depth.Create(dd, nullptr);
    resolved.Release();
    if (ok && want > 1) {
        TextureDesc r = d;
        r.sampleCount = 1;
        ok = resolved.Create(r, nullptr);
    }
    targetSamples = want;
    const GLuint current = GraphicsDevice::GetInstance().GetCurrentFramebuffer();
    if (ok) {
        glBindFramebuffer(GL_FRAMEBUFFER, readFramebuffer);
        color.AttachToFramebuffer(GL_COLOR_ATTACHMENT0);
        ok = glCheckFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE;
        if (ok && want > 1) {
            glBindFramebuffer(GL_FRAMEBUFFER, resolveFramebuffer);
            resolved.AttachToFramebuffer(GL_COLOR_ATTACHMENT0);
            ok = glCheckFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE;
        }
        glBindFramebuffer(GL_FRAMEBUFFER, current);
    }
    if (!ok) {
        color.Release();
        depth.Release();
        resolved.Release();
    }
    return ok;
}

void ScenePass::Begin(const Color& clearColor) {
    GraphicsDevice& device = GraphicsDevice::GetInstance();
    if (active || !device.IsInitialized() || (samples <= 1 && scalePercent >= 100)) return;
    FwTexture* target = device.GetRenderTarget();
    if (target == nullptr) return;
    const int width = target->GetDesc().width;
    const int height = target->GetDesc().height;
    const int scaledWidth = std::max(1, (width * scalePercent + 50) / 100);
    const int scaledHeight = std::max(1, (height * scalePercent + 50) / 100);
    if (!PrepareTargets(scaledWidth, scaledHeight)) return;  // drawn straight in, then

    destColor = target;
    destDepth = device.GetDepthTarget();
    destViewport = device.GetViewport();
    device.SetRenderTarget(&color, &depth);
    Viewport viewport;
    viewport.width = static_cast<float>(scaledWidth);
    viewport.height = static_cast<float>(scaledHeight);
    device.SetViewport(viewport);
    device.ClearRenderTarget(&color, clearColor);
    device.ClearDepthStencil(&depth, 1.0f, 0);
    ShaderManager::GetInstance().GetSpriteShader().SetDeferring(true);
    active = true;
    lastWidth = scaledWidth;
    lastHeight = scaledHeight;
}

void ScenePass::End() {
    if (!active) return;
    active = false;
    GraphicsDevice& device = GraphicsDevice::GetInstance();
    device.FlushHeldDraws();
    const int width = destColor->GetDesc().width;
    const int height = destColor->GetDesc().height;
    unsigned source = readFramebuffer;
    const bool scaled = lastWidth != width || lastHeight != height;
    if (targetSamples > 1 && scaled) {
        // Samples resolve only between pictures of one size: first to a plain copy.
        Blit(readFramebuffer, lastWidth, lastHeight, resolveFramebuffer, lastWidth, lastHeight,
             false);
        source = resolveFramebuffer;
    }
    device.SetRenderTarget(destColor, destDepth);
    device.SetViewport(destViewport);
    Blit(source, lastWidth, lastHeight, device.GetCurrentFramebuffer(), width, height, scaled);
    SpriteShader& sprites = ShaderManager::GetInstance().GetSpriteShader();
    sprites.SetDeferring(false);
    sprites.DrawDeferred();
    destColor = destDepth = nullptr;
}

void ScenePass::Blit(unsigned readFb, int w, int h, unsigned drawFb, int dw, int dh,
                     bool smooth) const {
    const bool scissor = glIsEnabled(GL_SCISSOR_TEST);
    if (scissor) glDisable(GL_SCISSOR_TEST);
    glBindFramebuffer(GL_READ_FRAMEBUFFER, readFb);
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, drawFb);
    glBlitFramebuffer(0, 0, w, h, 0, 0, dw, dh, GL_COLOR_BUFFER_BIT,
                      smooth ? GL_LINEAR : GL_NEAREST);
    glBindFramebuffer(GL_FRAMEBUFFER, GraphicsDevice::GetInstance().GetCurrentFramebuffer());
    if (scissor) glEnable(GL_SCISSOR_TEST);
}

void ScenePass::Release() {
    if (active) {
        ShaderManager::GetInstance().GetSpriteShader().SetDeferring(false);
        active = false;
    }
    color.Release();
    depth.Release();
    resolved.Release();
    if (framebufferGeneration != 0 && framebufferGeneration == GraphicsDevice::LiveGeneration()) {
        GLuint names[2] = {readFramebuffer, resolveFramebuffer};
        glDeleteFramebuffers(2, names);
    }
    readFramebuffer = resolveFramebuffer = 0;
    framebufferGeneration = 0;
    targetSamples = 0;
}
