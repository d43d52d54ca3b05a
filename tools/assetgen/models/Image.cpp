#include "Image.h"

#include <stb/stb_image_write.h>

#include <algorithm>
#include <cmath>

namespace modelgen {

namespace {

uint8_t ToByte(float c) {
    return static_cast<uint8_t>(std::lround(std::clamp(c, 0.0f, 1.0f) * 255.0f));
}

void AppendBytes(void* context, void* data, int size) {
    auto* out = static_cast<std::vector<uint8_t>*>(context);
    auto* bytes = static_cast<const uint8_t*>(data);
    out->insert(out->end(), bytes, bytes + size);
}

}  // namespace

Image::Image(int width, int height)
    : width_(width), height_(height), rgba_(static_cast<size_t>(width) * height * 4, 255) {}

void Image::Set(int x, int y, const V3& rgb, float alpha) {
    size_t i = (static_cast<size_t>(y) * width_ + x) * 4;
    rgba_[i] = ToByte(rgb.x);
    rgba_[i + 1] = ToByte(rgb.y);
    rgba_[i + 2] = ToByte(rgb.z);
    rgba_[i + 3] = ToByte(alpha);
}

V3 Image::Get(int x, int y) const {
    size_t i = (static_cast<size_t>(y) * width_ + x) * 4;
    return {rgba_[i] / 255.0f, rgba_[i + 1] / 255.0f, rgba_[i + 2] / 255.0f};
}

void Image::Blend(int x, int y, const V3& rgb, float t) {
    x = ((x % width_) + width_) % width_;
    y = ((y % height_) + height_) % height_;
    Set(x, y, Lerp(Get(x, y), rgb, std::clamp(t, 0.0f, 1.0f)));
}

std::vector<uint8_t> Image::EncodePng() const {
    std::vector<uint8_t> out;
    stbi_write_png_to_func(AppendBytes, &out, width_, height_, 4, rgba_.data(), width_ * 4);
    return out;
}

}  // namespace modelgen
