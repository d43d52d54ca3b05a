#pragma once

#include "engine/graphics/GraphicsTypes.h"

// Internal to engine/graphics: how each PixelFormat is stored on the GPU. The numbers are
// GL enumerants kept as plain integers so that this header carries no GL include.
struct GlPixelFormat {
    int internalFormat = 0;
    unsigned format = 0;
    unsigned type = 0;
    int bytesPerPixel = 0;
    bool depth = false;            // a depth (or depth-stencil) format
    bool stencil = false;          // has a stencil part
    bool colorRenderable = false;  // may be a colour render target
};

// asDepth: the texture is bound as depth-stencil, so typeless formats take their depth
// meaning (R32_Typeless → 32-bit float depth, R24G8 → depth 24 + stencil 8, R16 → depth 16).
bool FindGlPixelFormat(PixelFormat format, bool asDepth, GlPixelFormat& out);
bool IsTypelessDepth(PixelFormat format);
// The shader view's format: a depth texture's typeless format read as a float/unorm value.
PixelFormat ShaderViewFormat(PixelFormat format, bool depthTexture);
// The depth view's format for a typeless depth format (the typed depth formats map to
// themselves).
PixelFormat DepthViewFormat(PixelFormat format);
