#pragma once

#include "app/Object.h"
#include "engine/math/Matrix.h"

// The satellite far below and behind the start ("Data/satellite/satellite.gltf"):
// S(40) × RotY(30°) × T(−600, −100, −700), lit.
class Earth : public Object {
public:
    Earth();
    void Draw() override;
    const Matrix& GetPlacement() const { return placement; }

private:
    Matrix placement;
};
