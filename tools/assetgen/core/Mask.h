#pragma once

#include <cstddef>
#include <vector>

// A single-channel coverage image (0..1) used for lettering and for glow halos: text is
// rendered into a mask, then grown, blurred and painted onto a Canvas in layers.
class Mask {
public:
    Mask() = default;
    Mask(int width, int height);

    int Width() const { return width_; }
    int Height() const { return height_; }
    bool Empty() const { return width_ == 0 || height_ == 0; }

    float At(int x, int y) const;  // 0 outside the mask
    float& Ref(int x, int y) { return data_[static_cast<size_t>(y) * width_ + x]; }
    void Set(int x, int y, float v);

    // Copies src into this mask at (dx, dy), keeping the larger coverage where they overlap.
    void Stamp(const Mask& src, int dx, int dy);
    // Morphological growth by a disc of the given radius in pixels (outlines).
    Mask Dilated(int radius) const;
    // Approximate Gaussian blur: three box passes per axis (halos and soft shadows).
    Mask Blurred(int radius) const;
    // A copy with a border of pad pixels on every side, so halos have room.
    Mask Padded(int pad) const;

private:
    int width_ = 0;
    int height_ = 0;
    std::vector<float> data_;
};
