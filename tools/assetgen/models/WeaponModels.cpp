#include "WeaponModels.h"

#include "ModelKit.h"
#include "Shapes.h"
#include "TextureLib.h"

namespace modelgen {

namespace {

struct WeaponMaterials {
    int metal, dark, accent, edge, glow;
};

WeaponMaterials Materials(ModelData& m, const V3& accent, const V3& glow) {
    m.AddTexture("weapon_metal.png", TextureLib::Panels(31, 128, 0.25f));
    WeaponMaterials ids;
    Material mat;
    mat.baseTexture = "weapon_metal.png";
    mat.name = "metal";
    mat.base = {0.72f, 0.74f, 0.78f};
    mat.metallic = 0.8f;
    mat.roughness = 0.35f;
    ids.metal = m.AddMaterial(mat);
    mat.name = "dark";
    mat.base = {0.18f, 0.18f, 0.2f};
    mat.roughness = 0.6f;
    ids.dark = m.AddMaterial(mat);
    mat.name = "accent";
    mat.base = accent;
    mat.metallic = 0.4f;
    mat.roughness = 0.45f;
    ids.accent = m.AddMaterial(mat);
    Material edge;
    edge.name = "edge";
    edge.base = {0.95f, 0.96f, 1.0f};
    edge.metallic = 1.0f;
    edge.roughness = 0.15f;
    ids.edge = m.AddMaterial(edge);
    Material g;
    g.name = "glow";
    g.base = glow * 0.6f;
    g.emissive = glow;
    ids.glow = m.AddMaterial(g);
    return ids;
}

// Axe blade outline on the -x side of the handle (counter-clockwise in x-y).
std::vector<P2> BladeOutline() {
    return {{-0.08f, 2.12f}, {-0.5f, 2.3f},  {-0.86f, 2.48f}, {-0.96f, 2.12f}, {-0.99f, 1.86f},
            {-0.94f, 1.56f}, {-0.8f, 1.24f}, {-0.48f, 1.44f}, {-0.08f, 1.62f}};
}

}  // namespace

ModelData WeaponModels::Axe() {
    ModelData m;
    WeaponMaterials ids = Materials(m, {0.16f, 0.34f, 0.86f}, {0.35f, 0.95f, 1.0f});
    ModelKit kit(m, 1.0f);
    kit.Rod(ids.dark, {0, -0.5f, 0}, {0, 2.25f, 0}, 0.065f, 0.065f, 10);
    kit.Ball(ids.metal, {0, -0.55f, 0}, 0.1f);
    for (int i = 0; i < 4; ++i) {
        float y = -0.3f + 0.18f * i;
        kit.Rod(ids.accent, {0, y, 0}, {0, y + 0.1f, 0}, 0.085f, 0.085f, 10);
    }
    kit.Box(ids.metal, {0.28f, 0.62f, 0.2f}, 0.05f, Xf::T(0, 1.88f, 0));
    kit.Add(ids.metal, Shapes::Extrude(BladeOutline(), 0.1f));
    kit.Add(ids.edge, Shapes::Extrude({{-0.86f, 2.42f},
                                       {-0.93f, 2.12f},
                                       {-0.96f, 1.86f},
                                       {-0.91f, 1.56f},
                                       {-0.82f, 1.32f},
                                       {-1.0f, 1.62f},
                                       {-1.04f, 1.86f},
                                       {-1.01f, 2.14f}},
                                      0.05f));
    kit.Box(ids.accent, {0.36f, 0.16f, 0.12f}, 0.03f, Xf::T(-0.3f, 1.88f, 0));
    kit.Add(ids.metal, Shapes::Extrude({{0.1f, 1.74f}, {0.55f, 1.9f}, {0.1f, 2.04f}}, 0.08f));
    kit.Rod(ids.metal, {0, 2.18f, 0}, {0, 2.55f, 0}, 0.07f, 0.0f, 8);
    kit.Box(ids.glow, {0.06f, 0.3f, 0.22f}, 0.02f, Xf::T(0.1f, 1.88f, 0));
    return m;
}

ModelData WeaponModels::FlashAxe() {
    ModelData axe = Axe();
    ModelData m;
    Material g;
    g.name = "flash";
    g.base = {0.55f, 0.85f, 1.0f};
    g.emissive = {0.6f, 1.0f, 1.0f};
    g.metallic = 0.0f;
    g.roughness = 0.2f;
    int id = m.AddMaterial(g);
    // Thicker across the blade than along it, so the glow shell covers the axe it follows.
    const Xf grow = Xf::T(0, -1.0f, 0) * Xf::S(1.08f, 1.05f, 1.8f) * Xf::T(0, 1.0f, 0);
    for (size_t i = 0; i < axe.Materials().size(); ++i) {
        Mesh part = axe.Part(static_cast<int>(i));
        for (Vertex& v : part.vertices) v.color = {1, 1, 1};
        m.Part(id).Append(part, grow);
    }
    return m;
}

ModelData WeaponModels::EnemyAxe() {
    ModelData m;
    WeaponMaterials ids = Materials(m, {0.62f, 0.07f, 0.08f}, {1.0f, 0.2f, 0.08f});
    ModelKit kit(m, 1.0f);
    kit.Rod(ids.dark, {0, -0.45f, 0}, {0, 2.3f, 0}, 0.08f, 0.08f, 8);
    kit.Rod(ids.metal, {0, -0.6f, 0}, {0, -0.4f, 0}, 0.0f, 0.12f, 8);
    for (int i = 0; i < 3; ++i) {
        float y = -0.25f + 0.22f * i;
        kit.Box(ids.accent, {0.2f, 0.1f, 0.2f}, 0.03f, Xf::RotY(0.785f) * Xf::T(0, y, 0));
    }
    kit.Box(ids.dark, {0.32f, 0.9f, 0.24f}, 0.05f, Xf::T(0, 1.8f, 0));
    // A broad cleaver with a saw-toothed edge.
    std::vector<P2> blade{{-0.1f, 2.3f}, {-1.15f, 2.55f}};
    for (int i = 0; i < 6; ++i) {
        float y = 2.45f - 0.2f * i;
        blade.push_back({-1.2f - (i % 2) * 0.12f, y});
    }
    blade.insert(blade.end(), {{-1.1f, 1.15f}, {-0.55f, 1.3f}, {-0.1f, 1.4f}});
    kit.Add(ids.metal, Shapes::Extrude(blade, 0.12f));
    kit.Add(
        ids.accent,
        Shapes::Extrude({{-0.1f, 2.05f}, {-0.8f, 2.2f}, {-0.8f, 1.55f}, {-0.1f, 1.65f}}, 0.16f));
    kit.Add(ids.metal, Shapes::Extrude({{0.12f, 1.5f}, {0.75f, 1.95f}, {0.12f, 2.1f}}, 0.1f));
    kit.Rod(ids.metal, {0, 2.28f, 0}, {0, 2.75f, 0}, 0.1f, 0.0f, 6);
    kit.Box(ids.glow, {0.05f, 0.5f, 0.2f}, 0.02f, Xf::T(-0.45f, 1.8f, 0));
    return m;
}

ModelData WeaponModels::RailGun() {
    ModelData m;
    WeaponMaterials ids = Materials(m, {0.16f, 0.34f, 0.86f}, {0.35f, 0.95f, 1.0f});
    ModelKit kit(m, 1.0f);
    kit.Beam(ids.dark, {0, 0.05f, 0}, {0.1f, -0.5f, 0}, 0.15f, 0.17f, 0.04f);
    kit.Box(ids.metal, {1.3f, 0.36f, 0.28f}, 0.06f, Xf::T(-0.1f, 0.22f, 0));
    kit.Box(ids.accent, {0.7f, 0.12f, 0.3f}, 0.03f, Xf::T(-0.2f, 0.36f, 0));
    kit.Box(ids.dark, {0.65f, 0.26f, 0.18f}, 0.05f, Xf::T(0.8f, 0.14f, 0));
    kit.Box(ids.metal, {0.14f, 0.44f, 0.22f}, 0.04f, Xf::T(1.15f, 0.06f, 0));
    kit.Box(ids.dark, {0.32f, 0.22f, 0.2f}, 0.04f, Xf::T(-0.45f, -0.02f, 0));
    kit.Box(ids.glow, {0.2f, 0.06f, 0.22f}, 0.02f, Xf::T(-0.45f, -0.02f, 0));
    for (float s : {-1.0f, 1.0f}) {
        kit.Box(ids.metal, {2.5f, 0.08f, 0.08f}, 0.02f, Xf::T(-1.75f, 0.3f, 0.09f * s));
    }
    kit.Box(ids.glow, {2.4f, 0.04f, 0.04f}, 0.01f, Xf::T(-1.7f, 0.3f, 0));
    for (int i = 0; i < 4; ++i) {
        float x = -0.95f - 0.5f * i;
        kit.Rod(ids.accent, {x + 0.05f, 0.3f, 0}, {x - 0.05f, 0.3f, 0}, 0.17f, 0.17f, 10);
    }
    kit.Box(ids.dark, {0.16f, 0.3f, 0.32f}, 0.04f, Xf::T(-3.0f, 0.3f, 0));
    kit.Rod(ids.dark, {0.15f, 0.52f, 0}, {-0.45f, 0.52f, 0}, 0.06f, 0.07f, 8);
    kit.Rod(ids.glow, {-0.45f, 0.52f, 0}, {-0.48f, 0.52f, 0}, 0.05f, 0.05f, 8);
    kit.Box(ids.dark, {0.1f, 0.12f, 0.06f}, 0.02f, Xf::T(-0.15f, 0.44f, 0));
    return m;
}

ModelData WeaponModels::ShoulderCannon() {
    ModelData m;
    WeaponMaterials ids = Materials(m, {0.62f, 0.07f, 0.08f}, {1.0f, 0.2f, 0.08f});
    ModelKit kit(m, 1.0f);
    kit.Box(ids.dark, {0.42f, 0.34f, 0.55f}, 0.06f, Xf::T(0, -0.1f, -0.15f));
    kit.Box(ids.metal, {0.36f, 0.36f, 1.1f}, 0.07f, Xf::T(0, 0.08f, 0.45f));
    kit.Box(ids.accent, {0.38f, 0.1f, 0.6f}, 0.03f, Xf::T(0, 0.24f, 0.4f));
    kit.Rod(ids.dark, {0, 0.08f, 0.95f}, {0, 0.08f, 2.0f}, 0.1f, 0.09f, 10);
    kit.Box(ids.metal, {0.24f, 0.24f, 0.2f}, 0.04f, Xf::T(0, 0.08f, 2.05f));
    kit.Rod(ids.glow, {0, 0.08f, 2.14f}, {0, 0.08f, 2.16f}, 0.06f, 0.06f, 10);
    kit.Box(ids.glow, {0.38f, 0.04f, 0.3f}, 0.01f, Xf::T(0, 0.0f, 0.6f));
    return m;
}

ModelData WeaponModels::Thruster() {
    ModelData m;
    WeaponMaterials ids = Materials(m, {0.16f, 0.34f, 0.86f}, {0.4f, 0.8f, 1.0f});
    ModelKit kit(m, 1.0f);
    // Pod under the backpack, its bell opening at (0, -0.2, -0.15) where the flame burns.
    const V3 top{0, 0.18f, 0.12f}, throat{0, -0.1f, -0.06f}, exit{0, -0.2f, -0.15f};
    kit.Rod(ids.accent, top, throat, 0.13f, 0.11f, 12);
    kit.Rod(ids.dark, throat, exit, 0.08f, 0.14f, 12);
    kit.Rod(ids.glow, exit - (exit - throat) * 0.1f, exit, 0.1f, 0.1f, 12);
    kit.Box(ids.metal, {0.06f, 0.22f, 0.2f}, 0.02f, Xf::RotX(0.8f) * Xf::T(0.13f, 0.02f, 0.0f));
    kit.Box(ids.metal, {0.06f, 0.22f, 0.2f}, 0.02f, Xf::RotX(0.8f) * Xf::T(-0.13f, 0.02f, 0.0f));
    return m;
}

ModelData WeaponModels::Missile() {
    ModelData m;
    WeaponMaterials ids = Materials(m, {0.8f, 0.12f, 0.1f}, {1.0f, 0.55f, 0.2f});
    ModelKit kit(m, 1.0f);
    kit.Rod(ids.metal, {0, 0, -0.8f}, {0, 0, 0.5f}, 0.14f, 0.14f, 12);
    kit.Rod(ids.accent, {0, 0, 0.5f}, {0, 0, 0.98f}, 0.14f, 0.0f, 12);
    kit.Rod(ids.accent, {0, 0, -0.2f}, {0, 0, -0.05f}, 0.145f, 0.145f, 12);
    kit.Rod(ids.dark, {0, 0, -0.95f}, {0, 0, -0.8f}, 0.1f, 0.13f, 12);
    kit.Rod(ids.glow, {0, 0, -0.97f}, {0, 0, -0.95f}, 0.09f, 0.09f, 12);
    for (int i = 0; i < 4; ++i) {
        Mesh fin = Shapes::Extrude({{0.1f, -0.8f}, {0.38f, -0.85f}, {0.34f, -0.6f}, {0.1f, -0.35f}},
                                   0.03f);
        // Extruded in x-y; turn it so the fin's plane contains the missile's axis.
        kit.Add(ids.dark, fin, Xf::RotX(kPi / 2) * Xf::RotZ(kPi / 2 * i + kPi / 4));
    }
    return m;
}

}  // namespace modelgen
