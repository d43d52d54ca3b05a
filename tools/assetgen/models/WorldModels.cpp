#include "WorldModels.h"

#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

#include "ModelKit.h"
#include "Noise.h"
#include "PlayerRobot.h"
#include "Random.h"
#include "Shapes.h"
#include "TextureLib.h"

namespace modelgen {

namespace {

Mesh Rock(uint32_t seed, int subdivisions, const V3& stretch, float radius, float roughness) {
    Noise noise(seed);
    Mesh m = Shapes::Icosphere(1.0f, subdivisions);
    // Flat fracture faces: everything beyond a few random planes is cut back onto them.
    Random rng(seed * 7919u + 1);
    std::vector<std::pair<V3, float>> cuts;
    for (int i = 0; i < 6; ++i) {
        V3 n = Normalize(V3{rng.Range(-1, 1), rng.Range(-1, 1), rng.Range(-1, 1)});
        cuts.push_back({n, rng.Range(0.72f, 0.9f)});
    }
    for (Vertex& v : m.vertices) {
        V3 d = Normalize(v.pos);
        float bumps = noise.Fbm(d * 1.6f, 5, 0.5f) * roughness;
        float ridge = (0.5f - std::fabs(noise.Fbm(d * 3.1f + V3{11, 2, 5}, 3))) * roughness * 0.4f;
        float crater = noise.Cells(d * 2.2f + V3{3, 7, 1});
        float dent = crater < 0.35f ? (0.35f - crater) * 0.5f : 0.0f;
        V3 p = d.Mul(stretch) * (1.0f + bumps + ridge - dent);
        for (const auto& [n, offset] : cuts) {
            float over = Dot(p, n) - offset;
            if (over > 0) p = p - n * (over * 0.85f);
        }
        v.pos = p;
    }
    float far = 0;
    for (const Vertex& v : m.vertices) far = std::max(far, Length(v.pos));
    for (Vertex& v : m.vertices) v.pos = v.pos * (radius / far);
    return m.Facet();
}

int RockMaterial(ModelData& m, uint32_t seed, const V3& tint) {
    m.AddTexture("rock.png", TextureLib::Rock(seed, 256));
    Material mat;
    mat.name = "rock";
    mat.baseTexture = "rock.png";
    mat.base = tint;
    mat.metallic = 0.05f;
    mat.roughness = 0.9f;
    return m.AddMaterial(mat);
}

}  // namespace

ModelData WorldModels::Stone(uint32_t seed, const V3& stretch, float radius) {
    ModelData m;
    int id = RockMaterial(m, 61, {0.78f, 0.74f, 0.7f});
    ModelKit kit(m, 0.8f, 0.3f);
    kit.Add(id, Rock(seed, 3, stretch, radius, 0.4f));
    return m;
}

ModelData WorldModels::Fragment() {
    ModelData m;
    int id = RockMaterial(m, 61, {0.78f, 0.74f, 0.7f});
    ModelKit kit(m, 2.0f, 0.3f);
    kit.Add(id, Rock(71, 1, {1.0f, 0.7f, 1.2f}, 0.3f, 0.45f));
    return m;
}

ModelData WorldModels::Space() {
    ModelData m;
    m.AddTexture("space.png", TextureLib::Space(81, 2048, 1024));
    Material mat;
    mat.name = "space";
    mat.baseTexture = "space.png";
    mat.emissiveTexture = "space.png";
    mat.emissive = {0.3f, 0.3f, 0.3f};
    mat.metallic = 0.0f;
    mat.roughness = 1.0f;
    int id = m.AddMaterial(mat);
    m.Part(id).Append(Shapes::Sphere(1.0f, 64, 32).FlipNormals());
    return m;
}

ModelData WorldModels::Planet() {
    ModelData m;
    m.AddTexture("planet.png", TextureLib::Planet(91, 1024, 512));
    Material mat;
    mat.name = "planet";
    mat.baseTexture = "planet.png";
    mat.emissiveTexture = "planet.png";
    mat.emissive = {0.15f, 0.17f, 0.2f};
    mat.metallic = 0.0f;
    mat.roughness = 0.7f;
    int id = m.AddMaterial(mat);
    m.Part(id).Append(Shapes::Sphere(4.0f, 64, 32));
    return m;
}

ModelData WorldModels::TitlePlayer() {
    // The title scene adds its own thrusters on the robot's back, so the assembled
    // robot's thrusters are left out here.
    ModelData m;
    // The right arm hangs at the side: held out in front, its fist would fill the bottom
    // of the title's close-up.
    ModelData robot = PlayerRobot::Assembled(false, Xf::RotX(50.0f * kPi / 180.0f));
    m.Merge(robot, Xf::S(2.0f));
    // Mounting plate for the title's thrusters, which hang lower on the back (at y = 7)
    // than the battle robot's scaled mounts.
    ModelKit kit(m);
    int frame = -1;
    for (size_t i = 0; i < m.Materials().size(); ++i) {
        if (m.Materials()[i].name == "frame") frame = static_cast<int>(i);
    }
    kit.Box(frame, {1.1f, 0.5f, 0.5f}, 0.08f, Xf::T(0, 7.15f, -0.75f));
    return m;
}

}  // namespace modelgen
