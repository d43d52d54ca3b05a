#pragma once

// Straight (not premultiplied) colour with components nominally in 0..1. Values above 1 are
// allowed while painting glows and are clamped when the image is quantised.
struct Rgba {
    float r = 0.0f;
    float g = 0.0f;
    float b = 0.0f;
    float a = 0.0f;

    constexpr Rgba WithAlpha(float alpha) const { return {r, g, b, alpha}; }
    constexpr Rgba Scaled(float s) const { return {r * s, g * s, b * s, a}; }
};

constexpr Rgba Mix(const Rgba& x, const Rgba& y, float t) {
    return {x.r + (y.r - x.r) * t, x.g + (y.g - x.g) * t, x.b + (y.b - x.b) * t,
            x.a + (y.a - x.a) * t};
}
