// The one translation unit that compiles tinygltf. Images are never decoded here
// (textures are opened by file name through FwTexture), so stb_image is left out and
// external image files are not even read.
#define TINYGLTF_IMPLEMENTATION
#define TINYGLTF_NO_STB_IMAGE
#define TINYGLTF_NO_STB_IMAGE_WRITE
#define TINYGLTF_NO_EXTERNAL_IMAGE
#include "engine/graphics/GltfLoader.h"

#include <tiny_gltf.h>
#include <cstdio>
#include <exception>
#include <limits>

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

bool GltfReadFile(const std::string& path, tinygltf::Model& out, std::string* log) {
    tinygltf::TinyGLTF loader;
    loader.SetImageLoader(SkipImageData, nullptr);
    std::string warn;
    std::string err;
    bool ok = false;
    const bool binary = HasBinaryExtension(path);
    GltfReport(binary ? "Reading binary glTF\n" : "Reading ASCII glTF\n", log);
    try {
        ok = binary ? loader.LoadBinaryFromFile(&out, &err, &warn, path)
                    : loader.LoadASCIIFromFile(&out, &err, &warn, path);
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
