#include "LoadedModel.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>

#include "models/ModelGenerator.h"

using modelgen::V3;

namespace {

void UpdateBounds(LoadedModel& m) {
    m.lo = {1e30f, 1e30f, 1e30f};
    m.hi = {-1e30f, -1e30f, -1e30f};
    for (const V3& p : m.positions) {
        m.lo = {std::min(m.lo.x, p.x), std::min(m.lo.y, p.y), std::min(m.lo.z, p.z)};
        m.hi = {std::max(m.hi.x, p.x), std::max(m.hi.y, p.y), std::max(m.hi.z, p.z)};
    }
}

}  // namespace

LoadedModel LoadedModel::Placed(const modelgen::Xf& xf) const {
    LoadedModel out = *this;
    for (V3& p : out.positions) p = xf.Point(p);
    for (V3& n : out.normals) n = xf.Normal(n);
    UpdateBounds(out);
    return out;
}

void LoadedModel::Add(const LoadedModel& other) {
    const uint32_t base = static_cast<uint32_t>(positions.size());
    positions.insert(positions.end(), other.positions.begin(), other.positions.end());
    normals.insert(normals.end(), other.normals.begin(), other.normals.end());
    for (auto f : other.faces) faces.push_back({f[0] + base, f[1] + base, f[2] + base});
    UpdateBounds(*this);
}

namespace {

// The generated folder, removed when the test program ends.
struct GeneratedFolder {
    std::filesystem::path dir;
    GeneratedFolder()
        : dir(std::filesystem::temp_directory_path() /
              ("hoshikage_models_" + std::to_string(getpid()))) {
        std::string error;
        EXPECT_TRUE(GenerateModels(dir, error)) << error;
    }
    ~GeneratedFolder() {
        std::error_code ec;
        std::filesystem::remove_all(dir, ec);
    }
};

}  // namespace

const std::filesystem::path& GeneratedRoot() {
    static const GeneratedFolder folder;
    return folder.dir;
}

LoadedModel LoadGenerated(const std::string& dataPath) {
    LoadedModel out;
    auto model = FwLoadGLTFModel((GeneratedRoot() / dataPath).string());
    if (!model) return out;
    out.loaded = true;
    out.materials = model->materials;
    for (const auto& node : model->nodes) {
        if (!node->hasMesh) continue;
        const Matrix& w = node->worldMatrix;
        const uint32_t base = static_cast<uint32_t>(out.positions.size());
        for (const FwMeshVertex& v : node->vertices) {
            Vector3 p = Vector3::Transform(v.pos, w);
            Vector3 n = Vector3::TransformNormal(v.normal, w);
            out.positions.push_back({p.x, p.y, p.z});
            out.normals.push_back({n.x, n.y, n.z});
        }
        for (const FwMeshFace& f : node->faces) {
            out.faces.push_back({f.i0 + base, f.i1 + base, f.i2 + base});
        }
    }
    UpdateBounds(out);
    return out;
}
