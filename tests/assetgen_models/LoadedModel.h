#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "engine/graphics/FwGLTFModel.h"
#include "models/ModelMath.h"

// A generated model read back through the game's own glTF loader: every mesh node's
// triangles in game coordinates (z mirrored, windings reversed, node matrices applied).
struct LoadedModel {
    bool loaded = false;
    std::vector<modelgen::V3> positions;
    std::vector<modelgen::V3> normals;
    std::vector<std::array<uint32_t, 3>> faces;
    std::vector<FwGLTFMaterial> materials;
    modelgen::V3 lo, hi;

    size_t TriangleCount() const { return faces.size(); }
    // A copy moved by a placement (row-vector convention, as the game places parts).
    LoadedModel Placed(const modelgen::Xf& xf) const;
    // Appends another model's triangles.
    void Add(const LoadedModel& other);
};

// Folder into which this test run generated every model (once, on first use).
const std::filesystem::path& GeneratedRoot();
// Loads "Data/..." from the generated folder.
LoadedModel LoadGenerated(const std::string& dataPath);
