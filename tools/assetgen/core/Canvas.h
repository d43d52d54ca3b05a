#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "core/Mask.h"
#include "core/Rgba.h"

// An RGBA float image that the image generators paint on. Pixel (0, 0) is the top-left corner,
// which is also the first row written to the file, matching the sprite source rectangles.
// Shaders receive pixel-centre coordinates (x + 0.5, y + 0.5).
class Canvas {
public:
    // Returns the colour to lay over a pixel; its alpha is the coverage at that pixel.
    using Shader = std::function<Rgba(float x, float y)>;

    Canvas() = default;
    Canvas(int width, int height, Rgba fill = {});

    int Width() const { return width_; }
    int Height() const { return height_; }
    const Rgba& At(int x, int y) const { return pixels_[Index(x, y)]; }
    Rgba& Ref(int x, int y) { return pixels_[Index(x, y)]; }

    // Source-over compositing of one colour with the given coverage.
    void Blend(int x, int y, const Rgba& colour, float coverage = 1.0f);
    // Additive light: adds colour.rgb * amount and raises alpha by colour.a * amount, which is
    // how glows read under the game's additive blending.
    void AddLight(int x, int y, const Rgba& colour, float amount);

    // Runs the shader over the rectangle [x0, x1) x [y0, y1) (clipped) and blends its output.
    void Paint(int x0, int y0, int x1, int y1, const Shader& shader);
    void PaintAll(const Shader& shader) { Paint(0, 0, width_, height_, shader); }
    // Like Paint, but adds light: the shader gives the hue in rgb and the amount in a.
    void Light(int x0, int y0, int x1, int y1, const Shader& shader);
    void LightAll(const Shader& shader) { Light(0, 0, width_, height_, shader); }

    // Paints a mask placed with its top-left at (dx, dy); the colour may vary per pixel.
    void PaintMask(const Mask& mask, int dx, int dy, const Shader& colour);
    void PaintMask(const Mask& mask, int dx, int dy, const Rgba& colour);

    // Source-over of another canvas placed at (dx, dy).
    void Composite(const Canvas& src, int dx, int dy);
    // Box-filtered reduction to the given size (contact sheets and previews).
    Canvas Resized(int width, int height) const;
    // Multiplies every pixel's alpha by the given function of its position (vignettes, fades).
    void MultiplyAlpha(const std::function<float(float x, float y)>& factor);

    // Quantised 8-bit RGBA (rounded, clamped), rows top first.
    std::vector<uint8_t> ToRgba8() const;
    std::vector<uint8_t> ToRgb8() const;

private:
    size_t Index(int x, int y) const { return static_cast<size_t>(y) * width_ + x; }

    int width_ = 0;
    int height_ = 0;
    std::vector<Rgba> pixels_;
};
