#include "EnemyRobot.h"

#include <algorithm>
#include <cmath>

#include "ModelKit.h"
#include "RobotLayout.h"
#include "RobotStyle.h"
#include "Shapes.h"
#include "WeaponModels.h"

namespace modelgen {

namespace {

void Spike(ModelKit& kit, int material, const V3& base, const V3& tip, float radius) {
    kit.Rod(material, base, tip, radius, 0.0f, 6);
}

void Pauldron(ModelKit& kit, const RobotMaterials& ids, const V3& centre, float side) {
    Mesh pad = Shapes::Box({0.78f, 0.56f, 0.92f}, 0.14f);
    pad.Deform([side](const V3& p) {
        float k = p.x * side;
        return V3{p.x, p.y - 0.5f * k * k + 0.1f * k, p.z * (1.0f + 0.25f * p.y)};
    });
    kit.Add(ids.armor, pad, Xf::RotZ(-0.3f * side) * Xf::T(centre));
    kit.Box(ids.accent, {0.12f, 0.4f, 0.8f}, 0.04f,
            Xf::RotZ(-0.3f * side) * Xf::T(centre + V3{0.38f * side, -0.12f, 0}));
    for (int i = 0; i < 3; ++i) {
        V3 base = centre + V3{0.05f * side, 0.2f, -0.25f + 0.25f * i};
        Spike(kit, ids.trim, base,
              base + V3{0.15f * side, 0.42f - 0.08f * (i == 1 ? -1 : 1), -0.05f}, 0.07f);
    }
}

// Reverse-jointed leg hanging from the hip point (in the leg frame).
ModelData Leg(const V3& hip) {
    ModelData m;
    RobotMaterials ids = RobotStyle::Enemy().Apply(m);
    ModelKit kit(m);
    const V3 knee = hip + V3{0.05f, -0.85f, 0.45f};
    const V3 ankle = knee + V3{0, -0.8f, -0.45f};
    const float sole = ankle.y - 0.35f;
    kit.Ball(ids.frame, hip, 0.2f);
    kit.Beam(ids.armor, hip, knee, 0.46f, 0.52f, 0.1f);
    kit.Beam(ids.accent, Lerp(hip, knee, 0.2f) + V3{0, 0, 0.22f},
             Lerp(hip, knee, 0.8f) + V3{0, 0, 0.22f}, 0.28f, 0.1f, 0.03f);
    kit.Ball(ids.frame, knee, 0.2f);
    Spike(kit, ids.trim, knee + V3{0, 0, 0.12f}, knee + V3{0, 0.12f, 0.5f}, 0.1f);
    kit.Beam(ids.frame, knee, ankle, 0.3f, 0.34f, 0.06f);
    kit.Beam(ids.armor, Lerp(knee, ankle, 0.15f) + V3{0, 0, -0.1f},
             Lerp(knee, ankle, 0.75f) + V3{0, 0, -0.1f}, 0.4f, 0.3f, 0.08f);
    kit.Ball(ids.frame, ankle, 0.16f);
    for (float s : {-1.0f, 0.0f, 1.0f}) {
        V3 toe = {ankle.x + 0.22f * s, sole + 0.06f, ankle.z + 0.62f - 0.1f * std::fabs(s)};
        kit.Beam(ids.frame, ankle + V3{0.05f * s, -0.2f, 0.05f}, toe, 0.14f, 0.16f, 0.04f);
        Spike(kit, ids.trim, toe, toe + V3{0.03f * s, -0.03f, 0.18f}, 0.07f);
    }
    kit.Beam(ids.frame, ankle + V3{0, -0.15f, 0}, {ankle.x, sole + 0.06f, ankle.z - 0.42f}, 0.14f,
             0.16f, 0.04f);
    return m;
}

}  // namespace

ModelData EnemyRobot::Body() {
    ModelData m;
    RobotMaterials ids = RobotStyle::Enemy().Apply(m);
    ModelKit kit(m);
    kit.Box(ids.frame, {1.3f, 0.36f, 0.76f}, 0.08f, Xf::T(0, -0.85f, 0));
    kit.Ball(ids.frame, {0.55f, -0.97f, 0}, 0.21f);
    kit.Ball(ids.frame, {-0.55f, -0.97f, 0}, 0.21f);
    kit.Box(ids.accent, {0.5f, 0.5f, 0.14f}, 0.05f, Xf::RotX(0.25f) * Xf::T(0, -0.98f, 0.42f));
    for (float s : {-1.0f, 1.0f}) {
        kit.Box(ids.armor, {0.14f, 0.5f, 0.7f}, 0.05f,
                Xf::RotZ(0.3f * s) * Xf::T(0.72f * s, -0.9f, 0));
    }
    kit.Box(ids.frame, {0.9f, 0.6f, 0.72f}, 0.1f, Xf::T(0, -0.45f, 0));
    // Barrel chest leaning forward over the waist.
    Mesh chest = Shapes::Box({1.9f, 1.1f, 1.25f}, 0.2f);
    chest.Deform([](const V3& p) {
        float t = (p.y + 0.55f) / 1.1f;
        return V3{p.x * (0.72f + 0.28f * t), p.y, p.z * (0.85f + 0.15f * t) + 0.18f * t};
    });
    kit.Add(ids.armor, chest, Xf::T(0, 0.35f, 0));
    kit.Box(ids.accent, {1.1f, 0.3f, 0.2f}, 0.06f, Xf::RotX(-0.3f) * Xf::T(0, 0.6f, 0.62f));
    for (float s : {-1.0f, 1.0f}) {
        kit.Box(ids.frame, {0.3f, 0.5f, 0.16f}, 0.04f, Xf::T(0.45f * s, 0.1f, 0.6f));
        kit.Box(ids.glow, {0.2f, 0.05f, 0.05f}, 0.01f, Xf::T(0.45f * s, 0.2f, 0.68f));
        kit.Box(ids.glow, {0.2f, 0.05f, 0.05f}, 0.01f, Xf::T(0.45f * s, 0.05f, 0.68f));
        kit.Ball(ids.frame, {1.0f * s, 0.62f, 0}, 0.25f);
    }
    kit.Box(ids.frame, {0.36f, 0.16f, 0.55f}, 0.04f, Xf::T(0.8f, 0.86f, 0.55f));
    kit.Box(ids.frame, {0.36f, 0.16f, 0.55f}, 0.04f, Xf::T(-0.7f, 0.86f, 0.55f));
    // Low head sunk between the shoulders, one eye on a rail.
    Mesh head = Shapes::Box({0.56f, 0.42f, 0.6f}, 0.12f);
    head.Deform([](const V3& p) { return V3{p.x * (1.0f - 0.3f * p.z), p.y, p.z}; });
    kit.Add(ids.frame, head, Xf::T(0, 0.98f, 0.42f));
    kit.Box(ids.accent, {0.08f, 0.18f, 0.62f}, 0.03f, Xf::T(0, 1.22f, 0.4f));
    kit.Box(ids.frame, {0.44f, 0.1f, 0.06f}, 0.02f, Xf::T(0, 0.98f, 0.71f));
    kit.Ball(ids.glow, {0.08f, 0.98f, 0.74f}, 0.07f);
    for (float s : {-1.0f, 1.0f}) {
        Spike(kit, ids.trim, {0.22f * s, 1.12f, 0.55f}, {0.42f * s, 1.45f, 0.85f}, 0.07f);
    }
    // Hump with exhaust vents and spines on the back.
    kit.Box(ids.accent, {1.3f, 0.95f, 0.62f}, 0.14f, Xf::T(0, 0.45f, -0.72f));
    for (int i = 0; i < 3; ++i) {
        kit.Box(ids.glow, {0.8f, 0.05f, 0.05f}, 0.01f, Xf::T(0, 0.25f + 0.15f * i, -1.04f));
        Spike(kit, ids.trim, {0.35f * (i - 1), 0.85f, -0.8f}, {0.45f * (i - 1), 1.35f, -1.25f},
              0.1f);
    }
    return m;
}

ModelData EnemyRobot::RightHand() {
    ModelData m;
    RobotMaterials ids = RobotStyle::Enemy().Apply(m);
    ModelKit kit(m);
    Pauldron(kit, ids, {0.28f, 0.15f, 0}, 1.0f);
    kit.Beam(ids.frame, {0.15f, -0.05f, 0}, {0.25f, -0.85f, 0}, 0.34f, 0.36f, 0.07f);
    kit.Ball(ids.frame, {0.25f, -0.92f, 0.05f}, 0.21f);
    kit.Beam(ids.armor, {0.25f, -0.98f, 0.12f}, {0.3f, -1.22f, 1.4f}, 0.48f, 0.46f, 0.1f);
    kit.Beam(ids.accent, {0.52f, -1.0f, 0.3f}, {0.54f, -1.15f, 1.2f}, 0.08f, 0.3f, 0.03f);
    kit.Box(ids.frame, {0.38f, 0.4f, 0.4f}, 0.08f, Xf::T(0.3f, -1.25f, 1.62f));
    return m;
}

ModelData EnemyRobot::LeftHand() {
    ModelData m;
    RobotMaterials ids = RobotStyle::Enemy().Apply(m);
    ModelKit kit(m);
    Pauldron(kit, ids, {-0.33f, 1.27f, 0}, -1.0f);
    kit.Beam(ids.frame, {-0.15f, 1.05f, 0}, {-0.3f, 0.25f, 0.05f}, 0.34f, 0.36f, 0.07f);
    kit.Ball(ids.frame, {-0.3f, 0.18f, 0.06f}, 0.21f);
    kit.Beam(ids.armor, {-0.3f, 0.12f, 0.1f}, {-0.36f, -0.55f, 0.32f}, 0.52f, 0.5f, 0.12f);
    kit.Beam(ids.accent, {-0.6f, 0.05f, 0.12f}, {-0.64f, -0.5f, 0.3f}, 0.08f, 0.36f, 0.03f);
    for (float s : {-1.0f, 0.0f, 1.0f}) {
        V3 base{-0.36f + 0.14f * s, -0.62f, 0.36f};
        kit.Beam(ids.frame, base + V3{0, 0.1f, 0}, base + V3{0.05f * s, -0.28f, 0.12f}, 0.1f, 0.12f,
                 0.03f);
        Spike(kit, ids.trim, base + V3{0.05f * s, -0.28f, 0.12f}, base + V3{0.08f * s, -0.5f, 0.3f},
              0.06f);
    }
    return m;
}

// Hips sit at body (+-0.55, -0.95, 0).
ModelData EnemyRobot::RightLeg() {
    return Leg({-0.05f, 1.15f, 0});
}
ModelData EnemyRobot::LeftLeg() {
    return Leg({-0.15f, 1.05f, 0});
}

ModelData EnemyRobot::Assembled() {
    using L = RobotLayout;
    ModelData m;
    m.Merge(Body());
    m.Merge(RightHand(), Xf::T(L::kEnemyRightHand));
    m.Merge(LeftHand(), Xf::T(L::kEnemyLeftHand));
    m.Merge(RightLeg(), Xf::T(L::kEnemyRightLeg));
    m.Merge(LeftLeg(), Xf::T(L::kEnemyLeftLeg));
    m.Merge(WeaponModels::ShoulderCannon(), Xf::T(L::kEnemyGunRight));
    m.Merge(WeaponModels::ShoulderCannon(), Xf::T(L::kEnemyGunLeft));
    return m;
}

}  // namespace modelgen
