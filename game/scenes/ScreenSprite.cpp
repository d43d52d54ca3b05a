#include "game/scenes/ScreenSprite.h"

#include "engine/graphics/ShaderManager.h"
#include "engine/graphics/SpriteRect.h"

void ScreenSprite::Draw(const Color& colour) const {
    if (!texture) return;
    SpriteShader& sprites = ShaderManager::GetInstance().GetSpriteShader();
    sprites.SetTransform(transform);
    const SpriteRect source{0, 0, width, height};
    sprites.DrawSprite(texture, 0, 0, width, height, &source, &colour, {0.5f, 0.5f});
}
