#include "GraphicsFixture.h"
#include "engine/graphics/FwScreenshot.h"
#include "engine/graphics/GraphicsDevice.h"
#include "engine/graphics/ShaderManager.h"
#include "engine/graphics/TextureCache.h"

namespace {

GraphicsDevice& Device() {
    return GraphicsDevice::GetInstance();
}
SpriteShader& Sprites() {
    return ShaderManager::GetInstance().GetSpriteShader();
}
const Vector2 kCentre(0.5f, 0.5f);

std::array<uint8_t, 4> Opaque(uint8_t r, uint8_t g, uint8_t b) {
    return {r, g, b, 255};
}

}  // namespace

TEST_F(GraphicsTest, FullScreenSpriteCoversEveryPixel) {
    FwTexture white;
    FillTexture(white, 2, 2, [](int, int) { return Opaque(255, 255, 255); });
    Device().ClearBackBuffer(Color(0, 0, 0, 1));
    const Color colour(0.2f, 0.4f, 0.6f, 1.0f);
    Sprites().Begin(false, true);
    Sprites().SetTransform(Matrix::Identity());
    Sprites().DrawSprite(&white, 0, 0, 1280, 720, nullptr, &colour, kCentre);
    Sprites().End();
    std::vector<uint8_t> pixels;
    int w = 0, h = 0;
    ASSERT_TRUE(FwReadPixels(pixels, w, h));
    ASSERT_EQ(w * h, 1280 * 720);
    int wrong = 0;
    for (size_t i = 0; i < pixels.size(); i += 4)
        if (pixels[i] != 51 || pixels[i + 1] != 102 || pixels[i + 2] != 153) ++wrong;
    EXPECT_EQ(wrong, 0);
}

// Texels encode their own coordinates: red = x, green = 4·y. A 64 × 64 source at (64, 0)
// of a 256 × 64 texture drawn 64 × 64 with point sampling shows texels x 64..127, all rows,
// top row at the top.
TEST_F(GraphicsTest, SourceRectangleSelectsTexelsTopRowUp) {
    FwTexture sheet;
    FillTexture(sheet, 256, 64, [](int x, int y) {
        return Opaque(static_cast<uint8_t>(x), static_cast<uint8_t>(4 * y), 0);
    });
    Device().ClearBackBuffer(Color(0, 0, 1, 1));
    const SpriteRect rect{64, 0, 64, 64};
    const Color white(1, 1, 1, 1);
    Sprites().SetTransform(Matrix::Identity());
    // Pivot (0, 0) puts (x, y) at the bottom-left corner: screen pixels 640..703 across,
    // rows 296..359 from the top.
    Sprites().DrawSprite(&sheet, 0, 0, 64, 64, &rect, &white, Vector2(0, 0));
    EXPECT_EQ(Pixel(640, 296)[0], 64);
    EXPECT_EQ(Pixel(703, 296)[0], 127);
    EXPECT_EQ(Pixel(640, 296)[1], 0);
    EXPECT_EQ(Pixel(640, 359)[1], 4 * 63);
    EXPECT_EQ(Pixel(670, 320)[0], 64 + 30);
    EXPECT_EQ(Pixel(670, 320)[1], 4 * 24);
    // Just outside the rectangle the background remains.
    EXPECT_EQ(Pixel(639, 320)[2], 255);
    EXPECT_EQ(Pixel(704, 320)[2], 255);
    EXPECT_EQ(Pixel(670, 295)[2], 255);
    EXPECT_EQ(Pixel(670, 360)[2], 255);
}

TEST_F(GraphicsTest, TransparentTexelsAreNeverWrittenAndColourIsSticky) {
    // Left half alpha 0, right half opaque white.
    FwTexture halves;
    FillTexture(halves, 2, 1, [](int x, int) {
        return x == 0 ? std::array<uint8_t, 4>{255, 255, 255, 0} : Opaque(255, 255, 255);
    });
    const auto copy = Device().CreateBlendState(0);  // even a copy would overwrite with 0
    Device().SetBlendState(copy.get());
    Device().ClearBackBuffer(Color(1, 0, 0, 1));
    const Color bright(0.5f, 1.0f, 0.25f, 4.0f);
    Sprites().Begin(false, true);
    Sprites().SetTransform(Matrix::Identity());
    Sprites().DrawSprite(&halves, 0, 0, 200, 100, nullptr, &bright, kCentre);
    ExpectPixelNear(Pixel(560, 360), {255, 0, 0, 255}, 0, "alpha-0 texel");
    ExpectPixelNear(Pixel(720, 360), {128, 255, 64, 255}, 1, "opaque texel");

    // No colour: the last one stays in force for later sprites.
    Sprites().SetTransform(Matrix::CreateTranslation(0, 200, 0));
    Sprites().DrawSprite(&halves, 0, 0, 200, 100, nullptr, nullptr, kCentre);
    ExpectPixelNear(Pixel(720, 160), {128, 255, 64, 255}, 1, "sticky colour");
    const Color blue(0, 0, 1, 1);
    Sprites().SetTransform(Matrix::CreateTranslation(0, -200, 0));
    Sprites().DrawSprite(&halves, 0, 0, 200, 100, nullptr, &blue, kCentre);
    ExpectPixelNear(Pixel(720, 560), {0, 0, 255, 255}, 0, "new colour");
    Sprites().End();
}

TEST_F(GraphicsTest, SpriteOutsideABatchRestoresTheStateItFound) {
    FwTexture white;
    FillTexture(white, 1, 1, [](int, int) { return Opaque(255, 255, 255); });
    const auto depth = Device().CreateDepthStencilState(true, false);
    const auto raster =
        Device().CreateRasterizerState(CullMode::Back, FillMode::Solid, false, false);
    const auto sampler = Device().CreateSamplerState(1, 1, 1, false);
    Device().SetDepthStencilState(depth.get(), 3);
    Device().SetRasterizerState(raster.get());
    Device().SetSamplerState(0, sampler.get());

    Sprites().DrawSprite(&white, 0, 0, 10, 10, nullptr, nullptr, kCentre);
    EXPECT_FALSE(Sprites().IsBegun());
    EXPECT_EQ(Device().GetDepthStencilState(), *depth);
    EXPECT_EQ(Device().GetStencilRef(), 3u);
    EXPECT_EQ(Device().GetRasterizerState(), *raster);
    EXPECT_EQ(Device().GetSamplerState(0), sampler.get());

    // Inside a batch: point sampling, depth off, no culling; nested Begin/End are no-ops.
    Sprites().Begin(false, true);
    EXPECT_EQ(Device().GetSamplerState(0)->GetFilter(), 0);
    EXPECT_FALSE(Device().GetDepthStencilState().depthEnable);
    EXPECT_EQ(Device().GetRasterizerState().cullMode, CullMode::None);
    Sprites().Begin(true, false);
    EXPECT_EQ(Device().GetSamplerState(0)->GetFilter(), 0);
    Sprites().End();
    Sprites().End();
    EXPECT_EQ(Device().GetSamplerState(0), sampler.get());
    Device().SetSamplerState(0, nullptr);
}

TEST_F(GraphicsTest, NullOrEmptyTexturesDrawNothing) {
    Device().ClearBackBuffer(Color(0, 1, 0, 1));
    const Color red(1, 0, 0, 1);
    Sprites().SetTransform(Matrix::Identity());
    Sprites().DrawSprite(nullptr, 0, 0, 1280, 720, nullptr, &red, kCentre);
    FwTexture* missing = GetTexture(TempDir() + "/no-such-image.png");
    ASSERT_NE(missing, nullptr);
    Sprites().DrawSprite(missing, 0, 0, 1280, 720, nullptr, &red, kCentre);
    ExpectPixelNear(Pixel(640, 360), {0, 255, 0, 255}, 0, "nothing drawn");
}

// A picture rendered into a target and then drawn as a sprite appears upright.
TEST_F(GraphicsTest, RenderTargetTexturesDrawUpright) {
    FwTexture target, depth;
    ASSERT_TRUE(target.CreateRenderTarget(1280, 720, PixelFormat::R8G8B8A8_Unorm, 1, nullptr));
    ASSERT_TRUE(depth.CreateDepthStencil(1280, 720, PixelFormat::R24G8_Typeless, 1, nullptr));
    EXPECT_TRUE(target.IsBottomUp());
    FwTexture white;
    FillTexture(white, 1, 1, [](int, int) { return Opaque(255, 255, 255); });
    Device().SetRenderTarget(&target, &depth);
    Device().ClearRenderTarget(&target, Color(0, 0, 1, 1));
    Device().ClearDepthStencil(&depth, 1.0f, 0);
    const Color red(1, 0, 0, 1);
    Sprites().SetTransform(Matrix::CreateTranslation(0, 180, 0));  // upper half
    Sprites().DrawSprite(&white, 0, 0, 1280, 360, nullptr, &red, kCentre);
    ExpectPixelNear(Pixel(10, 10), {255, 0, 0, 255}, 0, "top of the target");

    Device().SetBackBufferTarget();
    Device().ClearBackBuffer(Color(0, 0, 0, 1));
    const Color opaque(1, 1, 1, 1);
    const SpriteRect whole{0, 0, 1280, 720};
    Sprites().SetTransform(Matrix::Identity());
    Sprites().DrawSprite(&target, 0, 0, 1280, 720, &whole, &opaque, kCentre);
    ExpectPixelNear(Pixel(10, 10), {255, 0, 0, 255}, 0, "top after drawing the target");
    ExpectPixelNear(Pixel(10, 700), {0, 0, 255, 255}, 0, "bottom after drawing the target");
}
