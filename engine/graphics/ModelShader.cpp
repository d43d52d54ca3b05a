#include "engine/graphics/ModelShader.h"

#include <string>

#include "engine/graphics/FwTexture.h"
#include "engine/graphics/GraphicsDevice.h"

namespace {
bool BuildVariant(FwShaderProgram& program, bool lighting, bool materialSet) {
    std::string defines = lighting ? "#define HK_LIGHTING 1\n" : "#define HK_LIGHTING 0\n";
    defines += materialSet ? "#define HK_MATERIAL_SET 1\n" : "#define HK_MATERIAL_SET 0\n";
    if (!program.Build("model.vert", "model.frag", defines)) return false;
    // The unlit build has no light block and samples only the base colour; the bindings
    // of what it lacks are skipped.
    program.BindBlock("cbObject", 0);
    program.BindBlock("cbMaterial", 1);
    program.BindBlock("cbMaterialSet", 2);
    program.BindBlock("cbCamera", 7);
    program.BindBlock("cbLight", 8);
    program.BindSampler("g_baseTex", 0);
    program.BindSampler("g_emissiveTex", 1);
    program.BindSampler("g_mrTex", 2);
    return true;
}
}  // namespace

bool ModelShader::Initialize() {
    Release();
    if (!BuildVariant(lit, true, false) || !BuildVariant(unlit, false, false) ||
        !BuildVariant(litSet, true, true) || !BuildVariant(unlitSet, false, true)) {
        Release();
        return false;
    }
    if (!object.Create() || !material.Create() || !materialSet.Create()) {
        Release();
        return false;
    }
    return true;
}

void ModelShader::Release() {
    lit.Release();
    unlit.Release();
    litSet.Release();
    unlitSet.Release();
    setMode = false;
    object.Release();
    material.Release();
    materialSet.Release();
}

void ModelShader::Activate() {
    GraphicsDevice& device = GraphicsDevice::GetInstance();
    device.SetProgram(Current().GetHandle());
    device.SetInputLayout(VertexLayout::Mesh);
    device.SetConstantBuffer(0, &object.buffer);
    device.SetConstantBuffer(1, &material.buffer);
    device.SetConstantBuffer(2, &materialSet.buffer);
}

const FwShaderProgram& ModelShader::Current() const {
    if (setMode) return GetLightEnable() ? litSet : unlitSet;
    return GetLightEnable() ? lit : unlit;
}

void ModelShader::UseMaterialSet(bool on) {
    if (setMode == on) return;
    const bool active = IsActive();
    setMode = on;
    if (active) GraphicsDevice::GetInstance().SetProgram(Current().GetHandle());
}

bool ModelShader::IsActive() const {
    const unsigned current = GraphicsDevice::GetInstance().GetProgram();
    return current != 0 && (current == lit.GetHandle() || current == unlit.GetHandle() ||
                            current == litSet.GetHandle() || current == unlitSet.GetHandle());
}

void ModelShader::SetLightEnable(bool enable) {
    const bool active = IsActive();
    object.data.g_LightEnable = enable ? 1 : 0;
    object.MarkDirty();
    if (active) GraphicsDevice::GetInstance().SetProgram(Current().GetHandle());
}

void ModelShader::SetObjectMatrix(const Matrix& mW) {
    object.data.g_mW = mW;
    object.MarkDirty();
}

void ModelShader::SetUVTransform(const Vector2& offset, const Vector2& tiling) {
    object.data.g_UVOffset = offset;
    object.data.g_UVTiling = tiling;
    object.MarkDirty();
}

void ModelShader::SetAlphaTestThreshold(float threshold) {
    object.data.g_AlphaTestThreshold = threshold;
    object.MarkDirty();
}

void ModelShader::SetMaterial(const Color& baseColor, const Vector3& emissive, float metallic,
                              float roughness) {
    material.data.BaseColor = baseColor.ToVector4();
    material.data.Emissive = emissive;
    material.data.Metallic = metallic;
    material.data.Roughness = roughness;
    material.MarkDirty();
}

void ModelShader::BindTextures(const FwTexture* baseColor, const FwTexture* emissive,
                               const FwTexture* metallicRoughness) {
    const FwTexture* textures[3] = {baseColor, emissive, metallicRoughness};
    GraphicsDevice::GetInstance().SetShaderResources(0, 3, textures);
}
