#include "game/player/Weapon.h"

#include "engine/graphics/FwModel.h"

void Weapon::Place(const Matrix& local, const Matrix& mount, const Vector3& offset) {
    weaponWorld = local * Matrix::CreateTranslation(offset) * mount;
    if (weaponModel != nullptr) {
        SetModel(*weaponModel, weaponWorld);
    } else {
        matrix = weaponWorld;
    }
}
