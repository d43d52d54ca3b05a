#pragma once

#include <cstdint>

#include "Image.h"

namespace modelgen {

// Procedural textures. Tiling ones wrap seamlessly in both directions; colours are kept
// near white where a material's base colour factor is meant to tint them.
class TextureLib {
public:
    // Armour plating: panel seams, rivets, vents and light wear, greyscale.
    static Image Panels(uint32_t seed, int size, float seamDepth);
    // Ship hull plating: denser panels with a faint grid.
    static Image Hull(uint32_t seed, int size);
    // Emission map of the hull: rows of small lit windows on black.
    static Image HullLights(uint32_t seed, int size);
    // Diagonal warning stripes, yellow and near-black.
    static Image Hazard(int size);
    // Rough stone surface with pits and veins.
    static Image Rock(uint32_t seed, int size);
    // Equirectangular star field with nebula clouds; sampled by direction, so the
    // wrap-around column and the poles show no seam.
    static Image Space(uint32_t seed, int width, int height);
    // Equirectangular Earth-like planet: oceans, land and clouds.
    static Image Planet(uint32_t seed, int width, int height);
};

}  // namespace modelgen
