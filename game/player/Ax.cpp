#include "game/player/Ax.h"

#include "engine/graphics/ModelCache.h"

Ax::Ax(int kind) : kind(kind) {
    if (kind == 0) {
        weaponModel = GetModel("Data/ax/ax.gltf");
    } else if (kind == 1) {
        weaponModel = GetModel("Data/enemyAx/enemyAx.gltf");
    }
}

void Ax::Attach(const Matrix& mount, const Vector3& offset) {
    const Matrix local = Matrix::CreateScale(0.9f, 1.2f, 0.9f) *
                         Matrix::CreateRotationZ(ToRadians(rollAngle)) *
                         Matrix::CreateRotationY(ToRadians(yawAngle));
    Place(local, mount, offset);
}

void Ax::HitTest(const Matrix& target) {
    const float d = Vector3::Distance(weaponWorld.Translation(), target.Translation());
    ownDamage = d < kReach ? kHitDamage : 0;
    damage = ownDamage;
}
