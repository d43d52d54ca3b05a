#pragma once

#include <memory>

#include "engine/graphics/RenderStates.h"

// The switch the 3D effects wrap around their draws: Begin sets additive blending with
// depth test on and depth writes off; End sets alpha blending with depth test and writes
// on (the run's normal state). Owned by each effect.
class AdditiveBlend {
public:
    AdditiveBlend();
    ~AdditiveBlend();
    AdditiveBlend(const AdditiveBlend&) = delete;
    AdditiveBlend& operator=(const AdditiveBlend&) = delete;

    void Begin();
    void End();
    // The states Begin sets, for draws that are held back and set them later.
    const FwBlendState& GetBlendState() const { return *additive; }
    const FwDepthStencilState& GetDepthState() const { return *depthNoWrite; }

private:
    std::unique_ptr<FwBlendState> additive;
    std::unique_ptr<FwBlendState> alpha;
    std::unique_ptr<FwDepthStencilState> depthNoWrite;
    std::unique_ptr<FwDepthStencilState> depthWrite;
};
