// FwModel::Load and the model cache on a real GL context: GPU meshes, material textures
// with the white fallback, root copies and read-once caching.
#include <gtest/gtest.h>
#include <stb/stb_image_write.h>

#include "engine/graphics/FwTexture.h"
#include "engine/graphics/GraphicsDevice.h"
#include "engine/graphics/ModelCache.h"
#include "engine/graphics/ModelDrawer.h"
#include "engine/graphics/ShaderManager.h"
#include "models/GlContext.h"
#include "models/TestGltf.h"

namespace {

size_t Count(const std::string& text, const std::string& what) {
    size_t n = 0;
    for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
    return n;
}

// A quad in front of the ortho camera (file z = -1 becomes z = 1), textured by `image`,
// under a parent node that is the scene's root.
TestGltf TexturedQuad(const std::string& image) {
    TestGltf g;
    const int pos =
        g.AddFloats({-0.5f, -0.5f, -1, 0.5f, -0.5f, -1, 0.5f, 0.5f, -1, -0.5f, 0.5f, -1}, "VEC3");
    const int uv = g.AddFloats({0, 1, 1, 1, 1, 0, 0, 0}, "VEC2");
    const int idx = g.AddIndices({0, 1, 2, 0, 2, 3});
    const int tex = g.AddTexture(image);
    g.AddMaterial({{"name", "painted"},
                   {"pbrMetallicRoughness",
                    {{"baseColorTexture", {{"index", tex}}}, {"metallicFactor", 1.0}}},
                   {"emissiveTexture", {{"index", tex}}},
                   {"normalTexture", {{"index", tex}}}});
    g.AddMesh({TestGltf::Primitive({{"POSITION", pos}, {"TEXCOORD_0", uv}}, idx, 0)});
    g.AddNode({{"name", "root"}, {"children", {1}}});
    g.AddNode({{"name", "quad"}, {"mesh", 0}});
    g.SetScene({0});
    return g;
}

void WriteRedPng(const std::string& path) {
    const uint8_t red[4 * 4] = {255, 0, 0, 255, 255, 0, 0, 255, 255, 0, 0, 255, 255, 0, 0, 255};
    ASSERT_NE(stbi_write_png(path.c_str(), 2, 2, 4, red, 8), 0);
}

}  // namespace

using ModelLoad = GlModelTest;

TEST_F(ModelLoad, BuildsMeshesTexturesAndRoots) {
    REQUIRE_GL();
    const std::string dir = TestDirectory("load");
    WriteRedPng(dir + "/red.png");
    TexturedQuad("red.png").WriteGltf(dir + "/quad.gltf", "quad.bin");

    FwModel model;
    testing::internal::CaptureStdout();
    ASSERT_TRUE(model.Load(dir + "/quad.gltf"));
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "Reading ASCII glTF\n");

    ASSERT_EQ(model.nodes.size(), 2u);
    EXPECT_FALSE(model.nodes[0].mesh);
    ASSERT_TRUE(model.nodes[1].mesh);
    EXPECT_TRUE(model.nodes[1].mesh->HasGpuBuffers());
    EXPECT_EQ(model.nodes[1].mesh->positions.size(), 4u);
    EXPECT_EQ(model.nodes[1].mesh->positions[0], Vector3(-0.5f, -0.5f, 1));
    EXPECT_EQ(model.nodes[1].mesh->faces.size(), 2u);
    ASSERT_EQ(model.rootNodes.size(), 1u);
    EXPECT_EQ(model.rootNodes[0].name, "root");
    EXPECT_EQ(model.rootNodes[0].index, 0);

    ASSERT_EQ(model.materials.size(), 1u);
    const FwMaterial& m = model.materials[0];
    const auto white = GraphicsDevice::GetInstance().GetWhiteTexture();
    ASSERT_TRUE(m.baseColorTex);
    EXPECT_NE(m.baseColorTex, white);
    EXPECT_EQ(m.baseColorTex->GetDesc().width, 2);
    EXPECT_EQ(m.emissiveTex, m.baseColorTex);  // one file, one texture
    EXPECT_EQ(m.normalTex, m.baseColorTex);
    EXPECT_EQ(m.metallicRoughnessTex, white);
    EXPECT_FLOAT_EQ(m.Metallic, 1.0f);

    // Copies share meshes and textures.
    const FwModel copy = model;
    EXPECT_EQ(copy.nodes[1].mesh, model.nodes[1].mesh);
    EXPECT_EQ(copy.materials[0].baseColorTex, m.baseColorTex);

    DrawModel(&model, 1.0f);
    const auto pixel = PixelAt(0, 0);
    EXPECT_EQ(pixel[0], 255);
    EXPECT_EQ(pixel[1], 0);
}

TEST_F(ModelLoad, MissingImageFallsBackToWhite) {
    REQUIRE_GL();
    const std::string dir = TestDirectory("noimage");
    TexturedQuad("nowhere.png").WriteGltf(dir + "/quad.gltf", "quad.bin");
    FwModel model;
    testing::internal::CaptureStdout();
    ASSERT_TRUE(model.Load(dir + "/quad.gltf"));
    const std::string out = testing::internal::GetCapturedStdout();
    EXPECT_NE(out.find("Warn: texture \"" + dir + "//nowhere.png\" could not be loaded"),
              std::string::npos)
        << out;
    const auto white = GraphicsDevice::GetInstance().GetWhiteTexture();
    EXPECT_EQ(model.materials[0].baseColorTex, white);
    EXPECT_EQ(model.materials[0].emissiveTex, white);
    EXPECT_FALSE(model.materials[0].normalTex);
    DrawModel(&model, 1.0f);
    EXPECT_EQ(PixelAt(0, 0)[1], 255);  // drawn white
}

// Models naming one image share its texture while any of them holds it; once the last is
// gone the file is read afresh, and a new graphics device never gets an old texture.
TEST_F(ModelLoad, MaterialTexturesAreSharedWhileHeld) {
    REQUIRE_GL();
    const std::string dir = TestDirectory("shared");
    WriteRedPng(dir + "/red.png");
    TexturedQuad("red.png").WriteGltf(dir + "/a.gltf", "a.bin");
    TexturedQuad("red.png").WriteGltf(dir + "/b.gltf", "b.bin");
    testing::internal::CaptureStdout();
    auto a = std::make_unique<FwModel>();
    auto b = std::make_unique<FwModel>();
    ASSERT_TRUE(a->Load(dir + "/a.gltf"));
    ASSERT_TRUE(b->Load(dir + "/b.gltf"));
    EXPECT_EQ(a->materials[0].baseColorTex, b->materials[0].baseColorTex);

    // A different image under the same name: still the held texture...
    const uint8_t big[4 * 4 * 4] = {};
    ASSERT_NE(stbi_write_png((dir + "/red.png").c_str(), 4, 4, 4, big, 16), 0);
    b = std::make_unique<FwModel>();
    ASSERT_TRUE(b->Load(dir + "/b.gltf"));
    EXPECT_EQ(b->materials[0].baseColorTex->GetDesc().width, 2);
    // ...until nothing holds it.
    a.reset();
    b = std::make_unique<FwModel>();
    ASSERT_TRUE(b->Load(dir + "/b.gltf"));
    EXPECT_EQ(b->materials[0].baseColorTex->GetDesc().width, 4);

    // A model kept across a device change does not lend its texture to the new device.
    const std::shared_ptr<FwTexture> old = b->materials[0].baseColorTex;
    TearDownTestSuite();
    SetUpTestSuite();
    ASSERT_TRUE(ready);
    FwModel fresh;
    ASSERT_TRUE(fresh.Load(dir + "/a.gltf"));
    testing::internal::GetCapturedStdout();
    EXPECT_NE(fresh.materials[0].baseColorTex, old);
    EXPECT_TRUE(fresh.materials[0].baseColorTex->HasSRV());
}

TEST_F(ModelLoad, FailedLoadLeavesAnEmptyModel) {
    REQUIRE_GL();
    const std::string dir = TestDirectory("failed");
    WriteFile(dir + "/bad.gltf", "{ \"asset\": ");
    FwModel model;
    model.nodes.resize(3);
    testing::internal::CaptureStdout();
    EXPECT_FALSE(model.Load(dir + "/bad.gltf"));
    testing::internal::GetCapturedStdout();
    EXPECT_TRUE(model.IsEmpty());
    EXPECT_TRUE(model.materials.empty());
    EXPECT_TRUE(model.rootNodes.empty());
}

TEST_F(ModelLoad, CacheReadsEachPathOnce) {
    REQUIRE_GL();
    const std::string dir = TestDirectory("cache");
    MakeTriangle().WriteGltf(dir + "/tri.gltf", "tri.bin");

    testing::internal::CaptureStdout();
    FwModel* first = GetModel(dir + "/tri.gltf");
    FwModel* second = GetModel(dir + "/tri.gltf");
    FwModel* missing = GetModel(dir + "/missing.gltf");
    FwModel* missingAgain = GetModel(dir + "/missing.gltf");
    const std::string out = testing::internal::GetCapturedStdout();

    EXPECT_EQ(first, second);
    EXPECT_EQ(first->nodes.size(), 1u);
    ASSERT_NE(missing, nullptr);
    EXPECT_EQ(missing, missingAgain);
    EXPECT_TRUE(missing->IsEmpty());
    EXPECT_EQ(Count(out, "Reading ASCII glTF"), 2u) << out;  // one per path
    // Another spelling of the same file is another entry.
    EXPECT_NE(GetModel(dir + "//tri.gltf"), first);
}

TEST(ModelPaths, GetDirectory) {
    EXPECT_EQ(GetDirectory("Data/ax/ax.gltf"), "Data/ax/");
    EXPECT_EQ(GetDirectory("Data\\ax/ax.gltf"), "Data\\ax/");
    EXPECT_EQ(GetDirectory("Data/ax\\ax.gltf"), "Data/ax\\");
    EXPECT_EQ(GetDirectory("ax.gltf"), "");
    EXPECT_EQ(GetDirectory("/"), "/");
}
