#include "ShipModels.h"

#include <array>
#include <utility>
#include <vector>

#include "ModelKit.h"
#include "Shapes.h"
#include "TextureLib.h"

namespace modelgen {

namespace {

struct Section {
    float z, halfWidth, deck, keel;
};

// Hull stations from stern to bow. The deck stays at y = 1 under the main turret (z = 2)
// and the flanks reach x = +-2.45 beside the side cannons (z = -3).
const std::vector<Section>& Stations() {
    static const std::vector<Section> kStations{
        {-6.0f, 2.0f, 0.8f, -0.7f}, {-5.2f, 2.4f, 1.0f, -0.95f}, {-3.0f, 2.45f, 1.0f, -1.0f},
        {1.0f, 2.5f, 1.0f, -1.0f},  {3.2f, 2.2f, 1.0f, -0.9f},   {4.8f, 1.5f, 0.95f, -0.6f},
        {5.6f, 0.9f, 0.85f, -0.3f}, {6.0f, 0.45f, 0.7f, 0.0f}};
    return kStations;
}

std::array<V3, 8> Ring(const Section& s) {
    const float w = s.halfWidth, chine = 0.45f, low = s.keel + 0.15f * (s.deck - s.keel);
    return {V3{w, chine, s.z},
            V3{w * 0.85f, s.deck, s.z},
            V3{-w * 0.85f, s.deck, s.z},
            V3{-w, chine, s.z},
            V3{-w, low, s.z},
            V3{-w * 0.5f, s.keel, s.z},
            V3{w * 0.5f, s.keel, s.z},
            V3{w, low, s.z}};
}

// Triangle wound so that its normal points away from `inside`.
void OutwardTriangle(Mesh& m, V3 a, V3 b, V3 c, const V3& inside) {
    V3 n = Normalize(Cross(b - a, c - a));
    if (Dot(n, (a + b + c) / 3.0f - inside) < 0) {
        std::swap(b, c);
        n = -n;
    }
    for (const V3& p : {a, b, c}) {
        Vertex v;
        v.pos = p;
        v.normal = n;
        m.Add(v);
    }
    uint32_t last = static_cast<uint32_t>(m.vertices.size());
    m.Triangle(last - 3, last - 2, last - 1);
}

Mesh Loft(const std::vector<Section>& stations) {
    Mesh m;
    for (size_t i = 0; i + 1 < stations.size(); ++i) {
        auto r0 = Ring(stations[i]), r1 = Ring(stations[i + 1]);
        V3 axis{0, 0.0f, (stations[i].z + stations[i + 1].z) * 0.5f};
        for (size_t k = 0; k < 8; ++k) {
            size_t n = (k + 1) % 8;
            OutwardTriangle(m, r0[k], r0[n], r1[n], axis);
            OutwardTriangle(m, r0[k], r1[n], r1[k], axis);
        }
    }
    for (bool bow : {false, true}) {
        auto r = Ring(bow ? stations.back() : stations.front());
        V3 inside{0, 0, r[0].z + (bow ? -1.0f : 1.0f)};
        for (size_t k = 1; k + 1 < 8; ++k) OutwardTriangle(m, r[0], r[k], r[k + 1], inside);
    }
    return m;
}

struct ShipMaterials {
    int hull, dark, accent, hazard, glow;
};

ShipMaterials Materials(ModelData& m) {
    m.AddTexture("ship_hull.png", TextureLib::Hull(41, 512));
    m.AddTexture("ship_lights.png", TextureLib::HullLights(43, 256));
    m.AddTexture("ship_hazard.png", TextureLib::Hazard(64));
    ShipMaterials ids;
    Material mat;
    mat.name = "hull";
    mat.baseTexture = "ship_hull.png";
    mat.emissiveTexture = "ship_lights.png";
    mat.emissive = {0.9f, 0.9f, 0.9f};
    mat.base = {0.55f, 0.58f, 0.62f};
    mat.metallic = 0.6f;
    mat.roughness = 0.5f;
    ids.hull = m.AddMaterial(mat);
    mat.name = "dark";
    mat.emissiveTexture.clear();
    mat.emissive = {0, 0, 0};
    mat.base = {0.2f, 0.21f, 0.24f};
    ids.dark = m.AddMaterial(mat);
    mat.name = "accent";
    mat.base = {0.55f, 0.12f, 0.1f};
    ids.accent = m.AddMaterial(mat);
    Material hazard;
    hazard.name = "hazard";
    hazard.baseTexture = "ship_hazard.png";
    hazard.metallic = 0.2f;
    hazard.roughness = 0.6f;
    ids.hazard = m.AddMaterial(hazard);
    Material glow;
    glow.name = "glow";
    glow.base = {0.5f, 0.6f, 0.8f};
    glow.emissive = {0.45f, 0.75f, 1.0f};
    ids.glow = m.AddMaterial(glow);
    return ids;
}

}  // namespace

ModelData ShipModels::Hull() {
    ModelData m;
    ShipMaterials ids = Materials(m);
    ModelKit kit(m, 0.35f, 0.3f);
    kit.Add(ids.hull, Loft(Stations()));
    // Deck runway and the hangar hatch the robots launch from, near the bow.
    kit.Box(ids.dark, {0.7f, 0.06f, 5.0f}, 0.02f, Xf::T(0, 1.0f, -1.0f));
    kit.Box(ids.hazard, {1.3f, 0.06f, 1.0f}, 0.02f, Xf::T(0, 1.0f, 4.0f));
    kit.Box(ids.glow, {0.9f, 0.25f, 0.06f}, 0.02f, Xf::T(0, 0.2f, 5.62f) * Xf::RotY(0));
    // Bridge tower, stepped, behind the main turret.
    kit.Box(ids.hull, {1.7f, 0.6f, 2.4f}, 0.12f, Xf::T(0, 1.28f, -3.0f));
    kit.Box(ids.hull, {1.2f, 0.55f, 1.6f}, 0.1f, Xf::T(0, 1.82f, -3.2f));
    kit.Box(ids.dark, {1.7f, 0.28f, 0.7f}, 0.06f, Xf::T(0, 2.2f, -2.9f));
    kit.Box(ids.glow, {1.5f, 0.07f, 0.05f}, 0.01f, Xf::T(0, 2.22f, -2.54f));
    kit.Rod(ids.dark, {0.3f, 2.3f, -3.2f}, {0.3f, 3.1f, -3.2f}, 0.04f, 0.02f, 6);
    kit.Rod(ids.dark, {-0.3f, 2.3f, -3.4f}, {-0.3f, 2.8f, -3.4f}, 0.04f, 0.02f, 6);
    kit.Add(ids.dark, Shapes::Lathe({{0, 0}, {0.35f, 0.12f}, {0.3f, 0.16f}, {0, 0.05f}}, 12),
            Xf::RotX(-0.5f) * Xf::T(0, 2.35f, -3.6f));
    // Secondary mounts along the deck, clear of the main turret's cover.
    for (float s : {-1.0f, 1.0f}) {
        for (float z : {-0.6f, 3.4f}) {
            kit.Box(ids.dark, {0.4f, 0.2f, 0.4f}, 0.05f, Xf::T(1.55f * s, 1.08f, z));
            kit.Rod(ids.hull, {1.55f * s, 1.15f, z}, {1.55f * s, 1.15f, z + 0.5f}, 0.04f, 0.04f, 6);
        }
        // Stern wings and a red stripe along each flank.
        kit.Box(ids.hull, {1.1f, 0.12f, 1.8f}, 0.04f, Xf::T(2.8f * s, 0.35f, -4.6f));
        kit.Box(ids.accent, {0.06f, 0.12f, 8.0f}, 0.02f, Xf::T(2.47f * s, 0.2f, -0.8f));
        kit.Box(ids.glow, {0.9f, 0.04f, 0.1f}, 0.01f, Xf::T(2.8f * s, 0.42f, -5.45f));
    }
    kit.Box(ids.dark, {0.2f, 0.6f, 6.0f}, 0.05f, Xf::T(0, -1.15f, -1.0f));
    // Engines.
    for (auto [x, y, r] : {std::array{0.0f, 0.0f, 0.6f}, std::array{1.25f, -0.1f, 0.45f},
                           std::array{-1.25f, -0.1f, 0.45f}}) {
        Mesh bell = Shapes::Lathe(
            {{0, 0}, {r * 0.8f, 0}, {r, 0.5f}, {r * 0.85f, 0.55f}, {r * 0.7f, 0.1f}, {0, 0.1f}},
            16);
        kit.Add(ids.dark, bell, Xf::RotX(-kPi / 2) * Xf::T(x, y, -5.75f));
        kit.Rod(ids.glow, {x, y, -5.86f}, {x, y, -5.9f}, r * 0.68f, r * 0.68f, 16);
    }
    return m;
}

ModelData ShipModels::HitBox() {
    ModelData m;
    Material mat;
    mat.name = "hitbox";
    int id = m.AddMaterial(mat);
    m.Part(id).Append(Loft(Stations()));
    m.Part(id).Append(Shapes::Box({1.7f, 1.1f, 2.4f}, 0), Xf::T(0, 1.45f, -3.0f));
    return m;
}

}  // namespace modelgen
