#pragma once

#include "engine/graphics/ConstantBlock.h"
#include "engine/graphics/FwShaderProgram.h"
#include "engine/graphics/ShaderConstants.h"
#include "engine/math/Matrix.h"

// The unlit textured shader of effects and projectiles: t = texture(t0) × vertex colour,
// discarded when g_AlphaTestThreshold >= t.a; no lighting, no fog. Owned by the
// ShaderManager.
//
// Effect vertex (VertexLayout::Effect, 36 bytes): position float3, uv float2, colour float4.
// Draw sequence of an effect: Activate; GraphicsDevice SetVertexBuffer(quad, 36, 0),
// SetPrimitiveTopology(TriangleStrip), SetShaderResource(0, texture); SetWorld; Upload;
// GraphicsDevice Draw(4, 0); then ModelShader::Activate so model drawing can continue.
class EffectShader {
public:
    bool Initialize();
    void Release();
    bool IsValid() const { return program.IsValid(); }

    // Program, cbPerObject on binding 0 and the input layout: the effect vertex, or the mesh
    // vertex when meshLayout (the normal is then ignored).
    void Activate(bool meshLayout = false);
    // g_mW; raises the dirty flag.
    void SetWorld(const Matrix& world);
    // Kept at their defaults by the game; offered for tools and tests.
    void SetUVTransform(const Vector2& offset, const Vector2& tiling);
    void SetAlphaTestThreshold(float threshold);
    // Uploads cbPerObject when dirty.
    void Upload() { perObject.Upload(); }

    const EffectObjectConstants& GetConstants() const { return perObject.data; }
    const FwShaderProgram& GetProgram() const { return program; }

private:
    FwShaderProgram program;
    ConstantBlock<EffectObjectConstants> perObject;
};
