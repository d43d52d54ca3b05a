#include "engine/graphics/FwGLTFModel.h"

#include <tiny_gltf.h>

#include <algorithm>
#include <exception>
#include <limits>

#include "engine/graphics/GltfLoader.h"

namespace {

// A JSON number beyond the float range becomes an infinity of its sign, as the hardware
// conversion would give; converting it directly is undefined.
float ToFloat(double d) {
    constexpr double kLargest = std::numeric_limits<float>::max();
    if (d > kLargest) return std::numeric_limits<float>::infinity();
    if (d < -kLargest) return -std::numeric_limits<float>::infinity();
    return static_cast<float>(d);
}

// Texture reference → image uri; empty when the reference or its source is negative.
bool TextureName(const tinygltf::Model& m, int textureIndex, std::string& name,
                 std::string& reason) {
    name.clear();
    if (textureIndex < 0) return true;
    if (size_t(textureIndex) >= m.textures.size()) {
        reason = "texture " + std::to_string(textureIndex) + " does not exist";
        return false;
    }
    const int source = m.textures[size_t(textureIndex)].source;
    if (source < 0) return true;
    if (size_t(source) >= m.images.size()) {
        reason = "image " + std::to_string(source) + " does not exist";
        return false;
    }
    name = m.images[size_t(source)].uri;
    return true;
}

bool ConvertMaterials(const tinygltf::Model& m, FwGLTFModel& out, std::string& reason) {
    out.materials.reserve(m.materials.size());
    for (const tinygltf::Material& src : m.materials) {
        FwGLTFMaterial mat;
        mat.name = src.name;
        const tinygltf::PbrMetallicRoughness& pbr = src.pbrMetallicRoughness;
        if (!TextureName(m, pbr.baseColorTexture.index, mat.baseColorTexture, reason) ||
            !TextureName(m, pbr.metallicRoughnessTexture.index, mat.metallicRoughnessTexture,
                         reason) ||
            !TextureName(m, src.emissiveTexture.index, mat.emissiveTexture, reason) ||
            !TextureName(m, src.normalTexture.index, mat.normalTexture, reason)) {
            return false;
        }
        if (pbr.baseColorFactor.size() == 4) {
            const std::vector<double>& f = pbr.baseColorFactor;
            mat.baseColorFactor = {ToFloat(f[0]), ToFloat(f[1]), ToFloat(f[2]), ToFloat(f[3])};
        }
        if (src.emissiveFactor.size() == 3) {
            const std::vector<double>& f = src.emissiveFactor;
            mat.emissiveFactor = {ToFloat(f[0]), ToFloat(f[1]), ToFloat(f[2])};
        }
        mat.metallicFactor = ToFloat(pbr.metallicFactor);
        mat.roughnessFactor = ToFloat(pbr.roughnessFactor);
        out.materials.push_back(std::move(mat));
    }
    return true;
}

// S × R × T (or `matrix` × R × T), then mirrored in z.
bool LocalMatrix(const tinygltf::Node& node, Matrix& local, std::string& reason) {
    const auto badLength = [](const std::vector<double>& v, size_t n) {
        return !v.empty() && v.size() != n;
    };
    if (badLength(node.scale, 3) || badLength(node.rotation, 4) || badLength(node.translation, 3) ||
        badLength(node.matrix, 16)) {
        reason =
            "node \"" + node.name + "\" has a malformed matrix, scale, rotation or translation";
        return false;
    }
    Matrix s;
    if (!node.scale.empty()) {
        s = Matrix::CreateScale(ToFloat(node.scale[0]), ToFloat(node.scale[1]),
                                ToFloat(node.scale[2]));
    }
    if (!node.matrix.empty()) {
        for (int i = 0; i < 16; ++i) s(i / 4, i % 4) = ToFloat(node.matrix[size_t(i)]);
    }
    Matrix r;
    if (!node.rotation.empty()) {
        const float x = ToFloat(node.rotation[0]), y = ToFloat(node.rotation[1]);
        const float z = ToFloat(node.rotation[2]), w = ToFloat(node.rotation[3]);
        r = Matrix(1 - 2 * y * y - 2 * z * z, 2 * x * y + 2 * z * w, 2 * x * z - 2 * y * w, 0,
                   2 * x * y - 2 * z * w, 1 - 2 * x * x - 2 * z * z, 2 * y * z + 2 * x * w, 0,
                   2 * x * z + 2 * y * w, 2 * y * z - 2 * x * w, 1 - 2 * x * x - 2 * y * y, 0, 0, 0,
                   0, 1);
    }
    Matrix t;
    if (!node.translation.empty()) {
        t = Matrix::CreateTranslation(ToFloat(node.translation[0]), ToFloat(node.translation[1]),
                                      ToFloat(node.translation[2]));
    }
    local = s * r * t;
    for (const auto& [row, col] : {std::pair{0, 2}, {1, 2}, {2, 0}, {2, 1}, {3, 2}}) {
        local(row, col) = -local(row, col);
    }
    return true;
}

// Builds the node records, their children lists and the first scene's roots. The
// hierarchy must be a forest: a node has at most one parent, roots have none, no root is
// listed twice and there are no cycles (which would also leak the shared child handles).
bool ConvertNodes(const tinygltf::Model& m, FwGLTFModel& out, std::string& reason) {
    const size_t n = m.nodes.size();
    out.nodes.reserve(n);
    for (size_t i = 0; i < n; ++i) {
        const tinygltf::Node& src = m.nodes[i];
        auto node = std::make_shared<FwGLTFNode>();
        node->name = src.name;
        node->index = int(i);
        if (!LocalMatrix(src, node->localMatrix, reason)) return false;
        if (src.mesh >= 0) {
            if (size_t(src.mesh) >= m.meshes.size()) {
                reason = "node " + std::to_string(i) + " names mesh " + std::to_string(src.mesh) +
                         ", which does not exist";
                return false;
            }
            node->hasMesh = true;
        }
        out.nodes.push_back(std::move(node));
    }

    // Children are linked only after the checks, so a refused file never leaves a
    // cycle of shared handles behind.
    std::vector<int> parent(n, -1);
    for (size_t i = 0; i < n; ++i) {
        for (int child : m.nodes[i].children) {
            if (child < 0 || size_t(child) >= n) {
                reason = "node " + std::to_string(i) + " has a child " + std::to_string(child) +
                         " that does not exist";
                return false;
            }
            if (parent[size_t(child)] != -1) {
                reason = "node " + std::to_string(child) + " has more than one parent";
                return false;
            }
            parent[size_t(child)] = int(i);
        }
    }
    // With one parent per node, a cycle shows as a parent chain that comes back to a node
    // of the chain being followed. 0 = unknown, 1 = on that chain, 2 = known to reach a root.
    std::vector<char> state(n, 0);
    std::vector<size_t> chain;
    for (size_t i = 0; i < n; ++i) {
        chain.clear();
        size_t k = i;
        while (state[k] == 0) {
            state[k] = 1;
            chain.push_back(k);
            if (parent[k] < 0) break;
            k = size_t(parent[k]);
        }
        if (state[k] == 1 && parent[k] >= 0) {
            reason = "the node hierarchy has a cycle through node " + std::to_string(k);
            return false;
        }
        for (size_t c : chain) state[c] = 2;
    }
    for (size_t i = 0; i < n; ++i) {
        for (int child : m.nodes[i].children) {
            out.nodes[i]->children.push_back(out.nodes[size_t(child)]);
        }
    }

    if (m.scenes.empty()) return true;
    std::vector<char> listed(n, 0);
    for (int root : m.scenes[0].nodes) {
        if (root < 0 || size_t(root) >= n) {
            reason =
                "the first scene names node " + std::to_string(root) + ", which does not exist";
            return false;
        }
        if (parent[size_t(root)] != -1 || listed[size_t(root)]) {
            reason = "the first scene lists node " + std::to_string(root) +
                     " twice or although it has a parent";
            return false;
        }
        listed[size_t(root)] = 1;
        out.rootNodes.push_back(out.nodes[size_t(root)]);
    }
    return true;
}

// World = local for a root, local × parent's world below it; in pre-order from each root.
void ComputeWorldMatrices(FwGLTFModel& model) {
    std::vector<std::pair<FwGLTFNode*, const FwGLTFNode*>> stack;  // node, parent
    for (const auto& root : model.rootNodes) {
        stack.push_back({root.get(), nullptr});
        while (!stack.empty()) {
            auto [node, parent] = stack.back();
            stack.pop_back();
            node->worldMatrix =
                parent ? node->localMatrix * parent->worldMatrix : node->localMatrix;
            for (auto it = node->children.rbegin(); it != node->children.rend(); ++it) {
                stack.push_back({it->get(), node});
            }
        }
    }
}

std::shared_ptr<FwGLTFModel> Convert(const tinygltf::Model& file, std::string* log) {
    auto model = std::make_shared<FwGLTFModel>();
    std::string reason;
    bool ok = false;
    try {
        ok = ConvertMaterials(file, *model, reason) && ConvertNodes(file, *model, reason);
        if (ok) {
            ComputeWorldMatrices(*model);
            for (const auto& node : model->nodes) {
                if (!node->hasMesh) continue;
                const tinygltf::Node& src = file.nodes[size_t(node->index)];
                if (!GltfConvertMesh(file, src.mesh, *node, reason)) {
                    ok = false;
                    break;
                }
            }
        }
    } catch (const std::exception& e) {
        // Every size is checked against the file, but many nodes sharing one large mesh
        // can still ask for more memory than there is.
        reason = std::string("cannot convert the model: ") + e.what();
        ok = false;
    }
    if (!ok) {
        GltfReport("Err: " + reason + "\nFailed to parse glTF\n", log);
        return nullptr;
    }
    return model;
}

}  // namespace

std::shared_ptr<FwGLTFModel> FwLoadGLTFModel(const std::string& path, std::string* log) {
    tinygltf::Model file;
    if (!GltfReadFile(path, file, log)) return nullptr;
    return Convert(file, log);
}

std::shared_ptr<FwGLTFModel> FwLoadGLTFModel(const FwGLTFMemory& memory, std::string* log) {
    tinygltf::Model file;
    if (!GltfReadMemory(memory, file, log)) return nullptr;
    return Convert(file, log);
}
