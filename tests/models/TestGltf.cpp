#include "models/TestGltf.h"

#include <unistd.h>
#include <filesystem>
#include <fstream>
#include <sstream>

TestGltf::TestGltf() {
    doc = {{"asset", {{"version", "2.0"}}},          {"buffers", nlohmann::json::array()},
           {"bufferViews", nlohmann::json::array()}, {"accessors", nlohmann::json::array()},
           {"meshes", nlohmann::json::array()},      {"nodes", nlohmann::json::array()}};
}

int TestGltf::AddView(const void* data, size_t size, size_t stride) {
    while (bin.size() % 4 != 0) bin.push_back(0);
    const size_t offset = bin.size();
    const auto* bytes = static_cast<const uint8_t*>(data);
    bin.insert(bin.end(), bytes, bytes + size);
    nlohmann::json view = {{"buffer", 0}, {"byteOffset", offset}, {"byteLength", size}};
    if (stride != 0) view["byteStride"] = stride;
    doc["bufferViews"].push_back(view);
    return int(doc["bufferViews"].size()) - 1;
}

int TestGltf::AddAccessor(int view, int componentType, size_t count, const std::string& type,
                          size_t byteOffset, bool normalized) {
    nlohmann::json a = {
        {"bufferView", view}, {"componentType", componentType}, {"count", count}, {"type", type}};
    if (byteOffset != 0) a["byteOffset"] = byteOffset;
    if (normalized) a["normalized"] = true;
    doc["accessors"].push_back(a);
    return int(doc["accessors"].size()) - 1;
}

int TestGltf::AddFloats(const std::vector<float>& values, const std::string& type) {
    return AddPacked(values, kFloat, type);
}

int TestGltf::AddIndices(const std::vector<uint16_t>& indices) {
    return AddPacked(indices, kUnsignedShort, "SCALAR");
}

int TestGltf::AddIndices32(const std::vector<uint32_t>& indices) {
    return AddPacked(indices, kUnsignedInt, "SCALAR");
}

nlohmann::json TestGltf::Primitive(const nlohmann::json& attributes, int indices, int material) {
    nlohmann::json p = {{"attributes", attributes}};
    if (indices >= 0) p["indices"] = indices;
    if (material >= 0) p["material"] = material;
    return p;
}

int TestGltf::AddMesh(const std::vector<nlohmann::json>& primitives) {
    doc["meshes"].push_back({{"primitives", primitives}});
    return int(doc["meshes"].size()) - 1;
}

int TestGltf::AddNode(const nlohmann::json& node) {
    doc["nodes"].push_back(node);
    return int(doc["nodes"].size()) - 1;
}

int TestGltf::AddMaterial(const nlohmann::json& material) {
    doc["materials"].push_back(material);
    return int(doc["materials"].size()) - 1;
}

int TestGltf::AddTexture(const std::string& uri) {
    doc["images"].push_back({{"uri", uri}});
    doc["textures"].push_back({{"source", int(doc["images"].size()) - 1}});
    return int(doc["textures"].size()) - 1;
}

void TestGltf::SetScene(const std::vector<int>& roots) {
    doc["scene"] = 0;
    doc["scenes"] = nlohmann::json::array({{{"nodes", roots}}});
}

void TestGltf::WriteGltf(const std::string& path, const std::string& binName) const {
    nlohmann::json out = doc;
    if (!bin.empty()) {
        out["buffers"] = nlohmann::json::array({{{"uri", binName}, {"byteLength", bin.size()}}});
        const std::string dir = std::filesystem::path(path).parent_path().string();
        WriteFile(dir + "/" + binName, std::string(bin.begin(), bin.end()));
    }
    WriteFile(path, out.dump(1));
}

void TestGltf::WriteGlb(const std::string& path) const {
    nlohmann::json out = doc;
    if (!bin.empty()) out["buffers"] = nlohmann::json::array({{{"byteLength", bin.size()}}});
    std::string json = out.dump();
    while (json.size() % 4 != 0) json.push_back(' ');
    std::string body = std::string(bin.begin(), bin.end());
    while (body.size() % 4 != 0) body.push_back('\0');

    std::string glb;
    const auto put32 = [&glb](uint32_t v) {
        for (int i = 0; i < 4; ++i) glb.push_back(char((v >> (8 * i)) & 0xFF));
    };
    const uint32_t total =
        12 + 8 + uint32_t(json.size()) + (body.empty() ? 0 : 8 + uint32_t(body.size()));
    put32(0x46546C67);  // "glTF"
    put32(2);
    put32(total);
    put32(uint32_t(json.size()));
    put32(0x4E4F534A);  // "JSON"
    glb += json;
    if (!body.empty()) {
        put32(uint32_t(body.size()));
        put32(0x004E4942);  // "BIN\0"
        glb += body;
    }
    WriteFile(path, glb);
}

namespace {

// This process's folder under the system temp directory, removed when the tests end.
struct ProcessFolder {
    std::filesystem::path path =
        std::filesystem::temp_directory_path() / ("hoshikage-models-" + std::to_string(getpid()));
    ~ProcessFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path, ignored);
    }
};

}  // namespace

std::string TestDirectory(const std::string& name) {
    static ProcessFolder folder;
    const auto dir = folder.path / name;
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    return dir.string();
}

void WriteFile(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

TestGltf MakeTriangle(bool withNormals) {
    TestGltf g;
    nlohmann::json attributes = {{"POSITION", g.AddFloats({1, 2, 3, 4, 5, 6, 7, 8, 9}, "VEC3")}};
    if (withNormals) attributes["NORMAL"] = g.AddFloats({0, 0, 1, 0, 0, 1, 0, 0, 1}, "VEC3");
    const int indices = g.AddIndices({0, 1, 2});
    g.AddMesh({TestGltf::Primitive(attributes, indices)});
    g.AddNode({{"mesh", 0}, {"name", "tri"}});
    g.SetScene({0});
    return g;
}
