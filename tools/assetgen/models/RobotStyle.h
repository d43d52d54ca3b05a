#pragma once

#include <cstdint>
#include <string>

#include "ModelData.h"

namespace modelgen {

// Material indices of a robot part model.
struct RobotMaterials {
    int armor = -1, accent = -1, frame = -1, trim = -1, glow = -1;
};

// Colour scheme of one robot: armour plates, accent plates, the dark inner frame, small
// trim pieces and the glowing eyes and vents. Every part of a robot shares one panel
// texture so that seams line up in style across the limbs.
struct RobotStyle {
    std::string texture;
    uint32_t seed = 1;
    V3 armor, accent, frame, trim, glow;

    RobotMaterials Apply(ModelData& model) const;

    static RobotStyle Player();
    static RobotStyle Enemy();
};

}  // namespace modelgen
