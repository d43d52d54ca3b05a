// Model drawing on a real (offscreen) GL context, checked by reading the pixels back.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "app/Object.h"
#include "engine/graphics/FwScreenshot.h"
#include "engine/graphics/FwTexture.h"
#include "engine/graphics/GraphicsDevice.h"
#include "engine/graphics/ModelCache.h"
#include "engine/graphics/ModelDrawer.h"
#include "engine/graphics/ShaderManager.h"
#include "engine/graphics/ViewFrustum.h"
#include "models/GlContext.h"
#include "support/LitView.h"

namespace {

FwModelNode Node(int index, std::shared_ptr<FwMesh> mesh) {
    FwModelNode node;
    node.index = index;
    node.mesh = std::move(mesh);
    return node;
}

bool Near(uint8_t actual, int expected) {
    return std::abs(int(actual) - expected) <= 2;
}

}  // namespace

using ModelDraw = GlModelTest;

TEST_F(ModelDraw, OpacityScalesAlphaAndColour) {
    REQUIRE_GL();
    FwModel model;
    model.materials.push_back(Flat(1, 1, 1));
    model.nodes.push_back(Node(0, Quad(-0.5f, -0.5f, 0.5f, 0.5f, 1, 0)));

    DrawModel(&model, 1.0f);
    EXPECT_EQ(PixelAt(0, 0)[0], 255);

    Clear(0, 0, 0);
    DrawModel(&model, 0.5f);
    // Colour × 0.5, then blended at alpha 0.5 over black.
    const auto half = PixelAt(0, 0);
    EXPECT_TRUE(Near(half[0], 64)) << int(half[0]);
    EXPECT_NEAR(ShaderManager::GetInstance().GetModelShader().GetMaterialConstants().BaseColor.w,
                0.5f, 1e-6f);

    Clear(0, 0, 1);
    DrawModel(&model, 0.0f);  // every pixel fails the alpha test
    const auto none = PixelAt(0, 0);
    EXPECT_EQ(none[0], 0);
    EXPECT_EQ(none[2], 255);
}

TEST_F(ModelDraw, NodeOverridesShorterThanTheNodeList) {
    REQUIRE_GL();
    FwModel model;
    model.materials.push_back(Flat(1, 0, 0));
    model.nodes.push_back(Node(0, Quad(-0.9f, -0.2f, -0.6f, 0.2f, 1, 0)));
    model.nodes.push_back(Node(1, Quad(0.6f, -0.2f, 0.9f, 0.2f, 1, 0)));
    model.nodes[1].matrix = Matrix::CreateTranslation(0, 0.5f, 0);

    const std::vector<Matrix> overrides = {Matrix::CreateTranslation(0, -0.6f, 0)};
    ShaderManager::GetInstance().GetModelShader().SetWorld(Matrix::CreateTranslation(0.05f, 0, 0));
    DrawModel(&model, 1.0f, &overrides);

    EXPECT_EQ(PixelAt(-0.7f, 0)[0], 0);        // node 0 left its own place...
    EXPECT_EQ(PixelAt(-0.7f, -0.6f)[0], 255);  // ...for the override, then the world shift
    EXPECT_EQ(PixelAt(0.8f, 0)[0], 0);         // node 1 keeps its own matrix
    EXPECT_EQ(PixelAt(0.8f, 0.5f)[0], 255);
    EXPECT_EQ(PixelAt(0.62f, 0.5f)[0], 0);  // world moved it right by 0.05
}

TEST_F(ModelDraw, EmissiveOverrideReplacesTheMaterials) {
    REQUIRE_GL();
    ModelShader& shader = ShaderManager::GetInstance().GetModelShader();
    shader.SetLightEnable(true);
    FwModel model;
    model.materials.push_back(Flat(0, 0, 0, {1, 0, 0}));
    model.nodes.push_back(Node(0, Quad(-0.5f, -0.5f, 0.5f, 0.5f, 1, 0)));

    DrawModel(&model, 1.0f);
    EXPECT_EQ(PixelAt(0, 0)[0], 255);
    Clear(0, 0, 1);
    shader.SetLightEnable(true);
    DrawModelEmissive(&model, {0, 0, 0}, 1.0f);
    const auto dark = PixelAt(0, 0);
    EXPECT_EQ(dark[0], 0);
    EXPECT_EQ(dark[2], 0);  // drawn (black), not skipped
    Clear(0, 0, 0);
    shader.SetLightEnable(true);
    DrawModelEmissive(&model, {0, 1, 0}, 1.0f);
    EXPECT_EQ(PixelAt(0, 0)[1], 255);
    shader.SetLightEnable(false);
}

TEST_F(ModelDraw, SubsetWithoutMaterialKeepsThePreviousOne) {
    REQUIRE_GL();
    FwModel green;
    green.materials.push_back(Flat(0, 1, 0));
    green.nodes.push_back(Node(0, Quad(-0.9f, -0.2f, -0.6f, 0.2f, 1, 0)));
    FwModel bare;  // no materials at all
    bare.nodes.push_back(Node(0, Quad(0.6f, -0.2f, 0.9f, 0.2f, 1, -1)));

    DrawModel(&green, 1.0f);
    DrawModel(&bare, 1.0f);
    const auto kept = PixelAt(0.8f, 0);
    EXPECT_EQ(kept[0], 0);
    EXPECT_EQ(kept[1], 255);
}

TEST_F(ModelDraw, SubsetWithoutMaterialOnAFreshDeviceIsWhite) {
    REQUIRE_GL();
    TearDownTestSuite();
    SetUpTestSuite();
    ASSERT_TRUE(ready);
    Clear(0, 0, 0);
    FwModel bare;
    bare.nodes.push_back(Node(0, Quad(-0.5f, -0.5f, 0.5f, 0.5f, 1, -1)));
    DrawModel(&bare, 1.0f);
    const auto white = PixelAt(0, 0);
    EXPECT_EQ(white[0], 255);
    EXPECT_EQ(white[1], 255);
    EXPECT_EQ(white[2], 255);
}

TEST_F(ModelDraw, NothingToDraw) {
    REQUIRE_GL();
    FwModel empty;
    DrawModel(nullptr, 1.0f);
    DrawModel(&empty, 1.0f);
    FwModel meshless;
    meshless.nodes.push_back(Node(0, nullptr));
    FwModel faceless;  // a subset that claims more faces than the mesh has is not drawn
    faceless.materials.push_back(Flat(1, 1, 1));
    faceless.nodes.push_back(Node(0, std::make_shared<FwMesh>()));
    faceless.nodes[0].mesh->Create({}, {}, {{0, 0, 5}});
    DrawModel(&meshless, 1.0f);
    DrawModel(&faceless, 1.0f);
    EXPECT_EQ(PixelAt(0, 0)[0], 0);
}

// Nodes wholly outside the view are skipped (no draw reaches the GPU), nodes that reach
// into it are drawn, and the picture is what drawing everything would give.
TEST_F(ModelDraw, NodesOutsideTheViewAreSkipped) {
    REQUIRE_GL();
    GraphicsDevice& device = GraphicsDevice::GetInstance();
    FwModel model;
    model.materials.push_back(Flat(1, 0, 0));
    model.nodes.push_back(Node(0, Quad(1.5f, -0.2f, 2.0f, 0.2f, 1, 0)));    // right of the view
    model.nodes.push_back(Node(1, Quad(0.9f, -0.2f, 1.6f, 0.2f, 1, 0)));    // across the edge
    model.nodes.push_back(Node(2, Quad(-0.2f, -0.2f, 0.2f, 0.2f, -2, 0)));  // behind the near plane
    model.nodes.push_back(Node(3, Quad(-0.2f, 1.6f, 0.2f, 2.0f, 1, 0)));    // above

    device.ResetDrawStats();
    DrawModel(&model, 1.0f);
    EXPECT_EQ(device.GetDrawStats().drawCalls, 1);
    EXPECT_EQ(PixelAt(0.95f, 0)[0], 255);
    EXPECT_EQ(PixelAt(0, 0)[0], 0);

    // Moving the whole model by its world matrix brings the first node in.
    ShaderManager::GetInstance().GetModelShader().SetWorld(Matrix::CreateTranslation(-1.7f, 0, 0));
    device.ResetDrawStats();
    DrawModel(&model, 1.0f);
    EXPECT_EQ(device.GetDrawStats().drawCalls, 2);
    EXPECT_EQ(PixelAt(-0.1f, 0)[0], 255);

    // A scaled node: its bounds grow with the scale.
    ShaderManager::GetInstance().GetModelShader().SetWorld(Matrix::CreateScale(0.6f, 0.6f, 1.0f));
    device.ResetDrawStats();
    DrawModel(&model, 1.0f);
    EXPECT_EQ(device.GetDrawStats().drawCalls, 3);
}

TEST_F(ModelDraw, DepthClampAndAStaleCameraKeepEveryNode) {
    REQUIRE_GL();
    GraphicsDevice& device = GraphicsDevice::GetInstance();
    FwModel beyond;
    beyond.materials.push_back(Flat(1, 0, 0));
    beyond.nodes.push_back(Node(0, Quad(-0.2f, -0.2f, 0.2f, 0.2f, -2, 0)));

    // Without depth clipping the near plane clips nothing, so the node is drawn.
    const auto clamp = device.CreateRasterizerState(CullMode::None, FillMode::Solid, false, false);
    device.SetRasterizerState(clamp.get());
    device.ResetDrawStats();
    DrawModel(&beyond, 1.0f);
    EXPECT_EQ(device.GetDrawStats().drawCalls, 1);
    EXPECT_EQ(PixelAt(0, 0)[0], 255);
    device.SetRasterizerState(nullptr);
    Clear(0, 0, 0);

    // A camera set but not yet uploaded is not what the GPU draws with: no skipping.
    ShaderManager& shaders = ShaderManager::GetInstance();
    shaders.SetView(Matrix::CreateTranslation(0, 0, 3));
    EXPECT_FALSE(shaders.IsCameraUploaded());
    device.ResetDrawStats();
    DrawModel(&beyond, 1.0f);
    EXPECT_EQ(device.GetDrawStats().drawCalls, 1);
    shaders.UploadCamera();
    EXPECT_EQ(PixelAt(0, 0)[0], 0);  // the stale camera saw nothing there either
    device.ResetDrawStats();
    DrawModel(&beyond, 1.0f);  // the uploaded camera puts it at depth 1: visible
    EXPECT_EQ(device.GetDrawStats().drawCalls, 1);
    EXPECT_EQ(PixelAt(0, 0)[0], 255);
}

// A skipped node still leaves its material bound, as drawing it would have.
TEST_F(ModelDraw, SkippedNodeLeavesItsMaterialForTheNext) {
    REQUIRE_GL();
    FwModel offscreen;
    offscreen.materials.push_back(Flat(0, 0, 1));
    offscreen.materials.push_back(Flat(0, 1, 0));
    offscreen.nodes.push_back(Node(0, Quad(3.0f, -0.2f, 3.5f, 0.2f, 1, 1)));
    FwModel bare;
    bare.nodes.push_back(Node(0, Quad(-0.2f, -0.2f, 0.2f, 0.2f, 1, -1)));

    DrawModel(&offscreen, 1.0f);
    DrawModel(&bare, 1.0f);
    const auto kept = PixelAt(0, 0);
    EXPECT_EQ(kept[1], 255);
    EXPECT_EQ(kept[2], 0);
}

// The game's perspective (60°, 16:9, near 0.01, far 2000) seen from the origin.
TEST(ViewFrustumTest, SpheresAgainstAPerspectiveView) {
    const Matrix proj =
        Matrix::CreatePerspectiveFieldOfView(ToRadians(60.0f), 1280.0f / 720.0f, 0.01f, 2000.0f);
    const ViewFrustum frustum(proj, true);
    EXPECT_TRUE(frustum.MayContain({0, 0, 10}, 1));
    EXPECT_FALSE(frustum.MayContain({0, 0, -5}, 1));    // behind the camera
    EXPECT_TRUE(frustum.MayContain({0, 0, -0.5f}, 1));  // around the camera
    // Between the eye and the near plane: clipped, unless depth clamp keeps it.
    EXPECT_FALSE(frustum.MayContain({0, 0, 0.005f}, 0.001f));
    EXPECT_TRUE(ViewFrustum(proj, false).MayContain({0, 0, 0.005f}, 0.001f));
    EXPECT_TRUE(frustum.MayContain({0, 0, 2500}, 1));  // the far plane is not used

    // The right edge at distance 10 lies at x = 10 · tan 30° · 16/9 ≈ 10.26.
    EXPECT_TRUE(frustum.MayContain({11.0f, 0, 10}, 1.0f));
    EXPECT_FALSE(frustum.MayContain({12.0f, 0, 10}, 1.0f));
    // Radii that cannot be trusted never hide anything.
    EXPECT_TRUE(frustum.MayContain({0, 0, -5}, -1.0f));
    EXPECT_TRUE(frustum.MayContain({0, 0, -5}, std::nanf("")));
    EXPECT_TRUE(frustum.MayContain({0, 0, -5}, INFINITY));
    // A view turned around sees what was behind.
    const ViewFrustum back(Matrix::CreateRotationY(ToRadians(180.0f)) * proj, true);
    EXPECT_TRUE(back.MayContain({0, 0, -5}, 1));
    EXPECT_FALSE(back.MayContain({0, 0, 10}, 1));
    EXPECT_FLOAT_EQ(MaxScale(Matrix::CreateScale(2, 3, 0.5f) * Matrix::CreateRotationY(1)), 3.0f);
}

TEST_F(ModelDraw, ObjectDrawsItsOwnModelUntilReleased) {
    REQUIRE_GL();
    FwModel source;
    source.materials.push_back(Flat(1, 1, 0));
    source.nodes.push_back(Node(0, Quad(-0.1f, -0.1f, 0.1f, 0.1f, 1, 0)));

    Object* object = new Object();
    object->SetModel(source, Matrix::CreateTranslation(0.5f, 0, 0));
    object->Draw();
    EXPECT_EQ(PixelAt(0.5f, 0)[1], 255);
    EXPECT_EQ(PixelAt(0, 0)[1], 0);

    Clear(0, 0, 0);
    object->Release();
    object->Draw();
    EXPECT_EQ(PixelAt(0.5f, 0)[1], 0);
    delete object;
    EXPECT_EQ(source.nodes.size(), 1u);  // the source keeps its lists
}

namespace {

// Draws the game's robot bodies lit, in perspective, and returns the picture and the
// number of draw calls.
std::vector<uint8_t> DrawRobots(long& drawCalls) {
    GraphicsDevice& device = GraphicsDevice::GetInstance();
    device.ClearBackBuffer(Color(0.1f, 0.1f, 0.15f, 1));
    device.ClearDepthStencil();
    ModelShader& shader = UseLitView({1.5f, 1.0f, -5.0f});
    device.ResetDrawStats();
    const char* parts[] = {"Data/player04/player04_4_body.gltf", "Data/enemy04/enemy04 body.gltf",
                           "Data/spaceBattleShip/cannon.gltf"};
    float x = -2.2f;
    for (const char* part : parts) {
        shader.SetWorld(Matrix::CreateTranslation(x, 0, 0));
        DrawModel(GetModel(part), 1.0f);
        shader.SetWorld(Matrix::CreateScale(0.4f) * Matrix::CreateTranslation(x, -1.6f, -1));
        DrawModel(GetModel(part), 0.6f);  // blended: its subsets must keep their order
        x += 2.2f;
    }
    drawCalls = device.GetDrawStats().drawCalls;
    std::vector<uint8_t> pixels;
    int w = 0, h = 0;
    EXPECT_TRUE(FwReadPixels(pixels, w, h));
    return pixels;
}

}  // namespace

TEST_F(ModelDraw, SubsetsDrawnInOneCallGiveTheSamePictureAsOneCallEach) {
    REQUIRE_GL();
    long merged = 0, separate = 0;
    const std::vector<uint8_t> one = DrawRobots(merged);
    SetMergedSubsetDraws(false);
    const std::vector<uint8_t> each = DrawRobots(separate);
    SetMergedSubsetDraws(true);
    ASSERT_EQ(one.size(), each.size());
    int differing = 0, lit = 0;
    for (size_t i = 0; i < one.size(); i += 4) {
        differing += one[i] != each[i] || one[i + 1] != each[i + 1] || one[i + 2] != each[i + 2];
        lit += each[i] > 60;
    }
    EXPECT_GT(lit, 20000) << "the models were not drawn (run from the build folder)";
    EXPECT_EQ(differing, 0);
    EXPECT_LT(merged * 3, separate) << merged << " calls merged, " << separate << " one by one";
}

TEST_F(ModelDraw, ARunBreaksWhereTexturesDifferAndKeepsMaterialsWithoutOne) {
    REQUIRE_GL();
    // Four quads side by side: red; one without a material (keeps red); green with a base
    // texture that failed to load (reads zero: black); blue with another, real texture of
    // white texels (blue). The two textures cannot share a call.
    std::vector<FwMeshVertex> v;
    std::vector<FwMeshFace> faces;
    for (int q = 0; q < 4; ++q) {
        const float x0 = -0.9f + 0.45f * float(q), x1 = x0 + 0.4f;
        const Vector3 corners[4] = {{x0, -0.3f, 1}, {x1, -0.3f, 1}, {x1, 0.3f, 1}, {x0, 0.3f, 1}};
        const uint32_t base = uint32_t(v.size());
        for (const Vector3& c : corners) {
            FwMeshVertex vertex;
            vertex.pos = c;
            vertex.normal = {0, 0, -1};
            v.push_back(vertex);
        }
        faces.push_back({base, base + 1, base + 2});
        faces.push_back({base, base + 2, base + 3});
    }
    auto mesh = std::make_shared<FwMesh>();
    ASSERT_TRUE(mesh->Create(v, faces, {{0, 0, 2}, {-1, 2, 2}, {1, 4, 2}, {2, 6, 2}}));
    FwModel model;
    model.materials = {Flat(1, 0, 0), Flat(0, 1, 0), Flat(0, 0, 1)};
    model.materials[1].baseColorTex = std::make_shared<FwTexture>();  // failed to load
    auto texels = std::make_shared<FwTexture>();
    const uint32_t white = 0xFFFFFFFFu;
    const SubresourceData data{&white, 4, 0};
    ASSERT_TRUE(texels->Create(1, 1, PixelFormat::R8G8B8A8_Unorm, 1, &data));
    model.materials[2].baseColorTex = texels;
    model.nodes.push_back(Node(0, mesh));
    GraphicsDevice::GetInstance().ResetDrawStats();
    DrawModel(&model, 1.0f);
    EXPECT_EQ(GraphicsDevice::GetInstance().GetDrawStats().drawCalls, 2);
    const auto red = PixelAt(-0.7f, 0), kept = PixelAt(-0.25f, 0), dark = PixelAt(0.2f, 0),
               blue = PixelAt(0.65f, 0);
    EXPECT_TRUE(Near(red[0], 255) && Near(red[1], 0));
    EXPECT_TRUE(Near(kept[0], 255) && Near(kept[1], 0));
    EXPECT_TRUE(Near(dark[0], 0) && Near(dark[1], 0) && Near(dark[2], 0));
    EXPECT_TRUE(Near(blue[2], 255) && Near(blue[0], 0));
    // What a later subset without a material keeps is the last one drawn.
    EXPECT_EQ(ShaderManager::GetInstance().GetModelShader().GetMaterialConstants().BaseColor.z,
              1.0f);
}

TEST_F(ModelDraw, SubsetsOnSharedOrEarlierVerticesAreNotMergedAndKeepTheirMaterials) {
    REQUIRE_GL();
    // Three quads, red, green and blue from left to right. The merged draw tells subsets
    // apart by vertex index, which only works when each subset's vertices come after the
    // previous one's. Here the green subset also holds a sliver on one of red's vertices
    // (it draws nothing, but the two subsets' vertices overlap), and the blue subset's
    // vertices come first in the buffer.
    std::vector<FwMeshVertex> v(12);
    auto corner = [&v](uint32_t at, float x, float y) {
        v[at].pos = {x, y, 1};
        v[at].normal = {0, 0, -1};
    };
    // Blue quad at vertices 0..3, red at 4..7, green at 8..11.
    const float xs[3][2] = {{-0.9f, -0.4f}, {-0.25f, 0.25f}, {0.4f, 0.9f}};
    const uint32_t blueAt = 0, redAt = 4, greenAt = 8;
    for (auto [at, q] : {std::pair{redAt, 0}, {greenAt, 1}, {blueAt, 2}}) {
        corner(at, xs[q][0], -0.3f);
        corner(at + 1, xs[q][1], -0.3f);
        corner(at + 2, xs[q][1], 0.3f);
        corner(at + 3, xs[q][0], 0.3f);
    }
    auto quad = [](uint32_t a, uint32_t b, uint32_t c, uint32_t d) {
        return std::vector<FwMeshFace>{{a, b, c}, {a, c, d}};
    };
    std::vector<FwMeshFace> faces = quad(redAt, redAt + 1, redAt + 2, redAt + 3);
    for (const FwMeshFace& f : quad(greenAt, greenAt + 1, greenAt + 2, greenAt + 3))
        faces.push_back(f);
    faces.push_back({greenAt, greenAt, redAt + 3});
    for (const FwMeshFace& f : quad(blueAt, blueAt + 1, blueAt + 2, blueAt + 3)) faces.push_back(f);
    auto mesh = std::make_shared<FwMesh>();
    ASSERT_TRUE(mesh->Create(v, faces, {{0, 0, 2}, {1, 2, 3}, {2, 5, 2}}));
    EXPECT_EQ(mesh->GetSubsetVertices(0).first, 4u);
    EXPECT_EQ(mesh->GetSubsetVertices(0).end, 8u);
    EXPECT_EQ(mesh->GetSubsetVertices(1).first, 7u);
    EXPECT_EQ(mesh->GetSubsetVertices(1).end, 12u);
    EXPECT_EQ(mesh->GetSubsetVertices(2).first, 0u);
    EXPECT_EQ(mesh->GetSubsetVertices(2).end, 4u);
    EXPECT_EQ(mesh->GetSubsetVertices(3).end, 0u);  // no such subset

    FwModel model;
    model.materials = {Flat(1, 0, 0), Flat(0, 1, 0), Flat(0, 0, 1)};
    model.nodes.push_back(Node(0, mesh));
    GraphicsDevice::GetInstance().ResetDrawStats();
    DrawModel(&model, 1.0f);
    EXPECT_EQ(GraphicsDevice::GetInstance().GetDrawStats().drawCalls, 3);
    const auto red = PixelAt(-0.65f, 0), green = PixelAt(0, 0), blue = PixelAt(0.65f, 0);
    EXPECT_TRUE(Near(red[0], 255) && Near(red[1], 0) && Near(red[2], 0));
    EXPECT_TRUE(Near(green[0], 0) && Near(green[1], 255) && Near(green[2], 0));
    EXPECT_TRUE(Near(blue[0], 0) && Near(blue[1], 0) && Near(blue[2], 255));

    // Laid out one after the other, the same three subsets go in one call.
    std::vector<FwMeshFace> ordered = quad(blueAt, blueAt + 1, blueAt + 2, blueAt + 3);
    for (const FwMeshFace& f : quad(redAt, redAt + 1, redAt + 2, redAt + 3)) ordered.push_back(f);
    for (const FwMeshFace& f : quad(greenAt, greenAt + 1, greenAt + 2, greenAt + 3))
        ordered.push_back(f);
    ASSERT_TRUE(mesh->Create(v, ordered, {{2, 0, 2}, {0, 2, 2}, {1, 4, 2}}));
    Clear(0, 0, 0);
    GraphicsDevice::GetInstance().ResetDrawStats();
    DrawModel(&model, 1.0f);
    EXPECT_EQ(GraphicsDevice::GetInstance().GetDrawStats().drawCalls, 1);
    EXPECT_EQ(PixelAt(-0.65f, 0), red);
    EXPECT_EQ(PixelAt(0, 0), green);
    EXPECT_EQ(PixelAt(0.65f, 0), blue);
}

TEST_F(ModelDraw, IndexedDrawsWithABaseVertexStartThatManyVerticesLater) {
    REQUIRE_GL();
    // Two quads in one vertex buffer, the indices naming the first one's corners.
    std::vector<FwMeshVertex> v(8);
    const float xs[2][2] = {{-0.8f, -0.4f}, {0.4f, 0.8f}};
    for (uint32_t q = 0; q < 2; ++q) {
        const Vector3 corners[4] = {
            {xs[q][0], -0.3f, 1}, {xs[q][1], -0.3f, 1}, {xs[q][1], 0.3f, 1}, {xs[q][0], 0.3f, 1}};
        for (uint32_t k = 0; k < 4; ++k) {
            v[q * 4 + k].pos = corners[k];
            v[q * 4 + k].normal = {0, 0, -1};
        }
    }
    auto mesh = std::make_shared<FwMesh>();
    ASSERT_TRUE(mesh->Create(v, {{0, 1, 2}, {0, 2, 3}}, {{0, 0, 2}}));
    FwModel model;
    model.materials.push_back(Flat(1, 0, 0));
    model.nodes.push_back(Node(0, mesh));
    DrawModel(&model, 1.0f);  // leaves the mesh and a red material bound
    EXPECT_TRUE(Near(PixelAt(-0.6f, 0)[0], 255));
    EXPECT_TRUE(Near(PixelAt(0.6f, 0)[0], 0));

    GraphicsDevice& device = GraphicsDevice::GetInstance();
    device.DrawIndexed(6, 0, 4);
    EXPECT_TRUE(Near(PixelAt(0.6f, 0)[0], 255));
    // A base vertex before the buffer's start draws nothing.
    Clear(0, 0, 0);
    mesh->Activate();
    device.ResetDrawStats();
    device.DrawIndexed(6, 0, -1);
    EXPECT_EQ(device.GetDrawStats().drawCalls, 0);
    EXPECT_TRUE(Near(PixelAt(-0.6f, 0)[0], 0));
}
