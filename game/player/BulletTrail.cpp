#include "game/player/BulletTrail.h"

#include "engine/graphics/AdditiveBlend.h"
#include "engine/graphics/GraphicsDevice.h"
#include "engine/graphics/ShaderManager.h"
#include "engine/graphics/TextureCache.h"

namespace {
constexpr unsigned kStride = sizeof(BulletTrail::Vertex);
constexpr unsigned kRibbonBytes = kStride * BulletTrail::kLength * 2;
static_assert(kStride == 36, "the effect vertex layout is 36 bytes");
}  // namespace

BulletTrail::BulletTrail(const Matrix& start) {
    history.fill(start);
    playerTexture = GetTexture("Data/tex/bullet2.png");
    enemyTexture = GetTexture("Data/tex/bullet3.png");
    for (FwBuffer& buffer : buffers) {
        buffer.Create(BindFlag::VertexBuffer, kRibbonBytes, BufferUsage::Dynamic, nullptr);
    }
    blend = std::make_unique<AdditiveBlend>();
    Build();
}

BulletTrail::~BulletTrail() = default;

void BulletTrail::Update(const Matrix& bullet) {
    for (int n = kLength - 1; n > 0; --n) history[n] = history[n - 1];
    history[0] = bullet;
    Build();
}

void BulletTrail::Build() {
    // Ribbon 1 spreads along each placement's X axis, ribbon 2 along that axis turned 90°
    // about the line of flight, so the trail reads from any side.
    const Matrix turn = Matrix::CreateRotationZ(ToRadians(90.0f));
    for (int which = 0; which < 2; ++which) {
        for (int n = 0; n < kLength; ++n) {
            const Matrix frame = which == 0 ? history[n] : turn * history[n];
            const Vector4 axisRow = frame.Row(0);
            const Vector3 axis{axisRow.x, axisRow.y, axisRow.z};
            const Vector3 centre = history[n].Translation();
            const Vector3 a = centre - axis * kHalfWidth;
            const Vector3 b = centre + axis * kHalfWidth;
            const float v = static_cast<float>(n) / kLength - 1.0f;
            ribbons[which][n * 2] = {a.x, a.y, a.z, 0.0f, v, 1.0f, 1.0f, 1.0f, 1.0f};
            ribbons[which][n * 2 + 1] = {b.x, b.y, b.z, 1.0f, v, 1.0f, 1.0f, 1.0f, 1.0f};
        }
        buffers[which].WriteData(ribbons[which].data(), kRibbonBytes);
    }
}

void BulletTrail::Draw(int textureChoice) {
    FwTexture* texture = nullptr;
    if (textureChoice == 1) {
        texture = playerTexture;
    } else if (textureChoice == 0) {
        texture = enemyTexture;
    } else {
        return;
    }
    GraphicsDevice& device = GraphicsDevice::GetInstance();
    ShaderManager& shaders = ShaderManager::GetInstance();
    blend->Begin();
    EffectShader& effect = shaders.GetEffectShader();
    effect.Activate();
    effect.SetWorld(Matrix::Identity());
    effect.Upload();
    device.SetShaderResource(0, texture);
    device.SetPrimitiveTopology(PrimitiveTopology::TriangleStrip);
    for (const FwBuffer& buffer : buffers) {
        device.SetVertexBuffer(&buffer, kStride, 0);
        device.Draw(kLength * 2, 0);
    }
    blend->End();
    shaders.GetModelShader().Activate();
}
