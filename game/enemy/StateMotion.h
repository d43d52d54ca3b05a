#pragma once

#include "engine/math/Matrix.h"
#include "engine/math/Vector3.h"

// Turning and moving rules shared by the AI states. Angles in degrees, distances in
// world units, all horizontal.
namespace StateMotion {

// Horizontal distance between the translations of two matrices.
float HorizontalDistance(const Matrix& a, const Matrix& b);

// Turns the robot toward the horizontal direction `target` by at most 5 degrees: the lean is
// removed, the heading compared with the target and yaw stepped; world becomes
// RotY(yaw) × T(position). Returns the unclamped angle between heading and target.
float TurnToward(Matrix& world, float pitch, float& yaw, const Vector3& target);

// world = T(0, 0, speed) × world: along the heading (negative backs off).
void Move(Matrix& world, float speed);

// world = RotX(pitch) × RotY(yaw) × T(position of world).
void Rebuild(Matrix& world, float pitch, float yaw);

// Pitch one degree closer to 0.
void Straighten(float& pitch);

}  // namespace StateMotion
