#include "game/enemy/EnemyHp.h"

#include <algorithm>

#include "engine/graphics/ShaderManager.h"
#include "engine/graphics/SpriteRect.h"

namespace {

constexpr float kHeadHeight = 4.5f;     // world units above the robot's centre
constexpr float kFullSizeRange = 5.0f;  // world units; closer than this: full size
constexpr float kScreenHalfWidth = 640.0f;
constexpr float kScreenHalfHeight = 360.0f;

}  // namespace

EnemyHp::EnemyHp() = default;

void EnemyHp::Update(int maxHp, int gaugeHp, const Matrix& enemyWorld, const Matrix& playerWorld) {
    const Vector3 enemy = enemyWorld.Translation();
    const float distance = Vector3::Distance(enemy, playerWorld.Translation());
    const float k = std::min(kFullSizeRange / distance, 1.0f);

    const float ratio = static_cast<float>(gaugeHp) / static_cast<float>(maxHp);
    fillIndex = ratio > 0.5f ? kGreen : (ratio < 0.3f ? kRed : kYellow);

    // Viewport 1280 × 720 at the origin, depth 0..1, re-centred with y up.
    const ShaderManager& shaders = ShaderManager::GetInstance();
    const Vector3 head(enemy.x, enemy.y + kHeadHeight, enemy.z);
    const Vector3 ndc = Vector3::Transform(head, shaders.GetView() * shaders.GetProjMatrix());
    screenPosition = Vector3(ndc.x * kScreenHalfWidth, ndc.y * kScreenHalfHeight, ndc.z);

    const float x = screenPosition.x;
    const float y = screenPosition.y + 20.0f * k;
    frameTransform =
        Matrix::CreateScale(0.95f * k, 0.95f * k, k) * Matrix::CreateTranslation(x, y, 0.0f);
    // The fill shrinks roughly from its right end, staying inside the frame.
    const float shift = static_cast<float>(maxHp - gaugeHp) * 0.15f * k;
    fillTransform = Matrix::CreateScale(ratio * 0.95f * k, 0.95f * k, k) *
                    Matrix::CreateTranslation(x - shift, y, 0.0f);
}

void EnemyHp::Draw() {
    if (!IsVisible()) return;
    SpriteShader& sprite = ShaderManager::GetInstance().GetSpriteShader();
    sprite.Begin(false, true);
    const SpriteRect fillRect{0, 0, 185, 19};
    const Color fillColour(1.0f, 1.0f, 1.0f, 0.8f);
    sprite.SetTransform(fillTransform);
    sprite.DrawSprite(textures[fillIndex], 0, 0, 185, 19, &fillRect, &fillColour, {0.5f, 0.5f});
    const SpriteRect frameRect{0, 0, 189, 20};
    const Color white(1.0f, 1.0f, 1.0f, 1.0f);
    sprite.SetTransform(frameTransform);
    sprite.DrawSprite(textures[0], 0, 0, 189, 20, &frameRect, &white, {0.5f, 0.5f});
    sprite.End();
}
