#include "game/effects/RisingFlame.h"

#include <cstdlib>

RisingFlame::RisingFlame(const Matrix& world)
    : quad("Data/effect/expAnime.png"), position(world.Translation()), drift(rand() % 5 - 2) {
    quad.SetWorld(world);
}

void RisingFlame::Update(float halfSize) {
    alpha -= static_cast<float>(std::abs(drift) + 1) / 100.0f;
    position.y += 0.1f;
    position.x += (rand() % 2 == 1) ? 0.1f : -0.1f;
    quad.Billboard(position);
    const int frame = counter > 32.0f ? 32 : static_cast<int>(counter);
    quad.SetRect(halfSize, halfSize,
                 EffectQuad::SheetCell(frame, 32, quad.GetTextureWidth(), quad.GetTextureHeight()),
                 alpha);
    counter += 0.25f;
}
