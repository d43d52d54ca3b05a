#include <cmath>

#include "ModelKit.h"
#include "Shapes.h"
#include "ShipModels.h"
#include "TextureLib.h"

namespace modelgen {

namespace {

struct CannonMaterials {
    int metal, dark, accent, hazard, glow;
};

CannonMaterials Materials(ModelData& m) {
    m.AddTexture("cannon_metal.png", TextureLib::Panels(53, 128, 0.25f));
    m.AddTexture("ship_hazard.png", TextureLib::Hazard(64));
    CannonMaterials ids;
    Material mat;
    mat.baseTexture = "cannon_metal.png";
    mat.name = "metal";
    mat.base = {0.6f, 0.62f, 0.66f};
    mat.metallic = 0.7f;
    mat.roughness = 0.45f;
    ids.metal = m.AddMaterial(mat);
    mat.name = "dark";
    mat.base = {0.2f, 0.2f, 0.23f};
    ids.dark = m.AddMaterial(mat);
    mat.name = "accent";
    mat.base = {0.6f, 0.12f, 0.1f};
    ids.accent = m.AddMaterial(mat);
    Material hazard;
    hazard.name = "hazard";
    hazard.baseTexture = "ship_hazard.png";
    ids.hazard = m.AddMaterial(hazard);
    Material glow;
    glow.name = "glow";
    glow.base = {0.6f, 0.3f, 0.2f};
    glow.emissive = {1.0f, 0.45f, 0.2f};
    ids.glow = m.AddMaterial(glow);
    return ids;
}

// Barrel along +y from the pivot; `lift` raises its axis (model z), which stands up
// when the game pitches the barrel by -90 degrees to lay it flat.
void Barrel(ModelKit& kit, const CannonMaterials& ids, float length, float radius, float lift) {
    kit.Box(ids.dark, {radius * 3.2f, radius * 3.0f, radius * 3.0f}, radius * 0.5f,
            Xf::T(0, radius * 0.5f, lift));
    kit.Rod(ids.metal, {0, radius, lift}, {0, length * 0.55f, lift}, radius * 1.25f, radius * 1.1f,
            14);
    kit.Rod(ids.metal, {0, length * 0.55f, lift}, {0, length, lift}, radius, radius * 0.9f, 14);
    kit.Rod(ids.accent, {0, length * 0.5f, lift}, {0, length * 0.58f, lift}, radius * 1.35f,
            radius * 1.35f, 14);
    kit.Rod(ids.dark, {0, length - 0.5f, lift}, {0, length, lift}, radius * 1.2f, radius * 1.2f,
            14);
    kit.Rod(ids.glow, {0, length, lift}, {0, length + 0.02f, lift}, radius * 0.6f, radius * 0.6f,
            14);
}

}  // namespace

// Sizes are in the cannons' own units: the game draws the main turret at scale 0.6 and
// the side cannons at 0.3 (world units), the hull itself at 5.
ModelData ShipModels::TurretBase() {
    ModelData m;
    CannonMaterials ids = Materials(m);
    ModelKit kit(m, 0.3f);
    kit.Add(ids.metal,
            Shapes::Lathe({{0, 0}, {6.0f, 0}, {6.0f, 0.9f}, {5.5f, 3.2f}, {4.4f, 3.8f}, {0, 3.8f}},
                          24));
    kit.Add(ids.hazard, Shapes::Cylinder(6.2f, 6.2f, 0.0f, 0.5f, 24));
    // Slot in the front (-z) where the barrel leaves the turret.
    kit.Box(ids.dark, {2.6f, 2.6f, 2.0f}, 0.2f, Xf::T(0, 2.5f, -5.0f));
    kit.Box(ids.accent, {4.6f, 0.4f, 1.6f}, 0.12f, Xf::T(0, 3.8f, 1.4f));
    kit.Box(ids.dark, {1.2f, 0.8f, 1.2f}, 0.15f, Xf::T(1.8f, 4.1f, 2.6f));
    for (float s : {-1.0f, 1.0f}) {
        kit.Box(ids.dark, {0.9f, 1.8f, 2.8f}, 0.15f, Xf::T(5.0f * s, 2.1f, 0.6f));
        kit.Box(ids.glow, {0.1f, 0.3f, 2.0f}, 0.0f, Xf::T(5.48f * s, 2.3f, 0.6f));
    }
    return m;
}

ModelData ShipModels::MainBarrel() {
    ModelData m;
    CannonMaterials ids = Materials(m);
    ModelKit kit(m, 0.3f);
    Barrel(kit, ids, 10.0f, 0.9f, 2.6f);
    for (float s : {-1.0f, 1.0f}) {
        kit.Rod(ids.dark, {1.0f * s, 0, 2.6f}, {1.7f * s, 0, 2.6f}, 0.8f, 0.8f, 12);
    }
    return m;
}

ModelData ShipModels::SideBarrel() {
    ModelData m;
    CannonMaterials ids = Materials(m);
    ModelKit kit(m, 0.3f);
    kit.Ball(ids.dark, {0, 0, 0}, 3.0f, 2);
    Barrel(kit, ids, 8.0f, 0.9f, 0.0f);
    return m;
}

ModelData ShipModels::Cover() {
    ModelData m;
    CannonMaterials ids = Materials(m);
    ModelKit kit(m, 0.3f);
    // A dome tall and wide enough to hide either barrel: the main one lying flat beside
    // its turret, or a side one standing along the dome's axis.
    std::vector<P2> dome{{0, 0}};
    const float r = 11.0f;
    for (int i = 0; i <= 8; ++i) {
        float a = kPi / 2 * i / 8;
        dome.push_back({r * std::cos(a), r * 0.9f * std::sin(a) + 0.5f});
    }
    dome.insert(dome.begin() + 1, P2{r, 0});
    kit.Add(ids.metal, Shapes::Lathe(dome, 28));
    kit.Add(ids.hazard, Shapes::Cylinder(r + 0.15f, r + 0.15f, 0, 0.6f, 28));
    for (int i = 0; i < 4; ++i) {
        kit.Box(ids.accent, {0.5f, 0.3f, 3.0f}, 0.1f,
                Xf::T(0, 0, r * 0.55f) * Xf::RotX(-0.75f) * Xf::RotY(kPi / 2 * i) *
                    Xf::T(0, r * 0.18f, 0));
    }
    kit.Box(ids.dark, {1.8f, 0.7f, 1.8f}, 0.2f, Xf::T(0, r * 0.9f + 0.6f, 0));
    return m;
}

}  // namespace modelgen
