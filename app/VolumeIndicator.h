#pragma once

#include "engine/graphics/SpriteRect.h"

// The brief sign of a volume change: a dark panel at the top centre of the 1280 × 720
// picture with a speaker, a red cross beside it when muted, and twenty bars rising left to
// right for the level, one bar per five percent (a part-step lights its bar). Drawn with the
// sprite shader over the finished frame, into the back buffer; the render state is left as
// it was found.
//
// Every shape is a whole-pixel rectangle of one colour, so the picture is exact: lit bars
// are white (grey while muted), unlit ones dark grey, the cross pure red.
class VolumeIndicator {
public:
    static constexpr int kBars = 20;

    // percent 0..100; opacity 0..1 scales the whole sign (it fades out at the end).
    static void Draw(int percent, bool mute, float opacity);

    // The shapes in picture pixels, origin at the top-left corner, rows counted down.
    static SpriteRect PanelRect();
    static SpriteRect BarRect(int index);  // 0 the leftmost and lowest
    static SpriteRect SpeakerRect();       // the speaker's square body
    // The squares of the mute cross, 0 .. kCrossSquares - 1.
    static constexpr int kCrossSquares = 12;
    static SpriteRect CrossRect(int index);
    static int LitBars(int percent) { return (percent + 4) / 5; }
};
