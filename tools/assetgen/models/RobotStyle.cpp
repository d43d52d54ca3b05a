#include "RobotStyle.h"

#include "TextureLib.h"

namespace modelgen {

RobotMaterials RobotStyle::Apply(ModelData& model) const {
    model.AddTexture(texture, TextureLib::Panels(seed, 256, 0.30f));
    RobotMaterials ids;
    Material m;
    m.baseTexture = texture;
    m.name = "armor";
    m.base = armor;
    m.metallic = 0.35f;
    m.roughness = 0.45f;
    ids.armor = model.AddMaterial(m);
    m.name = "accent";
    m.base = accent;
    ids.accent = model.AddMaterial(m);
    m.name = "frame";
    m.base = frame;
    m.metallic = 0.7f;
    m.roughness = 0.55f;
    ids.frame = model.AddMaterial(m);
    m.name = "trim";
    m.base = trim;
    m.metallic = 0.6f;
    m.roughness = 0.35f;
    ids.trim = model.AddMaterial(m);
    Material g;
    g.name = "glow";
    g.base = glow * 0.6f;
    g.emissive = glow;
    g.metallic = 0.0f;
    g.roughness = 0.3f;
    ids.glow = model.AddMaterial(g);
    return ids;
}

RobotStyle RobotStyle::Player() {
    RobotStyle s;
    s.texture = "player_panels.png";
    s.seed = 11;
    s.armor = {0.90f, 0.92f, 0.96f};
    s.accent = {0.16f, 0.34f, 0.86f};
    s.frame = {0.24f, 0.25f, 0.29f};
    s.trim = {0.98f, 0.76f, 0.16f};
    s.glow = {0.35f, 0.95f, 1.0f};
    return s;
}

RobotStyle RobotStyle::Enemy() {
    RobotStyle s;
    s.texture = "enemy_panels.png";
    s.seed = 23;
    s.armor = {0.36f, 0.37f, 0.40f};
    s.accent = {0.62f, 0.07f, 0.08f};
    s.frame = {0.13f, 0.13f, 0.15f};
    s.trim = {0.75f, 0.62f, 0.35f};
    s.glow = {1.0f, 0.18f, 0.08f};
    return s;
}

}  // namespace modelgen
