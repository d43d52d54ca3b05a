// Model costs: the brute-force ray query against a 1,000-triangle hit model, and loading
// a 50,000-triangle glTF (parse and convert on the CPU; with the GPU upload when an
// offscreen GL context can be made).
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "engine/graphics/CollisionQuery.h"
#include "engine/graphics/FwGLTFModel.h"
#include "engine/graphics/FwModel.h"
#include "engine/graphics/GraphicsDevice.h"
#include "engine/graphics/ShaderManager.h"
#include "engine/platform/ScriptedPlatform.h"
#include "support/Environment.h"

namespace {

// A wavy sheet of columns × rows quads (two triangles each) in the x-y plane.
void Sheet(int columns, int rows, std::vector<Vector3>& positions, std::vector<FwMeshFace>& faces) {
    for (int y = 0; y <= rows; ++y) {
        for (int x = 0; x <= columns; ++x) {
            positions.push_back({float(x), float(y), std::sin(x * 0.3f) * std::cos(y * 0.2f)});
        }
    }
    for (int y = 0; y < rows; ++y) {
        for (int x = 0; x < columns; ++x) {
            const uint32_t a = uint32_t(y * (columns + 1) + x), b = a + 1,
                           c = a + uint32_t(columns + 1), d = c + 1;
            faces.push_back({a, b, d});
            faces.push_back({a, d, c});
        }
    }
}

void BM_RayToModel1000Triangles(benchmark::State& state) {
    FwModel model;
    FwModelNode node;
    node.mesh = std::make_shared<FwMesh>();
    Sheet(25, 20, node.mesh->positions, node.mesh->faces);  // 1,000 triangles
    model.nodes.push_back(node);
    const Matrix world = Matrix::CreateRotationY(0.3f) * Matrix::CreateTranslation(5, 0, 20);
    CollisionQuery query;
    int hits = 0, i = 0;
    for (auto _ : state) {
        const Vector3 origin{float(i % 25), float(i % 20), -10.0f};
        Vector3 normal;
        float distance = 0;
        hits += query.RayToModel(&model, world, origin, {0.1f, 0.05f, 1.0f}, normal, distance);
        benchmark::DoNotOptimize(distance);
        ++i;
    }
    state.counters["hit share"] = double(hits) / double(std::max(i, 1));
    state.SetItemsProcessed(state.iterations() * 1000);  // triangles tested
}
BENCHMARK(BM_RayToModel1000Triangles);

// Writes a 50,000-triangle model (positions, normals, uvs, 32-bit indices) once.
const std::string& BigModelPath() {
    static std::string path;
    if (!path.empty()) return path;
    const auto dir = std::filesystem::temp_directory_path() / "hoshikage-bench-models";
    std::filesystem::create_directories(dir);
    path = (dir / "sheet.gltf").string();

    std::vector<Vector3> positions;
    std::vector<FwMeshFace> faces;
    Sheet(250, 100, positions, faces);
    std::vector<float> data;
    for (const Vector3& p : positions) data.insert(data.end(), {p.x, p.y, p.z});
    for (size_t k = 0; k < positions.size(); ++k) data.insert(data.end(), {0.0f, 0.0f, 1.0f});
    for (const Vector3& p : positions) data.insert(data.end(), {p.x / 250, p.y / 100});
    const size_t n = positions.size();
    std::string bin(reinterpret_cast<const char*>(data.data()), data.size() * 4);
    bin.append(reinterpret_cast<const char*>(faces.data()), faces.size() * 12);
    std::ofstream(dir / "sheet.bin", std::ios::binary) << bin;

    char json[2048];
    std::snprintf(
        json, sizeof json,
        R"({"asset":{"version":"2.0"},"scene":0,"scenes":[{"nodes":[0]}],)"
        R"("nodes":[{"mesh":0}],"meshes":[{"primitives":[{"attributes":)"
        R"({"POSITION":0,"NORMAL":1,"TEXCOORD_0":2},"indices":3,"material":0}]}],)"
        R"("materials":[{"name":"sheet"}],"buffers":[{"uri":"sheet.bin","byteLength":%zu}],)"
        R"("bufferViews":[{"buffer":0,"byteOffset":0,"byteLength":%zu},)"
        R"({"buffer":0,"byteOffset":%zu,"byteLength":%zu},)"
        R"({"buffer":0,"byteOffset":%zu,"byteLength":%zu},)"
        R"({"buffer":0,"byteOffset":%zu,"byteLength":%zu}],)"
        R"("accessors":[{"bufferView":0,"componentType":5126,"count":%zu,"type":"VEC3"},)"
        R"({"bufferView":1,"componentType":5126,"count":%zu,"type":"VEC3"},)"
        R"({"bufferView":2,"componentType":5126,"count":%zu,"type":"VEC2"},)"
        R"({"bufferView":3,"componentType":5125,"count":%zu,"type":"SCALAR"}]})",
        bin.size(), n * 12, n * 12, n * 12, n * 24, n * 8, n * 32, faces.size() * 12, n, n, n,
        faces.size() * 3);
    std::ofstream(path) << json;
    return path;
}

void BM_LoadGLTF50000Triangles(benchmark::State& state) {
    const std::string& path = BigModelPath();
    std::string log;
    for (auto _ : state) {
        log.clear();
        auto model = FwLoadGLTFModel(path, &log);
        if (!model || model->nodes[0]->faces.size() != 50000) {
            state.SkipWithError("the benchmark model did not load");
            break;
        }
        benchmark::DoNotOptimize(model);
    }
}
BENCHMARK(BM_LoadGLTF50000Triangles)->Unit(benchmark::kMillisecond);

void BM_FwModelLoad50000Triangles(benchmark::State& state) {
    const std::string& path = BigModelPath();
    SetEnv("SDL_VIDEODRIVER", "offscreen", false);
    SetPlatform(std::make_unique<ScriptedPlatform>());
    std::string error;
    if (!GetPlatform().CreateGameWindow(1280, 720, "bench") ||
        !GraphicsDevice::GetInstance().Initialize(&GetPlatform(), 1280, 720, false, error)) {
        state.SkipWithError(("no offscreen GL context " + error).c_str());
        SetPlatform(nullptr);
        return;
    }
    std::fflush(stdout);
    for (auto _ : state) {
        FwModel model;
        // The loader's two console lines per load are part of the cost being measured.
        if (!model.Load(path)) {
            state.SkipWithError("the benchmark model did not load");
            break;
        }
        benchmark::DoNotOptimize(model);
    }
    GraphicsDevice::GetInstance().Release();
    SetPlatform(nullptr);
}
BENCHMARK(BM_FwModelLoad50000Triangles)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
