#pragma once

#include "engine/math/Matrix.h"

class FwTexture;

// The player's HP gauge (upper left): a bar in green, yellow or red inside a frame, with
// the pilot portrait. The enemy robots' gauge (EnemyHp) derives from it. Screen
// coordinates are sprite pixels: origin at the screen centre, y up.
//
// Drawn between the sprite batch's Begin and End by its owner.
class Hp {
public:
    // Colour indices of the bar.
    static constexpr int kGreen = 1;
    static constexpr int kYellow = 2;
    static constexpr int kRed = 3;
    // Bar width in screen pixels at scale 1; the bar shrinks from its right end.
    static constexpr float kBarShift = 185.0f;

    Hp();
    // Virtual so that a derived gauge deleted through an Hp pointer is destroyed whole.
    virtual ~Hp() = default;

    // Shows value out of max. An unchanged value is ignored, whatever max is. The colour
    // is green above half, red below 0.3 and yellow between (both ends yellow).
    virtual void SetValue(int max, int value);
    virtual void Draw();

    int GetShownValue() const { return shownValue; }
    int GetColorIndex() const { return colorIndex; }
    const Matrix& GetBarMatrix() const { return barMatrix; }
    const Matrix& GetFrameMatrix() const { return frameMatrix; }

protected:
    // Frame, then the bar in green, yellow and red; cached, not owned.
    FwTexture* textures[4] = {};
    Matrix frameMatrix;
    Matrix barMatrix;
    FwTexture* portrait = nullptr;
    Matrix portraitMatrix;
    int shownValue = 0;
    Matrix barBase;
    int colorIndex = 0;
};
