#pragma once

#include <cstdint>

#include "ModelData.h"

namespace modelgen {

// Backdrop and field objects.
class WorldModels {
public:
    // Rough rock whose farthest point lies `radius` from the origin; `stretch` squashes it
    // into a less regular shape before that radius is fixed.
    static ModelData Stone(uint32_t seed, const V3& stretch, float radius);
    // Small shard thrown out when a stone shatters.
    static ModelData Fragment();
    // Unit sphere seen from inside with the star field: drawn unlit, so the stars live in
    // the base colour; a matching emission keeps it bright if it is ever drawn lit.
    static ModelData Space();
    // Earth-like planet of radius 4 (drawn at scale 40 far below the arena).
    static ModelData Planet();
    // The player robot, twice its battle size, standing with its feet at the origin.
    static ModelData TitlePlayer();
};

}  // namespace modelgen
