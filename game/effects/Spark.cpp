#include "game/effects/Spark.h"

#include <cstdlib>

Spark::Spark(const Matrix& world, int type)
    : quad(type == 0 ? "Data/effect/enemyEffect.png" : "Data/effect/playerEffect.png"),
      spin(rand() % 360),
      baseSize(type == 2 || type == 3 ? Vector2(2.5f, 2.5f) : Vector2(0.5f, 0.0f)) {
    quad.SetWorld(world);
}

void Spark::Update() {
    quad.Billboard(quad.GetPosition());
    quad.SetWorld(Matrix::CreateTranslation(0.0f, 0.1f, 0.0f) *
                  Matrix::CreateRotationZ(ToRadians(static_cast<float>(spin))) * quad.GetWorld());
    grow += 0.2f;
    alpha -= 0.05f;
    quad.SetRect(grow + baseSize.x, grow + baseSize.y, CellUV{}, alpha);
}
