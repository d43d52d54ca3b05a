// Files that do not fit what they claim are refused whole: null model, the loader's
// messages on standard output, and (under AddressSanitizer) no read outside a buffer.
#include <gtest/gtest.h>

#include <functional>
#include <limits>

#include "engine/graphics/FwGLTFModel.h"
#include "models/TestGltf.h"

namespace {

struct Refusal {
    std::shared_ptr<FwGLTFModel> model;
    std::string output;
};

Refusal LoadCapturing(const std::string& path) {
    testing::internal::CaptureStdout();
    Refusal r;
    r.model = FwLoadGLTFModel(path);
    r.output = testing::internal::GetCapturedStdout();
    return r;
}

// Writes the triangle after `edit` and expects a refusal mentioning `reason`.
void ExpectRefused(const std::string& name, const std::function<void(TestGltf&)>& edit,
                   const std::string& reason) {
    TestGltf g = MakeTriangle(true);
    edit(g);
    const std::string path = TestDirectory("bad-" + name) + "/model.gltf";
    g.WriteGltf(path, "model.bin");
    const Refusal r = LoadCapturing(path);
    EXPECT_FALSE(r.model) << name;
    EXPECT_NE(r.output.find("Failed to parse glTF"), std::string::npos) << name << ": " << r.output;
    EXPECT_NE(r.output.find(reason), std::string::npos) << name << ": " << r.output;
}

}  // namespace

TEST(GltfMalformed, BrokenFilesAndBuffers) {
    const std::string dir = TestDirectory("broken");
    MakeTriangle().WriteGltf(dir + "/good.gltf", "good.bin");
    const std::string json = ReadFile(dir + "/good.gltf");
    const std::string bin = ReadFile(dir + "/good.bin");

    WriteFile(dir + "/truncated.gltf", json.substr(0, json.size() / 2));
    WriteFile(dir + "/empty.gltf", "");
    WriteFile(dir + "/short.bin", bin.substr(0, bin.size() - 4));
    std::string shortBin = json;
    shortBin.replace(shortBin.find("good.bin"), 8, "short.bin");
    WriteFile(dir + "/shortbin.gltf", shortBin);
    std::string missingBin = json;
    missingBin.replace(missingBin.find("good.bin"), 8, "gone.bin");
    WriteFile(dir + "/missingbin.gltf", missingBin);

    for (const char* name : {"truncated.gltf", "empty.gltf", "shortbin.gltf", "missingbin.gltf",
                             "does-not-exist.gltf"}) {
        const Refusal r = LoadCapturing(dir + "/" + name);
        EXPECT_FALSE(r.model) << name;
        EXPECT_EQ(r.output.rfind("Reading ASCII glTF\n", 0), 0u) << name;
        EXPECT_NE(r.output.find("Err: "), std::string::npos) << name << ": " << r.output;
        EXPECT_NE(r.output.find("Failed to parse glTF\n"), std::string::npos) << name;
    }
}

TEST(GltfMalformed, BrokenBinaryFiles) {
    const std::string dir = TestDirectory("broken-glb");
    MakeTriangle().WriteGlb(dir + "/good.glb");
    const std::string glb = ReadFile(dir + "/good.glb");
    ASSERT_TRUE(FwLoadGLTFModel(dir + "/good.glb"));

    // Cut inside the header, the JSON chunk and the BIN chunk; a length field that lies.
    for (size_t keep : {size_t(10), size_t(30), glb.size() - 8}) {
        WriteFile(dir + "/cut.glb", glb.substr(0, keep));
        const Refusal r = LoadCapturing(dir + "/cut.glb");
        EXPECT_FALSE(r.model) << keep;
        EXPECT_EQ(r.output.rfind("Reading binary glTF\n", 0), 0u);
        EXPECT_NE(r.output.find("Failed to parse glTF"), std::string::npos) << keep;
    }
    std::string lying = glb;
    lying[12] = char(0xF0);  // JSON chunk length far past the file
    WriteFile(dir + "/lying.glb", lying);
    EXPECT_FALSE(LoadCapturing(dir + "/lying.glb").model);
}

TEST(GltfMalformed, AccessorsOutsideTheirData) {
    ExpectRefused(
        "count past view", [](TestGltf& g) { g.doc["accessors"][0]["count"] = 4; },
        "reaches past the end of its buffer view");
    ExpectRefused(
        "offset past view", [](TestGltf& g) { g.doc["accessors"][0]["byteOffset"] = 4; },
        "reaches past the end of its buffer view");
    ExpectRefused(
        "huge count", [](TestGltf& g) { g.doc["accessors"][0]["count"] = 1ull << 60; },
        "reaches past");
    ExpectRefused(
        "huge offset",
        [](TestGltf& g) { g.doc["accessors"][0]["byteOffset"] = 0xFFFFFFFFFFFFFFF0ull; },
        "reaches past");
    ExpectRefused(
        "view past buffer", [](TestGltf& g) { g.doc["bufferViews"][0]["byteLength"] = 4096; }, "");
    ExpectRefused(
        "view offset past buffer",
        [](TestGltf& g) { g.doc["bufferViews"][1]["byteOffset"] = 1u << 30; }, "");
    ExpectRefused(
        "stride smaller than element",
        [](TestGltf& g) { g.doc["bufferViews"][0]["byteStride"] = 4; }, "stride");
    ExpectRefused(
        "no buffer view", [](TestGltf& g) { g.doc["accessors"][0].erase("bufferView"); },
        "no valid buffer view");
    ExpectRefused(
        "buffer view index", [](TestGltf& g) { g.doc["accessors"][0]["bufferView"] = 17; },
        "no valid buffer view");
    ExpectRefused(
        "negative count", [](TestGltf& g) { g.doc["accessors"][0]["count"] = -3; }, "");
    ExpectRefused(
        "accessor index",
        [](TestGltf& g) { g.doc["meshes"][0]["primitives"][0]["attributes"]["NORMAL"] = 99; },
        "accessor 99 does not exist");
    ExpectRefused(
        "normal count differs", [](TestGltf& g) { g.doc["accessors"][1]["count"] = 2; },
        "NORMAL has 2 elements for 3 vertices");
}

TEST(GltfMalformed, WrongTypesAndReferences) {
    ExpectRefused(
        "short positions", [](TestGltf& g) { g.doc["accessors"][0]["componentType"] = 5123; },
        "POSITION is not a float VEC3");
    ExpectRefused(
        "no positions",
        [](TestGltf& g) { g.doc["meshes"][0]["primitives"][0]["attributes"].erase("POSITION"); },
        "no POSITION");
    ExpectRefused(
        "float indices", [](TestGltf& g) { g.doc["accessors"][2]["componentType"] = 5126; }, "");
    ExpectRefused(
        "mesh index", [](TestGltf& g) { g.doc["nodes"][0]["mesh"] = 3; }, "names mesh 3");
    ExpectRefused(
        "material index", [](TestGltf& g) { g.doc["meshes"][0]["primitives"][0]["material"] = 2; },
        "material 2");
    ExpectRefused(
        "texture index",
        [](TestGltf& g) {
            g.AddMaterial({{"pbrMetallicRoughness", {{"baseColorTexture", {{"index", 5}}}}}});
        },
        "texture 5 does not exist");
    ExpectRefused(
        "image index",
        [](TestGltf& g) {
            g.doc["textures"] = nlohmann::json::array({{{"source", 4}}});
            g.AddMaterial({{"emissiveTexture", {{"index", 0}}}});
        },
        "image 4 does not exist");
    ExpectRefused(
        "short matrix",
        [](TestGltf& g) {
            g.doc["nodes"][0]["matrix"] = {1, 0, 0, 0, 1};
        },
        "malformed matrix");
    ExpectRefused(
        "two-number translation",
        [](TestGltf& g) {
            g.doc["nodes"][0]["translation"] = {1, 2};
        },
        "malformed matrix");
}

TEST(GltfMalformed, IndicesOutOfRange) {
    ExpectRefused(
        "index 3 of 3",
        [](TestGltf& g) {
            g.doc["accessors"][2]["bufferView"] =
                g.AddView(std::vector<uint16_t>{0, 1, 3}.data(), 6);
        },
        "index 3 is out of range for 3 vertices");
    ExpectRefused(
        "negative index",
        [](TestGltf& g) {
            const std::vector<int8_t> idx = {0, -1, 2};
            g.doc["accessors"][2]["bufferView"] = g.AddView(idx.data(), 3);
            g.doc["accessors"][2]["componentType"] = TestGltf::kByte;
        },
        "index -1 is out of range");
}

TEST(GltfMalformed, BrokenHierarchies) {
    ExpectRefused(
        "child index", [](TestGltf& g) { g.doc["nodes"][0]["children"] = {7}; }, "child 7");
    ExpectRefused(
        "self child", [](TestGltf& g) { g.doc["nodes"][0]["children"] = {0}; }, "cycle");
    ExpectRefused(
        "cycle",
        [](TestGltf& g) {
            g.AddNode({{"children", {2}}});
            g.AddNode({{"children", {1}}});
        },
        "cycle");
    ExpectRefused(
        "two parents",
        [](TestGltf& g) {
            g.AddNode({{"children", {0}}});
            g.AddNode({{"children", {0}}});
        },
        "more than one parent");
    ExpectRefused(
        "scene node",
        [](TestGltf& g) {
            g.SetScene({0, 4});
        },
        "names node 4");
    ExpectRefused(
        "root listed twice",
        [](TestGltf& g) {
            g.SetScene({0, 0});
        },
        "twice");
    ExpectRefused(
        "root with a parent",
        [](TestGltf& g) {
            g.AddNode({{"children", {0}}});
            g.SetScene({1, 0});
        },
        "although it has a parent");
}

// Numbers a file may hold that have no float or byte form: loaded, with defined results.
TEST(GltfMalformed, NanColoursAndNumbersBeyondTheFloatRange) {
    TestGltf g;
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const nlohmann::json attributes = {
        {"POSITION", g.AddFloats({0, 0, 0, 1, 0, 0, 0, 1, 0}, "VEC3")},
        {"COLOR_0", g.AddFloats({nan, 0.5f, 1, 1, 2, -1, nan, nan, 0, 0, 0, 0}, "VEC4")}};
    g.AddMesh({TestGltf::Primitive(attributes)});
    g.AddNode({{"mesh", 0}, {"translation", {1e300, -1e300, 2.0}}});
    g.SetScene({0});
    const std::string path = TestDirectory("numbers") + "/model.gltf";
    g.WriteGltf(path, "model.bin");
    testing::internal::CaptureStdout();
    const auto model = FwLoadGLTFModel(path);
    testing::internal::GetCapturedStdout();
    ASSERT_TRUE(model);
    const FwGLTFNode& node = *model->nodes[0];
    ASSERT_EQ(node.vertices.size(), 3u);
    EXPECT_EQ(node.vertices[0].color[0], 0);  // NaN
    EXPECT_EQ(node.vertices[0].color[1], 127);
    EXPECT_EQ(node.vertices[1].color[0], 255);  // clamped
    EXPECT_EQ(node.vertices[1].color[1], 0);
    EXPECT_EQ(node.vertices[2].color[0], 0);
    const Vector3 t = node.localMatrix.Translation();
    EXPECT_EQ(t.x, std::numeric_limits<float>::infinity());
    EXPECT_EQ(t.y, -std::numeric_limits<float>::infinity());
    EXPECT_EQ(t.z, -2.0f);  // mirrored
}
