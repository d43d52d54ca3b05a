#pragma once

#include <cstdint>
#include <string>

// One linked GLSL program built from two embedded sources (see EmbeddedShaders.h), with
// the uniform blocks bound to fixed binding points and the sampler uniforms to fixed
// texture units. Owns its GPU object.
class FwShaderProgram {
public:
    FwShaderProgram() = default;
    ~FwShaderProgram();
    FwShaderProgram(const FwShaderProgram&) = delete;
    FwShaderProgram& operator=(const FwShaderProgram&) = delete;

    // Compiles and links the named embedded vertex and fragment sources. Every vertex shader
    // gets the clip-depth helper prepended (see GraphicsDevice::ClipDepthIsNative); defines
    // (whole "#define NAME value" lines) go in front of both sources. False (with the
    // compiler log in GetLog) on any failure; the program is left empty.
    bool Build(const char* vertexName, const char* fragmentName, const std::string& defines = {});
    // Binds the named uniform block to a binding point; false when the block is absent.
    bool BindBlock(const char* blockName, unsigned binding);
    // Points the named sampler uniform at a texture unit (ignored when absent).
    void BindSampler(const char* samplerName, int unit);
    void Release();

    // Replaces an embedded source by name for the builds that follow (shader development,
    // and tests of what a broken driver or source does); an empty source removes the
    // replacement.
    static void OverrideSource(const std::string& name, const std::string& source);

    bool IsValid() const { return handle != 0; }
    unsigned GetHandle() const { return handle; }
    const std::string& GetLog() const { return log; }

    // What the driver reports, for layout tests: the block's data size in bytes and
    // binding point, a uniform's byte offset inside its block (-1 when unknown).
    int GetBlockSize(const char* blockName) const;
    int GetBlockBinding(const char* blockName) const;
    int GetUniformOffset(const char* uniformName) const;

private:
    unsigned handle = 0;
    uint32_t generation = 0;
    std::string log;
};
