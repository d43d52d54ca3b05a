#include "engine/graphics/TextureFormats.h"

#include "engine/graphics/GlApi.h"

namespace {

GlPixelFormat Color(int internalFormat, GLenum format, GLenum type, int bytes, bool renderable) {
    GlPixelFormat f;
    f.internalFormat = internalFormat;
    f.format = format;
    f.type = type;
    f.bytesPerPixel = bytes;
    f.colorRenderable = renderable;
    return f;
}

GlPixelFormat Depth(int internalFormat, GLenum format, GLenum type, int bytes, bool stencil) {
    GlPixelFormat f;
    f.internalFormat = internalFormat;
    f.format = format;
    f.type = type;
    f.bytesPerPixel = bytes;
    f.depth = true;
    f.stencil = stencil;
    return f;
}

}  // namespace

bool FindGlPixelFormat(PixelFormat format, bool asDepth, GlPixelFormat& out) {
    switch (format) {
        case PixelFormat::R8G8B8A8_Unorm:
            out = Color(GL_RGBA8, GL_RGBA, GL_UNSIGNED_BYTE, 4, true);
            return true;
        case PixelFormat::B8G8R8A8_Unorm:
            if (!glapi::kHasBgraUpload) return false;
            out = Color(GL_RGBA8, GL_BGRA, GL_UNSIGNED_BYTE, 4, true);
            return true;
        case PixelFormat::R32G32B32A32_Float:
            out = Color(GL_RGBA32F, GL_RGBA, GL_FLOAT, 16, glapi::kFloatColorRenderable);
            return true;
        case PixelFormat::R32G32B32_Float:
            out = Color(GL_RGB32F, GL_RGB, GL_FLOAT, 12, false);
            return true;
        case PixelFormat::R16G16B16A16_Float:
            out = Color(GL_RGBA16F, GL_RGBA, GL_HALF_FLOAT, 8, glapi::kFloatColorRenderable);
            return true;
        case PixelFormat::R32_Float:
            out = Color(GL_R32F, GL_RED, GL_FLOAT, 4, glapi::kFloatColorRenderable);
            return true;
        case PixelFormat::R16_Unorm:
            if (!glapi::kHasNorm16) return false;
            out = Color(GL_R16, GL_RED, GL_UNSIGNED_SHORT, 2, true);
            return true;
        case PixelFormat::R8_Unorm:
            out = Color(GL_R8, GL_RED, GL_UNSIGNED_BYTE, 1, true);
            return true;
        case PixelFormat::R32_Typeless:
            out = asDepth ? Depth(GL_DEPTH_COMPONENT32F, GL_DEPTH_COMPONENT, GL_FLOAT, 4, false)
                          : Color(GL_R32F, GL_RED, GL_FLOAT, 4, glapi::kFloatColorRenderable);
            return true;
        case PixelFormat::R16_Typeless:
            if (!asDepth && !glapi::kHasNorm16) return false;
            out = asDepth
                      ? Depth(GL_DEPTH_COMPONENT16, GL_DEPTH_COMPONENT, GL_UNSIGNED_SHORT, 2, false)
                      : Color(GL_R16, GL_RED, GL_UNSIGNED_SHORT, 2, true);
            return true;
        case PixelFormat::R24G8_Typeless:
            if (!asDepth) return false;
            out = Depth(GL_DEPTH24_STENCIL8, GL_DEPTH_STENCIL, GL_UNSIGNED_INT_24_8, 4, true);
            return true;
        case PixelFormat::D32_Float:
            out = Depth(GL_DEPTH_COMPONENT32F, GL_DEPTH_COMPONENT, GL_FLOAT, 4, false);
            return true;
        case PixelFormat::D24_Unorm_S8_Uint:
            out = Depth(GL_DEPTH24_STENCIL8, GL_DEPTH_STENCIL, GL_UNSIGNED_INT_24_8, 4, true);
            return true;
        case PixelFormat::D16_Unorm:
            out = Depth(GL_DEPTH_COMPONENT16, GL_DEPTH_COMPONENT, GL_UNSIGNED_SHORT, 2, false);
            return true;
        default:
            return false;
    }
}

bool IsTypelessDepth(PixelFormat format) {
    return format == PixelFormat::R32_Typeless || format == PixelFormat::R24G8_Typeless ||
           format == PixelFormat::R16_Typeless;
}

PixelFormat ShaderViewFormat(PixelFormat format, bool depthTexture) {
    if (!depthTexture) return format;
    switch (format) {
        case PixelFormat::R32_Typeless:
            return PixelFormat::R32_Float;
        case PixelFormat::R24G8_Typeless:
            return PixelFormat::R24_Unorm_X8_Typeless;
        case PixelFormat::R16_Typeless:
            return PixelFormat::R16_Unorm;
        default:
            return format;
    }
}

PixelFormat DepthViewFormat(PixelFormat format) {
    switch (format) {
        case PixelFormat::R32_Typeless:
            return PixelFormat::D32_Float;
        case PixelFormat::R24G8_Typeless:
            return PixelFormat::D24_Unorm_S8_Uint;
        case PixelFormat::R16_Typeless:
            return PixelFormat::D16_Unorm;
        default:
            return format;
    }
}
