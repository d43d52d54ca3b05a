// Conversion rules of the glTF loader: mirroring, winding, subsets, attributes, node
// matrices and the first scene. Pure CPU (FwLoadGLTFModel never touches the GPU).
#include <gtest/gtest.h>

#include "engine/graphics/FwGLTFModel.h"
#include "models/TestGltf.h"

namespace {

void ExpectMatrixNear(const Matrix& expected, const Matrix& actual) {
    for (int r = 0; r < 4; ++r) {
        for (int c = 0; c < 4; ++c) {
            EXPECT_NEAR(expected(r, c), actual(r, c), 1e-5f) << "row " << r << " column " << c;
        }
    }
}

std::shared_ptr<FwGLTFModel> LoadWritten(const TestGltf& g, const std::string& test) {
    const std::string path = TestDirectory(test) + "/model.gltf";
    g.WriteGltf(path, "model.bin");
    return FwLoadGLTFModel(path);
}

}  // namespace

TEST(GltfLoader, MirrorsZAndReversesWinding) {
    auto model = LoadWritten(MakeTriangle(true), "mirror");
    ASSERT_TRUE(model);
    ASSERT_EQ(model->nodes.size(), 1u);
    const FwGLTFNode& node = *model->nodes[0];
    EXPECT_TRUE(node.hasMesh);
    EXPECT_EQ(node.name, "tri");
    ASSERT_EQ(node.vertices.size(), 3u);
    EXPECT_EQ(node.vertices[0].pos, Vector3(1, 2, -3));
    EXPECT_EQ(node.vertices[2].pos, Vector3(7, 8, -9));
    EXPECT_EQ(node.vertices[1].normal, Vector3(0, 0, -1));
    ASSERT_EQ(node.faces.size(), 1u);
    EXPECT_EQ(node.faces[0].i0, 0u);
    EXPECT_EQ(node.faces[0].i1, 2u);
    EXPECT_EQ(node.faces[0].i2, 1u);
    ASSERT_EQ(node.subsets.size(), 1u);
    EXPECT_EQ(node.subsets[0].materialIndex, -1);
    EXPECT_EQ(node.subsets[0].faceCount, 1u);
}

TEST(GltfLoader, SortsPrimitivesByMaterialIntoSubsets) {
    TestGltf g;
    // File order: a 2-triangle primitive with material 1, then a 1-triangle one with 0.
    const int pos1 = g.AddFloats({0, 0, 0, 1, 0, 0, 1, 1, 0, 0, 1, 0}, "VEC3");
    const int idx1 = g.AddIndices({0, 1, 2, 0, 2, 3});
    const int pos0 = g.AddFloats({5, 0, 0, 6, 0, 0, 6, 1, 0}, "VEC3");
    const int idx0 = g.AddIndices({0, 1, 2});
    g.AddMaterial({{"name", "zero"}});
    g.AddMaterial({{"name", "one"}});
    g.AddMesh({TestGltf::Primitive({{"POSITION", pos1}}, idx1, 1),
               TestGltf::Primitive({{"POSITION", pos0}}, idx0, 0)});
    g.AddNode({{"mesh", 0}});
    g.SetScene({0});

    auto model = LoadWritten(g, "subsets");
    ASSERT_TRUE(model);
    const FwGLTFNode& node = *model->nodes[0];
    ASSERT_EQ(node.subsets.size(), 2u);
    EXPECT_EQ(node.subsets[0].materialIndex, 0);
    EXPECT_EQ(node.subsets[0].firstFace, 0u);
    EXPECT_EQ(node.subsets[0].faceCount, 1u);
    EXPECT_EQ(node.subsets[1].materialIndex, 1);
    EXPECT_EQ(node.subsets[1].firstFace, node.subsets[0].faceCount);
    EXPECT_EQ(node.subsets[1].faceCount, 2u);

    // Material 0's vertices come first; material 1's indices are offset past them.
    ASSERT_EQ(node.vertices.size(), 7u);
    EXPECT_EQ(node.vertices[0].pos, Vector3(5, 0, 0));
    ASSERT_EQ(node.faces.size(), 3u);
    EXPECT_EQ(node.faces[1].i0, 3u);
    EXPECT_EQ(node.faces[1].i1, 5u);
    EXPECT_EQ(node.faces[1].i2, 4u);
    EXPECT_EQ(node.faces[2].i0, 3u);
    EXPECT_EQ(node.faces[2].i1, 6u);
    EXPECT_EQ(node.faces[2].i2, 5u);
}

TEST(GltfLoader, AttributeDefaultsAndConversions) {
    TestGltf g;
    const int pos = g.AddFloats({0, 0, 0, 1, 0, 0, 0, 1, 0}, "VEC3");
    const int idx = g.AddIndices({0, 1, 2});
    // Primitive A: nothing but positions.
    const nlohmann::json bare = TestGltf::Primitive({{"POSITION", pos}}, idx, 0);
    // Primitive B: float VEC3 colours (clamped), unsigned-byte texture coordinates.
    const int colorF = g.AddFloats({0.5f, 2.0f, -1.0f, 0, 0, 0, 1, 1, 1}, "VEC3");
    const int uvB =
        g.AddPacked<uint8_t>({255, 0, 51, 102, 0, 255}, TestGltf::kUnsignedByte, "VEC2", true);
    const nlohmann::json floats =
        TestGltf::Primitive({{"POSITION", pos}, {"COLOR_0", colorF}, {"TEXCOORD_0", uvB}}, idx, 1);
    // Primitive C: unsigned-byte VEC4 colours, signed-short and signed-byte coordinates.
    const int colorB = g.AddPacked<uint8_t>({10, 20, 30, 40, 0, 0, 0, 0, 255, 255, 255, 255},
                                            TestGltf::kUnsignedByte, "VEC4", true);
    const int uvS =
        g.AddPacked<int16_t>({32767, -32768, 0, 0, 0, 0}, TestGltf::kShort, "VEC2", true);
    const nlohmann::json bytes =
        TestGltf::Primitive({{"POSITION", pos}, {"COLOR_0", colorB}, {"TEXCOORD_0", uvS}}, idx, 2);
    for (int i = 0; i < 3; ++i) g.AddMaterial({{"name", "m" + std::to_string(i)}});
    g.AddMesh({bare, floats, bytes});
    g.AddNode({{"mesh", 0}});
    g.SetScene({0});

    auto model = LoadWritten(g, "attributes");
    ASSERT_TRUE(model);
    const auto& v = model->nodes[0]->vertices;
    ASSERT_EQ(v.size(), 9u);
    // A: opaque white, uv (0, 0).
    for (int c = 0; c < 4; ++c) EXPECT_EQ(v[0].color[c], 255) << c;
    EXPECT_EQ(v[0].uv, Vector2(0, 0));
    // B: 0.5 → 127, 2 → 255, -1 → 0, alpha stays 255; uv 255/255, 0, 51/255, 102/255.
    EXPECT_EQ(v[3].color[0], 127);
    EXPECT_EQ(v[3].color[1], 255);
    EXPECT_EQ(v[3].color[2], 0);
    EXPECT_EQ(v[3].color[3], 255);
    EXPECT_FLOAT_EQ(v[3].uv.x, 1.0f);
    EXPECT_FLOAT_EQ(v[3].uv.y, 0.0f);
    EXPECT_FLOAT_EQ(v[4].uv.x, 0.2f);
    EXPECT_FLOAT_EQ(v[4].uv.y, 0.4f);
    // C: bytes taken as they are; -32768 / 32767 is clamped to -1.
    EXPECT_EQ(v[6].color[0], 10);
    EXPECT_EQ(v[6].color[3], 40);
    EXPECT_EQ(v[7].color[3], 0);
    EXPECT_FLOAT_EQ(v[6].uv.x, 1.0f);
    EXPECT_FLOAT_EQ(v[6].uv.y, -1.0f);
}

TEST(GltfLoader, UnindexedTrianglesAndSkippedModes) {
    TestGltf g;
    const int pos =
        g.AddFloats({0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0, 1, 1, 0, 1, 0, 1, 1, 9, 9, 9}, "VEC3");
    nlohmann::json lines = TestGltf::Primitive({{"POSITION", pos}});
    lines["mode"] = 1;
    g.AddMesh({lines, TestGltf::Primitive({{"POSITION", pos}})});
    g.AddNode({{"mesh", 0}});
    g.SetScene({0});

    auto model = LoadWritten(g, "unindexed");
    ASSERT_TRUE(model);
    const FwGLTFNode& node = *model->nodes[0];
    ASSERT_EQ(node.subsets.size(), 1u);  // the line primitive is skipped
    ASSERT_EQ(node.faces.size(), 2u);    // the seventh vertex makes no triangle
    EXPECT_EQ(node.faces[1].i0, 3u);
    EXPECT_EQ(node.faces[1].i1, 5u);
    EXPECT_EQ(node.faces[1].i2, 4u);
}

TEST(GltfLoader, NodeMatricesThroughTheHierarchy) {
    TestGltf g;
    g.AddNode({{"name", "parent"}, {"translation", {0, 5, 2}}, {"children", {1}}});
    g.AddNode({{"name", "child"}, {"translation", {1, 0, 0}}, {"scale", {2, 2, 2}}});
    // Column-major glTF matrix == our row-vector rows in file order.
    g.AddNode(
        {{"name", "matrix"}, {"matrix", {1, 2, 3, 0, 4, 5, 6, 0, 7, 8, 9, 0, 10, 11, 12, 1}}});
    // 90° about y: (x, y, z, w) = (0, sin 45°, 0, cos 45°).
    g.AddNode({{"name", "rotated"}, {"rotation", {0, 0.70710678, 0, 0.70710678}}});
    g.AddNode({{"name", "outside the scene"}, {"translation", {3, 3, 3}}});
    g.SetScene({0, 2, 3});

    auto model = LoadWritten(g, "hierarchy");
    ASSERT_TRUE(model);
    ASSERT_EQ(model->nodes.size(), 5u);
    ASSERT_EQ(model->rootNodes.size(), 3u);
    EXPECT_EQ(model->rootNodes[1]->index, 2);
    ASSERT_EQ(model->nodes[0]->children.size(), 1u);
    EXPECT_EQ(model->nodes[0]->children[0], model->nodes[1]);

    // Parent at (0, 5, -2) after the mirror; the child carries it.
    EXPECT_EQ(model->nodes[0]->worldMatrix.Translation(), Vector3(0, 5, -2));
    ExpectMatrixNear(Matrix(2, 0, 0, 0, 0, 2, 0, 0, 0, 0, 2, 0, 1, 5, -2, 1),
                     model->nodes[1]->worldMatrix);
    // The z row and column flip sign, except their crossing (row 3, column 3).
    ExpectMatrixNear(Matrix(1, 2, -3, 0, 4, 5, -6, 0, -7, -8, 9, 0, 10, 11, -12, 1),
                     model->nodes[2]->localMatrix);
    // glTF turns +x towards -z; mirrored, +x turns towards +z.
    ExpectMatrixNear(Matrix(0, 0, 1, 0, 0, 1, 0, 0, -1, 0, 0, 0, 0, 0, 0, 1),
                     model->nodes[3]->worldMatrix);
    // Not under the first scene: local is set, world stays identity.
    EXPECT_EQ(model->nodes[4]->localMatrix.Translation(), Vector3(3, 3, -3));
    EXPECT_EQ(model->nodes[4]->worldMatrix, Matrix::Identity());
}

TEST(GltfLoader, WithoutSceneThereAreNoRoots) {
    TestGltf g = MakeTriangle();
    g.doc.erase("scene");
    g.doc.erase("scenes");
    auto model = LoadWritten(g, "noscene");
    ASSERT_TRUE(model);
    EXPECT_TRUE(model->rootNodes.empty());
    EXPECT_EQ(model->nodes.size(), 1u);
}

TEST(GltfLoader, MaterialRecords) {
    TestGltf g = MakeTriangle();
    const int tex = g.AddTexture("base.png");
    const int emissive = g.AddTexture("glow.png");
    g.doc["textures"].push_back({{"source", -1}});
    g.AddMaterial({{"name", "hull"},
                   {"pbrMetallicRoughness",
                    {{"baseColorFactor", {0.5, 0.25, 1, 0.75}},
                     {"baseColorTexture", {{"index", tex}}},
                     {"metallicFactor", 0.3},
                     {"roughnessFactor", 0.6},
                     {"metallicRoughnessTexture", {{"index", 2}}}}},
                   {"emissiveFactor", {1, 0.5, 0}},
                   {"emissiveTexture", {{"index", emissive}}}});
    // A colour factor of the wrong length is ignored rather than half-read.
    g.AddMaterial({{"pbrMetallicRoughness", {{"baseColorFactor", {0.5, 0.5, 0.5}}}}});
    auto model = LoadWritten(g, "materials");
    ASSERT_TRUE(model);
    ASSERT_EQ(model->materials.size(), 2u);
    const FwGLTFMaterial& m = model->materials[0];
    EXPECT_EQ(m.name, "hull");
    EXPECT_EQ(m.baseColorTexture, "base.png");
    EXPECT_EQ(m.emissiveTexture, "glow.png");
    EXPECT_EQ(m.metallicRoughnessTexture, "");  // its source is -1
    EXPECT_EQ(m.normalTexture, "");
    EXPECT_EQ(m.baseColorFactor, Vector4(0.5f, 0.25f, 1.0f, 0.75f));
    EXPECT_EQ(m.emissiveFactor, Vector3(1.0f, 0.5f, 0.0f));
    EXPECT_FLOAT_EQ(m.metallicFactor, 0.3f);
    EXPECT_FLOAT_EQ(m.roughnessFactor, 0.6f);
    EXPECT_EQ(model->materials[1].baseColorFactor, Vector4(1, 1, 1, 1));
    EXPECT_EQ(model->materials[1].emissiveFactor, Vector3(0, 0, 0));
    EXPECT_FLOAT_EQ(model->materials[1].metallicFactor, 1.0f);
}

// The same triangle pair stored packed, interleaved and as .glb loads identically.
TEST(GltfLoader, InterleavedAndBinaryMatchPacked) {
    const std::vector<float> pos = {0, 0, 0, 1, 0, 0, 1, 1, 0, 0, 1, 0};
    const std::vector<float> nrm = {0, 0, 1, 0, 0, 1, 0, 1, 0, 1, 0, 0};
    const std::vector<float> uv = {0, 0, 1, 0, 1, 1, 0, 1};
    const std::vector<uint32_t> indices = {0, 1, 2, 0, 2, 3};

    TestGltf packed;
    {
        const nlohmann::json attributes = {{"POSITION", packed.AddFloats(pos, "VEC3")},
                                           {"NORMAL", packed.AddFloats(nrm, "VEC3")},
                                           {"TEXCOORD_0", packed.AddFloats(uv, "VEC2")}};
        packed.AddMesh({TestGltf::Primitive(attributes, packed.AddIndices32(indices))});
        packed.AddNode({{"mesh", 0}});
        packed.SetScene({0});
    }
    TestGltf interleaved;
    {
        std::vector<float> data;  // per vertex: pos, normal, uv (32 bytes)
        for (int k = 0; k < 4; ++k) {
            data.insert(data.end(), pos.begin() + 3 * k, pos.begin() + 3 * k + 3);
            data.insert(data.end(), nrm.begin() + 3 * k, nrm.begin() + 3 * k + 3);
            data.insert(data.end(), uv.begin() + 2 * k, uv.begin() + 2 * k + 2);
        }
        const int view = interleaved.AddView(data.data(), data.size() * 4, 32);
        const nlohmann::json attributes = {
            {"POSITION", interleaved.AddAccessor(view, TestGltf::kFloat, 4, "VEC3", 0)},
            {"NORMAL", interleaved.AddAccessor(view, TestGltf::kFloat, 4, "VEC3", 12)},
            {"TEXCOORD_0", interleaved.AddAccessor(view, TestGltf::kFloat, 4, "VEC2", 24)}};
        interleaved.AddMesh({TestGltf::Primitive(attributes, interleaved.AddIndices32(indices))});
        interleaved.AddNode({{"mesh", 0}});
        interleaved.SetScene({0});
    }
    const std::string dir = TestDirectory("interleaved");
    packed.WriteGltf(dir + "/packed.gltf", "packed.bin");
    interleaved.WriteGltf(dir + "/interleaved.gltf", "interleaved.bin");
    packed.WriteGlb(dir + "/packed.glb");

    testing::internal::CaptureStdout();
    auto a = FwLoadGLTFModel(dir + "/packed.gltf");
    auto b = FwLoadGLTFModel(dir + "/interleaved.gltf");
    auto c = FwLoadGLTFModel(dir + "/packed.glb");
    const std::string out = testing::internal::GetCapturedStdout();
    EXPECT_NE(out.find("Reading ASCII glTF\n"), std::string::npos);
    EXPECT_NE(out.find("Reading binary glTF\n"), std::string::npos);
    ASSERT_TRUE(a && b && c);
    for (const auto& other : {b, c}) {
        const FwGLTFNode& x = *a->nodes[0];
        const FwGLTFNode& y = *other->nodes[0];
        ASSERT_EQ(x.vertices.size(), y.vertices.size());
        ASSERT_EQ(x.faces.size(), y.faces.size());
        EXPECT_EQ(0, std::memcmp(x.vertices.data(), y.vertices.data(),
                                 x.vertices.size() * sizeof(FwMeshVertex)));
        EXPECT_EQ(0,
                  std::memcmp(x.faces.data(), y.faces.data(), x.faces.size() * sizeof(FwMeshFace)));
    }
    EXPECT_EQ(a->nodes[0]->vertices[3].uv, Vector2(0, 1));
    EXPECT_EQ(a->nodes[0]->vertices[3].normal, Vector3(1, 0, 0));
}

TEST(GltfLoader, FromMemoryAsFromFilesWithBuffersThroughTheReader) {
    TestGltf g = MakeTriangle(true);
    const std::string dir = TestDirectory("memory");
    g.WriteGltf(dir + "/tri.gltf", "tri.bin");
    g.WriteGlb(dir + "/tri.glb");
    const auto fromFile = FwLoadGLTFModel(dir + "/tri.gltf");
    ASSERT_TRUE(fromFile);

    const std::string text = ReadFile(dir + "/tri.gltf");
    const std::string bin = ReadFile(dir + "/tri.bin");
    std::vector<std::string> asked;
    FwGLTFMemory memory;
    memory.data = reinterpret_cast<const unsigned char*>(text.data());
    memory.size = text.size();
    memory.baseDir = "models/";
    memory.readFile = [&](const std::string& path, std::vector<unsigned char>& bytes) {
        asked.push_back(path);
        bytes.assign(bin.begin(), bin.end());
        return true;
    };
    std::string log;
    const auto fromText = FwLoadGLTFModel(memory, &log);
    ASSERT_TRUE(fromText) << log;
    EXPECT_NE(log.find("Reading ASCII glTF"), std::string::npos);
    ASSERT_FALSE(asked.empty());
    EXPECT_EQ(asked.back(), "models/tri.bin");

    const std::string glb = ReadFile(dir + "/tri.glb");
    FwGLTFMemory binary;
    binary.data = reinterpret_cast<const unsigned char*>(glb.data());
    binary.size = glb.size();
    binary.binary = true;
    const auto fromGlb = FwLoadGLTFModel(binary, &log);
    ASSERT_TRUE(fromGlb) << log;

    for (const auto& other : {fromText, fromGlb}) {
        const FwGLTFNode& x = *fromFile->nodes[0];
        const FwGLTFNode& y = *other->nodes[0];
        ASSERT_EQ(x.vertices.size(), y.vertices.size());
        EXPECT_EQ(0, std::memcmp(x.vertices.data(), y.vertices.data(),
                                 x.vertices.size() * sizeof(FwMeshVertex)));
        ASSERT_EQ(x.faces.size(), y.faces.size());
        EXPECT_EQ(x.faces[0].i1, y.faces[0].i1);
    }

    // A buffer the reader cannot give fails the model, as a missing .bin does.
    memory.readFile = [](const std::string&, std::vector<unsigned char>&) { return false; };
    log.clear();
    EXPECT_FALSE(FwLoadGLTFModel(memory, &log));
    EXPECT_NE(log.find("Failed to parse glTF"), std::string::npos);
    memory.data = nullptr;
    EXPECT_FALSE(FwLoadGLTFModel(memory, &log));
}
