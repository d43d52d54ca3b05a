#pragma once

#include "engine/math/Matrix.h"
#include "game/enemy/PoseInterpolator.h"

// The axe swings of the player and the enemy robots, one frame per call. Poses are local
// matrices relative to the owner's rest pose; the owner multiplies the output by its own
// world matrix. The key angles 180 and 70 are passed to the rotation as radians, as the
// swing was tuned with them.
//
// Enemy swing: raise (steps of 0.025), strike (10 frames, hit window open), return (10).
// Setting the swing flag aborts it on that frame; the next call starts again from the raise.
// Player swing: raise (steps of 0.02), strike (10, hit window open), hold (10), return (10);
// the swing flag marks the raise and the strike. The raises sum their steps in single
// precision and end one frame after the nominal 40 and 50: 61 and 81 frames in all.
//
// The strike sound is placed at the rest pose carried into the world by ownerWorld, the
// owner's world matrix: that is where the swing is heard.
class SwingAnimator {
public:
    void RunEnemySwing(const Matrix& rest, const Matrix& ownerWorld);
    void RunPlayerSwing(const Matrix& rest, const Matrix& ownerWorld);

    const Matrix& GetOutputPose() const { return output; }
    bool IsRunning() const { return running; }
    bool IsHitWindow() const { return hitWindow; }
    bool GetSwingFlag() const { return swingFlag; }
    void SetSwingFlag(bool flag) { swingFlag = flag; }
    void SetProgress(float progress) { pose.SetProgress(progress); }

    int GetKeyIndex() const { return keyIndex; }
    const PoseInterpolator& GetPose() const { return pose; }

    static Matrix EnemyRaisePose();
    static Matrix PlayerRaisePose();
    static Matrix EnemyStrikePose();
    static Matrix PlayerStrikePose();

private:
    // "Data/sound/attack.wav" at the rest pose in the world.
    static void PlayStrikeSound(const Matrix& rest, const Matrix& ownerWorld);

    PoseInterpolator pose;
    Matrix output;
    bool running = false;
    bool hitWindow = false;
    int keyIndex = 0;
    int setUpIndex = 0;
    bool swingFlag = false;
};
