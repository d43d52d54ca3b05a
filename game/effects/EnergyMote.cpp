#include "game/effects/EnergyMote.h"

#include <cstdlib>

EnergyMote::EnergyMote(const Matrix& world) : quad("Data/effect/energyBullet.png") {
    velocity.x = static_cast<float>(rand() % 5 - 2) / 5.0f;
    velocity.y = static_cast<float>(rand() % 5 - 2) / 5.0f;
    velocity.z = static_cast<float>(rand() % 5 - 2) / 5.0f;
    Matrix start = world;
    start(3, 0) += velocity.x;
    quad.SetWorld(start);
}

void EnergyMote::Update(float halfSize) {
    if (!alive) return;
    if (velocity.x == 0.0f && velocity.y == 0.0f && velocity.z == 0.0f) {
        alive = false;
        return;
    }
    quad.SetWorld(Matrix::CreateTranslation(velocity) * quad.GetWorld());
    strength -= velocity.Length();
    quad.Billboard(quad.GetPosition());
    quad.SetRect(halfSize, halfSize, CellUV{}, strength);
    if (strength <= 0.0f) alive = false;
}
