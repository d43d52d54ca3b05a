#include "engine/graphics/FwModel.h"

#include <cstdio>
#include <unordered_map>

#include "engine/graphics/FwGLTFModel.h"
#include "engine/graphics/FwTexture.h"
#include "engine/graphics/GraphicsDevice.h"

FwMaterial::FwMaterial() {
    const std::shared_ptr<FwTexture> white = GraphicsDevice::GetInstance().GetWhiteTexture();
    baseColorTex = white;
    metallicRoughnessTex = white;
    emissiveTex = white;
}

namespace {

// Textures opened for model materials, by path, held weakly: every slot of every model
// naming the same file shares one texture while anything holds it (each part of a robot
// names the same panel texture in several slots, which made a dozen copies of it). Not the
// texture cache's: these still go when the last model holding them goes. An entry made
// under an earlier graphics device is never reused.
struct SharedTexture {
    std::weak_ptr<FwTexture> texture;
    uint32_t generation = 0;
};
std::unordered_map<std::string, SharedTexture>& LoadedTextures() {
    static std::unordered_map<std::string, SharedTexture> textures;
    return textures;
}

// The texture for dir + name; null when there is no name or the file cannot be loaded.
std::shared_ptr<FwTexture> LoadMaterialTexture(const std::string& dir, const std::string& name) {
    if (name.empty()) return nullptr;
    const std::string path = dir + name;
    const uint32_t generation = GraphicsDevice::LiveGeneration();
    SharedTexture& entry = LoadedTextures()[path];
    if (entry.generation == generation) {
        if (std::shared_ptr<FwTexture> shared = entry.texture.lock()) return shared;
    }
    auto texture = std::make_shared<FwTexture>();
    if (texture->Load(path)) {
        entry = {texture, generation};
        return texture;
    }
    LoadedTextures().erase(path);
    std::printf("Warn: texture \"%s%s\" could not be loaded\n", dir.c_str(), name.c_str());
    std::fflush(stdout);
    return nullptr;
}

std::shared_ptr<FwTexture> OrWhite(std::shared_ptr<FwTexture> texture) {
    return texture ? texture : GraphicsDevice::GetInstance().GetWhiteTexture();
}

}  // namespace

void FwModel::Clear() {
    materials.clear();
    nodes.clear();
    rootNodes.clear();
}

bool FwModel::Load(const std::string& path) {
    Clear();
    // "Data/ax/ax.gltf" opens its textures as "Data/ax//name" (the doubled separator is
    // harmless). A path without a directory keeps its textures beside it in the working
    // directory rather than at the file-system root.
    const std::string directory = GetDirectory(path);
    const std::string dir = directory.empty() ? std::string() : directory + "/";
    const std::shared_ptr<FwGLTFModel> source = FwLoadGLTFModel(path);
    if (!source) return false;

    materials.reserve(source->materials.size());
    for (const FwGLTFMaterial& m : source->materials) {
        FwMaterial material;
        material.name = m.name;
        material.BaseColor = m.baseColorFactor;
        material.baseColorTex = OrWhite(LoadMaterialTexture(dir, m.baseColorTexture));
        material.Metallic = m.metallicFactor;
        material.Roughness = m.roughnessFactor;
        material.metallicRoughnessTex =
            OrWhite(LoadMaterialTexture(dir, m.metallicRoughnessTexture));
        material.Emissive = m.emissiveFactor;
        material.emissiveTex = OrWhite(LoadMaterialTexture(dir, m.emissiveTexture));
        material.normalTex = LoadMaterialTexture(dir, m.normalTexture);
        materials.push_back(std::move(material));
    }

    nodes.reserve(source->nodes.size());
    for (size_t i = 0; i < source->nodes.size(); ++i) {
        const FwGLTFNode& src = *source->nodes[i];
        FwModelNode node;
        node.name = src.name;
        node.index = int(i);
        node.matrix = src.worldMatrix;
        if (src.hasMesh) {
            node.mesh = std::make_shared<FwMesh>();
            node.mesh->Create(src.vertices, src.faces, src.subsets);
        }
        nodes.push_back(std::move(node));
    }
    rootNodes.reserve(source->rootNodes.size());
    for (const auto& root : source->rootNodes) rootNodes.push_back(nodes[size_t(root->index)]);
    return true;
}

std::string GetDirectory(const std::string& path) {
    const size_t slash = path.find_last_of("/\\");
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}
