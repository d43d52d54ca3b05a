#pragma once

#include "app/Object.h"
#include "engine/math/Matrix.h"

// The space sphere around everything ("Data/space/space.gltf", scale 1000), drawn unlit.
class Sky : public Object {
public:
    Sky();
    // Lighting off for the sphere, on again afterwards. Model shader active.
    void Draw() override;
    const Matrix& GetPlacement() const { return placement; }

private:
    Matrix placement;
};
