#pragma once

#include "app/Object.h"
#include "engine/math/Matrix.h"
#include "engine/math/Vector3.h"

// A chip of a shattered stone: flies straight on while spinning, opaque for 180 steps,
// then fades over 500 more and is removed by the field.
class Fragment : public Object {
public:
    // Draws rand() eight times, in this order: scale, speed, the three direction angles,
    // the three spins. Starts 20 steps out along its path from the stone's position.
    explicit Fragment(const Matrix& stoneBase);

    // One step of flight, spin and fading.
    void Step();
    // The fragment model at its own matrix with its opacity.
    void Draw() override;

    bool IsDead() const { return dead; }
    float GetAlpha() const { return alpha; }
    int GetAge() const { return age; }
    const Vector3& GetVelocity() const { return velocity; }
    const Matrix& GetFragmentMatrix() const { return fragmentMatrix; }
    Vector3 GetPosition() const { return fragmentMatrix.Translation(); }

private:
    Matrix fragmentMatrix;
    int age = 0;
    float alpha = 1.0f;
    bool dead = false;
    int scale = 2;
    float speed = 0.0f;
    Vector3 spin;  // degrees per step (pitch, yaw, roll)
    Vector3 velocity;
};
