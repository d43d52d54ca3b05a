#include "game/effects/Explosion.h"

Explosion::Explosion(const Matrix& world)
    : quad("Data/effect/expAnime.png"), position(world.Translation()) {
    quad.SetWorld(world);
}

int Explosion::Update(float halfSize) {
    quad.Billboard(position);
    const int frame = static_cast<int>(counter);
    quad.SetRect(halfSize, halfSize,
                 EffectQuad::SheetCell(frame, 32, quad.GetTextureWidth(), quad.GetTextureHeight()),
                 1.0f);
    counter += 1.0f;
    return static_cast<int>(counter);
}
