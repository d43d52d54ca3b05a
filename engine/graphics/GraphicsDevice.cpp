#include "engine/graphics/GraphicsDevice.h"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstdio>
#include <string>

#include "engine/graphics/FwTexture.h"
#include "engine/graphics/GlApi.h"
#include "engine/graphics/GlStateMapping.h"
#include "engine/graphics/Letterbox.h"
#include "engine/platform/Platform.h"

namespace {

// Plain globals (constant-initialised, never destroyed) so that resources released from
// static destructors at exit can still ask whether their context is alive.
uint32_t g_liveGeneration = 0;
uint32_t g_generationCounter = 0;
bool g_allowNativeClipDepth = true;

void DebugMessage(const char* message) {
    std::fprintf(stderr, "GL: %s\n", message);
}

}  // namespace

uint32_t GraphicsDevice::LiveGeneration() {
    return g_liveGeneration;
}

void GraphicsDevice::AllowNativeClipDepth(bool allow) {
    g_allowNativeClipDepth = allow;
}

GraphicsDevice& GraphicsDevice::GetInstance() {
    static GraphicsDevice instance;
    return instance;
}

bool GraphicsDevice::Initialize(const void* windowHandle, int w, int h, bool debugLayer,
                                std::string& errorText) {
    Release();
    // Without a window there is no context to draw into: the swap chain's failure.
    if (!windowHandle || w <= 0 || h <= 0) {
        errorText = "スワップチェイン作成失敗";
        return false;
    }
    // The platform could open the window but not an OpenGL 3.3 core (or ES 3.0) context on
    // it: the device itself cannot be made.
    if ((HasPlatform() && !GetPlatform().HasRenderContext()) || !glapi::IsContextSupported()) {
        errorText = "Direct3D11デバイス作成失敗";
        return false;
    }
    while (glGetError() != GL_NO_ERROR) {
    }
    width = w;
    height = h;
    g_liveGeneration = ++g_generationCounter;
    if (g_liveGeneration == 0) g_liveGeneration = ++g_generationCounter;
    generation = g_liveGeneration;
    initialized = true;
    softwareRenderer =
        IsSoftwareRendererName(reinterpret_cast<const char*>(glGetString(GL_RENDERER)));

    if (debugLayer) glapi::EnableDebugOutput(DebugMessage);
    // The choice is context state that outlives a Release, so it is set either way.
    const bool hasClipControl = glapi::HasClipControl();
    nativeClipDepth = g_allowNativeClipDepth && hasClipControl;
    if (hasClipControl) glapi::SetClipDepthZeroToOne(nativeClipDepth);

    // Where the window has only a front buffer, the picture goes there, or Present would
    // draw into nothing.
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    glapi::UseFrontBufferIfSingleBuffered();

    // Back buffer: an RGBA8 colour texture in our own framebuffer (Present copies it to
    // the window), so that it pairs with the device depth texture like any render target.
    GLuint names[3] = {0, 0, 0};
    glGenTextures(1, names);
    backBufferColor = names[0];
    glBindTexture(GL_TEXTURE_2D, backBufferColor);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, w, h, 0, GL_RGBA, GL_UNSIGNED_BYTE, nullptr);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAX_LEVEL, 0);
    glBindTexture(GL_TEXTURE_2D, 0);
    glGenFramebuffers(3, names);
    mainFramebuffer = names[0];
    targetFramebuffer = names[1];
    clearFramebuffer = names[2];
    TextureDesc backDesc;
    backDesc.width = w;
    backDesc.height = h;
    backDesc.format = PixelFormat::R8G8B8A8_Unorm;
    backDesc.bindFlags = BindFlag::RenderTarget;
    backBuffer = std::make_shared<FwTexture>();
    if (glGetError() != GL_NO_ERROR || !backBufferColor || !mainFramebuffer ||
        !backBuffer->CreateFromTexture(0, backDesc)) {
        errorText = "バックバッファ作成失敗";
        Release();
        return false;
    }
    depthBuffer = std::make_shared<FwTexture>();
    if (!depthBuffer->CreateDepthStencil(w, h, PixelFormat::R32_Typeless, 1, nullptr)) {
        errorText = "Zバッファ作成失敗";
        Release();
        return false;
    }
    if (AttachTargets(mainFramebuffer, backBuffer.get(), depthBuffer.get()) == 0) {
        errorText = "Zバッファ作成失敗";
        Release();
        return false;
    }
    SetBackBufferTarget();
    SetViewport(Viewport{0.0f, 0.0f, static_cast<float>(w), static_cast<float>(h), 0.0f, 1.0f});

    blend = *CreateBlendState(1);
    ApplyBlendState(blend);
    fixedSamplers[0] = CreateSamplerState(2, 4, 0, false);
    fixedSamplers[1] = CreateSamplerState(2, 4, 1, false);
    SetSamplerState(0, fixedSamplers[0].get());
    SetSamplerState(1, fixedSamplers[1].get());
    rasterizer = *CreateRasterizerState(CullMode::None, FillMode::Solid, true, false);
    ApplyRasterizerState(rasterizer);
    depthStencil = *CreateDepthStencilState(true, true);
    stencilRef = 0;
    ApplyDepthStencilState(depthStencil);

    GLuint arrays[4] = {0, 0, 0, 0};
    glGenVertexArrays(4, arrays);
    for (int i = 0; i < 4; ++i) layoutArrays[i] = arrays[i];

    whiteTexture = std::make_shared<FwTexture>();
    const uint32_t white = 0xFFFFFFFFu;
    SubresourceData whiteData{&white, 4, 0};
    whiteTexture->Create(1, 1, PixelFormat::R8G8B8A8_Unorm, 1, &whiteData);
    zeroTexture = std::make_unique<FwTexture>();
    const uint32_t zero = 0;
    SubresourceData zeroData{&zero, 4, 0};
    zeroTexture->Create(1, 1, PixelFormat::R8G8B8A8_Unorm, 1, &zeroData);
    for (int slot = 0; slot < kTextureSlots; ++slot) SetShaderResource(slot, nullptr);
    ClearBackBuffer(Color(0, 0, 0, 1));
    ClearDepthStencil();

    for (int i = 0; i < kPoolBuffers; ++i)
        vertexPool[i].Create(BindFlag::VertexBuffer, 80u << i, BufferUsage::Dynamic, nullptr);
    return true;
}

void GraphicsDevice::Release() {
    if (!initialized) return;
    if (skipRasterization) glDisable(GL_RASTERIZER_DISCARD);
    skipRasterization = false;
    for (auto& buffer : vertexPool) buffer.Release();
    backBuffer.reset();
    depthBuffer.reset();
    whiteTexture.reset();
    zeroTexture.reset();
    fixedSamplers[0].reset();
    fixedSamplers[1].reset();
    ReleaseObjects();
    initialized = false;
    softwareRenderer = false;
    g_liveGeneration = 0;
}

void GraphicsDevice::ReleaseObjects() {
    GLuint framebuffers[3] = {mainFramebuffer, targetFramebuffer, clearFramebuffer};
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    glDeleteFramebuffers(3, framebuffers);
    GLuint color = backBufferColor;
    if (color) glDeleteTextures(1, &color);
    GLuint arrays[4] = {layoutArrays[0], layoutArrays[1], layoutArrays[2], layoutArrays[3]};
    glBindVertexArray(0);
    glDeleteVertexArrays(4, arrays);
    backBufferColor = mainFramebuffer = targetFramebuffer = clearFramebuffer = 0;
    currentFramebuffer = 0;
    layoutArrays = {};
    samplers = {};
    samplerHandles = {};
    boundTextures = {};
    currentColor = currentDepth = nullptr;
    layout = VertexLayout::None;
    vertexBuffer = indexBuffer = 0;
    program = 0;
    lastPoolIndex = -1;
    overflowCreates = 0;
}

void GraphicsDevice::SetSkipRasterization(bool skip) {
    skipRasterization = skip;
    if (!initialized) return;
    if (skip) {
        glEnable(GL_RASTERIZER_DISCARD);
    } else {
        glDisable(GL_RASTERIZER_DISCARD);
    }
}

void GraphicsDevice::Present() {
    if (!initialized) return;
    FlushHeldDraws();
    if (skipRasterization) {
        if (HasPlatform()) GetPlatform().SwapBuffers();
        return;
    }
    PlatformPoint window{width, height};
    if (HasPlatform()) {
        const PlatformPoint size = GetPlatform().GetClientSize();
        if (size.x > 0 && size.y > 0) window = size;
    }
    const LetterboxRect fit = FitLetterbox(width, height, window.x, window.y);
    glBindFramebuffer(GL_READ_FRAMEBUFFER, mainFramebuffer);
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, 0);
    glDisable(GL_SCISSOR_TEST);
    const bool fullScale = fit.width == width && fit.height == height;
    if (fit.width != window.x || fit.height != window.y) {
        glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
        const float black[4] = {0.0f, 0.0f, 0.0f, 1.0f};
        glClearBufferfv(GL_COLOR, 0, black);
        ApplyBlendState(blend);
    }
    // At full scale a plain copy, so the window shows the picture pixel for pixel; scaled,
    // linear filtering. The window's framebuffer has its origin at the bottom.
    const int bottom = window.y - fit.y - fit.height;
    glBlitFramebuffer(0, 0, width, height, fit.x, bottom, fit.x + fit.width, bottom + fit.height,
                      GL_COLOR_BUFFER_BIT, fullScale ? GL_NEAREST : GL_LINEAR);
    ApplyRasterizerState(rasterizer);
    glBindFramebuffer(GL_FRAMEBUFFER, currentFramebuffer);
    if (HasPlatform()) GetPlatform().SwapBuffers();
    // A software rasteriser bins the next frame's draws while its threads still fill this
    // one, holding the commands of two frames at once: about 20 MB in the battle. There the
    // game waits for each frame instead; with the CPU doing both jobs nothing is lost.
    if (softwareRenderer) glFinish();
}

bool GraphicsDevice::IsSoftwareRendererName(const char* renderer) {
    if (renderer == nullptr) return false;
    std::string name(renderer);
    std::transform(name.begin(), name.end(), name.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    for (const char* soft : {"llvmpipe", "softpipe", "swrast", "software rasterizer"}) {
        if (name.find(soft) != std::string::npos) return true;
    }
    return false;
}

std::unique_ptr<FwBlendState> GraphicsDevice::CreateBlendState(int mode) const {
    auto s = std::make_unique<FwBlendState>();
    s->enable = true;
    s->writeMask = 0xF;
    s->blendOp = s->blendOpAlpha = BlendOp::Add;
    switch (mode) {
        case 0:
            s->srcBlend = BlendFactor::One;
            s->destBlend = BlendFactor::Zero;
            s->srcBlendAlpha = BlendFactor::One;
            s->destBlendAlpha = BlendFactor::Zero;
            break;
        case 1:
            s->srcBlend = BlendFactor::SrcAlpha;
            s->destBlend = BlendFactor::InvSrcAlpha;
            s->srcBlendAlpha = BlendFactor::One;
            s->destBlendAlpha = BlendFactor::InvSrcAlpha;
            break;
        case 2:
            s->srcBlend = BlendFactor::SrcAlpha;
            s->destBlend = BlendFactor::One;
            s->srcBlendAlpha = BlendFactor::One;
            s->destBlendAlpha = BlendFactor::InvSrcAlpha;
            break;
        default:
            s->srcBlend = s->destBlend = BlendFactor::Zero;
            s->srcBlendAlpha = s->destBlendAlpha = BlendFactor::Zero;
            break;
    }
    return s;
}

std::unique_ptr<FwDepthStencilState> GraphicsDevice::CreateDepthStencilState(
    bool depthEnable, bool depthWrite) const {
    auto s = std::make_unique<FwDepthStencilState>();
    s->depthEnable = depthEnable;
    s->depthWrite = depthWrite;
    s->depthFunc = CompareFunc::Less;
    s->stencilEnable = false;
    return s;
}

std::unique_ptr<FwRasterizerState> GraphicsDevice::CreateRasterizerState(CullMode cull,
                                                                         FillMode fill,
                                                                         bool depthClip,
                                                                         bool scissor) const {
    auto s = std::make_unique<FwRasterizerState>();
    s->cullMode = cull;
    s->fillMode = fill;
    s->frontCounterClockwise = false;
    s->depthClip = depthClip;
    s->scissor = scissor;
    return s;
}

std::unique_ptr<FwSamplerState> GraphicsDevice::CreateSamplerState(int filter, int maxAnisotropy,
                                                                   int addressMode,
                                                                   bool comparison) const {
    if (!initialized) return nullptr;
    auto s = std::make_unique<FwSamplerState>(filter, maxAnisotropy, addressMode, comparison);
    if (!s->IsValid()) return nullptr;
    return s;
}
