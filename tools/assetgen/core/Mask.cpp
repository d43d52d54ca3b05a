#include "core/Mask.h"

#include <algorithm>

Mask::Mask(int width, int height)
    : width_(width), height_(height), data_(static_cast<size_t>(width) * height, 0.0f) {}

float Mask::At(int x, int y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return 0.0f;
    return data_[static_cast<size_t>(y) * width_ + x];
}

void Mask::Set(int x, int y, float v) {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
    data_[static_cast<size_t>(y) * width_ + x] = v;
}

void Mask::Stamp(const Mask& src, int dx, int dy) {
    for (int y = 0; y < src.height_; ++y) {
        for (int x = 0; x < src.width_; ++x) {
            const int tx = x + dx;
            const int ty = y + dy;
            if (tx < 0 || ty < 0 || tx >= width_ || ty >= height_) continue;
            float& d = Ref(tx, ty);
            d = std::max(d, src.At(x, y));
        }
    }
}

Mask Mask::Dilated(int radius) const {
    Mask out(width_, height_);
    // Offsets of the disc, computed once; the fractional rim keeps the outline anti-aliased.
    struct Tap {
        int dx, dy;
        float weight;
    };
    std::vector<Tap> taps;
    for (int dy = -radius - 1; dy <= radius + 1; ++dy) {
        for (int dx = -radius - 1; dx <= radius + 1; ++dx) {
            const float dist = static_cast<float>(dx * dx + dy * dy);
            const float r = static_cast<float>(radius);
            float w = 1.0f;
            if (dist > r * r) {
                const float over = (dist - r * r) / (2.0f * r + 1.0f);
                w = 1.0f - over;
            }
            if (w > 0.0f) taps.push_back({dx, dy, std::min(w, 1.0f)});
        }
    }
    for (int y = 0; y < height_; ++y) {
        for (int x = 0; x < width_; ++x) {
            float best = 0.0f;
            for (const Tap& t : taps) {
                best = std::max(best, At(x + t.dx, y + t.dy) * t.weight);
                if (best >= 1.0f) break;
            }
            out.Ref(x, y) = best;
        }
    }
    return out;
}

namespace {

void BoxPass(const std::vector<float>& src, std::vector<float>& dst, int count, int stride,
             int lines, int lineStride, int radius) {
    const float norm = 1.0f / static_cast<float>(2 * radius + 1);
    for (int line = 0; line < lines; ++line) {
        const size_t base = static_cast<size_t>(line) * lineStride;
        float sum = 0.0f;
        // Values outside the image count as 0, so halos fade out at the border.
        for (int i = 0; i <= radius && i < count; ++i)
            sum += src[base + static_cast<size_t>(i) * stride];
        for (int i = 0; i < count; ++i) {
            dst[base + static_cast<size_t>(i) * stride] = sum * norm;
            const int add = i + radius + 1;
            const int sub = i - radius;
            if (add < count) sum += src[base + static_cast<size_t>(add) * stride];
            if (sub >= 0) sum -= src[base + static_cast<size_t>(sub) * stride];
        }
    }
}

}  // namespace

Mask Mask::Blurred(int radius) const {
    Mask out = *this;
    if (radius <= 0 || Empty()) return out;
    std::vector<float> tmp(out.data_.size());
    const int r = std::max(1, radius / 2);
    for (int pass = 0; pass < 3; ++pass) {
        BoxPass(out.data_, tmp, width_, 1, height_, width_, r);
        BoxPass(tmp, out.data_, height_, width_, width_, 1, r);
    }
    return out;
}

Mask Mask::Padded(int pad) const {
    Mask out(width_ + 2 * pad, height_ + 2 * pad);
    out.Stamp(*this, pad, pad);
    return out;
}
