#include "game/effects/MuzzleFlash.h"

#include <cstdlib>

MuzzleFlash::MuzzleFlash(const Matrix& world, float size)
    : quad("Data/effect/muzzle.png"), spin(rand() % 360), size(size) {
    quad.SetWorld(world);
}

void MuzzleFlash::Update() {
    quad.Billboard(quad.GetPosition());
    quad.SetWorld(Matrix::CreateTranslation(0.0f, 0.1f, 0.0f) *
                  Matrix::CreateRotationZ(ToRadians(static_cast<float>(spin))) * quad.GetWorld());
    size -= 0.2f;
    alpha -= 0.07f;
    quad.SetRect(size + 1.5f, size, CellUV{}, alpha);
}
