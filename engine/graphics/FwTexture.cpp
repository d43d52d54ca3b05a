#include "engine/graphics/FwTexture.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <vector>

#include "engine/graphics/GlApi.h"
#include "engine/graphics/GraphicsDevice.h"
#include "engine/graphics/ImageDecoder.h"
#include "engine/graphics/TextureFormats.h"
#include "engine/platform/FilePath.h"

namespace {

constexpr int kMaxImageSide = ImageDecoder::kMaxSide;

int FullMipCount(int width, int height) {
    int levels = 1;
    for (int side = std::max(width, height); side > 1; side /= 2) ++levels;
    return levels;
}

bool ReadWholeFile(const std::string& path, std::vector<unsigned char>& bytes) {
    std::ifstream file(PathFromUtf8(path), std::ios::binary);
    if (!file) return false;
    bytes.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    return !file.bad();
}

void UploadLevel(GLenum target, int level, int slice, int width, int height,
                 const GlPixelFormat& fmt, const SubresourceData* data) {
    const void* pixels = data ? data->data : nullptr;
    GLint rowLength = 0;
    if (data && data->rowPitch && fmt.bytesPerPixel &&
        data->rowPitch % static_cast<unsigned>(fmt.bytesPerPixel) == 0)
        rowLength = static_cast<GLint>(data->rowPitch / static_cast<unsigned>(fmt.bytesPerPixel));
    glPixelStorei(GL_UNPACK_ROW_LENGTH, rowLength);
    if (target == GL_TEXTURE_2D) {
        glTexImage2D(target, level, fmt.internalFormat, width, height, 0, fmt.format, fmt.type,
                     pixels);
    } else if (target == GL_TEXTURE_CUBE_MAP) {
        glTexImage2D(GL_TEXTURE_CUBE_MAP_POSITIVE_X + slice, level, fmt.internalFormat, width,
                     height, 0, fmt.format, fmt.type, pixels);
    } else if (pixels) {
        glTexSubImage3D(target, level, 0, 0, slice, width, height, 1, fmt.format, fmt.type, pixels);
    }
    glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
}

}  // namespace

FwTexture::~FwTexture() {
    Release();
}

void FwTexture::Release() {
    if (handle && ownsHandle && generation == GraphicsDevice::LiveGeneration()) {
        GLuint name = handle;
        if (target == GL_RENDERBUFFER)
            glDeleteRenderbuffers(1, &name);
        else
            glDeleteTextures(1, &name);
    }
    handle = 0;
    ownsHandle = false;
    hasSRV = hasRTV = hasDSV = false;
    backBuffer = false;
    bottomUp = false;
    target = 0;
    srvFormat = dsvFormat = PixelFormat::Unknown;
    desc = TextureDesc{0, 0, 0, 0, PixelFormat::Unknown, 0, 0, 0, 0, 0};
    filepath.clear();
    generation = 0;
}

bool FwTexture::Load(const std::string& path, bool renderTarget, bool depthStencil,
                     bool generateMips) {
    Release();
    if (path.empty() || !GraphicsDevice::LiveGeneration()) return false;
    std::vector<unsigned char> bytes;
    if (!ReadWholeFile(path, bytes)) return false;
    DecodedImage image;
    if (!ImageDecoder::Decode(bytes.data(), bytes.size(), image)) return false;
    // The file's bytes are no longer needed once decoded; the pixels go as soon as uploaded.
    std::vector<unsigned char>().swap(bytes);

    TextureDesc d;
    d.width = image.width;
    d.height = image.height;
    d.format = PixelFormat::R8G8B8A8_Unorm;
    d.mipLevels = generateMips ? 0 : 1;
    d.bindFlags = BindFlag::ShaderResource | (renderTarget ? BindFlag::RenderTarget : 0u) |
                  (depthStencil ? BindFlag::DepthStencil : 0u);
    const SubresourceData initial{image.pixels.get(), static_cast<unsigned>(image.RowBytes()), 0};
    const bool ok = CreateStorage(d, &initial);
    if (!ok) return false;
    bottomUp = false;  // decoded rows went in top first
    filepath = path;
    return true;
}

bool FwTexture::Create(const TextureDesc& d, const SubresourceData* initial) {
    Release();
    return CreateStorage(d, initial);
}

bool FwTexture::Create(int width, int height, PixelFormat format, int arraySize,
                       const SubresourceData* initial) {
    TextureDesc d;
    d.width = width;
    d.height = height;
    d.arraySize = arraySize;
    d.format = format;
    d.bindFlags = BindFlag::ShaderResource;
    return Create(d, initial);
}

bool FwTexture::CreateRenderTarget(int width, int height, PixelFormat format, int arraySize,
                                   const SubresourceData* initial) {
    TextureDesc d;
    d.width = width;
    d.height = height;
    d.arraySize = arraySize;
    d.format = format;
    d.bindFlags = BindFlag::RenderTarget | BindFlag::ShaderResource;
    return Create(d, initial);
}

bool FwTexture::CreateDepthStencil(int width, int height, PixelFormat format, int arraySize,
                                   const SubresourceData* initial) {
    TextureDesc d;
    d.width = width;
    d.height = height;
    d.arraySize = arraySize;
    d.format = format;
    d.bindFlags = BindFlag::DepthStencil | BindFlag::ShaderResource;
    return Create(d, initial);
}

bool FwTexture::CreateFromTexture(unsigned nativeTexture, const TextureDesc& d) {
    Release();
    if (!GraphicsDevice::LiveGeneration() || d.width <= 0 || d.height <= 0) return false;
    if (nativeTexture == 0) {
        // The window's back buffer: only ever drawn into and shown.
        desc = d;
        desc.bindFlags = BindFlag::RenderTarget;
        desc.mipLevels = 1;
        desc.arraySize = 1;
        hasRTV = true;
        backBuffer = true;
        bottomUp = true;
        generation = GraphicsDevice::LiveGeneration();
        return true;
    }
    if (!glIsTexture(nativeTexture)) return false;
    const bool depth = (d.bindFlags & BindFlag::DepthStencil) != 0;
    GlPixelFormat fmt;
    if (!FindGlPixelFormat(d.format, depth, fmt)) return false;
    handle = nativeTexture;
    ownsHandle = false;
    target = d.arraySize > 1 ? GL_TEXTURE_2D_ARRAY : GL_TEXTURE_2D;
    desc = d;
    hasSRV = (d.bindFlags & BindFlag::ShaderResource) != 0;
    hasRTV = (d.bindFlags & BindFlag::RenderTarget) != 0 && !depth && d.arraySize == 1;
    hasDSV = depth && d.arraySize == 1;
    srvFormat = hasSRV ? ShaderViewFormat(d.format, depth) : PixelFormat::Unknown;
    dsvFormat = hasDSV ? DepthViewFormat(d.format) : PixelFormat::Unknown;
    bottomUp = hasRTV || hasDSV;
    generation = GraphicsDevice::LiveGeneration();
    return true;
}

bool FwTexture::CreateStorage(const TextureDesc& requested, const SubresourceData* initial) {
    if (!GraphicsDevice::LiveGeneration()) return false;
    TextureDesc d = requested;
    if (d.width <= 0 || d.height <= 0 || d.width > kMaxImageSide || d.height > kMaxImageSide ||
        d.arraySize < 1 || d.mipLevels < 0)
        return false;
    if (d.sampleCount > 1) return CreateMultisampled(d);
    const bool wantsSRV = (d.bindFlags & BindFlag::ShaderResource) != 0;
    const bool wantsRTV = (d.bindFlags & BindFlag::RenderTarget) != 0;
    const bool wantsDSV = (d.bindFlags & BindFlag::DepthStencil) != 0;
    if (wantsRTV && wantsDSV) return false;
    GlPixelFormat fmt;
    if (!FindGlPixelFormat(d.format, wantsDSV, fmt)) return false;
    if (wantsRTV && !fmt.colorRenderable) return false;
    if (wantsDSV && !fmt.depth) return false;
    if (wantsSRV && fmt.depth && !IsTypelessDepth(d.format)) return false;
    if (!wantsDSV && fmt.depth) return false;
    const bool cube = (d.miscFlags & kTextureMiscCube) != 0 && d.arraySize == 6;
    if ((wantsRTV || wantsDSV) && d.arraySize != 1) return false;
    if (d.mipLevels == 0) d.mipLevels = FullMipCount(d.width, d.height);
    d.mipLevels = std::min(d.mipLevels, FullMipCount(d.width, d.height));

    const GLenum kind =
        d.arraySize == 1 ? GL_TEXTURE_2D : (cube ? GL_TEXTURE_CUBE_MAP : GL_TEXTURE_2D_ARRAY);
    while (glGetError() != GL_NO_ERROR) {
    }
    GLuint name = 0;
    glGenTextures(1, &name);
    if (!name) return false;
    GLint previous = 0;
    glGetIntegerv(kind == GL_TEXTURE_2D         ? GL_TEXTURE_BINDING_2D
                  : kind == GL_TEXTURE_CUBE_MAP ? GL_TEXTURE_BINDING_CUBE_MAP
                                                : GL_TEXTURE_BINDING_2D_ARRAY,
                  &previous);
    glBindTexture(kind, name);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    // The whole chain is allocated so the texture is complete for mipmapped samplers.
    const bool generate = requested.mipLevels == 0 && initial;
    for (int level = 0; level < d.mipLevels; ++level) {
        const int w = std::max(1, d.width >> level);
        const int h = std::max(1, d.height >> level);
        if (kind == GL_TEXTURE_2D_ARRAY) {
            glTexImage3D(kind, level, fmt.internalFormat, w, h, d.arraySize, 0, fmt.format,
                         fmt.type, nullptr);
        }
        for (int slice = 0; slice < d.arraySize; ++slice) {
            const SubresourceData* data = nullptr;
            if (initial && (!generate || level == 0))
                data = generate ? &initial[slice] : &initial[slice * d.mipLevels + level];
            if (data && !data->data) data = nullptr;
            UploadLevel(kind, level, slice, w, h, fmt, data);
        }
    }
    glTexParameteri(kind, GL_TEXTURE_BASE_LEVEL, 0);
    glTexParameteri(kind, GL_TEXTURE_MAX_LEVEL, d.mipLevels - 1);
    glTexParameteri(kind, GL_TEXTURE_MIN_FILTER,
                    d.mipLevels > 1 ? GL_LINEAR_MIPMAP_LINEAR : GL_LINEAR);
    glTexParameteri(kind, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    if (generate && d.mipLevels > 1 && !fmt.depth) glGenerateMipmap(kind);
    glBindTexture(kind, static_cast<GLuint>(previous));
    if (glGetError() != GL_NO_ERROR) {
        glDeleteTextures(1, &name);
        return false;
    }

    handle = name;
    ownsHandle = true;
    target = kind;
    d.sampleCount = 1;
    desc = d;
    hasSRV = wantsSRV;
    hasRTV = wantsRTV;
    hasDSV = wantsDSV;
    srvFormat = hasSRV ? ShaderViewFormat(d.format, wantsDSV) : PixelFormat::Unknown;
    dsvFormat = hasDSV ? DepthViewFormat(d.format) : PixelFormat::Unknown;
    bottomUp = hasRTV || hasDSV;
    generation = GraphicsDevice::LiveGeneration();
    return true;
}

bool FwTexture::CreateMultisampled(const TextureDesc& d) {
    // Only drawn into and resolved: one level, one slice, no shader view, no initial data.
    const bool wantsRTV = (d.bindFlags & BindFlag::RenderTarget) != 0;
    const bool wantsDSV = (d.bindFlags & BindFlag::DepthStencil) != 0;
    if (wantsRTV == wantsDSV || (d.bindFlags & BindFlag::ShaderResource) != 0 || d.arraySize != 1 ||
        d.mipLevels > 1)
        return false;
    GlPixelFormat fmt;
    if (!FindGlPixelFormat(d.format, wantsDSV, fmt)) return false;
    if (wantsRTV && !fmt.colorRenderable) return false;
    if (wantsDSV && !fmt.depth) return false;
    GLint maxSamples = 0;
    glGetIntegerv(GL_MAX_SAMPLES, &maxSamples);
    if (d.sampleCount > maxSamples) return false;
    while (glGetError() != GL_NO_ERROR) {
    }
    GLuint name = 0;
    glGenRenderbuffers(1, &name);
    if (!name) return false;
    GLint previous = 0;
    glGetIntegerv(GL_RENDERBUFFER_BINDING, &previous);
    glBindRenderbuffer(GL_RENDERBUFFER, name);
    glRenderbufferStorageMultisample(GL_RENDERBUFFER, d.sampleCount,
                                     static_cast<GLenum>(fmt.internalFormat), d.width, d.height);
    glBindRenderbuffer(GL_RENDERBUFFER, static_cast<GLuint>(previous));
    if (glGetError() != GL_NO_ERROR) {
        glDeleteRenderbuffers(1, &name);
        return false;
    }
    handle = name;
    ownsHandle = true;
    target = GL_RENDERBUFFER;
    desc = d;
    desc.mipLevels = 1;
    hasRTV = wantsRTV;
    hasDSV = wantsDSV;
    dsvFormat = hasDSV ? DepthViewFormat(d.format) : PixelFormat::Unknown;
    bottomUp = true;
    generation = GraphicsDevice::LiveGeneration();
    return true;
}

void FwTexture::AttachToFramebuffer(unsigned attachment) const {
    if (!handle || backBuffer) return;
    if (target == GL_RENDERBUFFER) {
        glFramebufferRenderbuffer(GL_FRAMEBUFFER, attachment, GL_RENDERBUFFER, handle);
    } else {
        glFramebufferTexture2D(GL_FRAMEBUFFER, attachment, target ? target : GL_TEXTURE_2D, handle,
                               0);
    }
}
