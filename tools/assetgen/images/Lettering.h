#pragma once

#include <string>

#include "core/Canvas.h"
#include "core/Font.h"
#include "core/Mask.h"

// Styled captions: a gradient fill inside a dark outline, over a soft coloured glow.
struct TextStyle {
    Rgba top{1, 1, 1, 1};  // fill colour at the top of the letters
    Rgba bottom{1, 1, 1, 1};
    Rgba outline{0, 0, 0, 1};
    int outlineWidth = 0;
    Rgba glow{0, 0, 0, 0};
    int glowRadius = 0;
    float glowStrength = 1.0f;
    // A thin bright line at the top edge of every stroke, as if lit from above.
    float highlight = 0.0f;
};

// Pixels with ink in a mask.
struct InkBounds {
    int x0 = 0, y0 = 0, x1 = 0, y1 = 0;  // half-open
    int Width() const { return x1 - x0; }
    int Height() const { return y1 - y0; }
};
InkBounds FindInk(const Mask& mask);

// Slants a mask to the right by `slope` pixels per pixel of height (italics).
Mask Sheared(const Mask& mask, float slope);

// Paints the text so the centre of its ink lands on (cx, cy).
void PaintCaption(Canvas& canvas, const Mask& text, float cx, float cy, const TextStyle& style);
// Paints the text so the left edge of its ink is at x and its ink is centred on cy.
void PaintCaptionLeft(Canvas& canvas, const Mask& text, float x, float cy, const TextStyle& style);

// The text rendered at pixelHeight or, when its ink with an outline of outlineWidth around
// it would not fit in maxWidth × maxHeight pixels, at the largest smaller height (in steps of
// half a pixel) that does; shear slants it as Sheared does. Captions are drawn scaled up, so
// a letter that touches the edge of its image shows as cut off on screen.
Mask RenderToFit(const Font& font, const std::string& text, float pixelHeight, float xScale,
                 float tracking, int maxWidth, int maxHeight, int outlineWidth, float shear = 0.0f);
