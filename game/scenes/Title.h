#pragma once

#include <memory>

#include "app/SceneBase.h"
#include "engine/math/Matrix.h"
#include "game/scenes/ScreenSprite.h"

class FwModel;
class FwSoundInstance;
class Thruster;

// The first screen, and the one every run returns to: the robot flies across the far
// background, then drops into a close-up in front of the camera, under the game's title.
// Enter or a click starts a fade of 101 passes into the battle.
class Title : public SceneBase {
public:
    Title();
    ~Title() override;
    void Update() override;
    void Draw() override;
    void SetCamera() override;
    bool OffersOptions() const override { return true; }

    bool IsStarted() const { return started; }
    float GetFade() const { return fade; }
    const Matrix& GetRobotMatrix() const { return robotMatrix; }
    bool HasThrusters() const { return thrusters[0] != nullptr; }

private:
    void Start();
    void MoveRobot();

    FwModel* spaceModel = nullptr;  // owned by the model cache
    FwModel* robotModel = nullptr;  // owned by the model cache
    ScreenSprite click;
    ScreenSprite title5;
    ScreenSprite title4;
    ScreenSprite fadeSprite;
    float fade = 0.0f;
    bool started = false;
    bool startSoundPlayed = false;
    Matrix spaceMatrix;
    Matrix robotMatrix;
    // Both exist during the fly-by and are dropped when the close-up begins.
    std::unique_ptr<Thruster> thrusters[2];
    std::shared_ptr<FwSoundInstance> bgm;
};
