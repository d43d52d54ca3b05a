#include "game/player/FlashAx.h"

#include <algorithm>

#include "engine/graphics/AdditiveBlend.h"
#include "engine/graphics/ModelCache.h"
#include "engine/graphics/ModelDrawer.h"
#include "engine/graphics/ShaderManager.h"
#include "engine/graphics/TextureCache.h"
#include "game/effects/EffectQuad.h"

namespace {
constexpr float kGlowRise = 0.01f;  // per pass: full glow after 100 passes
constexpr float kQuadRise = 0.02f;  // per pass: full flash after 50 passes
}  // namespace

FlashAx::FlashAx(const Matrix& axe) : baseMatrix(axe) {
    glowModel = GetModel("Data/ax/flashAx.gltf");
    flashTexture = GetTexture("Data/effect/flashAx.png");
    blend = std::make_unique<AdditiveBlend>();
    BuildQuad();
}

FlashAx::~FlashAx() = default;

void FlashAx::Follow(const Matrix& axe, bool glow) {
    if (glow) {
        glowOpacity = std::min(glowOpacity + kGlowRise, 1.0f);
        quadAlpha = std::min(quadAlpha + kQuadRise, 1.0f);
    } else {
        glowOpacity = 0.0f;
        quadAlpha = 0.0f;
    }
    baseMatrix = axe;
    quadMatrix = Matrix::CreateTranslation(-0.8f, 0.6f, 0.0f) * axe;
    active = glow;
    BuildQuad();
}

void FlashAx::BuildQuad() {
    const Color tint(1.0f, 1.0f, 1.0f, quadAlpha);
    quad = {{
        {{-1.0f, 1.3f, 0.0f}, {0.0f, 0.0f}, tint},
        {{1.0f, 1.3f, 0.0f}, {1.0f, 0.0f}, tint},
        {{-1.0f, -1.3f, 0.0f}, {0.0f, 1.0f}, tint},
        {{1.0f, -1.3f, 0.0f}, {1.0f, 1.0f}, tint},
    }};
}

void FlashAx::Draw() {
    ShaderManager& shaders = ShaderManager::GetInstance();
    shaders.GetModelShader().SetWorld(baseMatrix);
    DrawModel(glowModel, glowOpacity);
    if (!active) return;

    EffectQuad::DrawStrip(quad.data(), 4, quadMatrix, flashTexture, *blend);
}
