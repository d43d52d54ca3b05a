#pragma once

#include <cstdint>
#include <string>

#include "engine/graphics/GraphicsTypes.h"

// One two-dimensional texture (or array of slices) with the views its bind flags ask for:
// a shader view (ShaderResource), a render-target view (RenderTarget) and a depth view
// (DepthStencil). Every creating operation first releases what the object held, so a
// texture can be re-created in place; on failure it is left empty (no views), which draws
// nothing. Needs a live graphics device: creation fails without one.
//
// Orientation: loaded and created images keep their first row at the top (v = 0). A
// render-target or depth texture made by the Create operations is drawn into, which leaves
// its rows bottom-up (IsBottomUp); the sprite drawing flips v for it.
//
// Arrays (arraySize > 1, or a cube with kTextureMiscCube and six slices) get a shader view
// only. initial, when given, is one SubresourceData per slice and mip level, slice-major
// (slice 0 mips 0..n-1, slice 1 ...); rows top first.
//
// Multisampled textures (sampleCount > 1) are render targets or depth buffers only: one
// level, no shader view and no initial data; they are resolved by copying (ScenePass). They
// are renderbuffers underneath (WebGL has no multisampled textures).
//
// Depth textures: R32_Typeless gets a D32_Float depth view and an R32_Float shader view,
// R24G8_Typeless D24_Unorm_S8_Uint and R24_Unorm_X8_Typeless, R16_Typeless D16_Unorm and
// R16_Unorm. The depth-format views are reported by GetDepthViewFormat/GetShaderViewFormat.
class FwTexture {
public:
    FwTexture() = default;
    ~FwTexture();
    FwTexture(const FwTexture&) = delete;
    FwTexture& operator=(const FwTexture&) = delete;

    // Decodes an image file (PNG or BMP; ImageDecoder) into an RGBA8 texture with a shader
    // view, plus a render-target and/or depth view when asked. generateMips builds the full mip
    // chain. Fails on an empty path, a missing, unreadable or corrupt file, another format, or an
    // image larger than 16384 texels on a side. The path is UTF-8 and opened as given.
    bool Load(const std::string& path, bool renderTarget = false, bool depthStencil = false,
              bool generateMips = false);
    bool Create(const TextureDesc& desc, const SubresourceData* initial);
    // Shader-readable texture: 1 mip level, default usage, bind ShaderResource.
    bool Create(int width, int height, PixelFormat format, int arraySize,
                const SubresourceData* initial);
    // As Create with RenderTarget | ShaderResource.
    bool CreateRenderTarget(int width, int height, PixelFormat format, int arraySize,
                            const SubresourceData* initial);
    // As Create with DepthStencil | ShaderResource; format is a typeless depth format.
    bool CreateDepthStencil(int width, int height, PixelFormat format, int arraySize,
                            const SubresourceData* initial);
    // Wraps an existing GPU texture. nativeTexture 0 stands for the window's back buffer
    // (the default framebuffer), which has a render-target view only. A non-zero texture
    // is not owned: the caller keeps it alive while this object uses it.
    bool CreateFromTexture(unsigned nativeTexture, const TextureDesc& desc);
    // Drops the views and the texture (if owned) and clears the file path.
    void Release();

    // Opaque shader view handle for GraphicsDevice::SetShaderResource; 0 when none.
    unsigned GetSRV() const { return hasSRV ? handle : 0; }
    bool HasRTV() const { return hasRTV; }
    bool HasDSV() const { return hasDSV; }
    bool HasSRV() const { return hasSRV; }
    bool IsBackBuffer() const { return backBuffer; }
    bool IsBottomUp() const { return bottomUp; }
    // Opaque GPU object name (0 for the back buffer and when empty) and the texture kind
    // it is bound as.
    unsigned GetHandle() const { return handle; }
    unsigned GetTarget() const { return target; }
    // Attaches the colour or depth image to `attachment` of the bound GL_FRAMEBUFFER, as a
    // texture or a renderbuffer, whichever it is. Nothing for the back buffer or when empty.
    void AttachToFramebuffer(unsigned attachment) const;
    PixelFormat GetShaderViewFormat() const { return srvFormat; }
    PixelFormat GetDepthViewFormat() const { return dsvFormat; }
    // Description of the created texture (zeroed when empty).
    const TextureDesc& GetDesc() const { return desc; }
    const std::string& GetFilePath() const { return filepath; }

private:
    bool CreateStorage(const TextureDesc& requested, const SubresourceData* initial);
    bool CreateMultisampled(const TextureDesc& desc);

    unsigned handle = 0;
    bool ownsHandle = false;
    bool hasSRV = false;
    bool hasRTV = false;
    bool hasDSV = false;
    bool backBuffer = false;
    bool bottomUp = false;
    unsigned target = 0;  // texture kind (2D, array or cube), or a renderbuffer
    PixelFormat srvFormat = PixelFormat::Unknown;
    PixelFormat dsvFormat = PixelFormat::Unknown;
    TextureDesc desc{0, 0, 0, 0, PixelFormat::Unknown, 0, 0, 0, 0, 0};
    std::string filepath;
    uint32_t generation = 0;
};
