// Model drawing on a real (offscreen) GL context, checked by reading the pixels back.
#include <gtest/gtest.h>

#include "app/Object.h"
#include "engine/graphics/GraphicsDevice.h"
#include "engine/graphics/ModelDrawer.h"
#include "engine/graphics/ShaderManager.h"
#include "models/GlContext.h"

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
