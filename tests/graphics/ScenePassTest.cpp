// The scene pass: multisampled and scaled pictures of the world, with the images over them
// kept exact at full resolution.
#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

#include "GraphicsFixture.h"
#include "engine/graphics/FwScreenshot.h"
#include "engine/graphics/GraphicsDevice.h"
#include "engine/graphics/ModelCache.h"
#include "engine/graphics/ModelDrawer.h"
#include "engine/graphics/ScenePass.h"
#include "engine/graphics/ShaderManager.h"
#include "support/LitView.h"

namespace {

class ScenePassTest : public GraphicsTest {
protected:
    void SetUp() override {
        GraphicsTest::SetUp();
        // An opaque checker: every pixel of it must come out exactly as the texture says.
        FillTexture(badge, 64, 32, [](int x, int y) {
            const bool light = ((x / 4) + (y / 4)) % 2 == 0;
            return std::array<uint8_t, 4>{uint8_t(light ? 250 : 20), 90, uint8_t(light ? 30 : 200),
                                          255};
        });
    }
    void TearDown() override {
        ScenePass::GetInstance().Configure(0, 100);
        ReleaseModelCache();
        GraphicsTest::TearDown();
    }

    // One frame as the scenes draw it: robots lit in perspective through the pass, with an
    // image over them drawn in the middle of the 3D drawing (as the HUD is).
    std::vector<uint8_t> Frame() {
        GraphicsDevice& device = GraphicsDevice::GetInstance();
        device.ClearBackBuffer(Color(0, 0, 0, 1));
        device.ClearDepthStencil();
        ScenePass& pass = ScenePass::GetInstance();
        pass.Begin(Color(0, 0, 0, 1));  // what the target was cleared to
        ShaderManager& shaders = ShaderManager::GetInstance();
        ModelShader& model = UseLitView({1.0f, 1.0f, -4.5f});
        model.SetWorld(Matrix::CreateRotationY(0.6f) * Matrix::CreateTranslation(-1.2f, 0, 0));
        DrawModel(GetModel("Data/player04/player04_4_body.gltf"), 1.0f);

        SpriteShader& sprites = shaders.GetSpriteShader();
        sprites.Begin(false, true);
        sprites.SetTransform(Matrix::CreateTranslation(-300.0f, 200.0f, 0.0f));
        const SpriteRect whole{0, 0, 64, 32};
        const Color white(1, 1, 1, 1);
        sprites.DrawSprite(&badge, 0, 0, 128, 64, &whole, &white, {0.5f, 0.5f});
        sprites.End();

        model.Activate();
        model.SetWorld(Matrix::CreateRotationY(-0.4f) * Matrix::CreateTranslation(1.2f, 0, 0.5f));
        DrawModel(GetModel("Data/enemy04/enemy04 body.gltf"), 1.0f);
        pass.End();
        std::vector<uint8_t> pixels;
        int w = 0, h = 0;
        EXPECT_TRUE(FwReadBackBuffer(pixels, w, h));
        EXPECT_EQ(device.GetRenderTarget(), device.GetBackBuffer().get());
        EXPECT_EQ(device.GetViewport().width, 1280.0f);
        return pixels;
    }

    static int Channel(const std::vector<uint8_t>& p, int x, int y, int k) {
        return p[(static_cast<size_t>(y) * kWidth + x) * 4 + k];
    }
    static int Difference(const std::vector<uint8_t>& a, const std::vector<uint8_t>& b, int x,
                          int y) {
        int d = 0;
        for (int k = 0; k < 3; ++k)
            d = std::max(d, std::abs(Channel(a, x, y, k) - Channel(b, x, y, k)));
        return d;
    }
    // How far the colours around a pixel (3 × 3) spread, the largest over the channels: a
    // resolved edge pixel mixes its neighbours' colours, so it moves at most this far.
    static int LocalRange(const std::vector<uint8_t>& p, int x, int y) {
        int range = 0;
        for (int k = 0; k < 3; ++k) {
            int lo = 255, hi = 0;
            for (int dy = -1; dy <= 1; ++dy) {
                for (int dx = -1; dx <= 1; ++dx) {
                    const int c = Channel(p, std::clamp(x + dx, 0, kWidth - 1),
                                          std::clamp(y + dy, 0, kHeight - 1), k);
                    lo = std::min(lo, c);
                    hi = std::max(hi, c);
                }
            }
            range = std::max(range, hi - lo);
        }
        return range;
    }

    FwTexture badge;
};

}  // namespace

TEST_F(ScenePassTest, WithoutMultisamplingAtFullScaleTheWorldIsDrawnStraightIn) {
    ScenePass& pass = ScenePass::GetInstance();
    pass.Configure(0, 100);
    GraphicsDevice& device = GraphicsDevice::GetInstance();
    pass.Begin(Color(0, 0, 0, 1));
    EXPECT_FALSE(pass.IsDrawingOwnTarget());
    EXPECT_EQ(device.GetRenderTarget(), device.GetBackBuffer().get());
    EXPECT_FALSE(ShaderManager::GetInstance().GetSpriteShader().IsDeferring());
    pass.End();
}

TEST_F(ScenePassTest, MultisampledPictureResolvesToThePlainOneExceptAtEdges) {
    if (ScenePass::GetMaxSamples() < 4) GTEST_SKIP() << "no 4x multisampling here";
    ScenePass::GetInstance().Configure(0, 100);
    const std::vector<uint8_t> plain = Frame();
    ScenePass::GetInstance().Configure(4, 100);
    const std::vector<uint8_t> smooth = Frame();
    EXPECT_EQ(ScenePass::GetInstance().GetLastWidth(), kWidth);
    int lit = 0, differing = 0, awayFromEdges = 0;
    for (int y = 0; y < kHeight; y += 1) {
        for (int x = 0; x < kWidth; x += 1) {
            lit += Channel(plain, x, y, 0) > 60;
            const int d = Difference(plain, smooth, x, y);
            if (d <= 2) continue;
            ++differing;
            if (d > LocalRange(plain, x, y) + 3) ++awayFromEdges;
        }
    }
    EXPECT_GT(lit, 30000) << "the robots were not drawn";
    EXPECT_GT(differing, 200) << "edges were not smoothed";
    // Every change is a mix of the colours already around it: an edge smoothed.
    EXPECT_LT(awayFromEdges, differing / 100 + 1) << differing << " pixels differ";
    // The image over the world (x 276..404, y 128..192) is exact.
    for (int y = 132; y < 188; y += 3)
        for (int x = 280; x < 400; x += 3)
            ASSERT_EQ(Difference(plain, smooth, x, y), 0) << x << "," << y;
}

TEST_F(ScenePassTest, ScaledWorldIsDrawnSmallerButImagesStayPixelExact) {
    ScenePass::GetInstance().Configure(0, 100);
    const std::vector<uint8_t> full = Frame();
    ScenePass::GetInstance().Configure(0, 50);
    const std::vector<uint8_t> half = Frame();
    EXPECT_EQ(ScenePass::GetInstance().GetLastWidth(), kWidth / 2);
    EXPECT_EQ(ScenePass::GetInstance().GetLastHeight(), kHeight / 2);
    // The checker (over the world, drawn between its models) is exactly where and what it was.
    for (int y = 132; y < 188; ++y)
        for (int x = 280; x < 400; ++x) ASSERT_EQ(Difference(full, half, x, y), 0) << x << "," << y;
    // The world is the same picture, softer.
    long sum = 0;
    int counted = 0;
    for (int y = 100; y < kHeight; y += 2)
        for (int x = 0; x < kWidth; x += 2) {
            sum += Difference(full, half, x, y);
            ++counted;
        }
    EXPECT_LT(static_cast<double>(sum) / counted, 6.0);
    // Multisampled and scaled together.
    if (ScenePass::GetMaxSamples() >= 4) {
        ScenePass::GetInstance().Configure(4, 70);
        const std::vector<uint8_t> both = Frame();
        EXPECT_EQ(ScenePass::GetInstance().GetLastWidth(), 896);
        for (int y = 132; y < 188; y += 2)
            for (int x = 280; x < 400; x += 2) ASSERT_EQ(Difference(full, both, x, y), 0);
    }
}
