#pragma once

#include "ModelData.h"

namespace modelgen {

// Hand-held and mounted weapons, thruster and missile. Each is built in the frame the
// game mounts it in: the axes' handles run along +y from the grip at the origin with the
// blade towards -x; the rail gun's barrel points along -x from the grip; the shoulder
// cannon and the missile point along +z; the thruster's nozzle opens down and back.
class WeaponModels {
public:
    static ModelData Axe();
    // The axe's glowing double, slightly larger so that it wraps the axe.
    static ModelData FlashAxe();
    static ModelData EnemyAxe();
    static ModelData RailGun();
    static ModelData ShoulderCannon();
    static ModelData Thruster();
    static ModelData Missile();
};

}  // namespace modelgen
