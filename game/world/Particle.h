#pragma once

#include <array>
#include <memory>

#include "app/Object.h"
#include "engine/graphics/AdditiveBlend.h"
#include "engine/graphics/EffectVertex.h"
#include "engine/math/Matrix.h"
#include "engine/math/Vector3.h"

class FwTexture;

// A speck of dust near the player that shows in proportion to the player's speed and
// inversely to its distance ("Data/effect/test.png", 0.2 units across).
class Particle : public Object {
public:
    // Draws rand() three times: the offset from the player in x (±80), y (±10), z (±80).
    explicit Particle(const Vector3& playerPosition);

    // alpha = speed × 30 / distance, at most 1 (0 while the player stands); billboard.
    void Update(const Vector3& playerPosition, float playerSpeed);
    // Additive, without depth writes, through the effect shader; model shader active
    // again afterwards.
    void Draw() override;

    float GetAlpha() const { return alpha; }
    Vector3 GetPosition() const { return particleMatrix.Translation(); }
    const std::array<EffectVertex, 4>& GetVertices() const { return vertices; }

private:
    void BuildVertices();

    FwTexture* texture = nullptr;  // owned by the texture cache
    std::array<EffectVertex, 4> vertices{};
    Matrix particleMatrix;
    float alpha = 0.0f;
    // Additive without depth writes around the draw, alpha blending with writes after.
    std::unique_ptr<AdditiveBlend> blend;
};
