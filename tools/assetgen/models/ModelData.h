#pragma once

#include <map>
#include <string>
#include <vector>

#include "Image.h"
#include "Mesh.h"

namespace modelgen {

// Metallic-roughness material as the game's loader reads it. Texture names are files
// written next to the model.
struct Material {
    std::string name;
    V3 base{1, 1, 1};
    float alpha = 1.0f;
    float metallic = 0.0f;
    float roughness = 1.0f;
    V3 emissive{0, 0, 0};
    std::string baseTexture;
    std::string emissiveTexture;
};

// One model file in the making: a single node whose mesh has one primitive per material.
class ModelData {
public:
    int AddMaterial(const Material& material);
    // The triangles drawn with `material` (an index from AddMaterial).
    Mesh& Part(int material) { return parts_[static_cast<size_t>(material)]; }
    const Mesh& Part(int material) const { return parts_[static_cast<size_t>(material)]; }
    void AddTexture(const std::string& fileName, Image image);
    // Appends every part of `other` moved by `xf`, re-using materials of the same name.
    void Merge(const ModelData& other, const Xf& xf = {});

    const std::vector<Material>& Materials() const { return materials_; }
    const std::map<std::string, Image>& Textures() const { return textures_; }
    size_t TriangleCount() const;

private:
    std::vector<Material> materials_;
    std::vector<Mesh> parts_;
    std::map<std::string, Image> textures_;
};

}  // namespace modelgen
