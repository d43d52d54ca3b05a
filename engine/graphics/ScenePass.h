#pragma once

#include "engine/graphics/FwTexture.h"
#include "engine/graphics/GraphicsTypes.h"
#include "engine/math/Color.h"

// The 3D picture of a scene, drawn into a target of its own when it is multisampled or
// drawn at a lower resolution, then resolved and scaled onto the target the scene draws
// into (the back buffer, or the battle's shake target) before anything is laid over it.
// Images (sprites: the HUD, gauges, captions, fades) drawn during the pass wait and are
// drawn afterwards at full resolution, in their order, so they stay pixel-exact.
//
// With no multisampling at full scale (what tests, replays and benchmarks use) the pass
// does nothing at all: the scene draws straight into its target as it always did.
class ScenePass {
public:
    static ScenePass& GetInstance();

    // samples: 0 or 1 for none, else 2, 4 or 8 (fewer when the GPU offers fewer);
    // scalePercent: 50..100 of the target's width and height.
    void Configure(int samples, int scalePercent);
    void SetScalePercent(int percent);
    int GetSamples() const { return samples; }
    int GetScalePercent() const { return scalePercent; }
    // The most samples the GPU offers for a colour target (0 without a device).
    static int GetMaxSamples();
    // True for Mesa's software rasterisers (llvmpipe, softpipe, swrast), where every sample
    // and pixel is paid for by the CPU.
    static bool IsSoftwareRenderer();

    // Starts the 3D picture over the bound target, cleared to clearColor: with a target of
    // its own, binds it (same aspect, scaled size) and holds back images until End.
    void Begin(const Color& clearColor);
    // Resolves and scales the picture onto the target Begin found, binds that target again
    // with its viewport, and draws the images that waited.
    void End();
    bool IsDrawingOwnTarget() const { return active; }
    // Size of the last picture drawn into the pass's own target (0 before any).
    int GetLastWidth() const { return lastWidth; }
    int GetLastHeight() const { return lastHeight; }

    // Frees the targets (before the device goes).
    void Release();

    // Opens the pass for a scope: Begin on construction, End on destruction.
    class Scope {
    public:
        explicit Scope(const Color& clearColor) { GetInstance().Begin(clearColor); }
        ~Scope() { GetInstance().End(); }
        Scope(const Scope&) = delete;
        Scope& operator=(const Scope&) = delete;
    };

private:
    ScenePass() = default;
    bool PrepareTargets(int width, int height);
    void Blit(unsigned readFramebuffer, int w, int h, unsigned drawFramebuffer, int dw, int dh,
              bool smooth) const;

    int samples = 0;
    int scalePercent = 100;
    bool active = false;
    FwTexture* destColor = nullptr;
    FwTexture* destDepth = nullptr;
    Viewport destViewport;
    int lastWidth = 0;
    int lastHeight = 0;

    FwTexture color;  // multisampled when samples > 1
    FwTexture depth;
    FwTexture resolved;  // single-sampled copy of a multisampled picture drawn below full size
    int targetSamples = 0;
    unsigned readFramebuffer = 0;
    unsigned resolveFramebuffer = 0;
    uint32_t framebufferGeneration = 0;
};
