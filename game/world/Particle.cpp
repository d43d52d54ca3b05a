#include "game/world/Particle.h"

#include <algorithm>
#include <cstdlib>

#include "engine/graphics/ShaderManager.h"
#include "engine/graphics/TextureCache.h"
#include "game/effects/EffectQuad.h"

Particle::Particle(const Vector3& playerPosition) : blend(std::make_unique<AdditiveBlend>()) {
    const float dx = static_cast<float>(rand() % 160 - 80);
    const float dy = static_cast<float>(rand() % 20 - 10);
    const float dz = static_cast<float>(rand() % 160 - 80);
    particleMatrix = Matrix::CreateTranslation(playerPosition + Vector3(dx, dy, dz));
    texture = GetTexture("Data/effect/test.png");
    BuildVertices();
}

void Particle::Update(const Vector3& playerPosition, float playerSpeed) {
    const Vector3 position = particleMatrix.Translation();
    if (playerSpeed == 0.0f) {
        alpha = 0.0f;
    } else {
        const float distance = Vector3::Distance(position, playerPosition);
        alpha = std::clamp(playerSpeed * 30.0f / distance, 0.0f, 1.0f);
    }
    Matrix facing = ShaderManager::GetInstance().GetView().Invert();
    facing.SetTranslation(Vector3());
    particleMatrix = facing * Matrix::CreateTranslation(position);
    BuildVertices();
}

void Particle::BuildVertices() {
    const Color c(1.0f, 1.0f, 1.0f, alpha);
    vertices[0] = {{-0.1f, 0.1f, 0.0f}, {0.0f, 0.0f}, c};
    vertices[1] = {{0.1f, 0.1f, 0.0f}, {1.0f, 0.0f}, c};
    vertices[2] = {{-0.1f, -0.1f, 0.0f}, {0.0f, 1.0f}, c};
    vertices[3] = {{0.1f, -0.1f, 0.0f}, {1.0f, 1.0f}, c};
}

void Particle::Draw() {
    EffectQuad::DrawStrip(vertices.data(), 4, particleMatrix, texture, *blend);
}
