// Enemy robot: death explosion, flying and tumbling limbs, fade-out.
#include "engine/audio/SoundCache.h"
#include "engine/math/Quaternion.h"
#include "game/effects/Explosion.h"
#include "game/enemy/Enemy.h"
#include "game/player/Ax.h"

namespace {

constexpr int kDebrisStartFrame = 10;  // limbs fly from the explosion's 11th frame
constexpr int kFadeStartFrame = 64;
constexpr float kFadeStep = 0.005f;  // alpha per pass

// Moves a limb by its velocity and turns it about its own origin.
void Tumble(Matrix& limb, const Vector3& velocity, const Matrix& spin) {
    const Vector3 position = limb.Translation() + velocity;
    Matrix rotation = limb;
    rotation.SetTranslation(Vector3());
    limb = spin * rotation;
    limb.SetTranslation(position);
}

}  // namespace

void Enemy::UpdateDeath() {
    if (hp < 1) {
        bodyMode = 3;
        weaponMode = kGunsFired;
        MoveDebris();
        if (!explosion && !exploded) {
            explosion = std::make_unique<Explosion>(world);
            exploded = true;
            axe.reset();
            PlaySound3DOnce("Data/sound/deadBom.wav", Position(), 0.1f, false, 30.0f);
        }
    }
    if (explosion) explosionFrame = explosion->Update(10.0f);
    if (explosionFrame > kFadeStartFrame) {
        alpha -= kFadeStep;
        explosion.reset();
        if (alpha < 0.0f) alive = false;
    }
}

void Enemy::MoveDebris() {
    if (explosionFrame <= kDebrisStartFrame) return;
    Matrix* limbs[5] = {&world, &rightHand, &leftHand, &rightLeg, &leftLeg};
    for (int k = 0; k < 5; ++k) {
        const Vector3& s = debrisSpin[k];
        const Matrix spin = Matrix::CreateFromQuaternion(
            Quaternion::CreateFromYawPitchRoll(ToRadians(s.y), ToRadians(s.x), ToRadians(s.z)));
        Tumble(*limbs[k], debrisVelocity[k], spin);
    }
}
