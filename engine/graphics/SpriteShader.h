#pragma once

#include <array>
#include <memory>
#include <vector>

#include "engine/graphics/ConstantBlock.h"
#include "engine/graphics/FwSamplerState.h"
#include "engine/graphics/FwShaderProgram.h"
#include "engine/graphics/RenderStates.h"
#include "engine/graphics/ShaderConstants.h"
#include "engine/graphics/SpriteRect.h"
#include "engine/math/Color.h"
#include "engine/math/Matrix.h"
#include "engine/math/Vector2.h"

class FwTexture;

// 2D images in screen pixels: origin at the centre of the viewport, +x right, +y up. Each
// rectangle is placed around a pivot, then moved by the transform (SetTransform). Blending
// is whatever blend state is current (the run's alpha blending unless changed). Owned by
// the ShaderManager.
//
// Typical use: Begin(false, true); per image SetTransform(translation) and
// DrawSprite(texture, 0, 0, w, h, &rect, &colour, {0.5f, 0.5f}); End().
class SpriteShader {
public:
    bool Initialize();
    void Release();
    bool IsValid() const { return program.IsValid(); }

    // g_mTransform (pixels → pixels, row vectors), default identity.
    void SetTransform(const Matrix& m);
    // The sticky colour that DrawSprite calls without a colour use (see DrawSprite).
    void SetColour(const Color& colour);
    // Starts a batch: projection from the current viewport, saves depth-stencil state,
    // rasterizer and sampler slot 0, sets depth off (when disableDepth), point or linear
    // sampling, and the sprite program. Does nothing while a batch is open.
    void Begin(bool linearFilter, bool disableDepth);
    // Restores what Begin saved. Does nothing outside a batch.
    void End();
    bool IsBegun() const { return begun; }

    // Draws texture's source rectangle (whole texture when null) as a width × height
    // rectangle whose pivot (0,0 bottom-left .. 1,1 top-right) sits at (x, y). colour, when
    // given, becomes the colour of this and every later sprite (sticky). Texels with alpha
    // 0 are never written. A null texture draws nothing; outside a batch the call opens
    // and closes its own (point filtering, depth off). Render-target textures are flipped so
    // their top row shows at the top.
    void DrawSprite(FwTexture* texture, int x, int y, int width, int height,
                    const SpriteRect* source, const Color* colour, const Vector2& pivot);
    // A solid width × height rectangle of one colour placed as DrawSprite places images
    // (panels, dimming the picture). Like DrawSprite with a colour, the colour stays in force.
    void FillRect(int x, int y, int width, int height, const Color& colour, const Vector2& pivot);

    // While deferring, images are kept instead of drawn, each with its transform, colour,
    // filtering and the blend and depth state in force, and DrawDeferred draws them in order
    // over whatever target is bound then (the 3D pass lays them over its finished picture
    // at full resolution).
    void SetDeferring(bool on) { deferring = on; }
    bool IsDeferring() const { return deferring; }
    void DrawDeferred();
    size_t GetDeferredCount() const { return deferred.size(); }

    const SpriteConstants& GetConstants() const { return sprite.data; }
    const ProjectionConstants& GetProjection() const { return projection.data; }
    const FwShaderProgram& GetProgram() const { return program; }

private:
    FwShaderProgram program;
    ConstantBlock<SpriteConstants> sprite;
    ConstantBlock<ProjectionConstants> projection;
    std::unique_ptr<FwDepthStencilState> depthOffState;
    std::unique_ptr<FwRasterizerState> rasterizerState;
    std::unique_ptr<FwSamplerState> pointSampler;
    std::unique_ptr<FwSamplerState> linearSampler;
    FwDepthStencilState savedDepthState;
    unsigned savedStencilRef = 0;
    FwRasterizerState savedRasterizer;
    const FwSamplerState* savedSampler = nullptr;
    bool begun = false;
    bool linear = false;  // the filtering of the open batch

    struct Deferred {
        FwTexture* texture = nullptr;
        std::array<float, 20> vertices{};  // four sprite vertices: x, y, z, u, v
        Matrix transform;
        Vector4 color;
        bool linear = false;
        FwBlendState blend;
        FwDepthStencilState depth;
    };
    void Draw(FwTexture* texture, const float* vertices);
    bool deferring = false;
    std::vector<Deferred> deferred;
};
