#pragma once

#include "app/SceneBase.h"
#include "game/scenes/ScreenSprite.h"

// The stage-clear screen: a still picture until Enter or a click, then a fade to black
// of 101 passes and back to the title. No time-out, no sound.
class Clear : public SceneBase {
public:
    Clear();
    void Update() override;
    void Draw() override;
    void SetCamera() override;
    bool DrawsWorld() const override { return false; }

    bool IsStarted() const { return started; }
    float GetFade() const { return fade; }

private:
    ScreenSprite picture;
    ScreenSprite caption;
    ScreenSprite click;
    ScreenSprite fadeSprite;
    float fade = 0.0f;
    bool started = false;
};
