#pragma once

#include <memory>

#include "app/SceneBase.h"
#include "game/scenes/ScreenSprite.h"

class FwSoundInstance;

// The game-over screen: music, the caption sliding down over the wrecked robot, then a
// fade back to the title after Enter or a click, or by itself after 601 passes.
class Gameover : public SceneBase {
public:
    Gameover();
    ~Gameover() override;
    void Update() override;
    void Draw() override;
    void SetCamera() override;
    bool DrawsWorld() const override { return false; }

    bool IsStarted() const { return started; }
    float GetFade() const { return fade; }
    int GetPassCount() const { return passCount; }
    float GetCaptionY() const { return caption.transform.Translation().y; }
    bool IsStartSoundPlayed() const { return startSoundPlayed; }

    // Passes the screen waits for input before it returns by itself.
    static constexpr int kTimeoutPasses = 601;

private:
    void Start();

    ScreenSprite picture;
    ScreenSprite caption;
    ScreenSprite fadeSprite;
    float fade = 0.0f;
    bool started = false;
    int passCount = 0;
    bool startSoundPlayed = false;
    std::shared_ptr<FwSoundInstance> bgm;
};
