// Held-back effect drawing: the same picture as drawing every strip at once, in fewer draw
// calls, and nothing held across what would see the difference.
#include <array>
#include <cmath>
#include <vector>

#include "GraphicsFixture.h"
#include "engine/graphics/EffectBatch.h"
#include "engine/graphics/FwScreenshot.h"
#include "engine/graphics/GraphicsDevice.h"
#include "engine/graphics/ShaderManager.h"

namespace {

struct Quad {
    Matrix world;
    const FwTexture* texture;
    bool additive;
    float alpha;
};

std::array<EffectVertex, 4> QuadVertices(float half, float alpha) {
    const Color c(1.0f, 1.0f, 1.0f, alpha);
    return {{{{-half, half, 0.0f}, {0.0f, 0.0f}, c},
             {{half, half, 0.0f}, {1.0f, 0.0f}, c},
             {{-half, -half, 0.0f}, {0.0f, 1.0f}, c},
             {{half, -half, 0.0f}, {1.0f, 1.0f}, c}}};
}

class EffectBatchTest : public GraphicsTest {
protected:
    void SetUp() override {
        GraphicsTest::SetUp();
        // A soft round glow in three colours.
        const auto glow = [](int r, int g, int b) {
            return [=](int x, int y) {
                const float d = std::hypot(x - 15.5f, y - 15.5f) / 16.0f;
                const auto a = static_cast<uint8_t>(std::max(0.0f, 1.0f - d) * 255.0f);
                return std::array<uint8_t, 4>{uint8_t(r), uint8_t(g), uint8_t(b), a};
            };
        };
        FillTexture(red, 32, 32, glow(255, 60, 20));
        FillTexture(blue, 32, 32, glow(40, 120, 255));
        FillTexture(smoke, 32, 32, glow(90, 90, 90));
        ShaderManager& shaders = ShaderManager::GetInstance();
        shaders.SetView(Matrix::CreateLookAt({0, 0, -10}, {0, 0, 0}, {0, 1, 0}));
        shaders.SetProjMatrix(
            Matrix::CreatePerspectiveFieldOfView(ToRadians(60.0f), 1280.0f / 720.0f, 0.1f, 100));
        shaders.UploadCamera();
        additive = device().CreateBlendState(2);
        alphaBlend = device().CreateBlendState(1);
        noDepthWrite = device().CreateDepthStencilState(true, false);
        depthWrite = device().CreateDepthStencilState(true, true);
    }
    void TearDown() override {
        EffectBatch::GetInstance().SetEnabled(true);
        GraphicsTest::TearDown();
    }
    static GraphicsDevice& device() { return GraphicsDevice::GetInstance(); }

    void Add(const Quad& q) {
        const auto v = QuadVertices(1.5f, q.alpha);
        EffectBatch::GetInstance().AddStrip(v.data(), 4, q.world, q.texture,
                                            q.additive ? *additive : *alphaBlend,
                                            q.additive ? *noDepthWrite : *depthWrite);
    }

    // Draws the quads over a grey background; returns the picture and counts draw calls.
    std::vector<uint8_t> Draw(const std::vector<Quad>& quads, bool batched, long& drawCalls) {
        EffectBatch::GetInstance().SetEnabled(batched);
        device().ClearBackBuffer(Color(0.2f, 0.2f, 0.25f, 1.0f));
        device().ClearDepthStencil();
        device().ResetDrawStats();
        for (const Quad& q : quads) Add(q);
        EffectBatch::GetInstance().Flush();
        drawCalls = device().GetDrawStats().drawCalls;
        std::vector<uint8_t> pixels;
        int w = 0, h = 0;
        EXPECT_TRUE(FwReadPixels(pixels, w, h));
        return pixels;
    }

    FwTexture red, blue, smoke;
    std::unique_ptr<FwBlendState> additive, alphaBlend;
    std::unique_ptr<FwDepthStencilState> noDepthWrite, depthWrite;
};

Matrix Placed(float x, float y, float z, float turn) {
    return Matrix::CreateRotationZ(turn) * Matrix::CreateRotationY(turn * 0.5f) *
           Matrix::CreateTranslation(x, y, z);
}

}  // namespace

TEST_F(EffectBatchTest, OverlappingAdditiveAndAlphaQuadsGiveTheSamePixelsInFewerDrawCalls) {
    // Two textures of additive light crossing each other, with alpha-blended smoke laid over
    // part of them and more light after it: the smoke must stay over the light drawn before
    // it and under the light drawn after it.
    std::vector<Quad> quads;
    for (int i = 0; i < 12; ++i) {
        const float x = -3.0f + 0.5f * static_cast<float>(i);
        quads.push_back({Placed(x, 0.3f * std::sin(float(i)), 0.0f, 0.3f * float(i)),
                         i % 2 ? &red : &blue, true, 0.8f});
    }
    quads.push_back({Placed(-0.5f, 0.2f, -0.5f, 0.2f), &smoke, false, 0.7f});
    quads.push_back({Placed(0.6f, -0.3f, -0.6f, 0.9f), &smoke, false, 0.6f});
    for (int i = 0; i < 6; ++i) {
        const float x = -1.0f + 0.4f * static_cast<float>(i);
        quads.push_back(
            {Placed(x, 0.5f, -1.0f, 0.5f * float(i)), i % 2 ? &blue : &red, true, 1.0f});
    }
    // Far off to the side: joins the light of its texture drawn last.
    quads.push_back({Placed(6.0f, 2.0f, 0.0f, 0.0f), &blue, true, 1.0f});

    long unbatchedCalls = 0, batchedCalls = 0;
    const std::vector<uint8_t> one = Draw(quads, false, unbatchedCalls);
    const std::vector<uint8_t> all = Draw(quads, true, batchedCalls);
    ASSERT_EQ(one.size(), all.size());
    int differing = 0, worst = 0, lit = 0;
    for (size_t i = 0; i < one.size(); i += 4) {
        int d = 0;
        for (int k = 0; k < 3; ++k) d = std::max(d, std::abs(int(one[i + k]) - int(all[i + k])));
        differing += d > 1;
        worst = std::max(worst, d);
        lit += one[i] > 60 || one[i + 2] > 75;
    }
    EXPECT_GT(lit, 20000) << "the quads were not drawn";
    // The batch places vertices on the CPU: a rare edge pixel may round the other way.
    EXPECT_LE(differing, 40) << "worst channel difference " << worst;
    EXPECT_EQ(unbatchedCalls, static_cast<long>(quads.size()));
    // Light before the smoke (one call per texture), the smoke, light after it.
    EXPECT_EQ(batchedCalls, 5);
}

TEST_F(EffectBatchTest, HeldStripsGoOutBeforeAnythingThatCouldSeeThem) {
    EffectBatch& batch = EffectBatch::GetInstance();
    const Quad q{Placed(0, 0, 0, 0), &red, true, 1.0f};
    Add(q);
    ASSERT_FALSE(batch.IsEmpty());
    // A draw elsewhere on screen leaves it held; one that could cover it does not.
    ScreenArea elsewhere;
    elsewhere.left = 0.8f;
    elsewhere.right = 0.9f;
    elsewhere.bottom = 0.8f;
    elsewhere.top = 0.9f;
    batch.BeforeDraw(elsewhere);
    EXPECT_FALSE(batch.IsEmpty());
    ScreenArea centre = elsewhere;
    centre.left = centre.bottom = -0.05f;
    centre.right = centre.top = 0.05f;
    batch.BeforeDraw(centre);
    EXPECT_TRUE(batch.IsEmpty());
    // Reading pixels, clearing, a new camera, a sprite: all send it first.
    device().ClearBackBuffer(Color(0, 0, 0, 1));
    Add(q);
    EXPECT_GT(Pixel(640, 360)[0], 100) << "read before the strip went out";
    Add(q);
    device().ClearDepthStencil();
    EXPECT_TRUE(batch.IsEmpty());
    Add(q);
    ShaderManager::GetInstance().SetView(Matrix::CreateLookAt({0, 0, -12}, {0, 0, 0}, {0, 1, 0}));
    ShaderManager::GetInstance().UploadCamera();
    EXPECT_TRUE(batch.IsEmpty());
    Add(q);
    ShaderManager::GetInstance().GetSpriteShader().Begin(false, true);
    EXPECT_TRUE(batch.IsEmpty());
    ShaderManager::GetInstance().GetSpriteShader().End();
    // Placed for a camera the GPU does not have yet: drawn at once, not held.
    ShaderManager::GetInstance().SetView(Matrix::CreateLookAt({0, 0, -9}, {0, 0, 0}, {0, 1, 0}));
    Add(q);
    EXPECT_TRUE(batch.IsEmpty());
}

TEST(ScreenArea, BoundsWhatReachesTheScreenAndGivesUpBehindTheEye) {
    const Matrix vp = Matrix::CreateLookAt({0, 0, -10}, {0, 0, 0}, {0, 1, 0}) *
                      Matrix::CreatePerspectiveFieldOfView(ToRadians(90.0f), 1.0f, 0.1f, 100.0f);
    const Vector3 square[4] = {{-1, -1, 0}, {1, -1, 0}, {-1, 1, 0}, {1, 1, 0}};
    const ScreenArea a = ScreenArea::Of(square, 4, vp, 0.0f);
    EXPECT_FALSE(a.all);
    EXPECT_NEAR(a.left, -0.1f, 1e-5f);
    EXPECT_NEAR(a.top, 0.1f, 1e-5f);
    const Vector3 behind[2] = {{0, 0, 0}, {0, 0, -20}};
    EXPECT_TRUE(ScreenArea::Of(behind, 2, vp, 0.0f).all);
    const Vector3 right[1] = {{5, 0, 0}};
    const ScreenArea b = ScreenArea::Of(right, 1, vp, 0.05f);
    EXPECT_FALSE(a.Overlaps(b));
    ScreenArea both = a;
    both.Merge(b);
    EXPECT_TRUE(both.Overlaps(b));
    EXPECT_TRUE(ScreenArea::Everything().Overlaps(b));
}
