#include "engine/graphics/Letterbox.h"

#include <algorithm>
#include <cstdint>

LetterboxRect FitLetterbox(int pictureWidth, int pictureHeight, int windowWidth, int windowHeight) {
    if (pictureWidth <= 0 || pictureHeight <= 0 || windowWidth <= 0 || windowHeight <= 0) return {};
    // Integer cross-multiplication decides which side limits, so that a window of exactly
    // the picture's aspect gets no bar at all (no rounding can leave a one-pixel seam).
    const int64_t wideness = int64_t{windowWidth} * pictureHeight;
    const int64_t tallness = int64_t{windowHeight} * pictureWidth;
    LetterboxRect r;
    if (wideness >= tallness) {
        // Height limits: bars left and right (or none).
        r.height = windowHeight;
        r.width = static_cast<int>((tallness + pictureHeight / 2) / pictureHeight);
        r.width = std::clamp(r.width, 1, windowWidth);
    } else {
        r.width = windowWidth;
        r.height = static_cast<int>((wideness + pictureWidth / 2) / pictureWidth);
        r.height = std::clamp(r.height, 1, windowHeight);
    }
    r.x = (windowWidth - r.width) / 2;
    r.y = (windowHeight - r.height) / 2;
    return r;
}
