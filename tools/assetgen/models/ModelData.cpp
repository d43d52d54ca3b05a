#include "ModelData.h"

namespace modelgen {

int ModelData::AddMaterial(const Material& material) {
    materials_.push_back(material);
    parts_.emplace_back();
    return static_cast<int>(materials_.size() - 1);
}

void ModelData::AddTexture(const std::string& fileName, Image image) {
    textures_[fileName] = std::move(image);
}

void ModelData::Merge(const ModelData& other, const Xf& xf) {
    for (size_t i = 0; i < other.materials_.size(); ++i) {
        int target = -1;
        for (size_t j = 0; j < materials_.size(); ++j) {
            if (materials_[j].name == other.materials_[i].name) target = static_cast<int>(j);
        }
        if (target < 0) target = AddMaterial(other.materials_[i]);
        Part(target).Append(other.parts_[i], xf);
    }
    for (const auto& [name, image] : other.textures_) textures_[name] = image;
}

size_t ModelData::TriangleCount() const {
    size_t n = 0;
    for (const Mesh& m : parts_) n += m.TriangleCount();
    return n;
}

}  // namespace modelgen
