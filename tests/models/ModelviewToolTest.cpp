// The modelview tool on files written here: --info counts and refusals, --shot renders.
// Runs the built tool from the build folder; skipped when it has not been built.
#include <gtest/gtest.h>
#include <stb/stb_image.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "models/TestGltf.h"
#include "support/ChildProcess.h"

namespace {

std::string ToolPath() {
    const char* root = std::getenv("HOSHIKAGE_TEST_DATA");
    const std::string dir = root ? root : ".";
    const std::string path = dir + "/tools/modelview/" + ExecutableName("modelview");
    return std::filesystem::exists(path) ? path : std::string();
}

// Runs the tool; returns its exit status and what it printed.
int RunTool(const std::vector<std::string>& arguments, std::string& output) {
    ChildOptions options;
    options.withStdout = true;
    const ChildOutcome outcome = RunChild(ToolPath(), arguments, options);
    output = outcome.output;
    return outcome.status;
}

// A unit cube (24 vertices with face normals) in two primitives: four sides with material 0,
// top and bottom with material 1, under a parent moved by (0, 1, 0).
TestGltf Cube() {
    TestGltf g;
    std::vector<float> pos, nrm;
    std::vector<uint16_t> idx;
    const float n[6][3] = {{1, 0, 0}, {-1, 0, 0}, {0, 0, 1}, {0, 0, -1}, {0, 1, 0}, {0, -1, 0}};
    for (const auto& f : n) {
        // Two axes spanning the face.
        const float u[3] = {f[1] != 0 ? 1.f : 0.f, f[1] != 0 ? 0.f : 1.f, 0};
        const float a[3] = {f[1] * u[2] - f[2] * u[1], f[2] * u[0] - f[0] * u[2],
                            f[0] * u[1] - f[1] * u[0]};
        const uint16_t base = uint16_t(pos.size() / 3);
        for (int k = 0; k < 4; ++k) {
            const float su = (k == 1 || k == 2) ? 0.5f : -0.5f, sa = k >= 2 ? 0.5f : -0.5f;
            for (int c = 0; c < 3; ++c) {
                pos.push_back(f[c] * 0.5f + u[c] * su + a[c] * sa);
                nrm.push_back(f[c]);
            }
        }
        for (int k : {0, 1, 2, 0, 2, 3}) idx.push_back(uint16_t(base + k));
    }
    const int p = g.AddFloats(pos, "VEC3");
    const int nm = g.AddFloats(nrm, "VEC3");
    const std::vector<uint16_t> sides(idx.begin(), idx.begin() + 24);
    const std::vector<uint16_t> caps(idx.begin() + 24, idx.end());
    g.AddMaterial({{"name", "hull"},
                   {"pbrMetallicRoughness",
                    {{"baseColorFactor", {0.8, 0.3, 0.2, 1}},
                     {"metallicFactor", 0.0},
                     {"roughnessFactor", 0.5}}}});
    g.AddMaterial({{"name", "caps"},
                   {"pbrMetallicRoughness", {{"baseColorFactor", {0.3, 0.5, 0.9, 1}}}},
                   {"emissiveFactor", {0.1, 0.2, 0.4}}});
    g.AddMesh({TestGltf::Primitive({{"POSITION", p}, {"NORMAL", nm}}, g.AddIndices(sides), 0),
               TestGltf::Primitive({{"POSITION", p}, {"NORMAL", nm}}, g.AddIndices(caps), 1)});
    g.AddNode({{"name", "base"}, {"translation", {0, 1, 0}}, {"children", {1}}});
    g.AddNode({{"name", "cube"}, {"mesh", 0}});
    g.SetScene({0});
    return g;
}

}  // namespace

TEST(ModelviewTool, InfoReportsCountsAndRefusals) {
    if (ToolPath().empty()) GTEST_SKIP() << "modelview is not built";
    const std::string dir = TestDirectory("tool-info");
    Cube().WriteGltf(dir + "/cube.gltf", "cube.bin");
    Cube().WriteGlb(dir + "/cube.glb");
    WriteFile(dir + "/broken.gltf", "{");

    std::string out;
    EXPECT_EQ(RunTool({"--info", dir + "/cube.gltf", dir + "/cube.glb"}, out), 0) << out;
    EXPECT_NE(out.find("cube.gltf: 2 nodes, 1 meshes, 12 triangles, 2 materials, bounds "
                       "(-0.5, 0.5, -0.5) .. (0.5, 1.5, 0.5)\n"),
              std::string::npos)
        << out;
    EXPECT_NE(out.find("cube.glb: 2 nodes, 1 meshes, 12 triangles"), std::string::npos) << out;
    EXPECT_EQ(out.find("Reading"), std::string::npos) << "loader chatter leaks into --info";

    EXPECT_EQ(RunTool({"--info", dir + "/cube.gltf", dir + "/broken.gltf"}, out), 1) << out;
    EXPECT_NE(out.find("broken.gltf: refused ("), std::string::npos) << out;
    EXPECT_NE(RunTool({"--info"}, out), 0);
}

TEST(ModelviewTool, ShotDrawsTheModelLit) {
    if (ToolPath().empty()) GTEST_SKIP() << "modelview is not built";
    const std::string dir = TestDirectory("tool-shot");
    Cube().WriteGltf(dir + "/cube.gltf", "cube.bin");
    std::string out;
    ASSERT_EQ(RunTool({"--shot", dir + "/cube.png", dir + "/cube.gltf"}, out), 0) << out;

    int w = 0, h = 0, channels = 0;
    unsigned char* pixels = stbi_load((dir + "/cube.png").c_str(), &w, &h, &channels, 4);
    ASSERT_NE(pixels, nullptr);
    EXPECT_EQ(w, 1280);
    EXPECT_EQ(h, 720);
    // The framed cube covers the centre; the corner shows the background. Lit faces differ.
    const unsigned char* centre = pixels + (size_t(h / 2) * w + w / 2) * 4;
    const unsigned char* corner = pixels + 4 * 4;
    EXPECT_GT(std::abs(int(centre[0]) - int(corner[0])), 40);
    std::vector<int> reds;
    for (int x = w / 2 - 200; x <= w / 2 + 200; x += 50)
        reds.push_back(pixels[(size_t(h / 2) * w + x) * 4]);
    EXPECT_GT(
        *std::max_element(reds.begin(), reds.end()) - *std::min_element(reds.begin(), reds.end()),
        10)
        << "flat colour: the light does not shade the faces";
    stbi_image_free(pixels);
}
