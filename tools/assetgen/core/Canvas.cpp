#include "core/Canvas.h"

#include <algorithm>
#include <cmath>

namespace {

uint8_t Quantise(float v) {
    const float c = std::clamp(v, 0.0f, 1.0f);
    return static_cast<uint8_t>(std::lround(c * 255.0f));
}

}  // namespace

Canvas::Canvas(int width, int height, Rgba fill)
    : width_(width), height_(height), pixels_(static_cast<size_t>(width) * height, fill) {}

void Canvas::Blend(int x, int y, const Rgba& colour, float coverage) {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
    const float sa = std::clamp(colour.a * coverage, 0.0f, 1.0f);
    if (sa <= 0.0f) return;
    Rgba& d = pixels_[Index(x, y)];
    const float outA = sa + d.a * (1.0f - sa);
    if (outA <= 0.0f) return;
    const float keep = d.a * (1.0f - sa);
    d.r = (colour.r * sa + d.r * keep) / outA;
    d.g = (colour.g * sa + d.g * keep) / outA;
    d.b = (colour.b * sa + d.b * keep) / outA;
    d.a = outA;
}

void Canvas::AddLight(int x, int y, const Rgba& colour, float amount) {
    if (x < 0 || y < 0 || x >= width_ || y >= height_ || amount <= 0.0f) return;
    Rgba& d = pixels_[Index(x, y)];
    // Work in premultiplied terms so light added to a transparent pixel keeps its hue.
    float pr = d.r * d.a + colour.r * amount;
    float pg = d.g * d.a + colour.g * amount;
    float pb = d.b * d.a + colour.b * amount;
    const float a = std::min(1.0f, d.a + colour.a * amount);
    if (a <= 0.0f) return;
    d.r = pr / a;
    d.g = pg / a;
    d.b = pb / a;
    d.a = a;
}

void Canvas::Paint(int x0, int y0, int x1, int y1, const Shader& shader) {
    x0 = std::max(x0, 0);
    y0 = std::max(y0, 0);
    x1 = std::min(x1, width_);
    y1 = std::min(y1, height_);
    for (int y = y0; y < y1; ++y) {
        for (int x = x0; x < x1; ++x) {
            const Rgba c = shader(static_cast<float>(x) + 0.5f, static_cast<float>(y) + 0.5f);
            if (c.a > 0.0f) Blend(x, y, c);
        }
    }
}

void Canvas::Light(int x0, int y0, int x1, int y1, const Shader& shader) {
    x0 = std::max(x0, 0);
    y0 = std::max(y0, 0);
    x1 = std::min(x1, width_);
    y1 = std::min(y1, height_);
    for (int y = y0; y < y1; ++y) {
        for (int x = x0; x < x1; ++x) {
            const Rgba c = shader(static_cast<float>(x) + 0.5f, static_cast<float>(y) + 0.5f);
            if (c.a > 0.0f) AddLight(x, y, {c.r, c.g, c.b, 1.0f}, c.a);
        }
    }
}

void Canvas::PaintMask(const Mask& mask, int dx, int dy, const Shader& colour) {
    for (int y = 0; y < mask.Height(); ++y) {
        for (int x = 0; x < mask.Width(); ++x) {
            const float m = mask.At(x, y);
            if (m <= 0.0f) continue;
            const int tx = x + dx;
            const int ty = y + dy;
            if (tx < 0 || ty < 0 || tx >= width_ || ty >= height_) continue;
            Blend(tx, ty, colour(static_cast<float>(tx) + 0.5f, static_cast<float>(ty) + 0.5f), m);
        }
    }
}

void Canvas::PaintMask(const Mask& mask, int dx, int dy, const Rgba& colour) {
    PaintMask(mask, dx, dy, [&colour](float, float) { return colour; });
}

void Canvas::Composite(const Canvas& src, int dx, int dy) {
    for (int y = 0; y < src.height_; ++y) {
        for (int x = 0; x < src.width_; ++x) Blend(x + dx, y + dy, src.At(x, y));
    }
}

Canvas Canvas::Resized(int width, int height) const {
    Canvas out(width, height);
    for (int y = 0; y < height; ++y) {
        const int sy0 = y * height_ / height;
        const int sy1 = std::max(sy0 + 1, (y + 1) * height_ / height);
        for (int x = 0; x < width; ++x) {
            const int sx0 = x * width_ / width;
            const int sx1 = std::max(sx0 + 1, (x + 1) * width_ / width);
            float r = 0, g = 0, b = 0, a = 0;
            for (int sy = sy0; sy < sy1; ++sy) {
                for (int sx = sx0; sx < sx1; ++sx) {
                    const Rgba& p = At(sx, sy);
                    r += p.r * p.a;
                    g += p.g * p.a;
                    b += p.b * p.a;
                    a += p.a;
                }
            }
            const float n = static_cast<float>((sx1 - sx0) * (sy1 - sy0));
            Rgba& d = out.Ref(x, y);
            d.a = a / n;
            if (a > 0.0f) {
                d.r = r / a;
                d.g = g / a;
                d.b = b / a;
            }
        }
    }
    return out;
}

void Canvas::MultiplyAlpha(const std::function<float(float x, float y)>& factor) {
    for (int y = 0; y < height_; ++y) {
        for (int x = 0; x < width_; ++x) {
            pixels_[Index(x, y)].a *= std::clamp(
                factor(static_cast<float>(x) + 0.5f, static_cast<float>(y) + 0.5f), 0.0f, 1.0f);
        }
    }
}

std::vector<uint8_t> Canvas::ToRgba8() const {
    std::vector<uint8_t> out(pixels_.size() * 4);
    for (size_t i = 0; i < pixels_.size(); ++i) {
        const Rgba& p = pixels_[i];
        const bool clear = Quantise(p.a) == 0;
        // Fully transparent texels carry black so filtering never drags in stray colour.
        out[i * 4 + 0] = clear ? 0 : Quantise(p.r);
        out[i * 4 + 1] = clear ? 0 : Quantise(p.g);
        out[i * 4 + 2] = clear ? 0 : Quantise(p.b);
        out[i * 4 + 3] = Quantise(p.a);
    }
    return out;
}

std::vector<uint8_t> Canvas::ToRgb8() const {
    std::vector<uint8_t> out(pixels_.size() * 3);
    for (size_t i = 0; i < pixels_.size(); ++i) {
        // Flattened onto black: the BMP has no alpha and is drawn additively.
        const Rgba& p = pixels_[i];
        out[i * 3 + 0] = Quantise(p.r * p.a);
        out[i * 3 + 1] = Quantise(p.g * p.a);
        out[i * 3 + 2] = Quantise(p.b * p.a);
    }
    return out;
}
