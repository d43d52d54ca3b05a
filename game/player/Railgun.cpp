#include "game/player/Railgun.h"

#include "engine/graphics/ModelCache.h"

Railgun::Railgun() {
    weaponModel = GetModel("Data/gun01/gun01.gltf");
}

void Railgun::Attach(const Matrix& mount, const Vector3& offset) {
    const Matrix local = Matrix::CreateScale(0.7f, 0.7f, 0.7f) *
                         Matrix::CreateRotationZ(ToRadians(rollAngle)) *
                         Matrix::CreateRotationX(ToRadians(pitchAngle)) *
                         Matrix::CreateRotationY(ToRadians(yawAngle));
    damage = shotDamage;
    Place(local, mount, offset);
}

void Railgun::HitTest(const Matrix&) {}
