#include <stb/stb_image.h>

#include <cmath>
#include <filesystem>

#include "GraphicsFixture.h"
#include "engine/graphics/AdditiveBlend.h"
#include "engine/graphics/FwScreenshot.h"
#include "engine/graphics/GraphicsDevice.h"
#include "engine/graphics/ShaderManager.h"

namespace {

struct MeshVertex {
    float pos[3];
    float uv[2];
    float normal[3];
    uint8_t color[4];
};

// A tilted metal plate lit by the directional light, a warm point light and ambient, seen
// through the default camera.
void DrawLitPlate() {
    GraphicsDevice& device = GraphicsDevice::GetInstance();
    ShaderManager& shaders = ShaderManager::GetInstance();
    shaders.SetView(Matrix::CreateLookAt(Vector3(0, 2, -6), Vector3(0, 0, 0), Vector3(0, 1, 0)));
    shaders.SetCameraPosition(Vector3(0, 2, -6));
    shaders.UploadCamera();
    shaders.SetAmbientLight(Vector3(0.15f, 0.15f, 0.2f));
    shaders.SetDirectionalLight(Vector3(0.4f, -1.0f, 0.6f), Vector3(1.0f, 1.0f, 1.0f));
    shaders.SetPointLight(0, Vector3(6.0f, 3.0f, 1.0f), 4.0f, Vector3(-1.5f, 0.8f, -0.5f));
    shaders.SetPointLightCount(1);
    shaders.UploadLights();
    ModelShader& model = shaders.GetModelShader();
    model.Activate();
    model.SetObjectMatrix(Matrix::CreateRotationX(ToRadians(60.0f)));
    model.UploadObject();
    model.SetMaterial(Color(0.7f, 0.75f, 0.8f, 1.0f), Vector3(0.0f, 0.05f, 0.1f), 0.6f, 0.4f);
    model.UploadMaterial();
    const FwTexture* white = device.GetWhiteTexture().get();
    ModelShader::BindTextures(white, white, white);
    const float e = 3.0f;
    const MeshVertex quad[4] = {{{-e, -e, 0}, {0, 1}, {0, 0, -1}, {255, 255, 255, 255}},
                                {{-e, e, 0}, {0, 0}, {0, 0, -1}, {255, 255, 255, 255}},
                                {{e, -e, 0}, {1, 1}, {0, 0, -1}, {255, 255, 255, 255}},
                                {{e, e, 0}, {1, 0}, {0, 0, -1}, {255, 255, 255, 255}}};
    device.DrawVertices(PrimitiveTopology::TriangleStrip, 4, quad, sizeof(MeshVertex));
}

}  // namespace

TEST_F(GraphicsTest, SceneScreenshotShowsSpritesBlendedOverALitQuad) {
    GraphicsDevice& device = GraphicsDevice::GetInstance();
    device.ClearBackBuffer(Color(0.02f, 0.02f, 0.06f, 1));
    device.ClearDepthStencil();
    DrawLitPlate();
    const std::array<int, 4> plate = Pixel(640, 420);

    // A soft round glow: white with alpha falling off from the centre.
    FwTexture glow;
    FillTexture(glow, 64, 64, [](int x, int y) {
        const float dx = (x - 31.5f) / 32.0f, dy = (y - 31.5f) / 32.0f;
        const float a = std::max(0.0f, 1.0f - std::sqrt(dx * dx + dy * dy));
        return std::array<uint8_t, 4>{255, 255, 255, static_cast<uint8_t>(a * 255.0f)};
    });
    SpriteShader& sprites = ShaderManager::GetInstance().GetSpriteShader();
    sprites.Begin(true, true);
    const Color blue(0.3f, 0.5f, 1.0f, 0.8f), orange(1.0f, 0.5f, 0.1f, 1.0f);
    for (int i = 0; i < 5; ++i) {
        sprites.SetTransform(Matrix::CreateTranslation(-300.0f + 120.0f * i, 130.0f, 0));
        sprites.DrawSprite(&glow, 0, 0, 160, 160, nullptr, &blue, Vector2(0.5f, 0.5f));
    }
    sprites.End();
    AdditiveBlend additive;
    additive.Begin();
    sprites.Begin(true, true);
    for (int i = 0; i < 5; ++i) {
        sprites.SetTransform(Matrix::CreateTranslation(60.0f + 110.0f * i, -40.0f - 30.0f * i, 0));
        sprites.DrawSprite(&glow, 0, 0, 200, 200, nullptr, &orange, Vector2(0.5f, 0.5f));
    }
    sprites.End();
    additive.End();

    // Additive glow brightens the plate under it; the plate itself is lit, not black.
    EXPECT_GT(plate[0] + plate[1] + plate[2], 60);
    const std::array<int, 4> glowOnPlate = Pixel(700, 400);
    EXPECT_GT(glowOnPlate[0], plate[0]);

    const std::string path = GraphicsTestDir() + "/../graphics_scene.png";
    ASSERT_TRUE(FwSaveScreenshot(path));
    int w = 0, h = 0, n = 0;
    unsigned char* png = stbi_load(path.c_str(), &w, &h, &n, 4);
    ASSERT_NE(png, nullptr);
    EXPECT_EQ(w, 1280);
    EXPECT_EQ(h, 720);
    // The file holds the top row first: its pixel (700, 400) is the one read back above.
    const unsigned char* p = png + (static_cast<size_t>(400) * 1280 + 700) * 4;
    EXPECT_EQ(p[0], glowOnPlate[0]);
    EXPECT_EQ(p[1], glowOnPlate[1]);
    stbi_image_free(png);
    EXPECT_FALSE(FwSaveScreenshot(""));
}
