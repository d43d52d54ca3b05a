#pragma once

#include "ModelData.h"

namespace modelgen {

// The enemy robot: a hunched, broad-shouldered silhouette on reverse-jointed legs with a
// single red eye, in five part models around the origins of RobotLayout's enemy entries.
class EnemyRobot {
public:
    static ModelData Body();
    static ModelData RightHand();
    static ModelData LeftHand();
    static ModelData RightLeg();
    static ModelData LeftLeg();
    // Parts, shoulder cannons and axe-less rest pose, body origin at the model origin.
    static ModelData Assembled();
};

}  // namespace modelgen
