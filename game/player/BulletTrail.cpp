#include "game/player/BulletTrail.h"

#include "engine/graphics/AdditiveBlend.h"
#include "engine/graphics/TextureCache.h"
#include "game/effects/EffectQuad.h"

BulletTrail::BulletTrail(const Matrix& start) {
    history.fill(start);
    playerTexture = GetTexture("Data/tex/bullet2.png");
    enemyTexture = GetTexture("Data/tex/bullet3.png");
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
            const Color white(1.0f, 1.0f, 1.0f, 1.0f);
            ribbons[which][n * 2] = {a, {0.0f, v}, white};
            ribbons[which][n * 2 + 1] = {b, {1.0f, v}, white};
        }
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
    for (const auto& ribbon : ribbons) {
        EffectQuad::DrawStrip(ribbon.data(), kLength * 2, Matrix::Identity(), texture, *blend);
    }
}
