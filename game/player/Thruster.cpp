#include "game/player/Thruster.h"

#include "engine/graphics/AdditiveBlend.h"
#include "engine/graphics/FwModel.h"
#include "engine/graphics/ModelCache.h"
#include "engine/graphics/ShaderManager.h"
#include "engine/graphics/TextureCache.h"
#include "game/effects/EffectQuad.h"

namespace {
constexpr float kHotHalfWidth = 3.0f;  // world units, horizontal ribbon at full pulse
constexpr float kHalfWidth = 7.0f;
constexpr float kSink = 0.2f;     // per pass while moving
constexpr float kThrowUp = 1.0f;  // per pass while turning in place
constexpr float kThrowAside = 6.0f;

// The flame sprite: a 0.36 × 0.38 quad around the nozzle.
const std::array<EffectVertex, 4> kFlame = {{
    {{-0.18f, 0.19f, 0.0f}, {0.0f, 0.0f}, Color(1.0f, 1.0f, 1.0f, 1.0f)},
    {{0.18f, 0.19f, 0.0f}, {1.0f, 0.0f}, Color(1.0f, 1.0f, 1.0f, 1.0f)},
    {{-0.18f, -0.19f, 0.0f}, {0.0f, 1.0f}, Color(1.0f, 1.0f, 1.0f, 1.0f)},
    {{0.18f, -0.19f, 0.0f}, {1.0f, 1.0f}, Color(1.0f, 1.0f, 1.0f, 1.0f)},
}};

Matrix FlamePlacement(const Matrix& world) {
    return Matrix::CreateRotationX(ToRadians(-60.0f)) *
           Matrix::CreateTranslation(0.0f, -0.2f, -0.15f) * world;
}
}  // namespace

Thruster::Thruster(const Matrix& mountMatrix) : world(mountMatrix), mount(mountMatrix) {
    engineModel = GetModel("Data/thruster/thruster.gltf");
    history.fill(mountMatrix);
    trailTexture = GetTexture("Data/thruster/exhaust.png");
    hotTexture = GetTexture("Data/thruster/exhaust_hot.png");
    flameTexture = GetTexture("Data/effect/bull.png");
    blend = std::make_unique<AdditiveBlend>();
    matrix = world;
}

Thruster::~Thruster() = default;

void Thruster::BuildTrail() {
    const float w = hot ? kHotHalfWidth : kHalfWidth;
    const float kx = wide ? w : w / 2.0f;
    const float kz = wide ? 3.0f : 2.0f;
    const Matrix turn = Matrix::CreateRotationY(ToRadians(90.0f));
    for (int which = 0; which < 2; ++which) {
        const float k = which == 0 ? kx : kz;
        for (int i = 0; i < kHistory; ++i) {
            const Matrix frame = which == 0 ? history[i] : turn * history[i];
            const Vector4 row = frame.Row(0);
            const Vector3 axis{row.x, row.y, row.z};
            const Vector3 centre = history[i].Translation();
            const Vector3 a = centre - axis * k;
            const Vector3 b = centre + axis * k;
            const float v = static_cast<float>(i) / kHistory - 1.0f;
            const Color tint(1.0f, 1.0f, 1.0f, trailAlpha);
            ribbons[which][i * 2] = {a, {0.0f, v}, tint};
            ribbons[which][i * 2 + 1] = {b, {1.0f, v}, tint};
        }
    }
}

void Thruster::Place(const Matrix& body) {
    world = mount * body;
    for (int i = 1; i < kHistory; ++i) history[i] = world;
    BuildTrail();
    flameMatrix = FlamePlacement(world);
}

void Thruster::Step(const Matrix& body, bool moving, bool lit) {
    keepLit = lit;
    trailAlpha = lit ? 1.0f : trailAlpha - 0.1f;
    world = mount * body;
    if (engineModel != nullptr && model.IsEmpty()) {
        SetModel(*engineModel, world);
    } else {
        matrix = world;
    }

    // Older points drift: they sink behind a moving robot and are thrown aside when the
    // robot turns in place, so the exhaust bends with the motion.
    const bool bodyChanged = !(body == previousParent);
    for (int i = kHistory - 1; i > 0; --i) {
        history[i] = history[i - 1];
        if (!bodyChanged) continue;
        Vector3 t = history[i].Translation();
        if (moving) {
            t.y -= kSink;
        } else {
            t.y += kThrowUp;
            t.x += kThrowAside;
        }
        history[i].SetTranslation(t);
    }
    previousParent = body;
    history[0] = moving ? Matrix::CreateTranslation(0.0f, -0.15f, 0.0f) * world
                        : Matrix::CreateTranslation(0.0f, 0.0f, -0.18f) * world;
    BuildTrail();

    if (pulseCount == 3) {
        wide = !wide;
        pulseCount = 0;
    }
    ++pulseCount;
    flameMatrix = FlamePlacement(world);
    if (warmUp > 0) --warmUp;
}

void Thruster::DrawFlame(bool aiming, bool hotNow, bool flicker) {
    ShaderManager& shaders = ShaderManager::GetInstance();
    shaders.GetModelShader().SetWorld(world);
    Object::Draw();

    drewTrail = !aiming && !flicker && warmUp < 1;
    if (drewTrail) {
        for (const auto& ribbon : ribbons) {
            EffectQuad::DrawStrip(ribbon.data(), kHistory * 2, Matrix::Identity(),
                                  hotNow ? hotTexture : trailTexture, *blend);
        }
    }
    EffectQuad::DrawStrip(kFlame.data(), 4, flameMatrix, flameTexture, *blend);
}
