#pragma once

#include <filesystem>
#include <set>
#include <string>

#include "ModelData.h"

namespace modelgen {

// Writes a model as a .gltf text file, a .bin buffer beside it (same stem, spaces made
// underscores) and its PNG textures. Geometry is held in game coordinates and leaves
// here mirrored into glTF's right-handed frame (z negated, windings reversed), which the
// game's loader undoes. Accessors are tightly packed, one buffer view each.
class GltfWriter {
public:
    // `written` collects texture paths already written in this run so that shared
    // textures are encoded once.
    static bool Write(const ModelData& model, const std::filesystem::path& gltfPath,
                      std::set<std::string>& written, std::string& error);
};

}  // namespace modelgen
