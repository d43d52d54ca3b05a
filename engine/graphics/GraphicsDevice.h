#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "engine/graphics/FwBuffer.h"
#include "engine/graphics/FwSamplerState.h"
#include "engine/graphics/GraphicsTypes.h"
#include "engine/graphics/RenderStates.h"
#include "engine/math/Color.h"

class FwTexture;

// The graphics device: the render state of the run, the back buffer and depth buffer, the
// immediate-mode vertex pool and the binding/draw calls every other engine part goes
// through. Works on the OpenGL context the platform made current with the window.
//
// Fixed state set once by Initialize: viewport = the whole window, alpha blending
// (SrcAlpha/InvSrcAlpha; alpha One/InvSrcAlpha), sampler slot 0 = anisotropic ×4 wrap,
// slot 1 = anisotropic ×4 clamp, no culling, depth test LESS with writes. Clip-space depth
// runs 0..1 as the game's projections produce it (one convention, see ClipDepthIsNative).
//
// Binding model: state set through the Set* calls stays in force until changed, like a
// single immediate context. Texture slots t0..t2 are sampled with the sampler of slot 0
// (every shader of the game samples with it); slot 1 is kept bound but unused.
class GraphicsDevice {
public:
    static constexpr int kPoolBuffers = 10;         // fixed capacities 80 · 2^i bytes
    static constexpr int kOverflowBuffer = 10;      // index of the grow-only buffer
    static constexpr int kTextureSlots = 3;         // t0..t2
    static constexpr int kSamplerSlots = 2;         // s0, s1
    static constexpr int kConstantBufferSlots = 9;  // b0..b8

    static GraphicsDevice& GetInstance();

    // The GL context must be current (the platform makes it with the window); windowHandle
    // is the game window's handle and must be non-null. On failure errorText holds the
    // message (the game's start-up texts), everything is released and false is returned.
    bool Initialize(const void* windowHandle, int width, int height, bool debugLayer,
                    std::string& errorText);
    // Releases the pool, the back buffer, depth buffer and white texture. Resources made
    // afterwards fail; resources still alive stop touching the GPU.
    void Release();
    bool IsInitialized() const { return initialized; }
    // True for Mesa's software rasterisers (llvmpipe, softpipe, swrast), where every pixel
    // and sample is paid for by the CPU; false before Initialize.
    bool IsSoftwareRenderer() const { return softwareRenderer; }
    static bool IsSoftwareRendererName(const char* renderer);
    // Changes with every Initialize; 0 while released. Resources remember the value they
    // were made under and delete their GPU objects only while it is still current.
    uint32_t GetContextGeneration() const { return LiveGeneration(); }
    // The same, without reaching the singleton (safe from destructors at process exit).
    static uint32_t LiveGeneration();

    // Shows the frame: the back buffer scaled into the window's drawable area as large as
    // it fits with its aspect kept, centred between black bars (see FitLetterbox), then
    // GetPlatform().SwapBuffers().
    void Present();
    // Called first by everything that changes or reads what draws land in (render targets,
    // viewport, clears, presenting), so that draws held back elsewhere go out before it.
    using FlushHook = void (*)();
    void SetFlushHook(FlushHook hook) { flushHook = hook; }
    void FlushHeldDraws() const {
        if (flushHook) flushHook();
    }
    // For long headless runs (soak tests, replays, benchmarks of the game logic): every
    // draw goes through the device as usual (buffers filled, programs, textures and state
    // bound, the draw counted) but none reaches the driver, and nothing is cleared or
    // copied to the window, so a pass costs neither vertex processing nor fill. Pictures
    // taken while it is on show the last rasterised frame. Off by default; never used by
    // the game.
    void SetSkipRasterization(bool skip);
    bool IsSkippingRasterization() const { return skipRasterization; }
    // Clears the back buffer's colour to c (the whole target, whatever is bound).
    void ClearBackBuffer(const Color& c);
    // Clears the device depth buffer to depth 1, stencil 0.
    void ClearDepthStencil();
    // Clears a render-target texture (or the back buffer) to c.
    void ClearRenderTarget(FwTexture* target, const Color& c);
    // Clears a depth texture (or the device depth buffer when null) to depth and stencil.
    void ClearDepthStencil(FwTexture* depth, float depthValue, int stencil);

    std::shared_ptr<FwTexture> GetBackBuffer() const { return backBuffer; }
    std::shared_ptr<FwTexture> GetDepthBuffer() const { return depthBuffer; }
    std::shared_ptr<FwTexture> GetWhiteTexture() const { return whiteTexture; }
    int GetWidth() const { return width; }
    int GetHeight() const { return height; }
    // True when the GPU maps clip depth 0..1 directly (clip control); false when the vertex
    // shaders remap it. Decided once by Initialize.
    bool ClipDepthIsNative() const { return nativeClipDepth; }
    // Tests only: false makes the next Initialize use the shader remap even where clip
    // control exists, so both paths can be checked on one machine.
    static void AllowNativeClipDepth(bool allow);
    // The framebuffer currently drawn into (opaque; read-back helpers use it).
    unsigned GetCurrentFramebuffer() const { return currentFramebuffer; }
    // The back buffer's framebuffer (opaque; the screenshot reads it).
    unsigned GetBackBufferFramebuffer() const { return mainFramebuffer; }

    // State factories; the caller owns the result. Blend mode 0 copy, 1 alpha, 2 additive;
    // any other mode: blending on with every factor Zero.
    std::unique_ptr<FwBlendState> CreateBlendState(int mode) const;
    std::unique_ptr<FwDepthStencilState> CreateDepthStencilState(bool depthEnable,
                                                                 bool depthWrite) const;
    std::unique_ptr<FwRasterizerState> CreateRasterizerState(CullMode cull, FillMode fill,
                                                             bool depthClip, bool scissor) const;
    // filter 0 point, 1 linear, 2 anisotropic; addressMode 0 wrap, 1 clamp. Null when the
    // device is not initialised.
    std::unique_ptr<FwSamplerState> CreateSamplerState(int filter, int maxAnisotropy,
                                                       int addressMode, bool comparison) const;

    // Binding. States are copied when set; a null state restores the fixed state of the run
    // (blend: alpha blending; depth: test LESS with writes; rasterizer: no culling).
    void SetBlendState(const FwBlendState* state);
    void SetDepthStencilState(const FwDepthStencilState* state, unsigned stencilRef = 0);
    void SetRasterizerState(const FwRasterizerState* state);
    // The sampler must stay alive while bound; null unbinds (texture's own filtering).
    void SetSamplerState(int slot, const FwSamplerState* sampler);
    const FwBlendState& GetBlendState() const { return blend; }
    const FwDepthStencilState& GetDepthStencilState() const { return depthStencil; }
    unsigned GetStencilRef() const { return stencilRef; }
    const FwRasterizerState& GetRasterizerState() const { return rasterizer; }
    const FwSamplerState* GetSamplerState(int slot) const;

    // Render targets: colour null means no colour output; the back buffer's FwTexture
    // selects the window. depth null means no depth buffer. Both must have the same size.
    // The viewport stays as set (callers set it for the new target).
    void SetRenderTarget(FwTexture* color, FwTexture* depth);
    // Back buffer with the device depth buffer (the state after Initialize).
    void SetBackBufferTarget();
    FwTexture* GetRenderTarget() const { return currentColor; }
    FwTexture* GetDepthTarget() const { return currentDepth; }
    void SetViewport(const Viewport& viewport);
    const Viewport& GetViewport() const { return viewport; }

    // Input assembly and resources, as an immediate context binds them. Only the GPU
    // objects are remembered: a buffer or texture released while bound draws nothing (no
    // dangling access on the CPU side).
    void SetInputLayout(VertexLayout layout);
    VertexLayout GetInputLayout() const { return layout; }
    void SetPrimitiveTopology(PrimitiveTopology topology);
    void SetVertexBuffer(const FwBuffer* buffer, unsigned stride, unsigned offset);
    void SetIndexBuffer(const FwBuffer* buffer, IndexFormat format);
    // slot 0..2; null or an empty texture unbinds (the shader then reads 0, 0, 0, 0, so
    // sprites and effects with a missing texture draw nothing).
    void SetShaderResource(int slot, const FwTexture* texture);
    void SetShaderResources(int firstSlot, int count, const FwTexture* const* textures);
    // Uniform block binding point 0..8 (b0..b8).
    void SetConstantBuffer(int slot, const FwBuffer* buffer);
    // Makes a shader program current (shader classes call it from Activate).
    void SetProgram(unsigned program);
    unsigned GetProgram() const { return program; }

    void Draw(unsigned vertexCount, unsigned startVertex);
    void DrawIndexed(unsigned indexCount, unsigned startIndex, int baseVertex);
    // Immediate-mode draw of vertexCount × stride bytes through the vertex pool: the first
    // pool buffer whose capacity exceeds the size, else the overflow buffer (re-created,
    // exactly the size, only when smaller than the size). Binds that buffer on slot 0.
    void DrawVertices(PrimitiveTopology topology, unsigned vertexCount, const void* vertices,
                      unsigned stride);

    // The pool, for tests and diagnostics: index 0..9 fixed, 10 overflow.
    const FwBuffer& GetPoolBuffer(int index) const { return vertexPool[index]; }
    // Pool index used by the last DrawVertices (-1 before any).
    int GetLastPoolIndex() const { return lastPoolIndex; }
    // How often the overflow buffer was (re-)created since Initialize.
    int GetOverflowCreateCount() const { return overflowCreates; }

    // Draw calls that reached the GPU and the vertices (or indices) they fetched, since the
    // last reset (diagnostics and benchmarks).
    struct DrawStats {
        long drawCalls = 0;
        long vertices = 0;
    };
    const DrawStats& GetDrawStats() const { return drawStats; }
    void ResetDrawStats() { drawStats = {}; }

private:
    GraphicsDevice() = default;
    bool PrepareDraw(int baseVertex = 0);
    unsigned AttachTargets(unsigned framebuffer, FwTexture* color, FwTexture* depth);
    void UnbindTexturesDrawnInto();
    void ReleaseObjects();

    bool initialized = false;
    bool softwareRenderer = false;
    bool skipRasterization = false;
    FlushHook flushHook = nullptr;
    DrawStats drawStats;
    bool nativeClipDepth = false;
    uint32_t generation = 0;
    int width = 0;
    int height = 0;
    std::shared_ptr<FwTexture> backBuffer;
    std::shared_ptr<FwTexture> depthBuffer;
    std::array<FwBuffer, kPoolBuffers + 1> vertexPool;
    std::shared_ptr<FwTexture> whiteTexture;
    // Bound in place of a missing texture: reads (0, 0, 0, 0) as an unbound slot should.
    std::unique_ptr<FwTexture> zeroTexture;

    FwBlendState blend;
    FwDepthStencilState depthStencil;
    unsigned stencilRef = 0;
    FwRasterizerState rasterizer;
    std::array<const FwSamplerState*, kSamplerSlots> samplers{};  // identity only
    std::array<unsigned, kSamplerSlots> samplerHandles{};
    // The texture names bound to t0..t2 (0: none or the zero texture).
    std::array<unsigned, kTextureSlots> boundTextures{};
    std::array<std::unique_ptr<FwSamplerState>, kSamplerSlots> fixedSamplers;
    FwTexture* currentColor = nullptr;
    FwTexture* currentDepth = nullptr;
    // The back buffer is our own colour texture in mainFramebuffer, with the device depth
    // buffer; Present copies it to the window. Other targets are attached to
    // targetFramebuffer on demand; clearFramebuffer serves clears of unbound textures.
    unsigned backBufferColor = 0;
    unsigned mainFramebuffer = 0;
    unsigned targetFramebuffer = 0;
    unsigned clearFramebuffer = 0;
    unsigned currentFramebuffer = 0;
    Viewport viewport;

    VertexLayout layout = VertexLayout::None;
    PrimitiveTopology topology = PrimitiveTopology::TriangleList;
    std::array<unsigned, 4> layoutArrays{};  // one vertex array object per VertexLayout
    unsigned vertexBuffer = 0;
    unsigned vertexStride = 0;
    unsigned vertexOffset = 0;
    unsigned indexBuffer = 0;
    IndexFormat indexFormat = IndexFormat::UInt32;
    unsigned program = 0;
    int lastPoolIndex = -1;
    int overflowCreates = 0;
};
