#pragma once

#include "app/Object.h"
#include "engine/math/Matrix.h"

// A gun model on an enemy robot's shoulder. It only follows its carrier and draws itself;
// the robot computes its volley from its own matrices. Owned by the robot (two each).
class Cannon : public Object {
public:
    // offset: the mounting pose relative to the carrier's world matrix.
    explicit Cannon(const Matrix& offset);

    // The model at the world matrix, fully opaque (the model shader must be active).
    void Draw() override;
    // world = offset × carrier world.
    void Attach(const Matrix& carrierWorld);

    const Matrix& GetWorld() const { return world; }
    const Matrix& GetOffset() const { return offset; }

private:
    Matrix world;
    Matrix offset;
};
