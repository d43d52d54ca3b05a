#include <algorithm>
#include <cmath>

#include "GraphicsFixture.h"
#include "engine/graphics/GraphicsDevice.h"
#include "engine/graphics/ShaderManager.h"

namespace {

GraphicsDevice& Device() {
    return GraphicsDevice::GetInstance();
}
ShaderManager& Shaders() {
    return ShaderManager::GetInstance();
}

struct MeshVertex {
    float pos[3];
    float uv[2];
    float normal[3];
    uint8_t color[4];
};
static_assert(sizeof(MeshVertex) == 36);

constexpr float kQuadZ = 5.0f;

// Everything the reference shading needs, in the shader's own terms.
struct Scene {
    Vector4 baseColor{1, 1, 1, 1};
    Vector3 emissive{0, 0, 0};
    float metallic = 0;
    float roughness = 1;
    std::array<uint8_t, 4> vertexColor{255, 255, 255, 255};
    bool lightEnable = true;
    Vector3 ambient{0, 0, 0};
    Vector3 dlDir{0, -1, 0};
    Vector3 dlColor{1, 1, 1};
    int plCount = 0;
    Vector3 plColor{3, 3, 3};
    float plRadius = 1;
    Vector3 plPos{0, 0, 0};
    Vector3 camPos{0, 0, 0};
    bool fog = false;
    Vector3 fogColor{1, 1, 1};
    float fogDensity = 0.001f;
};

Vector3 Mul(const Vector3& a, const Vector3& b) {
    return {a.x * b.x, a.y * b.y, a.z * b.z};
}
Vector3 Scale(const Vector3& a, float s) {
    return {a.x * s, a.y * s, a.z * s};
}
Vector3 Add(const Vector3& a, const Vector3& b) {
    return {a.x + b.x, a.y + b.y, a.z + b.z};
}
Vector3 Sub(const Vector3& a, const Vector3& b) {
    return {a.x - b.x, a.y - b.y, a.z - b.z};
}
float Dot(const Vector3& a, const Vector3& b) {
    return a.x * b.x + a.y * b.y + a.z * b.z;
}
float Length(const Vector3& a) {
    return std::sqrt(Dot(a, a));
}
Vector3 Normalize(const Vector3& a) {
    return Scale(a, 1.0f / Length(a));
}
float Saturate(float v) {
    return std::clamp(v, 0.0f, 1.0f);
}

// The lit model shader, written out on the CPU for one surface point with normal (0,0,-1)
// and white textures.
std::array<float, 4> ReferenceShade(const Scene& s, const Vector3& wp) {
    const float pi = 3.14159265358979f;
    const Vector3 c{s.vertexColor[0] / 255.0f, s.vertexColor[1] / 255.0f,
                    s.vertexColor[2] / 255.0f};
    const float ca = s.vertexColor[3] / 255.0f;
    const Vector3 base{s.baseColor.x, s.baseColor.y, s.baseColor.z};
    const Vector3 albedo = Mul(base, c);
    const float alpha = s.baseColor.w * ca;
    const Vector3 toEye = Sub(s.camPos, wp);
    const float d = Length(toEye);
    const float opacity = s.baseColor.w;
    Vector3 colour;
    if (s.lightEnable) {
        const Vector3 n{0, 0, -1};
        const Vector3 v = Scale(toEye, 1.0f / d);
        const float metallic = 1.0f * s.metallic;
        const float smooth = 1.0f - 1.0f * s.roughness;
        const float sp = std::exp2(13.0f * smooth);
        const Vector3 diffuseColour = Scale(albedo, 1.0f - metallic);
        const Vector3 specColour = Add(Scale(Vector3(0.04f, 0.04f, 0.04f), 1.0f - metallic),
                                       Scale(Mul(base, c), metallic));
        auto shade = [&](const Vector3& l, const Vector3& intensity) {
            const Vector3 h = Normalize(Add(v, l));
            const Vector3 diffuse = Mul(Scale(intensity, Saturate(Dot(n, l)) / pi), diffuseColour);
            const float highlight = std::pow(Saturate(Dot(n, h)), sp) * (sp + 2.0f) / (2.0f * pi);
            return Scale(Add(diffuse, Mul(Scale(intensity, highlight), specColour)), opacity);
        };
        colour = shade(Scale(s.dlDir, -1.0f), s.dlColor);
        if (s.plCount > 0) {
            const Vector3 lv = Sub(s.plPos, wp);
            const float dist = Length(lv);
            if (dist < s.plRadius) {
                const float a = Saturate(1.0f - dist / s.plRadius);
                colour = Add(colour, shade(Scale(lv, 1.0f / dist), Scale(s.plColor, a)));
            }
        }
        colour = Add(colour, Scale(Mul(albedo, s.ambient), opacity));
        colour = Add(colour, Scale(s.emissive, opacity));
    } else {
        colour = Scale(albedo, opacity);
    }
    if (s.fog) {
        const float f = std::min(1.0f, std::exp(-d * s.fogDensity));
        colour = Add(Scale(s.fogColor, 1.0f - f), Scale(colour, f));
    }
    return {colour.x, colour.y, colour.z, alpha};
}

// The world point seen at the centre of pixel (px, py) on the quad plane z = kQuadZ with
// the default camera (identity view, 60° projection).
Vector3 WorldAtPixel(int px, int py) {
    const Matrix& p = Shaders().GetProjMatrix();
    const float ndcX = (px + 0.5f) / 640.0f - 1.0f;
    const float ndcY = 1.0f - (py + 0.5f) / 360.0f;
    return {ndcX * kQuadZ / p(0, 0), ndcY * kQuadZ / p(1, 1), kQuadZ};
}

// Draws a screen-filling quad at z = kQuadZ facing the camera with the scene's settings,
// copy blending so the shader's output alpha is stored as is.
void DrawQuad(const Scene& s) {
    Device().ClearBackBuffer(Color(0, 0, 0, 0));
    Device().ClearDepthStencil();
    const auto copy = Device().CreateBlendState(0);
    Device().SetBlendState(copy.get());
    Shaders().SetView(Matrix::Identity());
    Shaders().SetCameraPosition(s.camPos);
    Shaders().SetDistanceFog(s.fog, s.fogColor, s.fogDensity);
    Shaders().UploadCamera();
    Shaders().SetAmbientLight(s.ambient);
    Shaders().SetDirectionalLight(s.dlDir, s.dlColor);
    Shaders().SetPointLight(0, s.plColor, s.plRadius, s.plPos);
    Shaders().SetPointLightCount(s.plCount);
    Shaders().UploadLights();
    ModelShader& model = Shaders().GetModelShader();
    model.Activate();
    model.SetLightEnable(s.lightEnable);
    model.SetObjectMatrix(Matrix::Identity());
    model.UploadObject();
    model.SetMaterial(Color(s.baseColor), s.emissive, s.metallic, s.roughness);
    model.UploadMaterial();
    const FwTexture* white = Device().GetWhiteTexture().get();
    ModelShader::BindTextures(white, white, white);
    const float e = 20.0f;
    MeshVertex quad[4] = {};
    const float corners[4][2] = {{-e, -e}, {-e, e}, {e, -e}, {e, e}};
    for (int i = 0; i < 4; ++i) {
        quad[i] = MeshVertex{{corners[i][0], corners[i][1], kQuadZ}, {0, 0}, {0, 0, -1}, {}};
        std::copy(s.vertexColor.begin(), s.vertexColor.end(), quad[i].color);
    }
    FwBuffer buffer;
    ASSERT_TRUE(buffer.Create(BindFlag::VertexBuffer, sizeof(quad), BufferUsage::Default, quad));
    Device().SetVertexBuffer(&buffer, sizeof(MeshVertex), 0);
    Device().SetPrimitiveTopology(PrimitiveTopology::TriangleStrip);
    Device().Draw(4, 0);
}

void ExpectShaded(const Scene& s, int px, int py, const char* what) {
    const std::array<float, 4> ref = ReferenceShade(s, WorldAtPixel(px, py));
    const std::array<int, 4> expected = {ColorByte(ref[0]), ColorByte(ref[1]), ColorByte(ref[2]),
                                         ColorByte(ref[3])};
    ExpectPixelNear(ReadPixelAt(px, py), expected, 2, what);
}

Scene LitScene() {
    Scene s;
    s.baseColor = {0.8f, 0.6f, 0.4f, 1.0f};
    s.vertexColor = {230, 200, 255, 255};
    s.metallic = 0.3f;
    s.roughness = 0.55f;
    s.ambient = {0.1f, 0.12f, 0.15f};
    s.emissive = {0.05f, 0.02f, 0.0f};
    s.dlDir = Normalize(Vector3(0.3f, -0.4f, 0.85f));
    s.dlColor = {1.0f, 0.95f, 0.9f};
    return s;
}

}  // namespace

TEST_F(GraphicsTest, DirectionalAmbientAndEmissiveMatchTheReference) {
    const Scene s = LitScene();
    DrawQuad(s);
    ExpectShaded(s, 640, 360, "centre");
    ExpectShaded(s, 100, 80, "upper left");
    ExpectShaded(s, 1200, 650, "lower right");
    ExpectShaded(s, 900, 300, "highlight side");
}

TEST_F(GraphicsTest, PointLightReachesOnlyStrictlyInsideItsRadius) {
    Scene s = LitScene();
    s.dlColor = {0, 0, 0};
    s.plCount = 1;
    s.plColor = {40, 30, 20};
    s.plRadius = 2.0f;
    s.plPos = {0, 0, kQuadZ - 1.0f};  // lights a disc of radius √3 on the quad
    DrawQuad(s);
    // Pixel centres at growing distance from the disc's centre (640, 360).
    const Vector3 centre = WorldAtPixel(640, 360);
    ExpectShaded(s, 640, 360, "under the light");
    int insideX = 640, edgeX = 640;
    for (int x = 640; x < 1280; ++x) {
        const float dist = Length(Sub(s.plPos, WorldAtPixel(x, 360)));
        if (dist < 0.98f * s.plRadius) insideX = x;
        if (dist >= s.plRadius) {
            edgeX = x;
            break;
        }
    }
    ASSERT_GT(edgeX, insideX);
    ExpectShaded(s, insideX, 360, "just inside the radius");
    // At or past the radius the point light adds nothing: only ambient and emissive.
    Scene unlit = s;
    unlit.plCount = 0;
    ExpectShaded(unlit, edgeX, 360, "at the radius");
    ExpectShaded(unlit, edgeX + 40, 360, "outside");
    (void)centre;
    // With no lights in use the same point loses the light again.
    s.plCount = 0;
    DrawQuad(s);
    ExpectShaded(s, 640, 360, "count 0");
}

TEST_F(GraphicsTest, LightingOffOpacityAndFog) {
    Scene s = LitScene();
    s.lightEnable = false;
    DrawQuad(s);
    ExpectShaded(s, 640, 360, "lighting off");

    s = LitScene();
    s.baseColor.w = 0.5f;
    DrawQuad(s);
    ExpectShaded(s, 640, 360, "base colour alpha 0.5");
    EXPECT_NEAR(ReadPixelAt(640, 360)[3], 128, 1);

    // Fog at distance 1000 with density 0.001 keeps e^-1 of the surface colour; the camera
    // position is what the distance is measured from.
    s = LitScene();
    s.lightEnable = false;
    s.camPos = {0, 0, kQuadZ - 1000.0f};
    s.fog = true;
    s.fogColor = {0.2f, 0.4f, 0.9f};
    s.fogDensity = 0.001f;
    DrawQuad(s);
    ExpectShaded(s, 640, 360, "fog at 1000");
    const std::array<float, 4> plain = ReferenceShade(LitScene(), WorldAtPixel(640, 360));
    (void)plain;
}

TEST_F(GraphicsTest, AlphaTestDiscardsExactlyZero) {
    Scene s = LitScene();
    s.vertexColor = {255, 255, 255, 0};
    DrawQuad(s);
    ExpectPixelNear(ReadPixelAt(640, 360), {0, 0, 0, 0}, 0, "alpha 0 discarded");
    s.vertexColor = {255, 255, 255, 1};
    DrawQuad(s);
    EXPECT_EQ(ReadPixelAt(640, 360)[3], 1) << "alpha 1/255 drawn";
    EXPECT_GT(ReadPixelAt(640, 360)[0], 0);
}

TEST_F(GraphicsTest, EffectQuadMultipliesTextureByVertexColourAndDropsAlphaZero) {
    FwTexture texture;
    FillTexture(texture, 2, 1, [](int x, int) {
        return x == 0 ? std::array<uint8_t, 4>{255, 128, 0, 0}
                      : std::array<uint8_t, 4>{255, 128, 0, 255};
    });
    Device().ClearBackBuffer(Color(0, 0, 1, 1));
    Device().ClearDepthStencil();
    const auto copy = Device().CreateBlendState(0);
    Device().SetBlendState(copy.get());
    Shaders().SetView(Matrix::Identity());
    Shaders().SetProjMatrix(Matrix::Identity());
    Shaders().UploadCamera();
    EffectShader& effect = Shaders().GetEffectShader();
    effect.Activate();
    effect.SetWorld(Matrix::CreateScale(0.5f));
    effect.Upload();
    const auto point = Device().CreateSamplerState(0, 1, 1, false);
    Device().SetSamplerState(0, point.get());
    Device().SetShaderResource(0, &texture);
    struct V {
        float p[3], uv[2], c[4];
    };
    const V quad[4] = {{{-1, -1, 0.5f}, {0, 1}, {1, 0.5f, 1, 0.5f}},
                       {{-1, 1, 0.5f}, {0, 0}, {1, 0.5f, 1, 0.5f}},
                       {{1, -1, 0.5f}, {1, 1}, {1, 0.5f, 1, 0.5f}},
                       {{1, 1, 0.5f}, {1, 0}, {1, 0.5f, 1, 0.5f}}};
    FwBuffer buffer;
    ASSERT_TRUE(buffer.Create(BindFlag::VertexBuffer, sizeof(quad), BufferUsage::Dynamic, quad));
    Device().SetVertexBuffer(&buffer, sizeof(V), 0);
    Device().SetPrimitiveTopology(PrimitiveTopology::TriangleStrip);
    Device().Draw(4, 0);
    ExpectPixelNear(ReadPixelAt(400, 360), {0, 0, 255, 255}, 0, "alpha-0 texel");
    ExpectPixelNear(ReadPixelAt(800, 360), {255, 64, 0, 128}, 1, "texel × colour");
    ExpectPixelNear(ReadPixelAt(100, 360), {0, 0, 255, 255}, 0, "outside the scaled quad");
    Device().SetSamplerState(0, nullptr);
}

// The lit and unlit builds: the switch must change the current program only while the
// model shader is the one in use, and Activate must pick the build the switch asks for.
TEST_F(GraphicsTest, LightSwitchSelectsTheMatchingBuild) {
    ModelShader& model = Shaders().GetModelShader();
    ASSERT_TRUE(model.GetProgram().IsValid());
    ASSERT_TRUE(model.GetUnlitProgram().IsValid());
    ASSERT_NE(model.GetProgram().GetHandle(), model.GetUnlitProgram().GetHandle());

    model.SetLightEnable(true);
    model.Activate();
    EXPECT_EQ(Device().GetProgram(), model.GetProgram().GetHandle());
    model.SetLightEnable(false);
    EXPECT_EQ(Device().GetProgram(), model.GetUnlitProgram().GetHandle());
    EXPECT_TRUE(model.IsActive());

    // With another shader in use the switch only records the choice.
    Shaders().GetEffectShader().Activate();
    const unsigned effect = Device().GetProgram();
    model.SetLightEnable(true);
    EXPECT_EQ(Device().GetProgram(), effect);
    EXPECT_FALSE(model.IsActive());
    model.Activate();
    EXPECT_EQ(Device().GetProgram(), model.GetProgram().GetHandle());
}
