#include <cstddef>

#include "GraphicsFixture.h"
#include "engine/graphics/FwScreenshot.h"
#include "engine/graphics/GraphicsDevice.h"
#include "engine/graphics/ShaderManager.h"

namespace {

ShaderManager& Shaders() {
    return ShaderManager::GetInstance();
}

struct BlockCheck {
    const char* block;
    int size;
    int binding;
};

struct OffsetCheck {
    const char* uniform;
    int offset;
};

void CheckProgram(const FwShaderProgram& program, std::initializer_list<BlockCheck> blocks,
                  std::initializer_list<OffsetCheck> offsets) {
    ASSERT_TRUE(program.IsValid()) << program.GetLog();
    for (const BlockCheck& b : blocks) {
        EXPECT_EQ(program.GetBlockSize(b.block), b.size) << b.block;
        EXPECT_EQ(program.GetBlockBinding(b.block), b.binding) << b.block;
    }
    for (const OffsetCheck& o : offsets)
        EXPECT_EQ(program.GetUniformOffset(o.uniform), o.offset) << o.uniform;
}

}  // namespace

// The driver's own report of every block must match the CPU copies byte for byte.
TEST_F(GraphicsTest, UniformBlocksHaveTheCpuLayoutInEveryProgram) {
    CheckProgram(Shaders().GetModelShader().GetProgram(),
                 {{"cbObject", sizeof(ObjectConstants), 0},
                  {"cbMaterial", sizeof(MaterialConstants), 1},
                  {"cbCamera", sizeof(CameraConstants), 7},
                  {"cbLight", sizeof(LightConstants), 8}},
                 {{"g_mV", offsetof(CameraConstants, g_mV)},
                  {"g_mP", offsetof(CameraConstants, g_mP)},
                  {"g_CamPos", offsetof(CameraConstants, g_CamPos)},
                  {"g_DistanceFogEnable", offsetof(CameraConstants, g_DistanceFogEnable)},
                  {"g_DistanceFogColor", offsetof(CameraConstants, g_DistanceFogColor)},
                  {"g_DistanceFogDensity", offsetof(CameraConstants, g_DistanceFogDensity)},
                  {"g_mW", offsetof(ObjectConstants, g_mW)},
                  {"g_UVOffset", offsetof(ObjectConstants, g_UVOffset)},
                  {"g_UVTiling", offsetof(ObjectConstants, g_UVTiling)},
                  {"g_LightEnable", offsetof(ObjectConstants, g_LightEnable)},
                  {"g_AlphaTestThreshold", offsetof(ObjectConstants, g_AlphaTestThreshold)},
                  {"g_Material.BaseColor", offsetof(MaterialConstants, BaseColor)},
                  {"g_Material.Emissive", offsetof(MaterialConstants, Emissive)},
                  {"g_Material.Metallic", offsetof(MaterialConstants, Metallic)},
                  {"g_Material.Roughness", offsetof(MaterialConstants, Roughness)},
                  {"g_AmbientLight", offsetof(LightConstants, g_AmbientLight)},
                  {"g_DL_Dir", offsetof(LightConstants, g_DL_Dir)},
                  {"g_DL_Color", offsetof(LightConstants, g_DL_Color)},
                  {"g_PL[0].color", offsetof(LightConstants, g_PL)},
                  {"g_PL[0].radius", offsetof(LightConstants, g_PL) + 12},
                  {"g_PL[0].pos", offsetof(LightConstants, g_PL) + 16},
                  {"g_PL[99].pos", offsetof(LightConstants, g_PL) + 99 * 32 + 16},
                  {"g_PL_Num", offsetof(LightConstants, g_PL_Num)}});
    CheckProgram(Shaders().GetEffectShader().GetProgram(),
                 {{"cbPerObject", sizeof(EffectObjectConstants), 0},
                  {"cbCamera", sizeof(CameraConstants), 7}},
                 {{"g_mW", offsetof(EffectObjectConstants, g_mW)},
                  {"g_UVOffset", offsetof(EffectObjectConstants, g_UVOffset)},
                  {"g_UVTiling", offsetof(EffectObjectConstants, g_UVTiling)},
                  {"g_AlphaTestThreshold", offsetof(EffectObjectConstants, g_AlphaTestThreshold)}});
    CheckProgram(
        Shaders().GetSpriteShader().GetProgram(),
        {{"cbSprite", sizeof(SpriteConstants), 0},
         {"cbProjection", sizeof(ProjectionConstants), 1}},
        {{"g_mTransform", 0}, {"g_color", offsetof(SpriteConstants, g_color)}, {"g_mProj", 0}});
    // The published sizes themselves.
    EXPECT_EQ(sizeof(CameraConstants), 160u);
    EXPECT_EQ(sizeof(LightConstants), 3264u);
    EXPECT_EQ(offsetof(LightConstants, g_PL_Num), 3248u);
    EXPECT_EQ(offsetof(CameraConstants, g_DistanceFogEnable), 140u);
}

TEST_F(GraphicsTest, ShaderManagerStartsWithTheDocumentedDefaults) {
    const CameraConstants& cam = Shaders().GetCameraConstants();
    EXPECT_EQ(cam.g_mV, Matrix::Identity());
    const float aspect = 1280.0f / 720.0f;
    EXPECT_NEAR(cam.g_mP(0, 0), 1.7320508f / aspect, 1e-5f);
    EXPECT_NEAR(cam.g_mP(1, 1), 1.7320508f, 1e-5f);
    EXPECT_NEAR(cam.g_mP(2, 2), 1.00001f, 1e-5f);
    EXPECT_NEAR(cam.g_mP(2, 3), 1.0f, 1e-6f);
    EXPECT_NEAR(cam.g_mP(3, 2), -0.0100001f, 1e-6f);
    EXPECT_EQ(cam.g_mP(3, 3), 0.0f);
    EXPECT_EQ(cam.g_DistanceFogEnable, 0);
    EXPECT_FLOAT_EQ(cam.g_DistanceFogDensity, 0.001f);
    const LightConstants& light = Shaders().GetLightConstants();
    EXPECT_EQ(light.g_DL_Dir.y, -1.0f);
    EXPECT_EQ(light.g_DL_Color.x, 1.0f);
    EXPECT_EQ(light.g_PL_Num, 0);
    EXPECT_EQ(light.g_PL[99].color.x, 3.0f);
    EXPECT_EQ(light.g_PL[99].radius, 1.0f);
    const ObjectConstants& obj = Shaders().GetModelShader().GetObjectConstants();
    EXPECT_EQ(obj.g_LightEnable, 1);
    EXPECT_EQ(obj.g_UVTiling.x, 1.0f);
    EXPECT_EQ(obj.g_AlphaTestThreshold, 0.0f);

    // Out-of-range point lights are ignored; the count is clamped.
    Shaders().SetPointLight(100, Vector3(9, 9, 9), 5, Vector3());
    Shaders().SetPointLightCount(1000);
    EXPECT_EQ(Shaders().GetLightConstants().g_PL_Num, 100);
    Shaders().SetPointLightCount(-3);
    EXPECT_EQ(Shaders().GetLightConstants().g_PL_Num, 0);
}

// Draws an effect quad covering the screen at clip depth z (view and projection identity)
// and returns the depth buffer value at the centre, or -1 when nothing was drawn.
static float DrawAtClipDepth(float z) {
    GraphicsDevice& device = GraphicsDevice::GetInstance();
    ShaderManager& shaders = ShaderManager::GetInstance();
    device.ClearBackBuffer(Color(0, 0, 0, 1));
    device.ClearDepthStencil();
    shaders.SetView(Matrix::Identity());
    shaders.SetProjMatrix(Matrix::Identity());
    shaders.UploadCamera();
    EffectShader& effect = shaders.GetEffectShader();
    effect.Activate();
    effect.SetWorld(Matrix::Identity());
    effect.Upload();
    device.SetShaderResource(0, device.GetWhiteTexture().get());
    struct V {
        float p[3], uv[2], c[4];
    };
    const V quad[4] = {{{-1, -1, z}, {0, 1}, {1, 1, 1, 1}},
                       {{-1, 1, z}, {0, 0}, {1, 1, 1, 1}},
                       {{1, -1, z}, {1, 1}, {1, 1, 1, 1}},
                       {{1, 1, z}, {1, 0}, {1, 1, 1, 1}}};
    device.DrawVertices(PrimitiveTopology::TriangleStrip, 4, quad, sizeof(V));
    uint8_t rgba[4] = {};
    EXPECT_TRUE(FwReadPixel(640, 360, rgba));
    if (rgba[0] == 0) return -1.0f;
    float depth = -1;
    EXPECT_TRUE(FwReadDepth(640, 360, depth));
    return depth;
}

// Clip depth 0..w lands in the depth buffer unchanged and below 0 is clipped, both with
// clip control and with the remap in the vertex shaders.
TEST_F(GraphicsTest, ClipDepthRunsFromZeroToOneOnBothPaths) {
    for (bool native : {true, false}) {
        Reinitialize(native);
        if (native && !GraphicsDevice::GetInstance().ClipDepthIsNative()) continue;
        EXPECT_EQ(GraphicsDevice::GetInstance().ClipDepthIsNative(), native);
        EXPECT_NEAR(DrawAtClipDepth(0.25f), 0.25f, 1e-4f) << "native " << native;
        EXPECT_NEAR(DrawAtClipDepth(0.9f), 0.9f, 1e-4f) << "native " << native;
        EXPECT_NEAR(DrawAtClipDepth(0.0f), 0.0f, 1e-4f) << "native " << native;
        EXPECT_EQ(DrawAtClipDepth(-0.1f), -1.0f) << "in front of the near plane, native " << native;
        EXPECT_EQ(DrawAtClipDepth(1.1f), -1.0f) << "behind the far plane, native " << native;
    }
}

// Setters only mark the blocks; nothing reaches the GPU until the upload.
TEST_F(GraphicsTest, CameraReachesTheShadersOnlyWhenUploaded) {
    EXPECT_GT(DrawAtClipDepth(0.5f), 0.0f);
    ShaderManager& shaders = ShaderManager::GetInstance();
    // A projection that pushes everything behind the far plane, not yet uploaded.
    shaders.SetProjMatrix(Matrix::CreateTranslation(0, 0, 5));
    EffectShader& effect = shaders.GetEffectShader();
    GraphicsDevice& device = GraphicsDevice::GetInstance();
    device.ClearBackBuffer(Color(0, 0, 0, 1));
    device.ClearDepthStencil();
    effect.Activate();
    struct V {
        float p[3], uv[2], c[4];
    };
    const V quad[4] = {{{-1, -1, 0.5f}, {0, 1}, {1, 1, 1, 1}},
                       {{-1, 1, 0.5f}, {0, 0}, {1, 1, 1, 1}},
                       {{1, -1, 0.5f}, {1, 1}, {1, 1, 1, 1}},
                       {{1, 1, 0.5f}, {1, 0}, {1, 1, 1, 1}}};
    device.DrawVertices(PrimitiveTopology::TriangleStrip, 4, quad, sizeof(V));
    EXPECT_EQ(Pixel(640, 360)[0], 255) << "old projection still in force";
    shaders.UploadCamera();
    device.ClearBackBuffer(Color(0, 0, 0, 1));
    device.DrawVertices(PrimitiveTopology::TriangleStrip, 4, quad, sizeof(V));
    EXPECT_EQ(Pixel(640, 360)[0], 0) << "uploaded projection clips the quad";
}
