#include "game/effects/SmokePuff.h"

#include <cstdlib>

namespace {
// Column 0, row 4 of the 8-column explosion sheet: a grey puff.
constexpr int kSmokeFrame = 32;
}  // namespace

SmokePuff::SmokePuff(const Matrix& world)
    : quad("Data/effect/expAnime.png"), position(world.Translation()), offset(rand() % 3 - 1) {
    position.x += static_cast<float>(offset);
    quad.SetWorld(world);
}

void SmokePuff::Update(float halfSize) {
    alpha -= static_cast<float>(std::abs(offset) + 1) / 100.0f;
    quad.Billboard(position);
    quad.SetRect(
        halfSize, halfSize,
        EffectQuad::SheetCell(kSmokeFrame, 32, quad.GetTextureWidth(), quad.GetTextureHeight()),
        alpha);
}
