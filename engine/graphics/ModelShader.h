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
// The program exists in four builds, lit or unlit and with or without fog; the one that
// matches g_LightEnable and the fog switch of the uploaded camera block is made current
// (by Activate, and by SetLightEnable and SetFogBuild while the shader is active).
class ModelShader {
public:
    // Builds the four programs and the cbObject (96 bytes) and cbMaterial (48 bytes) blocks; on
    // failure releases what it made and returns false.
    bool Initialize();
    void Release();
    bool IsValid() const;

    // The program matching the light switch, mesh input layout, cbObject on binding 0 and
    // cbMaterial on binding 1.
    void Activate();
    // True while one of the two programs is the device's current program.
    bool IsActive() const;

    // The object's world matrix (not uploaded by itself; default identity).
    void SetWorld(const Matrix& world) { this->world = world; }
    const Matrix& GetWorld() const { return world; }
    // g_LightEnable; stays in force across draws until changed.
    void SetLightEnable(bool enable);
    // Whether the camera block on the GPU has fog on; the shader manager calls it when it
    // uploads that block.
    void SetFogBuild(bool fog);
    bool GetFogBuild() const { return fogBuild; }
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
    // Binds base colour, emissive and metallic-roughness textures to t0, t1, t2 (null or
    // empty textures read as zero; materials use the device's white texture instead).
    static void BindTextures(const FwTexture* baseColor, const FwTexture* emissive,
                             const FwTexture* metallicRoughness);

    const ObjectConstants& GetObjectConstants() const { return object.data; }
    const MaterialConstants& GetMaterialConstants() const { return material.data; }
    // The lit build with fog (every build shares the block layouts), and any build.
    const FwShaderProgram& GetProgram() const { return programs[1][1]; }
    const FwShaderProgram& GetProgram(bool lighting, bool fog) const {
        return programs[lighting][fog];
    }

private:
    const FwShaderProgram& Current() const { return programs[GetLightEnable()][fogBuild]; }
    void MakeCurrentIfActive(bool active);

    FwShaderProgram programs[2][2];  // [lighting][fog]
    bool fogBuild = false;
    Matrix world;
    ConstantBlock<ObjectConstants> object;
    ConstantBlock<MaterialConstants> material;
};
