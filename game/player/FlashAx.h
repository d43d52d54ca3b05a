#pragma once

#include <array>
#include <memory>

#include "app/Object.h"
#include "engine/graphics/EffectVertex.h"
#include "engine/math/Matrix.h"

class AdditiveBlend;
class FwModel;
class FwTexture;

// The glow over the player's axe while it swings: a glowing copy of the axe model whose
// opacity rises by 0.01 per pass, and a flash quad whose alpha rises by 0.02 per pass.
// Owned by the player from its first axe selection until its death.
class FlashAx : public Object {
public:
    explicit FlashAx(const Matrix& axe);
    ~FlashAx() override;

    // Follows the axe's matrix; glow false hides everything at once.
    void Follow(const Matrix& axe, bool glow);
    // The glow model at the axe's matrix, then (while active) the additive flash quad.
    void Draw() override;

    float GetGlowOpacity() const { return glowOpacity; }
    float GetQuadAlpha() const { return quadAlpha; }
    bool IsActive() const { return active; }
    const Matrix& GetBaseMatrix() const { return baseMatrix; }
    const Matrix& GetQuadMatrix() const { return quadMatrix; }

private:
    void BuildQuad();

    Matrix baseMatrix;
    FwModel* glowModel = nullptr;  // cached, not owned
    float glowOpacity = 0.0f;
    Matrix quadMatrix;
    std::array<EffectVertex, 4> quad{};
    FwTexture* flashTexture = nullptr;  // cached, not owned
    bool active = false;
    float quadAlpha = 0.0f;
    std::unique_ptr<AdditiveBlend> blend;
};
