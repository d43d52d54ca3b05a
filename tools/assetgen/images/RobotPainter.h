#pragma once

#include <vector>

#include "core/Canvas.h"
#include "core/Shapes.h"

// Paints the player's robot (front view, axe in hand) for the result screens, built from
// bevelled armour plates lit from the upper left with a coloured rim light from behind.
// Robot space: units of about 1/100 of its height, origin at the pelvis, y up.

struct RobotLook {
    Rgba armour{0.86f, 0.89f, 0.93f, 1.0f};  // main plates
    Rgba accent{0.16f, 0.32f, 0.78f, 1.0f};  // chest, shoulders, shins
    Rgba frame{0.2f, 0.21f, 0.25f, 1.0f};    // joints and inner frame
    Rgba trim{1.0f, 0.78f, 0.18f, 1.0f};     // head fin, vents
    Rgba visor{0.35f, 0.95f, 1.0f, 1.0f};    // eyes, chest core, axe edge (emissive)
    Rgba rim{0.5f, 0.8f, 1.0f, 1.0f};        // back light colour
    float light = 1.0f;                      // overall exposure
    float scorch = 0.0f;                     // 0 clean .. 1 burnt and cracked
    unsigned seed = 1;                       // scorch pattern
};

// Joint angles in degrees, counter-clockwise in robot space; 0 lets a limb hang straight.
struct RobotPose {
    float rightShoulder = 0.0f;  // the arm on the image's right, which holds the axe
    float rightElbow = 0.0f;
    float leftShoulder = 0.0f;
    float leftElbow = 0.0f;
    float rightHip = 0.0f;
    float leftHip = 0.0f;
    float rightKnee = 0.0f;
    float leftKnee = 0.0f;
    float axe = 60.0f;     // direction of the axe shaft, degrees from +x
    bool leftArm = true;   // false: torn off (paint it separately with PaintLooseArm)
    bool rightFin = true;  // false: the right half of the head fin is broken off
    bool withAxe = true;
};

// Where robot space lands on the canvas: pelvis at (x, y) pixels, `scale` pixels per unit,
// turned by `angle` degrees counter-clockwise.
struct RobotPlacement {
    float x = 0.0f;
    float y = 0.0f;
    float scale = 1.0f;
    float angle = 0.0f;
};

void PaintRobot(Canvas& canvas, const RobotPose& pose, const RobotLook& look,
                const RobotPlacement& where);
// A single arm (shoulder at the placement's origin), for wreckage drifting away.
void PaintLooseArm(Canvas& canvas, const RobotLook& look, const RobotPlacement& where, float elbow);
