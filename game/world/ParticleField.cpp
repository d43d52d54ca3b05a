#include "game/world/ParticleField.h"

ParticleField::ParticleField(const Vector3& playerPosition) {
    particles.reserve(kParticleCount);
    for (int i = 0; i < kParticleCount; ++i)
        particles.push_back(std::make_unique<Particle>(playerPosition));
}

void ParticleField::Update(const Vector3& playerPosition, float playerSpeed) {
    for (auto& particle : particles) particle->Update(playerPosition, playerSpeed);
    // Each particle is examined once; replacements join at the end.
    size_t remaining = particles.size();
    for (size_t i = 0; remaining > 0; --remaining) {
        if (Vector3::Distance(particles[i]->GetPosition(), playerPosition) > kMaxDistance) {
            particles.erase(particles.begin() + static_cast<std::ptrdiff_t>(i));
            particles.push_back(std::make_unique<Particle>(playerPosition));
        } else {
            ++i;
        }
    }
}

void ParticleField::Draw() {
    for (auto& particle : particles) particle->Draw();
}
