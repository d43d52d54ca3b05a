#include "engine/graphics/FwSamplerState.h"

#include <algorithm>
#include <cfloat>
#include <string>

#include "engine/graphics/GlApi.h"
#include "engine/graphics/GraphicsDevice.h"

FwSamplerState::FwSamplerState(int filter_, int maxAnisotropy_, int addressMode_, bool comparison_)
    : filter(filter_),
      maxAnisotropy(maxAnisotropy_),
      addressMode(addressMode_),
      comparison(comparison_) {
    if (!GraphicsDevice::LiveGeneration()) return;
    GLuint name = 0;
    glGenSamplers(1, &name);
    if (!name) return;

    GLint minFilter = GL_NEAREST_MIPMAP_NEAREST;
    GLint magFilter = GL_NEAREST;
    float anisotropy = 1.0f;
    if (comparison || filter == 1 || filter == 2) {
        minFilter = GL_LINEAR_MIPMAP_LINEAR;
        magFilter = GL_LINEAR;
    }
    if (!comparison && filter == 2)
        anisotropy = static_cast<float>(std::clamp(maxAnisotropy, 1, 16));
    glSamplerParameteri(name, GL_TEXTURE_MIN_FILTER, minFilter);
    glSamplerParameteri(name, GL_TEXTURE_MAG_FILTER, magFilter);
    // Mesa's software rasterisers filter anisotropically per pixel with many taps, which
    // makes a full-screen textured frame take tens of seconds; there the anisotropic sampler
    // falls back to trilinear filtering (the same picture, slightly softer at grazing angles).
    if (anisotropy > 1.0f && !GraphicsDevice::GetInstance().IsSoftwareRenderer() &&
        glapi::HasAnisotropicFiltering()) {
        glSamplerParameterf(name, GL_TEXTURE_MAX_ANISOTROPY_EXT, anisotropy);
    }
    const GLint wrap = addressMode == 1 ? GL_CLAMP_TO_EDGE : GL_REPEAT;
    glSamplerParameteri(name, GL_TEXTURE_WRAP_S, wrap);
    glSamplerParameteri(name, GL_TEXTURE_WRAP_T, wrap);
    glSamplerParameteri(name, GL_TEXTURE_WRAP_R, wrap);
    glapi::SetDesktopSamplerDefaults(name);
    glSamplerParameterf(name, GL_TEXTURE_MIN_LOD, 0.0f);
    glSamplerParameterf(name, GL_TEXTURE_MAX_LOD, FLT_MAX);
    if (comparison) {
        glSamplerParameteri(name, GL_TEXTURE_COMPARE_MODE, GL_COMPARE_REF_TO_TEXTURE);
        glSamplerParameteri(name, GL_TEXTURE_COMPARE_FUNC, GL_LESS);
    } else {
        glSamplerParameteri(name, GL_TEXTURE_COMPARE_MODE, GL_NONE);
    }
    handle = name;
    generation = GraphicsDevice::LiveGeneration();
}

FwSamplerState::~FwSamplerState() {
    if (handle && generation == GraphicsDevice::LiveGeneration()) {
        GLuint name = handle;
        glDeleteSamplers(1, &name);
    }
}
