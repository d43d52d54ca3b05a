#include "tools/modelview/ModelInfo.h"

#include <algorithm>
#include <cstdio>

#include "engine/graphics/FwGLTFModel.h"

namespace {

// The last "Err: ..." line of the loader's messages, without its prefix.
std::string LastError(const std::string& log) {
    const size_t at = log.rfind("Err: ");
    if (at == std::string::npos) return "unreadable file";
    const size_t end = log.find('\n', at);
    return log.substr(at + 5, end == std::string::npos ? std::string::npos : end - at - 5);
}

}  // namespace

ModelInfo ModelInfo::Read(const std::string& path) {
    ModelInfo info;
    std::string log;
    const auto model = FwLoadGLTFModel(path, &log);
    if (!model) {
        info.reason = LastError(log);
        return info;
    }
    info.loaded = true;
    info.nodes = int(model->nodes.size());
    info.materials = int(model->materials.size());
    for (const auto& node : model->nodes) {
        if (!node->hasMesh) continue;
        ++info.meshNodes;
        info.triangles += (long long)node->faces.size();
        for (const FwMeshVertex& v : node->vertices) {
            const Vector3 p = Vector3::Transform(v.pos, node->worldMatrix);
            if (!info.hasBounds) {
                info.boundsMin = info.boundsMax = p;
                info.hasBounds = true;
            }
            info.boundsMin = {std::min(info.boundsMin.x, p.x), std::min(info.boundsMin.y, p.y),
                              std::min(info.boundsMin.z, p.z)};
            info.boundsMax = {std::max(info.boundsMax.x, p.x), std::max(info.boundsMax.y, p.y),
                              std::max(info.boundsMax.z, p.z)};
        }
    }
    return info;
}

std::string ModelInfo::Describe(const std::string& path) const {
    if (!loaded) return path + ": refused (" + reason + ")";
    char text[512];
    std::snprintf(text, sizeof text, "%d nodes, %d meshes, %lld triangles, %d materials", nodes,
                  meshNodes, triangles, materials);
    std::string line = path + ": " + text;
    if (hasBounds) {
        // + 0.0f turns the -0 of mirrored zeros into 0.
        const Vector3 lo = boundsMin + Vector3(0, 0, 0), hi = boundsMax + Vector3(0, 0, 0);
        std::snprintf(text, sizeof text, ", bounds (%g, %g, %g) .. (%g, %g, %g)", lo.x, lo.y, lo.z,
                      hi.x, hi.y, hi.z);
        line += text;
    } else {
        line += ", no geometry";
    }
    return line;
}
