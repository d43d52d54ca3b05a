#include "PlayerRobot.h"

#include <algorithm>
#include <cmath>

#include "ModelKit.h"
#include "RobotLayout.h"
#include "RobotStyle.h"
#include "Shapes.h"
#include "WeaponModels.h"

namespace modelgen {

namespace {

// Thigh between the hip joint (on the body) and the knee, both in the thigh's frame.
ModelData Thigh(const V3& hip, const V3& knee) {
    ModelData m;
    RobotMaterials ids = RobotStyle::Player().Apply(m);
    ModelKit kit(m);
    kit.Ball(ids.frame, hip, 0.17f);
    kit.Beam(ids.frame, hip, knee, 0.26f, 0.28f, 0.06f);
    V3 mid = Lerp(hip, knee, 0.45f);
    kit.Beam(ids.armor, mid + V3{0, 0.42f, 0.02f}, mid - V3{0, 0.36f, -0.02f}, 0.42f, 0.46f, 0.1f);
    kit.Beam(ids.accent, mid + V3{0, 0.3f, 0.22f}, mid - V3{0, 0.25f, -0.22f}, 0.26f, 0.08f, 0.03f);
    kit.Ball(ids.frame, knee, 0.16f);
    return m;
}

// Lower leg from the knee down to a foot whose sole sits at `sole` (leg frame).
ModelData Leg(float kneeY, float sole) {
    ModelData m;
    RobotMaterials ids = RobotStyle::Player().Apply(m);
    ModelKit kit(m);
    const V3 knee{0, kneeY, 0.05f};
    const V3 ankle{0, sole + 0.3f, 0};
    const float shinMid = (kneeY + ankle.y) * 0.5f;
    kit.Ball(ids.frame, knee, 0.17f);
    Mesh shin = Shapes::Box({0.46f, kneeY - ankle.y + 0.1f, 0.52f}, 0.1f);
    shin.Deform([](const V3& p) { return V3{p.x * (1.0f + 0.25f * p.y), p.y, p.z + 0.04f * p.y}; });
    kit.Add(ids.armor, shin, Xf::T(0, shinMid - 0.05f, 0.02f));
    kit.Box(ids.accent, {0.42f, 0.38f, 0.22f}, 0.07f, Xf::RotX(-0.3f) * Xf::T(0, kneeY, 0.28f));
    kit.Box(ids.accent, {0.26f, 0.7f, 0.1f}, 0.04f,
            Xf::RotX(0.06f) * Xf::T(0, shinMid - 0.1f, 0.27f));
    kit.Box(ids.trim, {0.08f, 0.3f, 0.04f}, 0.0f,
            Xf::RotX(0.06f) * Xf::T(0, shinMid - 0.1f, 0.33f));
    // Calf armour flaring out behind the shin.
    Mesh calf = Shapes::Box({0.4f, 0.8f, 0.2f}, 0.07f);
    calf.Deform([](const V3& p) { return V3{p.x, p.y, p.z - 0.3f * (0.4f - p.y)}; });
    kit.Add(ids.armor, calf, Xf::T(0, ankle.y + 0.6f, -0.16f));
    kit.Box(ids.frame, {0.32f, 0.3f, 0.36f}, 0.06f, Xf::T(0, ankle.y + 0.02f, 0));
    // Foot with a sloped toe.
    Mesh foot = Shapes::Box({0.5f, 0.26f, 0.98f}, 0.07f);
    foot.Deform([](const V3& p) {
        return V3{p.x, p.y - 0.6f * std::max(0.0f, p.z) * (p.y + 0.13f), p.z};
    });
    kit.Add(ids.frame, foot, Xf::T(0, sole + 0.13f, 0.16f));
    kit.Box(ids.accent, {0.44f, 0.1f, 0.32f}, 0.03f, Xf::RotX(0.2f) * Xf::T(0, sole + 0.22f, 0.4f));
    kit.Box(ids.armor, {0.44f, 0.16f, 0.32f}, 0.04f, Xf::T(0, sole + 0.09f, -0.32f));
    return m;
}

// Shoulder pad, upper arm and forearm ending in a fist at `fist` (all in the arm frame).
void Arm(ModelKit& kit, const RobotMaterials& ids, const V3& shoulder, const V3& elbow,
         const V3& fist, float side) {
    Mesh pad = Shapes::Box({0.55f, 0.42f, 0.68f}, 0.1f);
    pad.Deform([side](const V3& p) {
        return V3{p.x, p.y - 0.35f * p.x * side * p.x * side, p.z * (1.0f + 0.3f * p.y)};
    });
    kit.Add(ids.armor, pad, Xf::RotZ(-0.25f * side) * Xf::T(shoulder + V3{0.2f * side, 0.2f, 0}));
    kit.Box(ids.accent, {0.1f, 0.3f, 0.6f}, 0.03f,
            Xf::RotZ(-0.25f * side) * Xf::T(shoulder + V3{0.47f * side, 0.12f, 0}));
    kit.Beam(ids.frame, shoulder, elbow, 0.28f, 0.3f, 0.06f);
    kit.Ball(ids.frame, elbow, 0.17f);
    V3 wrist = Lerp(elbow, fist, 0.82f);
    kit.Beam(ids.armor, Lerp(elbow, fist, 0.12f), wrist, 0.38f, 0.36f, 0.08f);
    kit.Beam(ids.trim, Lerp(elbow, fist, 0.3f) + V3{0.19f * side, 0, 0},
             Lerp(elbow, fist, 0.7f) + V3{0.19f * side, 0, 0}, 0.04f, 0.12f, 0.015f);
    kit.Box(ids.frame, {0.3f, 0.32f, 0.32f}, 0.07f, Xf::T(fist));
}

}  // namespace

ModelData PlayerRobot::Body() {
    ModelData m;
    RobotMaterials ids = RobotStyle::Player().Apply(m);
    ModelKit kit(m);
    // Pelvis and hip joints, which the thighs hang from.
    kit.Box(ids.frame, {1.0f, 0.36f, 0.6f}, 0.08f, Xf::T(0, -0.85f, 0));
    kit.Box(ids.accent, {0.34f, 0.38f, 0.22f}, 0.06f, Xf::T(0, -0.9f, 0.27f));
    kit.Box(ids.armor, {0.26f, 0.3f, 0.5f}, 0.06f, Xf::RotZ(0.2f) * Xf::T(0.5f, -0.8f, 0));
    kit.Box(ids.armor, {0.26f, 0.3f, 0.5f}, 0.06f, Xf::RotZ(-0.2f) * Xf::T(-0.5f, -0.8f, 0));
    kit.Ball(ids.frame, {0.45f, -1.0f, 0}, 0.18f);
    kit.Ball(ids.frame, {-0.45f, -1.0f, 0}, 0.18f);
    // Skirt armour around the hips.
    for (float s : {-1.0f, 1.0f}) {
        const Xf tilt = Xf::RotX(0.22f) * Xf::RotY(0.12f * s);
        kit.Box(ids.armor, {0.38f, 0.46f, 0.08f}, 0.035f, tilt * Xf::T(0.22f * s, -1.02f, 0.36f));
        kit.Box(ids.trim, {0.24f, 0.06f, 0.04f}, 0.0f, tilt * Xf::T(0.22f * s, -0.88f, 0.41f));
        kit.Box(ids.armor, {0.08f, 0.5f, 0.5f}, 0.035f,
                Xf::RotZ(0.22f * s) * Xf::T(0.66f * s, -0.98f, 0));
    }
    kit.Box(ids.armor, {0.8f, 0.4f, 0.08f}, 0.035f, Xf::RotX(-0.2f) * Xf::T(0, -1.0f, -0.36f));
    // Abdomen with ribbed armour.
    kit.Box(ids.frame, {0.72f, 0.6f, 0.5f}, 0.08f, Xf::T(0, -0.42f, 0));
    for (int i = 0; i < 3; ++i) {
        kit.Box(ids.armor, {0.62f - 0.05f * i, 0.14f, 0.12f}, 0.0f,
                Xf::T(0, -0.25f - 0.17f * i, 0.24f));
    }
    // Chest: wide at the shoulders, narrowing to the waist.
    Mesh chest = Shapes::Box({1.36f, 0.95f, 0.95f}, 0.14f);
    chest.Deform([](const V3& p) {
        float t = (p.y + 0.475f) / 0.95f;
        return V3{p.x * (0.78f + 0.22f * t), p.y, p.z * (0.9f + 0.1f * t) + 0.08f * t};
    });
    kit.Add(ids.armor, chest, Xf::T(0, 0.3f, 0));
    kit.Box(ids.accent, {0.5f, 0.42f, 0.14f}, 0.05f, Xf::RotX(0.2f) * Xf::T(0, 0.25f, 0.5f));
    for (float s : {-1.0f, 1.0f}) {
        kit.Box(ids.trim, {0.3f, 0.2f, 0.12f}, 0.04f, Xf::T(0.36f * s, 0.52f, 0.5f));
        for (int i = 0; i < 3; ++i) {
            kit.Box(ids.frame, {0.24f, 0.03f, 0.05f}, 0.01f,
                    Xf::T(0.36f * s, 0.46f + 0.05f * i, 0.57f));
        }
        kit.Ball(ids.frame, {0.78f * s, 0.32f, 0}, 0.21f);
    }
    kit.Box(ids.glow, {0.12f, 0.08f, 0.06f}, 0.02f, Xf::T(0, 0.05f, 0.57f));
    // Neck and head: helmet, visor, cheek guards and the V fin.
    kit.Rod(ids.frame, {0, 0.7f, -0.02f}, {0, 1.0f, 0}, 0.13f, 0.11f, 8);
    Mesh helmet = Shapes::Box({0.5f, 0.44f, 0.52f}, 0.11f);
    helmet.Deform([](const V3& p) {
        return V3{p.x * (1.0f - 0.35f * std::max(0.0f, p.y)), p.y, p.z};
    });
    kit.Add(ids.armor, helmet, Xf::T(0, 1.14f, 0.02f));
    kit.Box(ids.glow, {0.38f, 0.09f, 0.06f}, 0.02f, Xf::T(0, 1.14f, 0.27f));
    kit.Box(ids.accent, {0.2f, 0.12f, 0.14f}, 0.04f, Xf::T(0, 0.98f, 0.2f));
    for (float s : {-1.0f, 1.0f}) {
        kit.Rod(ids.frame, {0.22f * s, 1.1f, 0}, {0.32f * s, 1.1f, 0}, 0.09f, 0.07f, 8);
        kit.Add(ids.trim,
                Shapes::Extrude({{0, 0}, {0.1f, 0}, {0.46f, 0.3f}, {0.43f, 0.36f}}, 0.04f),
                Xf::S(s, 1, 1) * Xf::T(0.02f * s, 1.28f, 0.26f));
        kit.Box(ids.trim, {0.04f, 0.3f, 0.04f}, 0.01f, Xf::T(0.08f * s, 1.38f, -0.05f));
    }
    kit.Box(ids.trim, {0.1f, 0.1f, 0.06f}, 0.02f, Xf::T(0, 1.27f, 0.26f));
    // Backpack that carries the two thrusters.
    kit.Box(ids.accent, {0.86f, 0.78f, 0.4f}, 0.1f, Xf::T(0, 0.26f, -0.56f));
    kit.Box(ids.frame, {0.7f, 0.2f, 0.3f}, 0.05f, Xf::T(0, -0.12f, -0.52f));
    for (float s : {-1.0f, 1.0f}) {
        kit.Box(ids.armor, {0.12f, 0.6f, 0.3f}, 0.04f, Xf::T(0.43f * s, 0.3f, -0.62f));
        // Vents and a glowing intake on the back, which the battle camera sees most.
        kit.Box(ids.frame, {0.16f, 0.42f, 0.04f}, 0.0f, Xf::T(0.2f * s, 0.3f, -0.77f));
        kit.Box(ids.glow, {0.05f, 0.34f, 0.02f}, 0.0f, Xf::T(0.2f * s, 0.3f, -0.79f));
        kit.Box(ids.trim, {0.06f, 0.36f, 0.16f}, 0.0f,
                Xf::RotZ(-0.35f * s) * Xf::T(0.3f * s, 0.75f, -0.62f));
    }
    kit.Box(ids.armor, {0.5f, 0.1f, 0.3f}, 0.0f, Xf::T(0, 0.66f, -0.6f));
    return m;
}

ModelData PlayerRobot::RightHand() {
    ModelData m;
    RobotMaterials ids = RobotStyle::Player().Apply(m);
    ModelKit kit(m);
    Arm(kit, ids, {0.1f, 0.08f, 0}, {0.2f, -0.85f, 0.05f}, {0.3f, -1.1f, 1.65f}, 1.0f);
    return m;
}

ModelData PlayerRobot::LeftHand() {
    ModelData m;
    RobotMaterials ids = RobotStyle::Player().Apply(m);
    ModelKit kit(m);
    Arm(kit, ids, {-0.2f, 0.88f, -0.2f}, {-0.3f, 0.02f, -0.15f}, {-0.3f, -0.82f, 0.15f}, -1.0f);
    return m;
}

// Hip and knee points follow from the rest layout: hips at body (+-0.45, -1, 0), knees
// about a unit lower, above the leg origins.
ModelData PlayerRobot::RightThigh() {
    return Thigh({0.45f, 1.0f, 0.1f}, {0.5f, -0.05f, 0.05f});
}
ModelData PlayerRobot::LeftThigh() {
    return Thigh({-0.05f, 0.9f, 0}, {-0.1f, -0.1f, -0.05f});
}
ModelData PlayerRobot::RightLeg() {
    return Leg(0.95f, -0.98f);
}
ModelData PlayerRobot::LeftLeg() {
    return Leg(0.9f, -1.07f);
}

ModelData PlayerRobot::Assembled(bool withThrusters, const Xf& rightArm) {
    using L = RobotLayout;
    ModelData m;
    const Xf body = Xf::T(L::kPlayerBody);
    const Xf rightThigh = Xf::T(L::kPlayerRightThigh) * body;
    const Xf leftThigh = Xf::T(L::kPlayerLeftThigh) * body;
    m.Merge(Body(), body);
    m.Merge(RightHand(), rightArm * Xf::T(L::kPlayerRightHand) * body);
    m.Merge(LeftHand(), Xf::T(L::kPlayerLeftHand) * body);
    m.Merge(RightThigh(), rightThigh);
    m.Merge(LeftThigh(), leftThigh);
    m.Merge(RightLeg(), Xf::T(L::kPlayerRightLegFromThigh) * rightThigh);
    m.Merge(LeftLeg(), Xf::T(L::kPlayerLeftLegFromThigh) * leftThigh);
    if (withThrusters) {
        m.Merge(WeaponModels::Thruster(), Xf::T(L::kPlayerThrusterRight) * body);
        m.Merge(WeaponModels::Thruster(), Xf::T(L::kPlayerThrusterLeft) * body);
    }
    return m;
}

ModelData PlayerRobot::HitBox() {
    ModelData m;
    Material mat;
    mat.name = "hitbox";
    int id = m.AddMaterial(mat);
    // The game scales it by 0.5 and lowers it by 1 under the body, so this spans the
    // robot from its feet to the top of its head.
    m.Part(id).Append(Shapes::Box({4.4f, 10.8f, 3.2f}, 0), Xf::T(0, -0.6f, 0));
    return m;
}

}  // namespace modelgen
