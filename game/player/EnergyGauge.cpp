#include "game/player/EnergyGauge.h"

#include <algorithm>

#include "engine/graphics/FwTexture.h"
#include "engine/graphics/ShaderManager.h"
#include "engine/graphics/TextureCache.h"
#include "engine/math/Color.h"

namespace {
void DrawImage(FwTexture* texture, const Matrix& placement, int width, int height) {
    if (texture == nullptr || texture->GetSRV() == 0) return;
    SpriteShader& sprite = ShaderManager::GetInstance().GetSpriteShader();
    sprite.SetTransform(placement);
    const SpriteRect source{0, 0, width, height};
    const Color white(1.0f, 1.0f, 1.0f, 1.0f);
    sprite.DrawSprite(texture, 0, 0, width, height, &source, &white, {0.5f, 0.5f});
}

constexpr float kFillShift = 145.0f;  // screen pixels from full to empty
// The shot-cost marker's image, shown 20 x 25 pixels (it was a 1000-pixel image at a fiftieth
// of its size: 4 MB of texture for a few hundred pixels).
constexpr int kMarkerPixels = 100;
}  // namespace

EnergyGauge::EnergyGauge() {
    frameTexture = GetTexture("Data/tex/gauge.png");
    fillTexture = GetTexture("Data/tex/ingauge.png");
    overheatFillTexture = GetTexture("Data/tex/hpgaugeY.png");
    overheatLabelTexture = GetTexture("Data/tex/overHeat.png");
    labelMatrix =
        Matrix::CreateScale(0.22f, 0.2f, 1.0f) * Matrix::CreateTranslation(0.0f, -250.0f, 0.0f);
    markerTexture = GetTexture("Data/tex/line.png");
}

void EnergyGauge::SetValue(int energy, int index) {
    const float c = static_cast<float>(std::max(energy, 0)) / static_cast<float>(kFull);
    frameMatrix =
        Matrix::CreateScale(3.0f, 1.0f, 1.0f) * Matrix::CreateTranslation(0.0f, -300.0f, 0.0f);
    fillMatrix = Matrix::CreateScale(c, 1.0f, 1.0f) * Matrix::CreateScale(3.0f, 1.0f, 1.0f) *
                 Matrix::CreateTranslation(-(1.0f - c) * kFillShift, -300.0f, 0.0f);
    weaponIndex = index;
    if (weaponIndex == 1) {
        // Sits at the fill level of 800 energy, the rail gun's shot cost.
        markerMatrix = Matrix::CreateScale(20.0f / kMarkerPixels, 25.0f / kMarkerPixels, 1.0f) *
                       Matrix::CreateTranslation(80.0f, -296.0f, 0.0f);
    }
}

void EnergyGauge::Draw(bool overheated) {
    if (overheated) {
        DrawImage(overheatFillTexture, fillMatrix, 95, 15);
        DrawImage(overheatLabelTexture, labelMatrix, 1064, 300);
    } else {
        DrawImage(fillTexture, fillMatrix, 100, 50);
    }
    DrawImage(frameTexture, frameMatrix, 100, 50);
    if (weaponIndex == 1) DrawImage(markerTexture, markerMatrix, kMarkerPixels, kMarkerPixels);
}
