#pragma once

#include "engine/graphics/GraphicsTypes.h"
#include "engine/graphics/RenderStates.h"

// Internal to engine/graphics: applying the state descriptions with GL calls. Every
// function needs the context current.
void ApplyBlendState(const FwBlendState& state);
void ApplyDepthStencilState(const FwDepthStencilState& state);
void ApplyRasterizerState(const FwRasterizerState& state);
// GL primitive mode for a topology (as a plain integer).
unsigned GlPrimitiveMode(PrimitiveTopology topology);
// Points the currently bound vertex array at the currently bound array buffer for layout.
void ApplyVertexLayout(VertexLayout layout, unsigned stride, unsigned offset);
