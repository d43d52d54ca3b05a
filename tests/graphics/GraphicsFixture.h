#pragma once

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "engine/graphics/FwBuffer.h"
#include "engine/graphics/FwTexture.h"
#include "engine/math/Color.h"

// The pixel at (x, y) of the current target, (0, 0) top-left.
std::array<int, 4> ReadPixelAt(int x, int y);
// A folder under the build tree for files a test writes.
std::string GraphicsTestDir();
// Byte of a colour channel as the GPU writes it (clamped, rounded).
int ColorByte(float v);

// One offscreen 1280 × 720 window (scripted platform, llvmpipe) for the whole test
// program; every test gets a freshly initialised device and shader manager and releases
// them (and the texture cache) afterwards.
class GraphicsTest : public ::testing::Test {
protected:
    static constexpr int kWidth = 1280;
    static constexpr int kHeight = 720;

    void SetUp() override;
    void TearDown() override;

    // Re-initialises the device (and shaders) with or without clip control.
    void Reinitialize(bool allowNativeClipDepth);

    static std::array<int, 4> Pixel(int x, int y) { return ReadPixelAt(x, y); }
    // An RGBA8 texture of width × height from a function of the texel (top row first).
    template <typename F>
    static void FillTexture(FwTexture& texture, int width, int height, F texel) {
        std::vector<uint8_t> pixels(static_cast<size_t>(width) * height * 4);
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) {
                const std::array<uint8_t, 4> c = texel(x, y);
                for (int k = 0; k < 4; ++k)
                    pixels[(static_cast<size_t>(y) * width + x) * 4 + k] = c[k];
            }
        SubresourceData data{pixels.data(), static_cast<unsigned>(width) * 4u, 0};
        ASSERT_TRUE(texture.Create(width, height, PixelFormat::R8G8B8A8_Unorm, 1, &data));
    }
    static std::string TempDir() { return GraphicsTestDir(); }
};

// Asserts every channel of a pixel within tolerance (in 1/255 steps).
void ExpectPixelNear(const std::array<int, 4>& actual, const std::array<int, 4>& expected,
                     int tolerance, const char* what);
