#pragma once

#include "ModelData.h"

namespace modelgen {

// The battleship and its cannon parts. The hull runs along z (bow at +z, about 12 units
// long, 5 wide, 2 high); the game places it by S(5) x RotY(-pi/2) x T(0, 5, 200). Cannon
// placements in hull coordinates: the main turret on the deck at (0, 1, 2), the side
// cannons on the lower flanks at (-2.2, -0.8, -3) and (2.4, -0.8, -3). Barrels point along
// +y from their pivot at the origin; covers are domes over +y wide enough to hide the
// barrel lying under them.
class ShipModels {
public:
    static ModelData Hull();
    // Coarse closed hull (about a hundred triangles) with outward faces for ray queries.
    static ModelData HitBox();
    static ModelData TurretBase();
    static ModelData MainBarrel();
    static ModelData SideBarrel();
    static ModelData Cover();
};

}  // namespace modelgen
