#pragma once

#include "app/Object.h"
#include "engine/math/Matrix.h"
#include "engine/math/Vector3.h"

class FwModel;

// A hand-held weapon of a robot (the player's or an enemy's). Owned by the robot that
// carries it, placed by Attach every pass and drawn by its owner through Object::Draw,
// which draws the copy of the weapon model that Attach leaves in the Object part.
class Weapon : public Object {
public:
    Weapon() = default;
    ~Weapon() override = default;

    // Places the weapon: weapon world = local × T(offset) × mount, where local is the
    // weapon's own grip transform. The Object matrix becomes the weapon world afterwards,
    // so GetMatrix and Draw follow the weapon.
    virtual void Attach(const Matrix& mount, const Vector3& offset) = 0;
    // Melee test against a target's world matrix; the outcome is read with GetDamage.
    virtual void HitTest(const Matrix& target) = 0;

    int GetDamage() const { return damage; }
    void SetDamage(int value) { damage = value; }
    const Matrix& GetWeaponWorld() const { return weaponWorld; }
    // Null when the model path was not one of the known weapons.
    const FwModel* GetWeaponModel() const { return weaponModel; }

protected:
    // The shared part of Attach.
    void Place(const Matrix& local, const Matrix& mount, const Vector3& offset);

    int damage = 0;
    // From the model cache; not owned.
    FwModel* weaponModel = nullptr;
    Matrix weaponWorld;
};
