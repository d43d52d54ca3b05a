#pragma once

#include "ModelData.h"

namespace modelgen {

// The player's robot: seven part models, each around the origin the game places it at
// (RobotLayout), and the whole robot assembled at rest for the title scene.
class PlayerRobot {
public:
    static ModelData Body();
    static ModelData RightHand();
    static ModelData LeftHand();
    static ModelData RightThigh();
    static ModelData LeftThigh();
    static ModelData RightLeg();
    static ModelData LeftLeg();
    // Every part at its rest placement, body origin at the layout's body position (so the
    // feet stand near y = 0), optionally with the thrusters on the back. `rightArm` turns
    // the right arm about its shoulder (the rest pose holds the forearm out in front).
    static ModelData Assembled(bool withThrusters, const Xf& rightArm = {});
    // Coarse box around the torso, used by the game only for queries.
    static ModelData HitBox();
};

}  // namespace modelgen
