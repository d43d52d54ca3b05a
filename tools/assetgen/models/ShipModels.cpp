#include "ShipModels.h"

#include <algorithm>
#include <array>
#include <cmath>
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
// and the flanks reach x = +-2.45 beside the side cannons (z = -3); the bow narrows to a
// prow at z = 6, short of where the robots are launched (z = 7).
const std::vector<Section>& Stations() {
    static const std::vector<Section> kStations{
        {-6.0f, 2.2f, 0.9f, -0.8f},   {-5.0f, 2.5f, 1.0f, -1.0f}, {-3.0f, 2.45f, 1.0f, -1.0f},
        {1.0f, 2.45f, 1.0f, -1.0f},   {3.0f, 2.1f, 1.0f, -0.85f}, {4.6f, 1.2f, 0.85f, -0.5f},
        {5.6f, 0.45f, 0.65f, -0.15f}, {6.0f, 0.12f, 0.5f, 0.1f}};
    return kStations;
}

std::array<V3, 8> Ring(const Section& s) {
    const float w = s.halfWidth, h = s.deck - s.keel;
    const float chine = s.keel + 0.72f * h, low = s.keel + 0.15f * h;
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

// Closed hull through the stations, in three bands that differ in colour: the deck with
// its sloped edges (and the end caps), the vertical flanks, and the bottom.
struct HullBands {
    Mesh deck, flank, lower;
};

HullBands Loft(const std::vector<Section>& stations) {
    HullBands bands;
    for (size_t i = 0; i + 1 < stations.size(); ++i) {
        auto r0 = Ring(stations[i]), r1 = Ring(stations[i + 1]);
        V3 axis{0, 0.0f, (stations[i].z + stations[i + 1].z) * 0.5f};
        for (size_t k = 0; k < 8; ++k) {
            size_t n = (k + 1) % 8;
            Mesh& m = (k >= 4 && k <= 6)   ? bands.lower
                      : (k == 3 || k == 7) ? bands.flank
                                           : bands.deck;
            OutwardTriangle(m, r0[k], r0[n], r1[n], axis);
            OutwardTriangle(m, r0[k], r1[n], r1[k], axis);
        }
    }
    for (bool bow : {false, true}) {
        auto r = Ring(bow ? stations.back() : stations.front());
        V3 inside{0, 0, r[0].z + (bow ? -1.0f : 1.0f)};
        for (size_t k = 1; k + 1 < 8; ++k) {
            OutwardTriangle(bands.deck, r[0], r[k], r[k + 1], inside);
        }
    }
    return bands;
}

// Solid pieces that rays must stop at as well: the spine and bridge on the deck, the
// armour belts along the flanks and the engine block at the stern.
struct Block {
    V3 size, centre;
};

const std::vector<Block>& Superstructure() {
    static const std::vector<Block> kBlocks{{{1.3f, 0.32f, 5.4f}, {0, 1.14f, -2.3f}},
                                            {{1.5f, 0.5f, 2.0f}, {0, 1.5f, -3.2f}},
                                            {{2.5f * 2 + 0.5f, 0.34f, 5.0f}, {0, 0.4f, -2.3f}},
                                            {{4.4f, 1.4f, 0.7f}, {0, 0.05f, -6.0f}},
                                            {{0.9f, 0.7f, 1.2f}, {0, 2.08f, -3.45f}},
                                            {{1.7f, 0.3f, 0.7f}, {0, 2.5f, -3.45f}}};
    return kBlocks;
}

struct ShipMaterials {
    int hull, flank, lower, accent, hazard, glow;
};

ShipMaterials Materials(ModelData& m) {
    m.AddTexture("ship_hull.png", TextureLib::Hull(41, 512));
    m.AddTexture("ship_lights.png", TextureLib::HullLights(43, 256));
    m.AddTexture("ship_hazard.png", TextureLib::Hazard(64));
    ShipMaterials ids;
    Material mat;
    mat.name = "hull";
    mat.baseTexture = "ship_hull.png";
    mat.base = {0.6f, 0.63f, 0.68f};
    mat.metallic = 0.6f;
    mat.roughness = 0.5f;
    ids.hull = m.AddMaterial(mat);
    mat.name = "flank";
    mat.base = {0.42f, 0.44f, 0.5f};
    mat.emissiveTexture = "ship_lights.png";
    mat.emissive = {1.0f, 1.0f, 1.0f};
    ids.flank = m.AddMaterial(mat);
    mat.name = "lower";
    mat.base = {0.26f, 0.27f, 0.31f};
    mat.emissiveTexture.clear();
    mat.emissive = {0, 0, 0};
    ids.lower = m.AddMaterial(mat);
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
    glow.emissive = {0.55f, 0.85f, 1.0f};
    ids.glow = m.AddMaterial(glow);
    return ids;
}

}  // namespace

ModelData ShipModels::Hull() {
    ModelData m;
    ShipMaterials ids = Materials(m);
    ModelKit kit(m, 0.35f, 0.3f);
    HullBands bands = Loft(Stations());
    kit.Add(ids.hull, bands.deck);
    kit.Add(ids.flank, bands.flank);
    kit.Add(ids.lower, bands.lower);
    const auto& blocks = Superstructure();
    // Central spine and the stepped bridge tower on it, aft of the main turret.
    kit.Box(ids.hull, blocks[0].size, 0.08f, Xf::T(blocks[0].centre));
    kit.Box(ids.hull, blocks[1].size, 0.12f, Xf::T(blocks[1].centre));
    Mesh tower = Shapes::Box({1.1f, 0.7f, 1.4f}, 0.1f);
    tower.Deform([](const V3& p) {
        return V3{p.x * (1.0f - 0.35f * p.y), p.y, p.z - 0.35f * p.y};
    });
    kit.Add(ids.hull, tower, Xf::T(0, 2.08f, -3.4f));
    Mesh bridge = Shapes::Box({1.9f, 0.3f, 0.75f}, 0.08f);
    bridge.Deform([](const V3& p) {
        return V3{p.x * (1.0f - 0.25f * std::max(0.0f, p.z)), p.y, p.z};
    });
    kit.Add(ids.lower, bridge, Xf::T(0, 2.5f, -3.45f));
    kit.Box(ids.glow, {1.5f, 0.07f, 0.04f}, 0.0f, Xf::T(0, 2.52f, -3.07f));
    kit.Box(ids.hull, {0.5f, 0.25f, 0.5f}, 0.06f, Xf::T(0, 2.75f, -3.6f));
    kit.Rod(ids.lower, {0.15f, 2.85f, -3.6f}, {0.15f, 3.6f, -3.7f}, 0.04f, 0.015f, 6);
    kit.Rod(ids.lower, {-0.2f, 2.85f, -3.7f}, {-0.2f, 3.25f, -3.8f}, 0.04f, 0.015f, 6);
    kit.Rod(ids.lower, {-0.9f, 2.5f, -3.45f}, {-1.3f, 2.5f, -3.45f}, 0.03f, 0.02f, 6);
    kit.Rod(ids.lower, {0.9f, 2.5f, -3.45f}, {1.3f, 2.5f, -3.45f}, 0.03f, 0.02f, 6);
    kit.Add(ids.lower, Shapes::Lathe({{0, 0}, {0.35f, 0.12f}, {0.3f, 0.16f}, {0, 0.05f}}, 12),
            Xf::RotX(-0.5f) * Xf::T(0, 1.95f, -4.5f));
    // Vent rows on the rear deck and a raised plate on the foredeck.
    for (float s : {-1.0f, 1.0f}) {
        for (int i = 0; i < 4; ++i) {
            kit.Box(ids.lower, {0.5f, 0.08f, 0.3f}, 0.0f,
                    Xf::T(1.35f * s, 1.02f, -4.6f + 0.45f * i));
        }
    }
    Mesh fore = Shapes::Box({2.0f, 0.1f, 1.2f}, 0.04f);
    fore.Deform([](const V3& p) {
        return V3{p.x * (1.0f - 0.3f * (p.z + 0.6f) / 1.2f), p.y, p.z};
    });
    kit.Add(ids.hull, fore, Xf::RotX(0.1f) * Xf::T(0, 0.93f, 4.15f));
    // Armour belts along the flanks, above the side cannons, with a red stripe.
    for (float s : {-1.0f, 1.0f}) {
        Mesh belt = Shapes::Box({0.5f, 0.34f, 5.0f}, 0.08f);
        belt.Deform([](const V3& p) {
            float end = std::max(0.0f, std::fabs(p.z) - 1.8f) / 0.7f;
            return V3{p.x * (1.0f - 0.6f * end), p.y * (1.0f - 0.3f * end), p.z};
        });
        kit.Add(ids.hull, belt, Xf::T(2.5f * s, 0.4f, -2.3f));
        kit.Box(ids.accent, {0.06f, 0.08f, 3.6f}, 0.0f, Xf::T(2.76f * s, 0.42f, -2.3f));
        // Stern fins.
        kit.Add(ids.hull, Shapes::Extrude({{0, 0}, {0.9f, -0.5f}, {0.9f, 0.3f}, {0, 1.4f}}, 0.1f),
                Xf::RotX(kPi / 2) * Xf::S(s, 1, 1) * Xf::T(2.4f * s, 0.6f, -5.6f));
        // Secondary twin mounts on the deck, clear of the main turret's cover.
        for (float z : {-0.6f, 3.3f}) {
            float x = (z > 0 ? 1.2f : 1.5f) * s;
            kit.Box(ids.lower, {0.36f, 0.18f, 0.36f}, 0.05f, Xf::T(x, 1.08f, z));
            kit.Rod(ids.hull, {x - 0.07f, 1.14f, z}, {x - 0.07f, 1.14f, z + 0.5f}, 0.035f, 0.03f,
                    6);
            kit.Rod(ids.hull, {x + 0.07f, 1.14f, z}, {x + 0.07f, 1.14f, z + 0.5f}, 0.035f, 0.03f,
                    6);
        }
    }
    // Launch hatch near the bow and the prow blade.
    kit.Box(ids.hazard, {0.9f, 0.04f, 0.7f}, 0.0f, Xf::RotX(0.1f) * Xf::T(0, 0.99f, 4.1f));
    kit.Box(ids.glow, {0.7f, 0.04f, 0.06f}, 0.0f, Xf::RotX(0.1f) * Xf::T(0, 0.95f, 4.62f));
    kit.Add(ids.lower,
            Shapes::Extrude({{-5.0f, -1.2f},
                             {3.0f, -1.2f},
                             {6.1f, 0.1f},
                             {5.4f, 0.1f},
                             {2.8f, -0.8f},
                             {-5.0f, -0.8f}},
                            0.3f),
            Xf::RotY(-kPi / 2) * Xf::T(0, -0.2f, 0));
    // Engine block and nozzles.
    kit.Box(ids.lower, blocks[3].size, 0.15f, Xf::T(blocks[3].centre));
    for (auto [x, y, r] : {std::array{0.0f, 0.05f, 0.55f}, std::array{1.3f, 0.3f, 0.4f},
                           std::array{-1.3f, 0.3f, 0.4f}, std::array{1.3f, -0.35f, 0.35f},
                           std::array{-1.3f, -0.35f, 0.35f}}) {
        Mesh bell = Shapes::Lathe(
            {{0, 0}, {r * 0.8f, 0}, {r, 0.45f}, {r * 0.85f, 0.5f}, {r * 0.7f, 0.1f}, {0, 0.1f}},
            16);
        kit.Add(ids.lower, bell, Xf::RotX(-kPi / 2) * Xf::T(x, y, -6.3f));
        kit.Rod(ids.glow, {x, y, -6.4f}, {x, y, -6.66f}, r * 0.72f, r * 0.8f, 16);
    }
    return m;
}

ModelData ShipModels::HitBox() {
    ModelData m;
    Material mat;
    mat.name = "hitbox";
    int id = m.AddMaterial(mat);
    HullBands bands = Loft(Stations());
    for (const Mesh* band : {&bands.deck, &bands.flank, &bands.lower}) m.Part(id).Append(*band);
    for (const Block& b : Superstructure())
        m.Part(id).Append(Shapes::Box(b.size, 0), Xf::T(b.centre));
    return m;
}

}  // namespace modelgen
