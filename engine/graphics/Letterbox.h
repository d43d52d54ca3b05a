#pragma once

// Where the game's fixed-size picture goes in a window of any size: scaled by the largest
// factor that fits, aspect kept, centred, with black bars on the two sides that are left
// over. Pixels, top-left origin; an odd leftover pixel goes to the right or bottom bar.
struct LetterboxRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    bool operator==(const LetterboxRect&) const = default;
};

// Empty (all zero) when either size is not positive.
LetterboxRect FitLetterbox(int pictureWidth, int pictureHeight, int windowWidth, int windowHeight);
