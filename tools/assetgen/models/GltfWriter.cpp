#include "GltfWriter.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <fstream>

namespace modelgen {

namespace {

using nlohmann::json;

// Six significant digits keep the JSON short and identical from run to run.
double Num(float f) {
    char text[32];
    std::snprintf(text, sizeof(text), "%.6g", static_cast<double>(f));
    return std::strtod(text, nullptr);
}

class BinBuilder {
public:
    // Appends raw bytes as a new buffer view and returns its index.
    int View(const void* data, size_t size, int target, json& views) {
        while (bytes.size() % 4 != 0) bytes.push_back(0);
        json view{
            {"buffer", 0}, {"byteOffset", bytes.size()}, {"byteLength", size}, {"target", target}};
        views.push_back(view);
        const auto* p = static_cast<const uint8_t*>(data);
        bytes.insert(bytes.end(), p, p + size);
        return static_cast<int>(views.size() - 1);
    }
    std::vector<uint8_t> bytes;
};

bool WriteFile(const std::filesystem::path& path, const void* data, size_t size,
               std::string& error) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(static_cast<const char*>(data), static_cast<std::streamsize>(size));
    if (!out) {
        error = "cannot write " + path.string();
        return false;
    }
    return true;
}

int FloatAccessor(BinBuilder& bin, json& doc, const std::vector<float>& data, int components,
                  bool withBounds) {
    static const char* kTypes[] = {"", "SCALAR", "VEC2", "VEC3", "VEC4"};
    int view = bin.View(data.data(), data.size() * sizeof(float), 34962, doc["bufferViews"]);
    json acc{{"bufferView", view},
             {"componentType", 5126},
             {"count", data.size() / components},
             {"type", kTypes[components]}};
    if (withBounds) {
        std::vector<double> lo(components, 1e30), hi(components, -1e30);
        for (size_t i = 0; i < data.size(); ++i) {
            size_t c = i % components;
            lo[c] = std::min(lo[c], static_cast<double>(data[i]));
            hi[c] = std::max(hi[c], static_cast<double>(data[i]));
        }
        json jlo = json::array(), jhi = json::array();
        for (int c = 0; c < components; ++c) {
            jlo.push_back(lo[c]);
            jhi.push_back(hi[c]);
        }
        acc["min"] = jlo;
        acc["max"] = jhi;
    }
    doc["accessors"].push_back(acc);
    return static_cast<int>(doc["accessors"].size() - 1);
}

json Primitive(const Mesh& mesh, int material, BinBuilder& bin, json& doc) {
    std::vector<float> pos, nrm, uv, col;
    for (const Vertex& v : mesh.vertices) {
        pos.insert(pos.end(), {v.pos.x, v.pos.y, -v.pos.z});
        nrm.insert(nrm.end(), {v.normal.x, v.normal.y, -v.normal.z});
        uv.insert(uv.end(), {v.u, v.v});
        col.insert(col.end(), {v.color.x, v.color.y, v.color.z, 1.0f});
    }
    json attributes{{"POSITION", FloatAccessor(bin, doc, pos, 3, true)},
                    {"NORMAL", FloatAccessor(bin, doc, nrm, 3, false)},
                    {"TEXCOORD_0", FloatAccessor(bin, doc, uv, 2, false)},
                    {"COLOR_0", FloatAccessor(bin, doc, col, 4, false)}};
    const bool wide = mesh.vertices.size() > 65535;
    std::vector<uint32_t> idx32;
    std::vector<uint16_t> idx16;
    for (size_t i = 0; i + 2 < mesh.indices.size(); i += 3) {
        for (size_t k : {i, i + 2, i + 1}) {
            if (wide)
                idx32.push_back(mesh.indices[k]);
            else
                idx16.push_back(static_cast<uint16_t>(mesh.indices[k]));
        }
    }
    int view = wide ? bin.View(idx32.data(), idx32.size() * 4, 34963, doc["bufferViews"])
                    : bin.View(idx16.data(), idx16.size() * 2, 34963, doc["bufferViews"]);
    doc["accessors"].push_back({{"bufferView", view},
                                {"componentType", wide ? 5125 : 5123},
                                {"count", mesh.indices.size()},
                                {"type", "SCALAR"}});
    return {{"attributes", attributes},
            {"indices", doc["accessors"].size() - 1},
            {"material", material},
            {"mode", 4}};
}

}  // namespace

bool GltfWriter::Write(const ModelData& model, const std::filesystem::path& gltfPath,
                       std::set<std::string>& written, std::string& error) {
    const std::filesystem::path dir = gltfPath.parent_path();
    std::error_code ec;
    std::filesystem::create_directories(dir, ec);
    if (ec) {
        error = "cannot create " + dir.string();
        return false;
    }
    json doc;
    doc["asset"] = {{"version", "2.0"}, {"generator", "hoshikage assetgen"}};
    doc["bufferViews"] = json::array();
    doc["accessors"] = json::array();

    json images = json::array(), textures = json::array();
    auto textureIndex = [&](const std::string& file) {
        for (size_t i = 0; i < images.size(); ++i) {
            if (images[i]["uri"] == file) return static_cast<int>(i);
        }
        images.push_back({{"uri", file}});
        textures.push_back({{"source", images.size() - 1}});
        return static_cast<int>(images.size() - 1);
    };
    json materials = json::array();
    for (const Material& m : model.Materials()) {
        json pbr{{"baseColorFactor", {Num(m.base.x), Num(m.base.y), Num(m.base.z), Num(m.alpha)}},
                 {"metallicFactor", Num(m.metallic)},
                 {"roughnessFactor", Num(m.roughness)}};
        if (!m.baseTexture.empty())
            pbr["baseColorTexture"] = {{"index", textureIndex(m.baseTexture)}};
        json mat{{"name", m.name}, {"pbrMetallicRoughness", pbr}};
        if (m.emissive.x > 0 || m.emissive.y > 0 || m.emissive.z > 0) {
            mat["emissiveFactor"] = {Num(m.emissive.x), Num(m.emissive.y), Num(m.emissive.z)};
        }
        if (!m.emissiveTexture.empty()) {
            mat["emissiveTexture"] = {{"index", textureIndex(m.emissiveTexture)}};
        }
        materials.push_back(mat);
    }

    BinBuilder bin;
    json primitives = json::array();
    for (size_t i = 0; i < model.Materials().size(); ++i) {
        const Mesh& part = model.Part(static_cast<int>(i));
        if (part.TriangleCount() == 0) continue;
        primitives.push_back(Primitive(part, static_cast<int>(i), bin, doc));
    }
    std::string binName = gltfPath.stem().string() + ".bin";
    std::replace(binName.begin(), binName.end(), ' ', '_');
    doc["buffers"] = json::array({{{"uri", binName}, {"byteLength", bin.bytes.size()}}});
    doc["materials"] = materials;
    doc["meshes"] = json::array({{{"name", gltfPath.stem().string()}, {"primitives", primitives}}});
    doc["nodes"] = json::array({{{"name", gltfPath.stem().string()}, {"mesh", 0}}});
    doc["scenes"] = json::array({{{"nodes", {0}}}});
    doc["scene"] = 0;
    if (!images.empty()) {
        doc["images"] = images;
        doc["textures"] = textures;
    }

    for (const auto& [file, image] : model.Textures()) {
        std::filesystem::path path = dir / file;
        if (!written.insert(path.string()).second) continue;
        std::vector<uint8_t> png = image.EncodePng();
        if (png.empty() || !WriteFile(path, png.data(), png.size(), error)) {
            if (error.empty()) error = "cannot encode " + path.string();
            return false;
        }
    }
    if (!WriteFile(dir / binName, bin.bytes.data(), bin.bytes.size(), error)) return false;
    std::string text = doc.dump(1) + "\n";
    return WriteFile(gltfPath, text.data(), text.size(), error);
}

}  // namespace modelgen
