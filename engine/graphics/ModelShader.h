#pragma once

#include "engine/graphics/ConstantBlock.h"
#include "engine/graphics/FwShaderProgram.h"
#include "engine/graphics/ShaderConstants.h"
#include "engine/math/Color.h"
#include "engine/math/Matrix.h"

class FwTexture;

// The lit shader of every 3D model: mesh vertices (VertexLayout::Mesh), base-colour,
// emissive and metallic-roughness textures on t0..t2, the ambient, directional and point
// lights of cbLight, distance fog from cbCamera. Owned by the ShaderManager.
//
// Per draw: SetWorld holds the object's world matrix; model drawing combines it with each
// node's matrix into g_mW (SetObjectMatrix), fills the material and uploads both blocks.
//
// The program exists in two builds, lit and unlit; whichever matches g_LightEnable is the
// one made current (by Activate, and by SetLightEnable while the shader is active). Each also
// exists for merged draws, which take the material of every triangle from cbMaterialSet
// instead of cbMaterial (UseMaterialSet).
class ModelShader {
public:
    // Builds both programs and the cbObject (96 bytes) and cbMaterial (48 bytes) blocks; on
    // failure releases what it made and returns false.
    bool Initialize();
    void Release();
    bool IsValid() const {
        return lit.IsValid() && unlit.IsValid() && litSet.IsValid() && unlitSet.IsValid();
    }

    // The program matching the light switch, mesh input layout, cbObject on binding 0,
    // cbMaterial on binding 1 and cbMaterialSet on binding 2.
    void Activate();
    // True while one of the two programs is the device's current program.
    bool IsActive() const;

    // The object's world matrix (not uploaded by itself; default identity).
    void SetWorld(const Matrix& world) { this->world = world; }
    const Matrix& GetWorld() const { return world; }
    // g_LightEnable; stays in force across draws until changed.
    void SetLightEnable(bool enable);
    bool GetLightEnable() const { return object.data.g_LightEnable != 0; }
    // g_mW: the matrix the vertices are drawn with (node matrix × world).
    void SetObjectMatrix(const Matrix& mW);
    // Kept at their defaults by the game; offered for tools and tests.
    void SetUVTransform(const Vector2& offset, const Vector2& tiling);
    void SetAlphaTestThreshold(float threshold);
    void UploadObject() { object.Upload(); }

    // g_Material. baseColor.a scales both the output alpha and the lit colour.
    void SetMaterial(const Color& baseColor, const Vector3& emissive, float metallic,
                     float roughness);
    void UploadMaterial() { material.Upload(); }
    // While on, the builds that read cbMaterialSet are the ones made current.
    void UseMaterialSet(bool on);
    bool IsUsingMaterialSet() const { return setMode; }
    MaterialSetConstants& EditMaterialSet() {
        materialSet.MarkDirty();
        return materialSet.data;
    }
    void UploadMaterialSet() { materialSet.Upload(); }
    // Binds base colour, emissive and metallic-roughness textures to t0, t1, t2 (null or
    // empty textures read as zero; materials use the device's white texture instead).
    static void BindTextures(const FwTexture* baseColor, const FwTexture* emissive,
                             const FwTexture* metallicRoughness);

    const ObjectConstants& GetObjectConstants() const { return object.data; }
    const MaterialConstants& GetMaterialConstants() const { return material.data; }
    // The lit build (both builds share every block layout).
    const FwShaderProgram& GetProgram() const { return lit; }
    const FwShaderProgram& GetUnlitProgram() const { return unlit; }

private:
    const FwShaderProgram& Current() const;

    FwShaderProgram lit;
    FwShaderProgram unlit;
    FwShaderProgram litSet;
    FwShaderProgram unlitSet;
    bool setMode = false;
    Matrix world;
    ConstantBlock<ObjectConstants> object;
    ConstantBlock<MaterialConstants> material;
    ConstantBlock<MaterialSetConstants> materialSet;
};
