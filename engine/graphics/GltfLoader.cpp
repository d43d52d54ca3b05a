// The one translation unit that compiles tinygltf. Images are never decoded here
// (textures are opened by file name through FwTexture), so stb_image is left out and
// external image files are not even read.
#define TINYGLTF_IMPLEMENTATION
#define TINYGLTF_NO_STB_IMAGE
#define TINYGLTF_NO_STB_IMAGE_WRITE
#define TINYGLTF_NO_EXTERNAL_IMAGE
#include "engine/graphics/GltfLoader.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <exception>
#include <limits>

#include "engine/graphics/FwGLTFModel.h"

// Last: tinygltf wraps its JSON parser in hidden visibility, and the model classes declared
// after it would hold members of types declared there (mingw-w64's compiler warns).
#include <tiny_gltf.h>

namespace {

// Accepts every embedded image without decoding it; only names are used.
bool SkipImageData(tinygltf::Image*, const int, std::string*, std::string*, int, int,
                   const unsigned char*, int, void*) {
    return true;
}

bool HasBinaryExtension(const std::string& path) {
    const size_t dot = path.rfind('.');
    return dot != std::string::npos && path.compare(dot + 1, std::string::npos, "glb") == 0;
}

bool CheckedMulAdd(size_t a, size_t b, size_t c, size_t& out) {
    size_t product = 0;
    if (__builtin_mul_overflow(a, b, &product)) return false;
    return !__builtin_add_overflow(product, c, &out);
}

}  // namespace

void GltfReport(const std::string& text, std::string* log) {
    if (log) {
        *log += text;
        return;
    }
    std::fputs(text.c_str(), stdout);
    std::fflush(stdout);
}

namespace {

// Reads through the game's own reader when one is given (external buffers from memory),
// else from the disk as tinygltf does by default.
bool ReadThroughHook(std::vector<unsigned char>* out, std::string* err, const std::string& path,
                     void* user) {
    const auto* reader = static_cast<const FwGLTFFileReader*>(user);
    if (!(*reader)(path, *out)) {
        if (err) *err += "cannot read " + path;
        return false;
    }
    return true;
}

bool ExistsThroughHook(const std::string& path, void* user) {
    std::vector<unsigned char> ignored;
    return (*static_cast<const FwGLTFFileReader*>(user))(path, ignored);
}

std::string ExpandAsGiven(const std::string& path, void*) {
    return path;
}

bool WriteNothing(std::string*, const std::string&, const std::vector<unsigned char>&, void*) {
    return false;
}

// From the file at path, or from memory when given.
bool Parse(const std::string& path, const FwGLTFMemory* memory, tinygltf::Model& out,
           std::string* log) {
    tinygltf::TinyGLTF loader;
    loader.SetImageLoader(SkipImageData, nullptr);
    if (memory && memory->readFile) {
        loader.SetFsCallbacks({ExistsThroughHook, ExpandAsGiven, ReadThroughHook, WriteNothing,
                               const_cast<FwGLTFFileReader*>(&memory->readFile)});
    }
    std::string warn;
    std::string err;
    bool ok = false;
    const bool binary = memory ? memory->binary : HasBinaryExtension(path);
    GltfReport(binary ? "Reading binary glTF\n" : "Reading ASCII glTF\n", log);
    try {
        if (!memory) {
            ok = binary ? loader.LoadBinaryFromFile(&out, &err, &warn, path)
                        : loader.LoadASCIIFromFile(&out, &err, &warn, path);
        } else if (!memory->data || memory->size == 0) {
            err = "no data";
        } else if (memory->size > std::numeric_limits<unsigned>::max()) {
            err = "the data is too large";
        } else if (binary) {
            ok = loader.LoadBinaryFromMemory(&out, &err, &warn, memory->data,
                                             static_cast<unsigned>(memory->size), memory->baseDir);
        } else {
            ok = loader.LoadASCIIFromString(&out, &err, &warn,
                                            reinterpret_cast<const char*>(memory->data),
                                            static_cast<unsigned>(memory->size), memory->baseDir);
        }
    } catch (const std::exception& e) {
        err += e.what();
        ok = false;
    } catch (...) {
        err += "unexpected failure while parsing";
        ok = false;
    }
    std::string report;
    if (!warn.empty()) report += "Warn: " + warn + "\n";
    if (!err.empty()) report += "Err: " + err + "\n";
    if (!ok) report += "Failed to parse glTF\n";
    if (!report.empty()) GltfReport(report, log);
    return ok;
}

}  // namespace

bool GltfReadFile(const std::string& path, tinygltf::Model& out, std::string* log) {
    return Parse(path, nullptr, out, log);
}

bool GltfReadMemory(const FwGLTFMemory& memory, tinygltf::Model& out, std::string* log) {
    return Parse(std::string(), &memory, out, log);
}

int64_t GltfAccessorView::ReadInteger(size_t k, int c) const {
    switch (componentType) {
        case TINYGLTF_COMPONENT_TYPE_BYTE:
            return Read<int8_t>(k, c);
        case TINYGLTF_COMPONENT_TYPE_UNSIGNED_BYTE:
            return Read<uint8_t>(k, c);
        case TINYGLTF_COMPONENT_TYPE_SHORT:
            return Read<int16_t>(k, c);
        case TINYGLTF_COMPONENT_TYPE_UNSIGNED_SHORT:
            return Read<uint16_t>(k, c);
        case TINYGLTF_COMPONENT_TYPE_INT:
            return Read<int32_t>(k, c);
        case TINYGLTF_COMPONENT_TYPE_UNSIGNED_INT:
            return Read<uint32_t>(k, c);
        default:
            return 0;
    }
}

bool GltfGetAccessor(const tinygltf::Model& model, int index, GltfAccessorView& view,
                     std::string& reason) {
    const std::string name = "accessor " + std::to_string(index);
    if (index < 0 || size_t(index) >= model.accessors.size()) {
        reason = name + " does not exist";
        return false;
    }
    const tinygltf::Accessor& accessor = model.accessors[size_t(index)];
    if (accessor.sparse.isSparse) {
        reason = name + " is sparse (not supported)";
        return false;
    }
    const int componentSize = tinygltf::GetComponentSizeInBytes(accessor.componentType);
    const int componentCount = tinygltf::GetNumComponentsInType(accessor.type);
    if (componentSize <= 0 || componentCount <= 0) {
        reason = name + " has an unknown component or element type";
        return false;
    }
    if (accessor.bufferView < 0 || size_t(accessor.bufferView) >= model.bufferViews.size()) {
        reason = name + " has no valid buffer view";
        return false;
    }
    const tinygltf::BufferView& bufferView = model.bufferViews[size_t(accessor.bufferView)];
    if (bufferView.buffer < 0 || size_t(bufferView.buffer) >= model.buffers.size()) {
        reason = "buffer view " + std::to_string(accessor.bufferView) + " names no buffer";
        return false;
    }
    const std::vector<unsigned char>& data = model.buffers[size_t(bufferView.buffer)].data;
    size_t viewEnd = 0;
    if (__builtin_add_overflow(bufferView.byteOffset, bufferView.byteLength, &viewEnd) ||
        viewEnd > data.size()) {
        reason = "buffer view " + std::to_string(accessor.bufferView) +
                 " reaches past the end of its buffer";
        return false;
    }

    const size_t elementSize = size_t(componentSize) * size_t(componentCount);
    const size_t stride = bufferView.byteStride != 0 ? bufferView.byteStride : elementSize;
    if (stride < elementSize) {
        reason = name + " has a byte stride smaller than its element";
        return false;
    }
    if (accessor.count > 0) {
        // The last element must end inside the view.
        size_t end = 0;
        if (!CheckedMulAdd(accessor.count - 1, stride, accessor.byteOffset, end) ||
            __builtin_add_overflow(end, elementSize, &end) || end > bufferView.byteLength) {
            reason = name + " reaches past the end of its buffer view";
            return false;
        }
    }

    view.data =
        accessor.count > 0 ? data.data() + bufferView.byteOffset + accessor.byteOffset : nullptr;
    view.count = accessor.count;
    view.stride = stride;
    view.componentType = accessor.componentType;
    view.componentCount = componentCount;
    view.componentSize = componentSize;
    view.normalized = accessor.normalized;
    return true;
}

namespace {

// One triangle primitive, converted; lives only while its node's mesh is assembled.
struct GLTFPrimitive {
    std::vector<FwMeshVertex> vertices;
    std::vector<FwMeshFace> faces;
    int material = -1;
};

// Clamped to 0..1 first; a NaN channel (which no clamp catches) counts as 0.
uint8_t ToColorByte(float channel) {
    if (std::isnan(channel)) return 0;
    const float clamped = std::clamp(channel, 0.0f, 1.0f);
    return static_cast<uint8_t>(clamped * 255.0f);
}

bool Attribute(const tinygltf::Model& m, const tinygltf::Primitive& p, const char* name,
               size_t vertexCount, GltfAccessorView& view, bool& present, std::string& reason) {
    const auto it = p.attributes.find(name);
    present = it != p.attributes.end();
    if (!present) return true;
    if (!GltfGetAccessor(m, it->second, view, reason)) return false;
    if (view.count != vertexCount) {
        reason = std::string(name) + " has " + std::to_string(view.count) + " elements for " +
                 std::to_string(vertexCount) + " vertices";
        return false;
    }
    return true;
}

bool IsFloat(const GltfAccessorView& v) {
    return v.componentType == TINYGLTF_COMPONENT_TYPE_FLOAT;
}

// Texture coordinate component as the model vertex holds it.
float UvComponent(const GltfAccessorView& v, size_t k, int c) {
    switch (v.componentType) {
        case TINYGLTF_COMPONENT_TYPE_FLOAT:
            return v.ReadFloat(k, c);
        case TINYGLTF_COMPONENT_TYPE_UNSIGNED_BYTE:
            return float(v.Read<uint8_t>(k, c)) / 255.0f;
        case TINYGLTF_COMPONENT_TYPE_UNSIGNED_SHORT:
            return float(v.Read<uint16_t>(k, c)) / 65535.0f;
        case TINYGLTF_COMPONENT_TYPE_BYTE:
            return std::max(float(v.Read<int8_t>(k, c)) / 127.0f, -1.0f);
        case TINYGLTF_COMPONENT_TYPE_SHORT:
            return std::max(float(v.Read<int16_t>(k, c)) / 32767.0f, -1.0f);
        default:
            return 0.0f;
    }
}

// Colour channel as a byte: floats are clamped to 0..1 and scaled; unsigned byte and short
// are taken as normalised.
uint8_t ColorComponent(const GltfAccessorView& v, size_t k, int c) {
    switch (v.componentType) {
        case TINYGLTF_COMPONENT_TYPE_FLOAT:
            return ToColorByte(v.ReadFloat(k, c));
        case TINYGLTF_COMPONENT_TYPE_UNSIGNED_BYTE:
            return v.Read<uint8_t>(k, c);
        default:
            return ToColorByte(float(v.Read<uint16_t>(k, c)) / 65535.0f);
    }
}

bool ConvertPrimitive(const tinygltf::Model& m, const tinygltf::Primitive& p, GLTFPrimitive& out,
                      std::string& reason) {
    if (p.material < -1 || (p.material >= 0 && size_t(p.material) >= m.materials.size())) {
        reason =
            "a primitive names material " + std::to_string(p.material) + ", which does not exist";
        return false;
    }
    out.material = p.material < 0 ? -1 : p.material;

    const auto posIt = p.attributes.find("POSITION");
    if (posIt == p.attributes.end()) {
        reason = "a triangle primitive has no POSITION";
        return false;
    }
    GltfAccessorView pos;
    if (!GltfGetAccessor(m, posIt->second, pos, reason)) return false;
    if (!IsFloat(pos) || pos.componentCount != 3) {
        reason = "POSITION is not a float VEC3";
        return false;
    }
    const size_t vertexCount = pos.count;

    GltfAccessorView normal, uv, color;
    bool hasNormal = false, hasUv = false, hasColor = false;
    if (!Attribute(m, p, "NORMAL", vertexCount, normal, hasNormal, reason) ||
        !Attribute(m, p, "TEXCOORD_0", vertexCount, uv, hasUv, reason) ||
        !Attribute(m, p, "COLOR_0", vertexCount, color, hasColor, reason)) {
        return false;
    }
    if (hasNormal && (!IsFloat(normal) || normal.componentCount != 3)) {
        reason = "NORMAL is not a float VEC3";
        return false;
    }
    if (hasUv && uv.componentCount != 2) {
        reason = "TEXCOORD_0 is not a VEC2";
        return false;
    }
    if (hasColor &&
        ((color.componentCount != 3 && color.componentCount != 4) ||
         (!IsFloat(color) && color.componentType != TINYGLTF_COMPONENT_TYPE_UNSIGNED_BYTE &&
          color.componentType != TINYGLTF_COMPONENT_TYPE_UNSIGNED_SHORT))) {
        reason = "COLOR_0 is not a VEC3 or VEC4 of float, unsigned byte or unsigned short";
        return false;
    }

    out.vertices.resize(vertexCount);
    for (size_t k = 0; k < vertexCount; ++k) {
        FwMeshVertex& v = out.vertices[k];
        v.pos = {pos.ReadFloat(k, 0), pos.ReadFloat(k, 1), -pos.ReadFloat(k, 2)};
        if (hasNormal) {
            v.normal = {normal.ReadFloat(k, 0), normal.ReadFloat(k, 1), -normal.ReadFloat(k, 2)};
        }
        if (hasUv) v.uv = {UvComponent(uv, k, 0), UvComponent(uv, k, 1)};
        if (hasColor) {
            for (int c = 0; c < color.componentCount; ++c) v.color[c] = ColorComponent(color, k, c);
        }
    }

    if (p.indices < 0) {
        // Unindexed: every three vertices make a triangle.
        out.faces.resize(vertexCount / 3);
        for (size_t k = 0; k < out.faces.size(); ++k) {
            const uint32_t first = uint32_t(3 * k);
            out.faces[k] = {first, first + 2, first + 1};
        }
        return true;
    }
    GltfAccessorView idx;
    if (!GltfGetAccessor(m, p.indices, idx, reason)) return false;
    if (idx.componentCount != 1 || idx.componentType == TINYGLTF_COMPONENT_TYPE_FLOAT ||
        idx.componentType == TINYGLTF_COMPONENT_TYPE_DOUBLE) {
        reason = "the indices are not integer scalars";
        return false;
    }
    out.faces.resize(idx.count / 3);
    for (size_t k = 0; k < out.faces.size(); ++k) {
        uint32_t corner[3];
        for (int c = 0; c < 3; ++c) {
            const int64_t value = idx.ReadInteger(3 * k + size_t(c), 0);
            if (value < 0 || uint64_t(value) >= vertexCount) {
                reason = "index " + std::to_string(value) + " is out of range for " +
                         std::to_string(vertexCount) + " vertices";
                return false;
            }
            corner[c] = uint32_t(value);
        }
        out.faces[k] = {corner[0], corner[2], corner[1]};
    }
    return true;
}

}  // namespace

bool GltfConvertMesh(const tinygltf::Model& m, int meshIndex, FwGLTFNode& node,
                     std::string& reason) {
    const tinygltf::Mesh& mesh = m.meshes[size_t(meshIndex)];
    std::vector<GLTFPrimitive> primitives;
    for (const tinygltf::Primitive& p : mesh.primitives) {
        if (p.mode != TINYGLTF_MODE_TRIANGLES) continue;
        GLTFPrimitive converted;
        if (!ConvertPrimitive(m, p, converted, reason)) return false;
        primitives.push_back(std::move(converted));
    }
    std::stable_sort(
        primitives.begin(), primitives.end(),
        [](const GLTFPrimitive& a, const GLTFPrimitive& b) { return a.material < b.material; });

    size_t vertexTotal = 0, faceTotal = 0;
    for (const GLTFPrimitive& p : primitives) {
        vertexTotal += p.vertices.size();
        faceTotal += p.faces.size();
    }
    if (vertexTotal > std::numeric_limits<uint32_t>::max() ||
        faceTotal > std::numeric_limits<uint32_t>::max()) {
        reason = "mesh \"" + mesh.name + "\" has too many vertices for 32-bit indices";
        return false;
    }
    node.vertices.reserve(vertexTotal);
    node.faces.reserve(faceTotal);
    uint32_t firstFace = 0;
    for (const GLTFPrimitive& p : primitives) {
        const uint32_t base = uint32_t(node.vertices.size());
        node.vertices.insert(node.vertices.end(), p.vertices.begin(), p.vertices.end());
        for (const FwMeshFace& f : p.faces) {
            node.faces.push_back({f.i0 + base, f.i1 + base, f.i2 + base});
        }
        const uint32_t count = uint32_t(p.faces.size());
        node.subsets.push_back({p.material, firstFace, count});
        firstFace += count;
    }
    return true;
}
