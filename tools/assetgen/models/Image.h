#pragma once

#include <cstdint>
#include <vector>

#include "ModelMath.h"

namespace modelgen {

// RGBA8 picture, top row first (texture coordinate v = 0 is the first row).
class Image {
public:
    Image() = default;
    Image(int width, int height);

    int Width() const { return width_; }
    int Height() const { return height_; }
    // Colour channels 0..1, clamped on write.
    void Set(int x, int y, const V3& rgb, float alpha = 1.0f);
    V3 Get(int x, int y) const;
    // Blends `rgb` over the pixel with weight `t`; coordinates wrap around.
    void Blend(int x, int y, const V3& rgb, float t);
    // PNG file bytes (deterministic for the same pixels).
    std::vector<uint8_t> EncodePng() const;

private:
    int width_ = 0, height_ = 0;
    std::vector<uint8_t> rgba_;
};

}  // namespace modelgen
