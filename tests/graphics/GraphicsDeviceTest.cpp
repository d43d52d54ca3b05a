#include <epoxy/gl.h>

#include <string>

#include "GraphicsFixture.h"
#include "engine/graphics/AdditiveBlend.h"
#include "engine/graphics/FwScreenshot.h"
#include "engine/graphics/GraphicsDevice.h"
#include "engine/graphics/ShaderManager.h"

namespace {

GraphicsDevice& Device() {
    return GraphicsDevice::GetInstance();
}

}  // namespace

TEST_F(GraphicsTest, InitializeWithoutWindowFailsAndLeavesEverythingReleased) {
    Device().Release();
    std::string error;
    EXPECT_FALSE(Device().Initialize(nullptr, kWidth, kHeight, false, error));
    EXPECT_EQ(error, "スワップチェイン作成失敗");
    EXPECT_FALSE(Device().IsInitialized());
    EXPECT_EQ(Device().GetContextGeneration(), 0u);
    EXPECT_EQ(Device().GetBackBuffer(), nullptr);
    EXPECT_EQ(Device().GetDepthBuffer(), nullptr);
    EXPECT_EQ(Device().GetWhiteTexture(), nullptr);
    for (int i = 0; i <= GraphicsDevice::kOverflowBuffer; ++i)
        EXPECT_FALSE(Device().GetPoolBuffer(i).IsValid()) << i;
    // Nothing can be made without a device.
    FwBuffer buffer;
    EXPECT_FALSE(buffer.Create(BindFlag::VertexBuffer, 64, BufferUsage::Dynamic, nullptr));
    FwTexture texture;
    EXPECT_FALSE(texture.Create(4, 4, PixelFormat::R8G8B8A8_Unorm, 1, nullptr));
    EXPECT_EQ(Device().CreateSamplerState(0, 1, 0, false), nullptr);
}

// The software path (one frame at a time, no multisampling, no anisotropy) hangs on this.
TEST_F(GraphicsTest, SoftwareRasterisersAreKnownByTheirRendererName) {
    for (const char* name : {"llvmpipe (LLVM 15.0.6, 256 bits)", "Mesa softpipe",
                             "Software Rasterizer", "SWRAST", "LLVMPIPE"})
        EXPECT_TRUE(GraphicsDevice::IsSoftwareRendererName(name)) << name;
    for (const char* name : {"NVIDIA H100 80GB HBM3/PCIe/SSE2", "Mesa Intel(R) UHD Graphics 620",
                             "AMD Radeon RX 6600 (radeonsi, navi23, LLVM 15.0.6)", ""})
        EXPECT_FALSE(GraphicsDevice::IsSoftwareRendererName(name)) << name;
    EXPECT_FALSE(GraphicsDevice::IsSoftwareRendererName(nullptr));
    // The tests run on Mesa's llvmpipe; released, the device knows no renderer.
    const auto* renderer = reinterpret_cast<const char*>(glGetString(GL_RENDERER));
    EXPECT_EQ(Device().IsSoftwareRenderer(), GraphicsDevice::IsSoftwareRendererName(renderer));
    Device().Release();
    EXPECT_FALSE(Device().IsSoftwareRenderer());
}

TEST_F(GraphicsTest, InitializeSetsTheFixedStateOfTheRun) {
    const GraphicsDevice& d = Device();
    EXPECT_EQ(d.GetBlendState(), *d.CreateBlendState(1));
    EXPECT_TRUE(d.GetDepthStencilState().depthEnable);
    EXPECT_TRUE(d.GetDepthStencilState().depthWrite);
    EXPECT_EQ(d.GetDepthStencilState().depthFunc, CompareFunc::Less);
    EXPECT_FALSE(d.GetDepthStencilState().stencilEnable);
    EXPECT_EQ(d.GetRasterizerState().cullMode, CullMode::None);
    EXPECT_EQ(d.GetRasterizerState().fillMode, FillMode::Solid);
    EXPECT_TRUE(d.GetRasterizerState().depthClip);
    EXPECT_EQ(d.GetViewport(), (Viewport{0, 0, 1280, 720, 0, 1}));

    const FwSamplerState* s0 = d.GetSamplerState(0);
    const FwSamplerState* s1 = d.GetSamplerState(1);
    ASSERT_NE(s0, nullptr);
    ASSERT_NE(s1, nullptr);
    EXPECT_EQ(s0->GetFilter(), 2);
    EXPECT_EQ(s0->GetMaxAnisotropy(), 4);
    EXPECT_EQ(s0->GetAddressMode(), 0);
    EXPECT_EQ(s1->GetFilter(), 2);
    EXPECT_EQ(s1->GetAddressMode(), 1);

    ASSERT_NE(d.GetBackBuffer(), nullptr);
    EXPECT_TRUE(d.GetBackBuffer()->HasRTV());
    EXPECT_EQ(d.GetBackBuffer()->GetDesc().width, 1280);
    EXPECT_EQ(d.GetBackBuffer()->GetDesc().height, 720);
    EXPECT_EQ(d.GetRenderTarget(), d.GetBackBuffer().get());
    EXPECT_EQ(d.GetDepthTarget(), d.GetDepthBuffer().get());
    ASSERT_NE(d.GetDepthBuffer(), nullptr);
    EXPECT_TRUE(d.GetDepthBuffer()->HasDSV());
    EXPECT_EQ(d.GetDepthBuffer()->GetDepthViewFormat(), PixelFormat::D32_Float);
    EXPECT_EQ(d.GetDepthBuffer()->GetShaderViewFormat(), PixelFormat::R32_Float);
    ASSERT_NE(d.GetWhiteTexture(), nullptr);
    EXPECT_TRUE(d.GetWhiteTexture()->HasSRV());
    EXPECT_EQ(d.GetWhiteTexture()->GetDesc().width, 1);
    EXPECT_EQ(d.GetWhiteTexture()->GetDesc().height, 1);
    for (int i = 0; i < GraphicsDevice::kPoolBuffers; ++i)
        EXPECT_EQ(d.GetPoolBuffer(i).GetCapacity(), 80u << i) << i;
    EXPECT_FALSE(d.GetPoolBuffer(GraphicsDevice::kOverflowBuffer).IsValid());
}

TEST_F(GraphicsTest, BlendStateFactoryFollowsTheModeTable) {
    const auto copy = Device().CreateBlendState(0);
    const auto alpha = Device().CreateBlendState(1);
    const auto add = Device().CreateBlendState(2);
    const auto other = Device().CreateBlendState(7);
    for (const FwBlendState* s : {copy.get(), alpha.get(), add.get(), other.get()}) {
        EXPECT_TRUE(s->enable);
        EXPECT_EQ(s->writeMask, 0xFu);
        EXPECT_EQ(s->blendOp, BlendOp::Add);
        EXPECT_EQ(s->blendOpAlpha, BlendOp::Add);
    }
    EXPECT_EQ(copy->srcBlend, BlendFactor::One);
    EXPECT_EQ(copy->destBlend, BlendFactor::Zero);
    EXPECT_EQ(copy->destBlendAlpha, BlendFactor::Zero);
    EXPECT_EQ(alpha->srcBlend, BlendFactor::SrcAlpha);
    EXPECT_EQ(alpha->destBlend, BlendFactor::InvSrcAlpha);
    EXPECT_EQ(alpha->srcBlendAlpha, BlendFactor::One);
    EXPECT_EQ(alpha->destBlendAlpha, BlendFactor::InvSrcAlpha);
    EXPECT_EQ(add->srcBlend, BlendFactor::SrcAlpha);
    EXPECT_EQ(add->destBlend, BlendFactor::One);
    EXPECT_EQ(add->destBlendAlpha, BlendFactor::InvSrcAlpha);
    EXPECT_EQ(other->srcBlend, BlendFactor::Zero);
    EXPECT_EQ(other->destBlend, BlendFactor::Zero);
    EXPECT_EQ(other->srcBlendAlpha, BlendFactor::Zero);
    EXPECT_EQ(other->destBlendAlpha, BlendFactor::Zero);
}

// A half-transparent grey sprite over a (0.2, 0.4, 0.6) background, blended by each mode.
TEST_F(GraphicsTest, BoundBlendModesCombineColoursAsTheTableSays) {
    FwTexture white;
    FillTexture(white, 4, 4, [](int, int) { return std::array<uint8_t, 4>{255, 255, 255, 255}; });
    SpriteShader& sprites = ShaderManager::GetInstance().GetSpriteShader();
    const Color source(0.5f, 0.5f, 0.5f, 0.5f);
    struct Case {
        int mode;
        std::array<int, 3> rgb;
    };
    // copy: source; alpha: s·a + d·(1-a); additive: s·a + d; other: zero.
    const Case cases[] = {
        {0, {128, 128, 128}}, {1, {89, 115, 140}}, {2, {115, 166, 217}}, {5, {0, 0, 0}}};
    for (const Case& c : cases) {
        Device().ClearBackBuffer(Color(0.2f, 0.4f, 0.6f, 1.0f));
        const auto blend = Device().CreateBlendState(c.mode);
        Device().SetBlendState(blend.get());
        sprites.SetTransform(Matrix::Identity());
        sprites.DrawSprite(&white, 0, 0, 64, 64, nullptr, &source, Vector2(0.5f, 0.5f));
        const auto p = Pixel(640, 360);
        for (int k = 0; k < 3; ++k) EXPECT_NEAR(p[k], c.rgb[k], 2) << "mode " << c.mode;
    }
    Device().SetBlendState(nullptr);
    EXPECT_EQ(Device().GetBlendState(), *Device().CreateBlendState(1));
}

TEST_F(GraphicsTest, DepthStatesDecideWhatHidesWhat) {
    // Two sprites at clip depth 0 (the sprite plane); with LESS the second one at the same
    // depth fails the test once the first has written depth.
    FwTexture white;
    FillTexture(white, 1, 1, [](int, int) { return std::array<uint8_t, 4>{255, 255, 255, 255}; });
    SpriteShader& sprites = ShaderManager::GetInstance().GetSpriteShader();
    const Color red(1, 0, 0, 1), green(0, 1, 0, 1);
    Device().ClearBackBuffer(Color(0, 0, 0, 1));
    Device().ClearDepthStencil();
    sprites.SetTransform(Matrix::Identity());
    sprites.Begin(false, false);  // keep the depth state: test on, writes on
    sprites.DrawSprite(&white, 0, 0, 32, 32, nullptr, &red, Vector2(0.5f, 0.5f));
    sprites.DrawSprite(&white, 0, 0, 32, 32, nullptr, &green, Vector2(0.5f, 0.5f));
    sprites.End();
    ExpectPixelNear(Pixel(640, 360), {255, 0, 0, 255}, 0, "second sprite hidden by depth");

    // AdditiveBlend: depth test on, writes off; after End, writes are back on.
    AdditiveBlend additive;
    additive.Begin();
    EXPECT_TRUE(Device().GetDepthStencilState().depthEnable);
    EXPECT_FALSE(Device().GetDepthStencilState().depthWrite);
    EXPECT_EQ(Device().GetBlendState(), *Device().CreateBlendState(2));
    additive.End();
    EXPECT_TRUE(Device().GetDepthStencilState().depthWrite);
    EXPECT_EQ(Device().GetBlendState(), *Device().CreateBlendState(1));

    // Sprites with depth disabled draw over everything.
    sprites.DrawSprite(&white, 0, 0, 32, 32, nullptr, &green, Vector2(0.5f, 0.5f));
    ExpectPixelNear(Pixel(640, 360), {0, 255, 0, 255}, 0, "depth off");
}

TEST_F(GraphicsTest, DrawVerticesPicksTheFirstPoolBufferLargerThanTheDraw) {
    ShaderManager::GetInstance().GetEffectShader().Activate();
    std::vector<unsigned char> vertices(60000, 0);  // degenerate triangles: nothing visible
    struct Case {
        unsigned bytes;
        int index;
    };
    const Case cases[] = {{36, 0}, {72, 0},  {79, 0},    {80, 1},
                          {81, 1}, {160, 2}, {20480, 9}, {40959, 9}};
    for (const Case& c : cases) {
        Device().DrawVertices(PrimitiveTopology::PointList, c.bytes, vertices.data(), 1);
        EXPECT_EQ(Device().GetLastPoolIndex(), c.index) << c.bytes << " bytes";
    }
    EXPECT_EQ(Device().GetOverflowCreateCount(), 0);
    const FwBuffer& overflow = Device().GetPoolBuffer(GraphicsDevice::kOverflowBuffer);

    Device().DrawVertices(PrimitiveTopology::PointList, 40960, vertices.data(), 1);
    EXPECT_EQ(Device().GetLastPoolIndex(), GraphicsDevice::kOverflowBuffer);
    EXPECT_EQ(Device().GetOverflowCreateCount(), 1);
    EXPECT_EQ(overflow.GetCapacity(), 40960u);
    // Same size or smaller: reused.
    Device().DrawVertices(PrimitiveTopology::PointList, 40960, vertices.data(), 1);
    EXPECT_EQ(Device().GetOverflowCreateCount(), 1);
    // Larger: re-created at exactly the new size; smaller later draws keep it.
    Device().DrawVertices(PrimitiveTopology::PointList, 1200, vertices.data(), 36);  // 43200
    EXPECT_EQ(Device().GetOverflowCreateCount(), 2);
    EXPECT_EQ(overflow.GetCapacity(), 43200u);
    Device().DrawVertices(PrimitiveTopology::PointList, 41000, vertices.data(), 1);
    EXPECT_EQ(Device().GetOverflowCreateCount(), 2);
    EXPECT_EQ(Device().GetLastPoolIndex(), GraphicsDevice::kOverflowBuffer);
    // Nothing to draw: no buffer is touched.
    Device().DrawVertices(PrimitiveTopology::PointList, 0, vertices.data(), 36);
    Device().DrawVertices(PrimitiveTopology::PointList, 4, nullptr, 36);
    EXPECT_EQ(Device().GetOverflowCreateCount(), 2);
}

TEST_F(GraphicsTest, BufferCreationRulesAndStagingRoundTrip) {
    FwBuffer buffer;
    EXPECT_TRUE(buffer.Create(BindFlag::ConstantBuffer, 96, BufferUsage::Dynamic, nullptr));
    EXPECT_EQ(buffer.GetCapacity(), 96u);
    EXPECT_EQ(buffer.GetUsage(), BufferUsage::Dynamic);
    EXPECT_TRUE(buffer.Create(BindFlag::ConstantBuffer, 160, BufferUsage::Dynamic, nullptr));
    EXPECT_EQ(buffer.GetCapacity(), 160u);
    // Not a multiple of 16: refused, and the previous buffer is gone too.
    EXPECT_FALSE(buffer.Create(BindFlag::ConstantBuffer, 100, BufferUsage::Dynamic, nullptr));
    EXPECT_FALSE(buffer.IsValid());
    EXPECT_EQ(buffer.GetCapacity(), 0u);
    // The rule is for constant buffers only.
    EXPECT_TRUE(buffer.Create(BindFlag::VertexBuffer, 100, BufferUsage::Default, nullptr));
    EXPECT_FALSE(buffer.Create(BindFlag::VertexBuffer, 0, BufferUsage::Default, nullptr));
    EXPECT_FALSE(buffer.Create(BindFlag::VertexBuffer, 16, 1, nullptr));

    const unsigned char initial[8] = {1, 2, 3, 4, 5, 6, 7, 8};
    FwBuffer staging;
    ASSERT_TRUE(staging.Create(BindFlag::VertexBuffer, 8, BufferUsage::Staging, initial));
    EXPECT_EQ(staging.GetBindFlags(), 0u);
    unsigned char out[8] = {};
    ASSERT_TRUE(staging.ReadData(out, 8));
    EXPECT_EQ(std::vector<unsigned char>(out, out + 8),
              std::vector<unsigned char>(initial, initial + 8));
    const unsigned char longer[12] = {9, 9, 9, 9, 9, 9, 9, 9, 7, 7, 7, 7};
    staging.WriteData(longer, 12);  // cut to the capacity
    ASSERT_TRUE(staging.ReadData(out, 8));
    EXPECT_EQ(out[7], 9);
    EXPECT_FALSE(buffer.ReadData(out, 8));  // GPU buffers are not readable

    FwBuffer moved(std::move(staging));
    EXPECT_FALSE(staging.IsValid());
    EXPECT_TRUE(moved.IsValid());
}

TEST_F(GraphicsTest, RenderTargetsSwitchAndClearIndependently) {
    FwTexture target, depth;
    ASSERT_TRUE(target.CreateRenderTarget(64, 32, PixelFormat::R8G8B8A8_Unorm, 1, nullptr));
    ASSERT_TRUE(depth.CreateDepthStencil(64, 32, PixelFormat::R24G8_Typeless, 1, nullptr));
    Device().ClearBackBuffer(Color(0, 0, 1, 1));
    Device().SetRenderTarget(&target, &depth);
    Device().ClearRenderTarget(&target, Color(1, 0, 0, 1));
    Device().ClearDepthStencil(&depth, 1.0f, 0);
    int w = 0, h = 0;
    std::vector<uint8_t> pixels;
    ASSERT_TRUE(FwReadPixels(pixels, w, h));
    EXPECT_EQ(w, 64);
    EXPECT_EQ(h, 32);
    ExpectPixelNear(Pixel(63, 31), {255, 0, 0, 255}, 0, "off-screen target");
    float z = 0;
    ASSERT_TRUE(FwReadDepth(10, 10, z));
    EXPECT_FLOAT_EQ(z, 1.0f);

    // Clearing the back buffer while the target is bound leaves the target alone.
    Device().ClearBackBuffer(Color(0, 1, 0, 1));
    ExpectPixelNear(Pixel(0, 0), {255, 0, 0, 255}, 0, "target after back-buffer clear");
    // The back-buffer read-back (screenshots) ignores the bound target.
    ASSERT_TRUE(FwReadBackBuffer(pixels, w, h));
    ASSERT_EQ(w, 1280);
    EXPECT_EQ(pixels[0], 0);
    EXPECT_EQ(pixels[1], 255);
    Device().SetBackBufferTarget();
    ExpectPixelNear(Pixel(0, 0), {0, 255, 0, 255}, 0, "back buffer");
    EXPECT_EQ(Device().GetRenderTarget(), Device().GetBackBuffer().get());
}

TEST_F(GraphicsTest, ATargetIsNoLongerSampledOnceItIsDrawnInto) {
    // Sampling a texture while drawing into it is a feedback loop (WebGL refuses every draw
    // then): a target still bound from when it was last drawn as a picture is unbound.
    FwTexture target, other;
    ASSERT_TRUE(target.CreateRenderTarget(64, 64, PixelFormat::R8G8B8A8_Unorm, 1, nullptr));
    FillTexture(other, 4, 4, [](int, int) { return std::array<uint8_t, 4>{0, 255, 0, 255}; });
    auto boundOn = [](int unit) {
        glActiveTexture(GL_TEXTURE0 + unit);
        GLint name = 0;
        glGetIntegerv(GL_TEXTURE_BINDING_2D, &name);
        glActiveTexture(GL_TEXTURE0);
        return static_cast<unsigned>(name);
    };
    Device().SetShaderResource(0, &target);
    Device().SetShaderResource(2, &target);
    Device().SetShaderResource(1, &other);
    ASSERT_EQ(boundOn(0), target.GetHandle());
    Device().SetRenderTarget(&target, nullptr);
    EXPECT_NE(boundOn(0), target.GetHandle());
    EXPECT_NE(boundOn(2), target.GetHandle());
    EXPECT_EQ(boundOn(1), other.GetHandle());  // other textures stay
    // Drawn into and then shown: binding it again works as before.
    Device().ClearRenderTarget(&target, Color(1, 0, 0, 1));
    Device().SetBackBufferTarget();
    Device().ClearBackBuffer(Color(0, 0, 0, 1));
    SpriteShader& sprites = ShaderManager::GetInstance().GetSpriteShader();
    sprites.SetTransform(Matrix::Identity());
    const Color white(1, 1, 1, 1);
    sprites.DrawSprite(&target, 0, 0, 64, 64, nullptr, &white, Vector2(0.5f, 0.5f));
    ExpectPixelNear(Pixel(640, 360), {255, 0, 0, 255}, 1, "the target drawn as a picture");
}
