#pragma once

#include <cstdint>
#include <vector>

#include "engine/graphics/EffectVertex.h"
#include "engine/graphics/FwBuffer.h"
#include "engine/graphics/RenderStates.h"
#include "engine/math/Matrix.h"

class FwTexture;

// A screen area in normalised device coordinates (-1..1 on both axes), used to tell draws
// that cannot touch the same pixels apart. `all` stands for the whole target (geometry
// reaching behind the eye, or anything whose extent is unknown).
struct ScreenArea {
    float left = 0.0f, bottom = 0.0f, right = 0.0f, top = 0.0f;
    bool all = false;

    bool Overlaps(const ScreenArea& other) const;
    void Merge(const ScreenArea& other);
    static ScreenArea Everything();
    // The area the points, transformed by viewProjection, cover on screen, grown by margin
    // (in NDC units) so that rounding in the rasteriser stays inside it.
    static ScreenArea Of(const Vector3* points, int count, const Matrix& viewProjection,
                         float margin);
};

// The effects' textured strips (billboards, motes, flashes, smoke, trails, exhaust), held back
// and sent to the GPU together: strips that share a texture, blend and depth state go in one
// draw call, transformed to world space on the CPU.
//
// The picture stays what drawing each strip at once would give. A strip joins an earlier
// group only where moving it there cannot change a pixel: past groups it cannot overlap on
// screen, or past additive groups that test depth without writing it (adding light is the
// same in any order). Anything else that draws or changes what drawing means first sends
// what is held: model drawing (only where it could overlap a held strip), sprites, clears,
// render targets, viewports, the camera, presenting and reading pixels back.
//
// After a flush the pipeline is left as a single effect draw leaves it: the run's alpha
// blending, depth test and writes on, and the model shader active.
class EffectBatch {
public:
    static EffectBatch& GetInstance();

    // Queues a triangle strip of count vertices placed by world; a null or empty texture
    // draws nothing. While the camera is not uploaded or batching is off, draws at once.
    void AddStrip(const EffectVertex* vertices, unsigned count, const Matrix& world,
                  const FwTexture* texture, const FwBlendState& blend,
                  const FwDepthStencilState& depth);
    // A draw is about to write the area: held strips it could overlap are sent first.
    void BeforeDraw(const ScreenArea& area);
    // Sends everything held, in order.
    void Flush();
    // Drops what is held without drawing (the device is going away).
    void Discard();

    bool IsEmpty() const { return groups.empty(); }
    int GetHeldGroups() const { return static_cast<int>(groups.size()); }

    // Off: every strip is drawn at once in its own draw call, as unbatched drawing did (for
    // comparisons). On by default.
    void SetEnabled(bool enabled);
    bool IsEnabled() const { return enabled; }

private:
    EffectBatch() = default;

    struct Group {
        const FwTexture* texture = nullptr;
        FwBlendState blend;
        FwDepthStencilState depth;
        bool commutes = false;  // additive light that neither writes nor depends on order
        ScreenArea area;
        std::vector<EffectVertex> vertices;  // a triangle list in world space
    };

    void Append(Group& group, const EffectVertex* vertices, unsigned count);
    void DrawNow(const EffectVertex* vertices, unsigned count, const Matrix& world,
                 const FwTexture* texture, const FwBlendState& blend,
                 const FwDepthStencilState& depth);

    bool enabled = true;
    bool flushing = false;
    std::vector<Group> groups;
    std::vector<Vector3> scratch;
    FwBuffer buffer;
    uint32_t bufferGeneration = 0;  // the device the buffer was made on
};
