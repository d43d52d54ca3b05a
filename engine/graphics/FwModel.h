#pragma once

#include <memory>
#include <string>
#include <vector>

#include "engine/graphics/FwMesh.h"
#include "engine/math/Matrix.h"
#include "engine/math/Vector3.h"
#include "engine/math/Vector4.h"

class FwTexture;

// Surface parameters of one glTF material, with its textures loaded. A new material
// holds the graphics device's white texture in its three colour slots (null when the
// device has not been initialised), so a draw never samples a missing texture.
struct FwMaterial {
    FwMaterial();

    std::string name;
    std::shared_ptr<FwTexture> baseColorTex;
    Vector4 BaseColor{1.0f, 1.0f, 1.0f, 1.0f};
    std::shared_ptr<FwTexture> metallicRoughnessTex;
    float Metallic = 0.0f;
    float Roughness = 1.0f;
    std::shared_ptr<FwTexture> emissiveTex;
    Vector3 Emissive{0.0f, 0.0f, 0.0f};
    // Loaded when the file names one; never drawn with, may be null.
    std::shared_ptr<FwTexture> normalTex;
};

// One glTF node: its world matrix inside the model (already combined with its parents)
// and its mesh, null for nodes without one.
struct FwModelNode {
    std::string name;
    int index = -1;
    Matrix matrix;
    std::shared_ptr<FwMesh> mesh;
};

// A drawable model loaded from a glTF file. Copying is cheap and intended: copies share
// the meshes and textures through their handles (objects keep their own copy, see Object).
class FwModel {
public:
    // Loads path (see FwGLTFModel.h for the accepted formats and refusals), replacing the
    // current contents. Textures are opened next to the file. False when the file could
    // not be read or was refused; the model is empty then. Needs a GL context.
    bool Load(const std::string& path);
    // Empties the three lists (their storage is kept).
    void Clear();
    bool IsEmpty() const { return nodes.empty(); }

    // Every node of the file, in file order (a node's position here is its index).
    std::vector<FwModelNode> nodes;
    // Copies of the nodes listed as roots of the file's first scene.
    std::vector<FwModelNode> rootNodes;
    std::vector<FwMaterial> materials;
};

// The directory part of path: everything up to and including the last '/' or '\\';
// empty when there is neither.
std::string GetDirectory(const std::string& path);
