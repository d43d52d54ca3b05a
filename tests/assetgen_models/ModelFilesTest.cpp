#include <gtest/gtest.h>
#include <stb/stb_image.h>
#include <unistd.h>

#include <fstream>
#include <iterator>
#include <map>
#include <nlohmann/json.hpp>
#include <set>

#include "LoadedModel.h"
#include "models/ModelGenerator.h"

namespace {

std::map<std::string, std::string> ReadTree(const std::filesystem::path& root) {
    std::map<std::string, std::string> files;
    for (const auto& e : std::filesystem::recursive_directory_iterator(root)) {
        if (!e.is_regular_file()) continue;
        std::ifstream in(e.path(), std::ios::binary);
        files[std::filesystem::relative(e.path(), root).string()] =
            std::string(std::istreambuf_iterator<char>(in), {});
    }
    return files;
}

nlohmann::json ReadJson(const std::filesystem::path& file) {
    std::ifstream in(file);
    return nlohmann::json::parse(in, nullptr, false);
}

}  // namespace

TEST(ModelFiles, ListNamesEveryModelOnceBelowData) {
    std::vector<std::string> paths = ModelFilePaths();
    EXPECT_EQ(paths.size(), 33u);
    std::set<std::string> unique(paths.begin(), paths.end());
    EXPECT_EQ(unique.size(), paths.size());
    for (const std::string& p : paths) {
        EXPECT_EQ(p.rfind("Data/", 0), 0u) << p;
        EXPECT_TRUE(std::filesystem::is_regular_file(GeneratedRoot() / p)) << p;
    }
}

TEST(ModelFiles, EveryModelLoadsThroughTheGameLoaderWithTrianglesAndTextures) {
    for (const std::string& path : ModelFilePaths()) {
        SCOPED_TRACE(path);
        LoadedModel m = LoadGenerated(path);
        ASSERT_TRUE(m.loaded);
        EXPECT_GT(m.TriangleCount(), 0u);
        EXPECT_FALSE(m.materials.empty());
        for (const auto& f : m.faces) {
            for (uint32_t i : f) ASSERT_LT(i, m.positions.size());
        }
        for (const modelgen::V3& n : m.normals) ASSERT_NEAR(modelgen::Length(n), 1.0f, 1e-3f);
        const auto dir = (GeneratedRoot() / path).parent_path();
        for (const FwGLTFMaterial& mat : m.materials) {
            for (const std::string& tex : {mat.baseColorTexture, mat.emissiveTexture}) {
                if (tex.empty()) continue;
                int w = 0, h = 0, comp = 0;
                EXPECT_TRUE(stbi_info((dir / tex).string().c_str(), &w, &h, &comp)) << tex;
                EXPECT_GT(w, 0);
            }
        }
    }
}

// The game's loader reads accessors tightly packed from their view and colours only as
// floats, so the files must not rely on strides or normalised integer colours.
TEST(ModelFiles, AccessorsAreTightlyPackedFloatsWithIndexedTriangles) {
    for (const std::string& path : ModelFilePaths()) {
        SCOPED_TRACE(path);
        nlohmann::json doc = ReadJson(GeneratedRoot() / path);
        ASSERT_FALSE(doc.is_discarded());
        for (const auto& view : doc["bufferViews"]) EXPECT_FALSE(view.contains("byteStride"));
        for (const auto& mesh : doc["meshes"]) {
            for (const auto& prim : mesh["primitives"]) {
                EXPECT_EQ(prim.value("mode", 4), 4);
                ASSERT_TRUE(prim.contains("indices"));
                for (const char* attr : {"POSITION", "NORMAL", "TEXCOORD_0", "COLOR_0"}) {
                    ASSERT_TRUE(prim["attributes"].contains(attr)) << attr;
                    const auto& acc = doc["accessors"][prim["attributes"][attr].get<int>()];
                    EXPECT_EQ(acc["componentType"], 5126) << attr;
                }
            }
        }
    }
}

TEST(ModelFiles, TwoGenerationsWriteIdenticalBytes) {
    auto second = std::filesystem::temp_directory_path() /
                  ("hoshikage_models_again_" + std::to_string(getpid()));
    std::string error;
    ASSERT_TRUE(GenerateModels(second, error)) << error;
    auto a = ReadTree(GeneratedRoot() / "Data"), b = ReadTree(second / "Data");
    std::filesystem::remove_all(second);
    ASSERT_EQ(a.size(), b.size());
    for (const auto& [name, bytes] : a) {
        ASSERT_TRUE(b.count(name)) << name;
        EXPECT_TRUE(bytes == b[name]) << name << " differs between runs";
    }
}

TEST(ModelFiles, TriangleBudgets) {
    for (const std::string& path : ModelFilePaths()) {
        bool robotPart = path.find("player04/") != std::string::npos ||
                         path.find("enemy04/") != std::string::npos;
        if (!robotPart) continue;
        EXPECT_LT(LoadGenerated(path).TriangleCount(), 3000u) << path;
    }
    EXPECT_LT(LoadGenerated("Data/spaceBattleShip/battleShip.gltf").TriangleCount(), 20000u);
    // Hit models are tested by brute-force rays every frame; they must stay coarse.
    EXPECT_LT(LoadGenerated("Data/spaceBattleShip/hitBox.gltf").TriangleCount(), 200u);
    EXPECT_LE(LoadGenerated("Data/player04/hitBox.gltf").TriangleCount(), 12u);
}
