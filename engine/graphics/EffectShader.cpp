#include "engine/graphics/EffectShader.h"

#include "engine/graphics/GraphicsDevice.h"

bool EffectShader::Initialize() {
    Release();
    if (!program.Build("effect.vert", "effect.frag")) return false;
    program.BindBlock("cbPerObject", 0);
    program.BindBlock("cbCamera", 7);
    program.BindSampler("g_tex", 0);
    if (!perObject.Create()) {
        Release();
        return false;
    }
    return true;
}

void EffectShader::Release() {
    program.Release();
    perObject.Release();
}

void EffectShader::Activate(bool meshLayout) {
    GraphicsDevice& device = GraphicsDevice::GetInstance();
    device.SetProgram(program.GetHandle());
    device.SetInputLayout(meshLayout ? VertexLayout::Mesh : VertexLayout::Effect);
    device.SetConstantBuffer(0, &perObject.buffer);
}

void EffectShader::SetWorld(const Matrix& world) {
    perObject.data.g_mW = world;
    perObject.MarkDirty();
}

void EffectShader::SetUVTransform(const Vector2& offset, const Vector2& tiling) {
    perObject.data.g_UVOffset = offset;
    perObject.data.g_UVTiling = tiling;
    perObject.MarkDirty();
}

void EffectShader::SetAlphaTestThreshold(float threshold) {
    perObject.data.g_AlphaTestThreshold = threshold;
    perObject.MarkDirty();
}
