#include "game/player/FlashAx.h"

#include <algorithm>

#include "engine/graphics/AdditiveBlend.h"
#include "engine/graphics/GraphicsDevice.h"
#include "engine/graphics/ModelCache.h"
#include "engine/graphics/ModelDrawer.h"
#include "engine/graphics/ShaderManager.h"
#include "engine/graphics/TextureCache.h"

namespace {
struct QuadVertex {
    float x, y, z;
    float u, v;
    float r, g, b, a;
};
static_assert(sizeof(QuadVertex) == 36, "the effect vertex layout is 36 bytes");

constexpr float kGlowRise = 0.01f;  // per pass: full glow after 100 passes
constexpr float kQuadRise = 0.02f;  // per pass: full flash after 50 passes
}  // namespace

FlashAx::FlashAx(const Matrix& axe) : baseMatrix(axe) {
    glowModel = GetModel("Data/ax/flashAx.gltf");
    flashTexture = GetTexture("Data/effect/flashAx.png");
    quad.Create(BindFlag::VertexBuffer, sizeof(QuadVertex) * 4, BufferUsage::Dynamic, nullptr);
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
    const QuadVertex vertices[4] = {
        {-1.0f, 1.3f, 0.0f, 0.0f, 0.0f, 1.0f, 1.0f, 1.0f, quadAlpha},
        {1.0f, 1.3f, 0.0f, 1.0f, 0.0f, 1.0f, 1.0f, 1.0f, quadAlpha},
        {-1.0f, -1.3f, 0.0f, 0.0f, 1.0f, 1.0f, 1.0f, 1.0f, quadAlpha},
        {1.0f, -1.3f, 0.0f, 1.0f, 1.0f, 1.0f, 1.0f, 1.0f, quadAlpha},
    };
    quad.WriteData(vertices, sizeof(vertices));
}

void FlashAx::Draw() {
    ShaderManager& shaders = ShaderManager::GetInstance();
    shaders.GetModelShader().SetWorld(baseMatrix);
    DrawModel(glowModel, glowOpacity);
    if (!active) return;

    GraphicsDevice& device = GraphicsDevice::GetInstance();
    blend->Begin();
    EffectShader& effect = shaders.GetEffectShader();
    effect.Activate();
    device.SetVertexBuffer(&quad, sizeof(QuadVertex), 0);
    device.SetPrimitiveTopology(PrimitiveTopology::TriangleStrip);
    device.SetShaderResource(0, flashTexture);
    effect.SetWorld(quadMatrix);
    effect.Upload();
    device.Draw(4, 0);
    blend->End();
    shaders.GetModelShader().Activate();
}
