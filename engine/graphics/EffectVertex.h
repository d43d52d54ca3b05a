#pragma once

#include "engine/math/Color.h"
#include "engine/math/Vector2.h"
#include "engine/math/Vector3.h"

// The vertex of every billboard effect, the slash trail and the speed particles
// (VertexLayout::Effect): position, texture coordinate, colour. 36 bytes, no padding.
struct EffectVertex {
    Vector3 position;
    Vector2 uv;
    Color color;
};

static_assert(sizeof(EffectVertex) == 36, "the effect input layout reads 36-byte vertices");
