#include "game/effects/SlashTrail.h"

#include "engine/graphics/TextureCache.h"
#include "game/effects/EffectQuad.h"

namespace {
const char* TextureFor(int kind) {
    switch (kind) {
        case 1:
            return "Data/effect/jet.bmp";
        case 0:
            return "Data/effect/jet2.png";
        default:
            return nullptr;
    }
}
}  // namespace

SlashTrail::SlashTrail(const Matrix& anchor, float yaw, int kind)
    : blend(std::make_unique<AdditiveBlend>()) {
    if (const char* path = TextureFor(kind)) texture = ::GetTexture(path);
    history.fill(HeadFrame(anchor, yaw));
    Rebuild();
}

Matrix SlashTrail::HeadFrame(const Matrix& anchor, float yaw) {
    return Matrix::CreateRotationY(ToRadians(yaw)) *
           Matrix::CreateTranslation(anchor.Translation());
}

void SlashTrail::Update(const Matrix& anchor, float yaw) {
    Update(anchor, yaw, true);
}

void SlashTrail::Update(const Matrix& anchor, float yaw, bool advance) {
    if (advance) {
        for (int i = kHistory - 1; i > 0; --i) history[i] = history[i - 1];
        history[0] = HeadFrame(anchor, yaw);
    }
    Rebuild();
}

void SlashTrail::Rebuild() {
    const Color white(1.0f, 1.0f, 1.0f, 1.0f);
    for (int i = 0; i < kHistory; ++i) {
        // u runs from −1 to −1/14; the wrapping sampler maps it onto the texture.
        const float u = static_cast<float>(i) / static_cast<float>(kHistory) - 1.0f;
        strip[2 * i] = {Vector3::Transform({0.0f, 0.0f, -1.0f}, history[i]), {u, 0.0f}, white};
        strip[2 * i + 1] = {Vector3::Transform({0.0f, 0.0f, 3.0f}, history[i]), {u, 1.0f}, white};
    }
}

void SlashTrail::Draw() {
    EffectQuad::DrawStrip(strip.data(), kVertices, Matrix::Identity(), texture, *blend);
}
