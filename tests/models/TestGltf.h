#pragma once

#include <cstdint>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

// Builds small glTF files for the loader tests: one binary buffer plus the JSON document,
// written as text glTF with an external .bin, or as one .glb.
class TestGltf {
public:
    static constexpr int kByte = 5120, kUnsignedByte = 5121, kShort = 5122, kUnsignedShort = 5123,
                         kUnsignedInt = 5125, kFloat = 5126;

    TestGltf();

    // Appends bytes (4-byte aligned) and a buffer view over them; returns the view index.
    int AddView(const void* data, size_t size, size_t stride = 0);
    // An accessor over view; returns its index.
    int AddAccessor(int view, int componentType, size_t count, const std::string& type,
                    size_t byteOffset = 0, bool normalized = false);
    // View + accessor over tightly packed values.
    int AddFloats(const std::vector<float>& values, const std::string& type);
    int AddIndices(const std::vector<uint16_t>& indices);
    int AddIndices32(const std::vector<uint32_t>& indices);
    template <typename T>
    int AddPacked(const std::vector<T>& values, int componentType, const std::string& type,
                  bool normalized = false) {
        const int components = type == "SCALAR" ? 1 : type[3] - '0';
        const int view = AddView(values.data(), values.size() * sizeof(T));
        return AddAccessor(view, componentType, values.size() / size_t(components), type, 0,
                           normalized);
    }

    // A primitive with the given attribute accessors; indices/material -1 = none.
    static nlohmann::json Primitive(const nlohmann::json& attributes, int indices = -1,
                                    int material = -1);
    int AddMesh(const std::vector<nlohmann::json>& primitives);
    // A node (free-form JSON such as {"mesh":0,"translation":[0,5,0]}); returns its index.
    int AddNode(const nlohmann::json& node);
    int AddMaterial(const nlohmann::json& material);
    // A texture with an image of the given uri; returns the texture index.
    int AddTexture(const std::string& uri);
    // The first scene lists these roots (no scene at all until called).
    void SetScene(const std::vector<int>& roots);

    // Text glTF at path, its buffer in binName beside it (when the buffer is not empty).
    void WriteGltf(const std::string& path, const std::string& binName) const;
    // Binary glTF with the buffer as its BIN chunk.
    void WriteGlb(const std::string& path) const;

    nlohmann::json doc;
    std::vector<uint8_t> bin;
};

// A fresh directory for one test's files; all of them are removed when the process ends.
std::string TestDirectory(const std::string& name);
void WriteFile(const std::string& path, const std::string& bytes);
std::string ReadFile(const std::string& path);

// A one-triangle model: POSITION (1,2,3) (4,5,6) (7,8,9), indices 0 1 2, one node, one
// scene; optionally with normals, uvs, colours and material 0.
TestGltf MakeTriangle(bool withNormals = false);
