#pragma once

// Internal to the model loader: reading a glTF file with tinygltf and bounds-checked
// access to its accessors. Nothing here is for game code; see FwGLTFModel.h.

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

namespace tinygltf {
class Model;
}
struct FwGLTFNode;
struct FwGLTFMemory;

// Writes loader messages to log when given, else to standard output (flushed).
void GltfReport(const std::string& text, std::string* log);

// Parses path into out ("glb" extension → binary, else text), reporting the loader's
// console messages. tinygltf exceptions are caught and reported as errors. Image files
// are not opened or decoded here; materials only need their names.
bool GltfReadFile(const std::string& path, tinygltf::Model& out, std::string* log);
// The same for a model held in memory.
bool GltfReadMemory(const FwGLTFMemory& memory, tinygltf::Model& out, std::string* log);

// The elements of one accessor, checked to lie inside their buffer: element k starts at
// data + k × stride and has componentCount components of componentSize bytes.
struct GltfAccessorView {
    const unsigned char* data = nullptr;
    size_t count = 0;
    size_t stride = 0;
    int componentType = 0;  // glTF component type code (5120 byte ... 5126 float)
    int componentCount = 0;
    int componentSize = 0;
    bool normalized = false;

    // Component c of element k as stored (unaligned reads are fine).
    template <typename T>
    T Read(size_t k, int c) const {
        T value;
        std::memcpy(&value, data + k * stride + size_t(c) * sizeof(T), sizeof(T));
        return value;
    }
    // Component c of element k for integer component types, widened; 0 for other types.
    int64_t ReadInteger(size_t k, int c) const;
    float ReadFloat(size_t k, int c) const { return Read<float>(k, c); }
};

// Validates accessor `index` of model and describes it in view. False with a reason when
// the index is out of range, the accessor is sparse or has no buffer view, its component
// type or element type is unknown, or any element would reach past its buffer view or
// the view past its buffer (all arithmetic overflow-checked).
bool GltfGetAccessor(const tinygltf::Model& model, int index, GltfAccessorView& view,
                     std::string& reason);

// Converts mesh meshIndex (checked by the caller) into node's vertices, faces and subsets:
// triangle primitives only, z mirrored, winding reversed, sorted by material. False with
// a reason when an accessor, index or material reference does not fit the file.
bool GltfConvertMesh(const tinygltf::Model& model, int meshIndex, FwGLTFNode& node,
                     std::string& reason);
