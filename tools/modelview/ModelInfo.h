#pragma once

#include <string>

#include "engine/math/Vector3.h"

// What --info reports for one file, read through the game's own loader (no GPU needed).
struct ModelInfo {
    bool loaded = false;
    std::string reason;  // the loader's last "Err:" text when refused
    int nodes = 0;
    int meshNodes = 0;
    long long triangles = 0;
    int materials = 0;
    bool hasBounds = false;
    Vector3 boundsMin;  // world space of the model (node matrices applied)
    Vector3 boundsMax;

    static ModelInfo Read(const std::string& path);
    // "path: 3 nodes, 2 meshes, 120 triangles, 1 materials, bounds (..) .. (..)"
    // or "path: refused (reason)".
    std::string Describe(const std::string& path) const;
};
