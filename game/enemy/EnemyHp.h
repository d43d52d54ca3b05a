#pragma once

#include "engine/math/Matrix.h"
#include "engine/math/Vector3.h"
#include "game/player/Hp.h"

// The small HP bar that floats above an enemy robot's head on the screen. It grows as the
// player comes closer (full size within 5 world units), shows green, yellow or red by the
// gauge ratio and is hidden while the head lies beyond the far plane. Owned by its robot,
// which updates it every pass and draws it when its show-gauge flag is set.
class EnemyHp : public Hp {
public:
    EnemyHp();

    // gaugeHp of maxHp; the head point is 4.5 above the robot; closeness from the distance
    // to the player. Projects with the camera matrices of the shader manager.
    void Update(int maxHp, int gaugeHp, const Matrix& enemyWorld, const Matrix& playerWorld);
    // One sprite batch: fill, then frame. Nothing when the head is at or beyond the far plane.
    void Draw() override;

    // Screen position: x, y in centred sprite pixels (y up), z the projected depth 0..1.
    const Vector3& GetScreenPosition() const { return screenPosition; }
    int GetFillIndex() const { return fillIndex; }
    const Matrix& GetFrameTransform() const { return frameTransform; }
    const Matrix& GetFillTransform() const { return fillTransform; }
    // Whether Draw would draw (projected depth below 1).
    bool IsVisible() const { return screenPosition.z < 1.0f; }

private:
    Matrix frameTransform;
    Matrix fillTransform;
    Vector3 screenPosition;
    int fillIndex = kGreen;
};
