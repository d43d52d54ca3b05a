#pragma once

// The OpenGL the engine draws with, in one of two profiles chosen at build time:
//   - desktop OpenGL 3.3 core (Linux, Windows), entry points through libepoxy;
//   - OpenGL ES 3.0 when HOSHIKAGE_GL_ES is set: what WebGL 2 offers the browser build
//     (Emscripten's GLES3 headers; elsewhere libepoxy, which also serves ES contexts).
// The rest of engine/graphics is written once against what both profiles share, and keeps
// WebGL's rules on the desktop too where that costs nothing: index buffers are created and
// filled through GL_ELEMENT_ARRAY_BUFFER, draws take no base vertex, multisampled targets are
// renderbuffers. Whatever exists in only one profile goes through this header, so no other
// file asks which profile it is built for. Include it only from engine/graphics.

#include <cstring>

#if HOSHIKAGE_GL_ES && defined(__EMSCRIPTEN__)
#include <GLES3/gl3.h>
#else
#include <epoxy/gl.h>
#endif

namespace glapi {

#if HOSHIKAGE_GL_ES
inline constexpr bool kEs = true;
#else
inline constexpr bool kEs = false;
#endif

// The first lines of every shader: the language version and, for GLSL ES, precisions. Both
// profiles compute in 32-bit floats and integers.
inline const char* ShaderPrelude() {
    return kEs ? "#version 300 es\n"
                 "precision highp float;\n"
                 "precision highp int;\n"
                 "precision highp sampler2D;\n"
               : "#version 330 core\n";
}

inline bool HasExtension(const char* name) {
#if HOSHIKAGE_GL_ES && defined(__EMSCRIPTEN__)
    GLint count = 0;
    glGetIntegerv(GL_NUM_EXTENSIONS, &count);
    for (GLint i = 0; i < count; ++i) {
        const auto* extension =
            reinterpret_cast<const char*>(glGetStringi(GL_EXTENSIONS, static_cast<GLuint>(i)));
        if (extension && std::strcmp(extension, name) == 0) return true;
    }
    return false;
#else
    return epoxy_has_gl_extension(name);
#endif
}

// Desktop OpenGL version checks (major × 10 + minor); always false for ES.
inline bool DesktopVersionAtLeast(int version) {
#if HOSHIKAGE_GL_ES
    (void)version;
    return false;
#else
    return epoxy_gl_version() >= version;
#endif
}

// Whether the current context is the profile the engine was built for, at its version.
inline bool IsContextSupported() {
#if HOSHIKAGE_GL_ES && defined(__EMSCRIPTEN__)
    const auto* version = reinterpret_cast<const char*>(glGetString(GL_VERSION));
    return version && std::strncmp(version, "OpenGL ES 3", 11) == 0;
#elif HOSHIKAGE_GL_ES
    return !epoxy_is_desktop_gl() && epoxy_gl_version() >= 30;
#else
    return epoxy_is_desktop_gl() && epoxy_gl_version() >= 33;
#endif
}

// Routes the driver's messages to `report` where the profile has debug output (desktop 4.3
// or KHR_debug); false elsewhere.
using DebugReport = void (*)(const char* message);
#if !HOSHIKAGE_GL_ES
inline DebugReport debugTarget = nullptr;
inline void GLAPIENTRY ForwardDebugMessage(GLenum, GLenum, GLuint, GLenum severity, GLsizei,
                                           const GLchar* message, const void*) {
    if (severity != GL_DEBUG_SEVERITY_NOTIFICATION && debugTarget) debugTarget(message);
}
#endif
inline bool EnableDebugOutput(DebugReport report) {
#if HOSHIKAGE_GL_ES
    (void)report;
    return false;
#else
    if (!DesktopVersionAtLeast(43) && !HasExtension("GL_KHR_debug")) return false;
    debugTarget = report;
    glEnable(GL_DEBUG_OUTPUT);
    glDebugMessageCallback(ForwardDebugMessage, nullptr);
    return true;
#endif
}

// Clip control (desktop 4.5 or ARB_clip_control) lets clip-space depth run 0..1 as the
// game's projections make it; without it the vertex shaders remap. Sets the convention where
// the context can and says whether it can.
inline bool HasClipControl() {
#if HOSHIKAGE_GL_ES
    return false;
#else
    return DesktopVersionAtLeast(45) || HasExtension("GL_ARB_clip_control");
#endif
}
inline void SetClipDepthZeroToOne(bool zeroToOne) {
#if HOSHIKAGE_GL_ES
    (void)zeroToOne;
#else
    glClipControl(GL_LOWER_LEFT, zeroToOne ? GL_ZERO_TO_ONE : GL_NEGATIVE_ONE_TO_ONE);
#endif
}

// A single-buffered window surface (a desktop offscreen pbuffer) has only a front buffer,
// which the window's picture must go to. An ES window surface is always drawn through its
// back buffer.
inline void UseFrontBufferIfSingleBuffered() {
#if !HOSHIKAGE_GL_ES
    GLboolean doubleBuffered = GL_TRUE;
    glGetBooleanv(GL_DOUBLEBUFFER, &doubleBuffered);
    if (!doubleBuffered) {
        glDrawBuffer(GL_FRONT);
        glReadBuffer(GL_FRONT);
    }
#endif
}
// The buffer of the bound draw framebuffer that colour output 0 goes to.
inline GLenum CurrentDrawBuffer() {
    GLint buffer = GL_BACK;
#if HOSHIKAGE_GL_ES
    glGetIntegerv(GL_DRAW_BUFFER0, &buffer);
#else
    glGetIntegerv(GL_DRAW_BUFFER, &buffer);
#endif
    return static_cast<GLenum>(buffer);
}

inline void SetDepthRange(float nearDepth, float farDepth) {
#if HOSHIKAGE_GL_ES
    glDepthRangef(nearDepth, farDepth);
#else
    glDepthRange(nearDepth, farDepth);
#endif
}

// Wireframe exists only on the desktop; ES draws every triangle filled.
inline void SetWireframe(bool wireframe) {
#if HOSHIKAGE_GL_ES
    (void)wireframe;
#else
    glPolygonMode(GL_FRONT_AND_BACK, wireframe ? GL_LINE : GL_FILL);
#endif
}

// Depth clamping (depth clip off) exists only on the desktop; ES always clips to the depth
// range.
inline void SetDepthClamp(bool clamp) {
#if HOSHIKAGE_GL_ES
    (void)clamp;
#else
    if (clamp)
        glEnable(GL_DEPTH_CLAMP);
    else
        glDisable(GL_DEPTH_CLAMP);
#endif
}

inline bool HasAnisotropicFiltering() {
    return DesktopVersionAtLeast(46) || HasExtension("GL_EXT_texture_filter_anisotropic") ||
           HasExtension("GL_ARB_texture_filter_anisotropic");
}

// The sampler parameters only the desktop has, at the values the game's samplers use: no LOD
// bias, a transparent black border (ES samplers have neither, which reads the same).
inline void SetDesktopSamplerDefaults(GLuint sampler) {
#if HOSHIKAGE_GL_ES
    (void)sampler;
#else
    glSamplerParameterf(sampler, GL_TEXTURE_LOD_BIAS, 0.0f);
    const float border[4] = {0, 0, 0, 0};
    glSamplerParameterfv(sampler, GL_TEXTURE_BORDER_COLOR, border);
#endif
}

// Pixel transfers only the desktop has: BGRA uploads and 16-bit normalised red textures (ES
// needs extensions for both, so textures of those formats are refused there).
inline constexpr bool kHasBgraUpload = !kEs;
inline constexpr bool kHasNorm16 = !kEs;
// Reading depth back with glReadPixels (tests); ES reads colour only.
inline constexpr bool kCanReadDepth = !kEs;
// Float colour targets: ES 3.0 renders into them only with an extension.
inline constexpr bool kFloatColorRenderable = !kEs;

}  // namespace glapi

#ifndef GL_BGRA
#define GL_BGRA 0x80E1
#endif
#ifndef GL_R16
#define GL_R16 0x822A
#endif
#ifndef GL_TEXTURE_MAX_ANISOTROPY_EXT
#define GL_TEXTURE_MAX_ANISOTROPY_EXT 0x84FE
#endif
