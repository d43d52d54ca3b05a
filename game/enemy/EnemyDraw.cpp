// Enemy robot: drawing.
#include "engine/graphics/ModelDrawer.h"
#include "engine/graphics/ShaderManager.h"
#include "game/effects/Explosion.h"
#include "game/effects/HitFlash.h"
#include "game/effects/MuzzleFlash.h"
#include "game/effects/SlashTrail.h"
#include "game/effects/SparkBurst.h"
#include "game/enemy/Cannon.h"
#include "game/enemy/Enemy.h"
#include "game/enemy/EnemyHp.h"
#include "game/player/Ax.h"
#include "game/player/BulletTrail.h"

namespace {
constexpr int kEnemyTrailTexture = 0;
}

void Enemy::Draw() {
    ModelShader& shader = ShaderManager::GetInstance().GetModelShader();
    const Matrix* limbs[5] = {&world, &rightHand, &leftHand, &rightLeg, &leftLeg};
    for (int k = 0; k < 5; ++k) {
        shader.SetWorld(*limbs[k]);
        DrawModel(models[k], alpha);
    }
    for (auto& gun : guns) gun->Draw();
    if (axe) axe->Draw();
    for (auto& shot : shots) shot.trail->Draw(kEnemyTrailTexture);
    if (bodyMode != 3) {
        if (slashTrail) slashTrail->Draw();
        if (axeHitEffect) axeHitEffect->Draw();
        if (gunHitEffect) gunHitEffect->Draw();
    }
    if (explosion) explosion->Draw();
    for (auto& slot : muzzleFlashes)
        for (auto& flash : slot)
            if (flash) flash->Draw();
}

void Enemy::DrawHpGauge() {
    if (showGauge && bodyMode != 3) hpGauge->Draw();
}
