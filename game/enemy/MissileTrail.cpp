#include "game/enemy/MissileTrail.h"

#include "engine/graphics/AdditiveBlend.h"
#include "engine/graphics/TextureCache.h"
#include "game/effects/EffectQuad.h"

namespace {

constexpr float kHeadHalfWidth = 0.3f;  // world units at the missile
constexpr float kTailHalfWidth = 2.5f;  // world units at the oldest placement

}  // namespace

MissileTrail::MissileTrail(const Matrix& start)
    : history(kLength, start),
      texture(GetTexture("Data/tex/bullet3.png")),
      blend(std::make_unique<AdditiveBlend>()) {
    ribbons[0].resize(kLength * 2);
    ribbons[1].resize(kLength * 2);
    Build();
}

MissileTrail::~MissileTrail() = default;

void MissileTrail::Update(const Matrix& missile) {
    for (int i = kLength - 1; i > 0; --i) history[i] = history[i - 1];
    history[0] = missile;
    Build();
}

void MissileTrail::Build() {
    // Smoke spreads and thins out with age; one ribbon along the missile's X axis, one
    // along its Y axis.
    for (int i = 0; i < kLength; ++i) {
        const float age = static_cast<float>(i) / static_cast<float>(kLength - 1);
        const float halfWidth = kHeadHalfWidth + (kTailHalfWidth - kHeadHalfWidth) * age;
        const float alpha = 0.6f * (1.0f - age);
        const Matrix& m = history[i];
        const Vector3 at = m.Translation();
        const Vector4 x = m.Row(0);
        const Vector4 y = m.Row(1);
        const Vector3 axes[2] = {Vector3(x.x, x.y, x.z).Normalized() * halfWidth,
                                 Vector3(y.x, y.y, y.z).Normalized() * halfWidth};
        const float v = static_cast<float>(i) / static_cast<float>(kLength);
        for (int r = 0; r < 2; ++r) {
            ribbons[r][i * 2] = EffectVertex{at - axes[r], Vector2(0.0f, v), Color(1, 1, 1, alpha)};
            ribbons[r][i * 2 + 1] =
                EffectVertex{at + axes[r], Vector2(1.0f, v), Color(1, 1, 1, alpha)};
        }
    }
}

void MissileTrail::Draw() {
    for (auto& ribbon : ribbons)
        EffectQuad::DrawStrip(ribbon.data(), static_cast<unsigned>(ribbon.size()), Matrix(),
                              texture, *blend);
}
