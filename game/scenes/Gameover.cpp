#include "game/scenes/Gameover.h"

#include "app/InputLatch.h"
#include "app/SceneManager.h"
#include "engine/audio/SoundCache.h"
#include "engine/graphics/ShaderManager.h"
#include "engine/graphics/TextureCache.h"
#include "engine/platform/Keys.h"
#include "engine/platform/Platform.h"
#include "game/scenes/ResultCamera.h"
#include "game/scenes/Title.h"

Gameover::Gameover() {
    bgm = PlayMusic("Data/sound/gameover.wav", 0.03f, true);
    picture = {GetTexture("Data/tex/gameoverPlayer.png"), Matrix::CreateScale(1.1f), 1195, 672};
    caption = {GetTexture("Data/tex/gameover.png"),
               Matrix::CreateScale(3) * Matrix::CreateTranslation(0, 450, 0), 266, 90};
    fadeSprite = {GetTexture("Data/tex/black.png"), Matrix::Identity(), 1280, 720};
}

Gameover::~Gameover() {
    if (bgm) bgm->Stop();
}

void Gameover::Start() {
    started = true;
    if (!startSoundPlayed) {
        PlaySoundOnce("Data/sound/start.wav", 0.1f, false);
        startSoundPlayed = true;
    }
}

void Gameover::Update() {
    Platform& platform = GetPlatform();
    InputLatch& latch = InputLatch::GetInstance();
    if (latch.TriggerEnter(platform.IsKeyDown(vk::Return))) Start();
    if (latch.TriggerClick(platform.IsKeyDown(vk::LButton))) Start();

    if (passCount < kTimeoutPasses) {
        ++passCount;
        if (started) fade += 0.01f;
    } else {
        // Timed out: return by itself, silently.
        started = true;
        fade += 0.01f;
    }
    if (fade > 1.0f) SceneManager::GetInstance().SetScene(new Title);

    Vector3 position = caption.transform.Translation();
    position.y -= 3.0f;
    if (position.y < 0.0f) position.y = 0.0f;
    caption.transform.SetTranslation(position);
}

void Gameover::Draw() {
    SpriteShader& sprites = ShaderManager::GetInstance().GetSpriteShader();
    sprites.Begin(false, true);
    picture.Draw();
    caption.Draw();
    if (started) fadeSprite.Draw(Color(1, 1, 1, fade));
    sprites.End();
}

void Gameover::SetCamera() {
    SetResultSceneCamera();
}
