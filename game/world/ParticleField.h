#pragma once

#include <memory>
#include <vector>

#include "engine/math/Vector3.h"
#include "game/world/Particle.h"

// The 50 dust specks around the player. A speck more than 80 units from the player is
// replaced by a new one around the player's current position, so the list stays at 50.
class ParticleField {
public:
    static constexpr int kParticleCount = 50;
    static constexpr float kMaxDistance = 80.0f;  // world units

    explicit ParticleField(const Vector3& playerPosition);

    void Update(const Vector3& playerPosition, float playerSpeed);
    void Draw();

    const std::vector<std::unique_ptr<Particle>>& GetParticles() const { return particles; }

private:
    std::vector<std::unique_ptr<Particle>> particles;
};
