#include "game/effects/HitFlash.h"

HitFlash::HitFlash() : quad("Data/effect/attack2.png") {}

HitFlash::HitFlash(const Matrix& world)
    : quad("Data/effect/attack2.png"), position(world.Translation()) {
    quad.SetWorld(world);
}

CellUV HitFlash::FrameCell(int frame, int textureWidth, int textureHeight) {
    if (textureWidth <= 0 || textureHeight <= 0) return {0, 0, 0, 0};
    const float uStep = static_cast<float>(kCellPixels) / static_cast<float>(textureWidth);
    const float vStep = static_cast<float>(kCellPixels) / static_cast<float>(textureHeight);
    CellUV cell;
    cell.left = static_cast<float>(frame % 8) * uStep;
    cell.top = static_cast<float>(frame) * vStep;
    cell.right = cell.left + uStep;
    cell.bottom = cell.top + vStep;
    return cell;
}

int HitFlash::Show(float halfSize, float step) {
    const int frame = static_cast<int>(counter);
    quad.SetRect(halfSize, halfSize,
                 FrameCell(frame, quad.GetTextureWidth(), quad.GetTextureHeight()), 1.0f);
    counter += step;
    return static_cast<int>(counter);
}

int HitFlash::Update(const Matrix& ownerWorld) {
    // Just in front of the owner, in the owner's own orientation.
    quad.SetWorld(Matrix::CreateTranslation(0.0f, 0.0f, 0.6f) * ownerWorld);
    return Show(3.0f, 0.25f);
}

int HitFlash::Update(float halfSize) {
    quad.Billboard(position);
    return Show(halfSize, 0.2f);
}

int HitFlash::Update() {
    quad.Billboard(position);
    return Show(10.0f, 0.25f);
}
