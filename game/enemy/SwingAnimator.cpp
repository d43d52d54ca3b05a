#include "game/enemy/SwingAnimator.h"

#include <limits>

#include "engine/audio/SoundCache.h"

// The key angles are the raw values the swing was tuned with, passed as radians.
Matrix SwingAnimator::EnemyRaisePose() {
    return Matrix::CreateRotationX(180.0f) * Matrix::CreateTranslation(0.8f, 0.0f, 0.0f);
}

Matrix SwingAnimator::PlayerRaisePose() {
    return Matrix::CreateRotationX(180.0f) * Matrix::CreateTranslation(0.7f, 0.0f, 0.0f);
}

Matrix SwingAnimator::EnemyStrikePose() {
    return Matrix::CreateRotationX(70.0f) * Matrix::CreateTranslation(1.0f, 0.3f, 0.5f);
}

Matrix SwingAnimator::PlayerStrikePose() {
    return Matrix::CreateRotationX(70.0f) * Matrix::CreateTranslation(0.6f, -0.0f, 0.5f);
}

void SwingAnimator::PlayStrikeSound(const Matrix& rest, const Matrix& ownerWorld) {
    PlaySound3DOnce("Data/sound/attack.wav", (rest * ownerWorld).Translation(), 0.1f, false,
                    std::numeric_limits<float>::max());
}

void SwingAnimator::RunEnemySwing(const Matrix& rest, const Matrix& ownerWorld) {
    running = true;
    if (keyIndex == 0 && setUpIndex == 0) {
        pose.SetUp(0.025f, rest, EnemyRaisePose());
        setUpIndex = 1;
    }
    if (keyIndex == 1 && setUpIndex == 1) {
        pose.SetUp(0.1f, pose.GetCurrent(), EnemyStrikePose());
        hitWindow = true;
        PlayStrikeSound(rest, ownerWorld);
        setUpIndex = 2;
    }
    if (keyIndex == 2 && setUpIndex == 2) {
        pose.SetUp(0.1f, pose.GetCurrent(), rest);
        setUpIndex = 3;
        hitWindow = false;
    }
    if (pose.Advance(true)) ++keyIndex;
    output = pose.GetCurrent();
    if (keyIndex > 2) {
        running = hitWindow = false;
        keyIndex = setUpIndex = 0;
    } else if (swingFlag) {
        running = hitWindow = false;
        keyIndex = setUpIndex = 0;
        pose.SetProgress(0.0f);
    }
}

void SwingAnimator::RunPlayerSwing(const Matrix& rest, const Matrix& ownerWorld) {
    running = true;
    if (keyIndex == 0 && setUpIndex == 0) {
        pose.SetUp(0.02f, rest, PlayerRaisePose());
        setUpIndex = 1;
        swingFlag = true;
    }
    if (keyIndex == 1 && setUpIndex == 1) {
        pose.SetUp(0.1f, pose.GetCurrent(), PlayerStrikePose());
        hitWindow = true;
        swingFlag = true;
        PlayStrikeSound(rest, ownerWorld);
        setUpIndex = 2;
    }
    if (keyIndex == 2 && setUpIndex == 2) {
        // A hold at the struck pose: strike again from where the strike ended.
        pose.SetUp(0.1f, pose.GetCurrent(), PlayerStrikePose());
        setUpIndex = 3;
        hitWindow = false;
        swingFlag = false;
    }
    if (keyIndex == 3 && setUpIndex == 3) {
        pose.SetUp(0.1f, pose.GetCurrent(), rest);
        setUpIndex = 4;
        hitWindow = false;
    }
    if (pose.Advance(true)) ++keyIndex;
    output = pose.GetCurrent();
    if (keyIndex >= 4) {
        running = hitWindow = false;
        keyIndex = setUpIndex = 0;
    }
}
