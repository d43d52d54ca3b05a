#pragma once

#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "engine/graphics/FwMesh.h"
#include "engine/math/Matrix.h"
#include "engine/math/Vector3.h"
#include "engine/math/Vector4.h"

// glTF 2.0 loader: the intermediate form between the file and FwModel.
//
// Accepts
//   - ".glb" paths as binary glTF, anything else (including no extension) as text glTF;
//     external .bin buffers and data: URIs are read by tinygltf.
//   - triangle-list primitives (mode 4, the default), indexed or not; other modes are
//     skipped. POSITION must be float VEC3; NORMAL float VEC3; TEXCOORD_0 VEC2 of float,
//     (normalised) byte/short or unsigned byte/short; COLOR_0 VEC3 or VEC4 of float or
//     unsigned byte/short (read as normalised); indices unsigned or signed 8/16/32-bit.
//   - interleaved buffer views (byteStride), applied per element.
//   - node placement by `matrix` (16 numbers) or translation/rotation/scale.
// Converts
//   - right-handed glTF to the game's left-handed space by mirroring z: positions and
//     normals become (x, y, -z), node matrices get their z row and column negated, and
//     every triangle (a, b, c) becomes (a, c, b).
//   - all primitives of a node into one vertex and face list, sorted by material index
//     (stable), one subset per primitive.
// Does not use
//   - image pixels: materials carry the texture's image `uri` only (FwModel opens it next
//     to the model); embedded images give an empty name. Skins, animations, morph targets,
//     cameras, sparse accessors and extensions are ignored or refused as below.
// Refuses the whole file (prints "Err: <reason>", then "Failed to parse glTF", returns
// null) when tinygltf cannot parse it, or when any used reference does not fit what the
// file holds: an accessor, buffer view, buffer, mesh, material, texture, image, child or
// scene node index out of range; an accessor whose elements (offset, stride, count) reach
// past its buffer view or the view past its buffer; a sparse accessor or one without a
// buffer view; an attribute of an unsupported type; attribute counts that differ within
// a primitive; an index not below the vertex count; a malformed matrix/TRS array; a node
// hierarchy that is not a forest (a node with two parents, a cycle, a scene root that has a
// parent or is listed twice); more than 2^32 - 1 vertices in one node; running out of
// memory while converting.
// Messages go to standard output: "Reading ASCII glTF" / "Reading binary glTF", tinygltf's
// "Warn: ..." and "Err: ...", and "Failed to parse glTF" on failure.

// A material as the file states it, with texture file names instead of textures.
struct FwGLTFMaterial {
    std::string name;
    std::string baseColorTexture;  // image uri, empty when none
    Vector4 baseColorFactor{1.0f, 1.0f, 1.0f, 1.0f};
    std::string metallicRoughnessTexture;
    float metallicFactor = 1.0f;
    float roughnessFactor = 1.0f;
    std::string emissiveTexture;
    Vector3 emissiveFactor{0.0f, 0.0f, 0.0f};
    std::string normalTexture;
};

struct FwGLTFNode {
    std::string name;
    int index = 0;  // position in the file's node array
    std::vector<std::shared_ptr<FwGLTFNode>> children;
    Matrix localMatrix;  // z-mirrored S × R × T (or `matrix`)
    Matrix worldMatrix;  // local × parent's world; identity for nodes outside the first scene
    bool hasMesh = false;
    std::vector<FwMeshVertex> vertices;
    std::vector<FwMeshFace> faces;
    std::vector<FwMeshSubset> subsets;
};

struct FwGLTFModel {
    std::vector<std::shared_ptr<FwGLTFNode>> nodes;      // every node, file order
    std::vector<std::shared_ptr<FwGLTFNode>> rootNodes;  // roots of the first scene
    std::vector<FwGLTFMaterial> materials;               // file order
};

// Parses and converts path; null (after the messages above) when it fails. The messages
// go to standard output, or are appended to *log instead when log is given (tools).
std::shared_ptr<FwGLTFModel> FwLoadGLTFModel(const std::string& path, std::string* log = nullptr);

// Reads a file a model refers to (an external buffer) into bytes; false when it cannot.
using FwGLTFFileReader =
    std::function<bool(const std::string& path, std::vector<unsigned char>& bytes)>;

// A model held in memory instead of a file (not owned; read during the call only).
struct FwGLTFMemory {
    const unsigned char* data = nullptr;
    std::size_t size = 0;
    bool binary = false;        // the .glb layout, else glTF text
    std::string baseDir;        // what relative uris are resolved against ("" or ending in '/')
    FwGLTFFileReader readFile;  // reads external buffers; empty: from the disk
};

// The same as from a file, with the same acceptance, refusals and messages.
std::shared_ptr<FwGLTFModel> FwLoadGLTFModel(const FwGLTFMemory& memory,
                                             std::string* log = nullptr);
