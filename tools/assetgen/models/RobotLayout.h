#pragma once

#include "ModelMath.h"

namespace modelgen {

// Rest-pose placements that the game applies to the robot parts (row-vector matrices,
// each relative to the body unless noted). The part models are built around these
// origins so that the assembled robots stand whole.
struct RobotLayout {
    // Player: body at T(0, 4, 0) in the world; legs hang below their thighs.
    static constexpr V3 kPlayerBody{0, 4, 0};
    static constexpr V3 kPlayerRightHand{0.8f, 0.2f, 0};
    static constexpr V3 kPlayerLeftHand{-0.7f, -0.6f, 0.2f};
    static constexpr V3 kPlayerRightThigh{0, -2, -0.1f};
    static constexpr V3 kPlayerLeftThigh{-0.4f, -1.9f, 0};
    static constexpr V3 kPlayerRightLegFromThigh{0.5f, -1, 0};
    static constexpr V3 kPlayerLeftLegFromThigh{-0.1f, -1, -0.1f};
    static constexpr V3 kPlayerThrusterRight{0.3f, -0.2f, -0.5f};
    static constexpr V3 kPlayerThrusterLeft{-0.3f, -0.2f, -0.5f};
    // Weapon grip offsets in the right hand's frame (axe, rail gun).
    static constexpr V3 kAxeGrip{0.3f, -1.0f, 2.0f};
    static constexpr V3 kGunGrip{0.3f, -1.3f, 1.5f};

    // Enemy: body at height 3.
    static constexpr V3 kEnemyRightHand{1.05f, 0.7f, 0};
    static constexpr V3 kEnemyLeftHand{-1.0f, -0.5f, 0};
    static constexpr V3 kEnemyRightLeg{0.6f, -2.1f, 0};
    static constexpr V3 kEnemyLeftLeg{-0.4f, -2.0f, 0};
    static constexpr V3 kEnemyGunRight{0.8f, 1.0f, 0.8f};
    static constexpr V3 kEnemyGunLeft{-0.7f, 1.0f, 0.8f};
    static constexpr V3 kEnemyAxeGrip{0.3f, -1.2f, 1.8f};
};

}  // namespace modelgen
