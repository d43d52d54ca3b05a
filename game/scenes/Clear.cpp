#include "game/scenes/Clear.h"

#include "app/InputLatch.h"
#include "app/SceneManager.h"
#include "engine/graphics/ShaderManager.h"
#include "engine/graphics/TextureCache.h"
#include "engine/platform/Keys.h"
#include "engine/platform/Platform.h"
#include "game/scenes/ResultCamera.h"
#include "game/scenes/Title.h"

Clear::Clear() {
    picture = {GetTexture("Data/tex/clearPlayer2.png"), Matrix::Identity(), 1280, 817};
    caption = {GetTexture("Data/tex/clear.png"),
               Matrix::CreateScale(3) * Matrix::CreateTranslation(-200, 265, 0), 295, 90};
    click = {GetTexture("Data/title/click.png"),
             Matrix::CreateScale(0.5f) * Matrix::CreateTranslation(400, -300, 0), 792, 161};
    fadeSprite = {GetTexture("Data/tex/black.png"), Matrix::Identity(), 1280, 720};
}

void Clear::Update() {
    Platform& platform = GetPlatform();
    InputLatch& latch = InputLatch::GetInstance();
    if (latch.TriggerEnter(platform.IsKeyDown(vk::Return))) started = true;
    if (latch.TriggerClick(platform.IsKeyDown(vk::LButton))) started = true;
    if (started) {
        fade += 0.01f;
        if (fade > 1.0f) SceneManager::GetInstance().SetScene(new Title);
    }
}

void Clear::Draw() {
    SpriteShader& sprites = ShaderManager::GetInstance().GetSpriteShader();
    sprites.Begin(false, true);
    picture.Draw();
    caption.Draw();
    click.Draw();
    if (started) fadeSprite.Draw(Color(1, 1, 1, fade));
    sprites.End();
}

void Clear::SetCamera() {
    SetResultSceneCamera();
}
