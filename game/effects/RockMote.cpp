#include "game/effects/RockMote.h"

RockMote::RockMote(const Vector3& position) : quad("Data/effect/rock.png"), position(position) {
    quad.SetWorld(Matrix::CreateTranslation(position));
}

void RockMote::Update(float parentAlpha) {
    quad.Billboard(position);
    quad.SetRect(halfSize, halfSize, CellUV{}, alpha * parentAlpha);
    halfSize -= 0.01f;
    alpha -= 0.01f;
}
