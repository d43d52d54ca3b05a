#pragma once

#include "engine/math/Color.h"
#include "engine/math/Matrix.h"

class FwTexture;

// One full-size image of a 2D screen: drawn centred on its transform, its whole source
// rectangle of width × height texels at one texel per pixel.
struct ScreenSprite {
    FwTexture* texture = nullptr;  // owned by the texture cache
    Matrix transform;
    int width = 0;
    int height = 0;

    // Draws inside an open sprite batch with the given colour.
    void Draw(const Color& colour = Color(1, 1, 1, 1)) const;
};
