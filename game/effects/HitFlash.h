#pragma once

#include "engine/math/Matrix.h"
#include "game/effects/EffectQuad.h"

// The bullet-hit flash of robots, cannons and stones: "Data/effect/attack2.png", kCellPixels
// cells. Every update form shows the frame of the current counter and returns the new
// counter as an int; owners delete the flash once it returns 8.
class HitFlash {
public:
    // The sheet's cells. The texture coordinates (an eighth of the sheet per cell) are what
    // the flash is drawn with; cells of 240 pixels made a 1920 × 1920 sheet of 14 MB for a
    // soft glow that looks the same from 120-pixel cells at a quarter of the memory.
    static constexpr int kCellPixels = 120;

    // At the origin; for owners that use the first update form only.
    HitFlash();
    explicit HitFlash(const Matrix& world);

    // First form: world = T(0, 0, 0.6) × ownerWorld (no billboard), half-size 3,
    // counter + 0.25 (the 32nd update returns 8).
    int Update(const Matrix& ownerWorld);
    // Second form: billboard at its own position, half-size halfSize, counter + 0.2.
    int Update(float halfSize);
    // Third form: billboard at its own position, half-size 10, counter + 0.25.
    int Update();
    void Draw() { quad.Draw(); }

    float GetCounter() const { return counter; }
    const EffectQuad& GetQuad() const { return quad; }

    // The cell of frame f: column f mod 8 and a top edge at f × the v step (the frame
    // index itself, not its row).
    static CellUV FrameCell(int frame, int textureWidth, int textureHeight);

private:
    int Show(float halfSize, float step);

    EffectQuad quad;
    Vector3 position;
    float counter = 0.0f;
};
