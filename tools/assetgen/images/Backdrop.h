#pragma once

#include "core/Canvas.h"

// A space backdrop: a vertical gradient, nebula clouds and a star field with a few flared
// stars. Fully opaque.
struct BackdropLook {
    Rgba top{0.01f, 0.02f, 0.06f, 1.0f};
    Rgba bottom{0.04f, 0.03f, 0.1f, 1.0f};
    Rgba nebulaA{0.15f, 0.3f, 0.8f, 1.0f};
    Rgba nebulaB{0.6f, 0.15f, 0.55f, 1.0f};
    float nebula = 0.6f;  // cloud strength
    int stars = 900;
    unsigned seed = 1;
};

Canvas MakeBackdrop(int width, int height, const BackdropLook& look);

// Adds a soft radial light (a sun behind the scene, an explosion) centred at (x, y).
void AddBloom(Canvas& canvas, float x, float y, float radius, const Rgba& colour, float strength);
// Adds light rays fanning out from (x, y).
void AddRays(Canvas& canvas, float x, float y, float length, const Rgba& colour, float strength,
             unsigned seed);
