#pragma once

// A source rectangle of a sprite in texels, origin at the top-left texel of the texture.
struct SpriteRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};
