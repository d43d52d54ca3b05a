#pragma once

#include "app/Object.h"
#include "engine/math/Matrix.h"
#include "engine/math/Vector3.h"

// One of the large floating stones (owned by the StoneField). Obstacle for the collision
// queries and target of weapons, which only mark it hit; the field shatters it.
//
// SetMatrix writes the base matrix, so a push by a collision query lasts; the drawn
// matrix follows at the next Update.
class Stone : public Object {
public:
    static constexpr float kRadius = 7.0f;  // world units

    // Draws rand() four times: the model (rand() % 3), then the angles about X, Y and Z
    // (each rand() % 360 whole degrees). Base matrix = S(5) × RotZ × RotX × RotY.
    Stone();

    void SetMatrix(const Matrix& m) override { baseMatrix = m; }
    // matrix = base matrix, radius 7.
    void Update();

    // Moves the base matrix's translation to position and re-applies the model there.
    void PlaceAt(const Vector3& position);

    bool IsHit() const { return hit; }
    void SetHit(bool h) { hit = h; }
    const Matrix& GetBaseMatrix() const { return baseMatrix; }
    int GetModelIndex() const { return modelIndex; }

private:
    Matrix baseMatrix;
    bool hit = false;
    int modelIndex = 0;
};
