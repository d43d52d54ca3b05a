#include "game/player/Hp.h"

#include "engine/graphics/FwTexture.h"
#include "engine/graphics/ShaderManager.h"
#include "engine/graphics/TextureCache.h"
#include "engine/math/Color.h"

namespace {
void DrawImage(FwTexture* texture, const Matrix& placement, int width, int height,
               const Color& colour) {
    if (texture == nullptr || texture->GetSRV() == 0) return;
    SpriteShader& sprite = ShaderManager::GetInstance().GetSpriteShader();
    sprite.SetTransform(placement);
    const SpriteRect source{0, 0, width, height};
    sprite.DrawSprite(texture, 0, 0, width, height, &source, &colour, {0.5f, 0.5f});
}
}  // namespace

Hp::Hp() {
    textures[0] = GetTexture("Data/tex/hpgauge.png");
    textures[1] = GetTexture("Data/tex/hpgaugeG.png");
    textures[2] = GetTexture("Data/tex/hpgaugeY.png");
    textures[3] = GetTexture("Data/tex/hpgaugeR.png");
    barBase = Matrix::CreateTranslation(-280.0f, 300.0f, 0.0f);
    frameMatrix = Matrix::CreateScale(2.0f, 2.0f, 1.0f) * barBase;
    barMatrix = frameMatrix;
    portrait = GetTexture("Data/tex/playerchar.png");
    portraitMatrix = Matrix::CreateTranslation(-550.0f, 300.0f, 0.0f);
}

void Hp::SetValue(int max, int value) {
    if (value == shownValue) return;
    // A zero max would divide by zero; show an empty bar instead.
    const float c = max != 0 ? static_cast<float>(value) / static_cast<float>(max) : 0.0f;
    const Vector3 base = barBase.Translation();
    const float x = base.x - (1.0f - c) * kBarShift;
    barMatrix =
        Matrix::CreateScale(2.0f * c, 2.0f, 1.0f) * Matrix::CreateTranslation(x, base.y, base.z);
    shownValue = value;
    if (c > 0.5f) {
        colorIndex = kGreen;
    } else if (c < 0.3f) {
        colorIndex = kRed;
    } else {
        colorIndex = kYellow;
    }
}

void Hp::Draw() {
    DrawImage(textures[colorIndex], barMatrix, 189, 20, Color(1.0f, 1.0f, 1.0f, 0.8f));
    DrawImage(textures[0], frameMatrix, 189, 20, Color(1.0f, 1.0f, 1.0f, 1.0f));
    DrawImage(portrait, portraitMatrix, 130, 80, Color(1.0f, 1.0f, 1.0f, 1.0f));
}
