// Writes the fuzz targets' seed corpora, one folder per target, from the generated Data/
// folder: small models, images, sounds and the stone table as the game reads them, plus a
// few variants in the other encodings each loader accepts (a .glb packing of a model,
// a BMP and an RGB PNG copy of an image, 8-bit, float and stereo copies of a sound), and a
// replay log and settings file written by the game's own writers, and the glyph metrics.
//
//   fuzz_seeds DATA_FOLDER CORPUS_FOLDER
#include <stb/stb_image.h>
#include <stb/stb_image_write.h>
#include <nlohmann/json.hpp>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "app/Settings.h"
#include "engine/platform/InputLog.h"

namespace fs = std::filesystem;
using Bytes = std::vector<unsigned char>;

namespace {

// Small models with one external buffer each.
const char* const kModels[] = {"stone/fragment.gltf", "Missile/Missile.gltf",
                               "spaceBattleShip/hitBox.gltf", "ax/flashAx.gltf"};
const char* const kImages[] = {"effect/test.png", "effect/energyBullet.png", "effect/rock.png",
                               "effect/muzzle.png", "effect/jet.bmp"};
const char* const kSounds[] = {"sound/weapon.wav", "sound/attack.wav"};
constexpr const char* kImageForVariants = "effect/test.png";
constexpr size_t kSoundFrames = 1500;  // seeds stay small: a few hundred milliseconds

bool failed = false;

Bytes Read(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        std::fprintf(stderr, "fuzz_seeds: cannot read %s\n", path.c_str());
        failed = true;
        return {};
    }
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void Write(const fs::path& path, const void* data, size_t size) {
    std::ofstream out(path, std::ios::binary);
    out.write(static_cast<const char*>(data), static_cast<std::streamsize>(size));
    if (!out) {
        std::fprintf(stderr, "fuzz_seeds: cannot write %s\n", path.c_str());
        failed = true;
    }
}

void Write(const fs::path& path, const std::string& text) {
    Write(path, text.data(), text.size());
}

void Write(const fs::path& path, const Bytes& bytes) {
    Write(path, bytes.data(), bytes.size());
}

std::string Base64(const Bytes& bytes) {
    static const char* const digits =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string out;
    for (size_t i = 0; i < bytes.size(); i += 3) {
        const uint32_t n = uint32_t(bytes[i]) << 16 |
                           (i + 1 < bytes.size() ? uint32_t(bytes[i + 1]) << 8 : 0) |
                           (i + 2 < bytes.size() ? uint32_t(bytes[i + 2]) : 0);
        out += digits[n >> 18 & 63];
        out += digits[n >> 12 & 63];
        out += i + 1 < bytes.size() ? digits[n >> 6 & 63] : '=';
        out += i + 2 < bytes.size() ? digits[n & 63] : '=';
    }
    return out;
}

void PutLe32(Bytes& out, uint32_t v) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<unsigned char>(v >> (8 * i)));
}

void PutLe16(Bytes& out, uint16_t v) {
    out.push_back(static_cast<unsigned char>(v));
    out.push_back(static_cast<unsigned char>(v >> 8));
}

// The model as glTF text with its buffer inlined (a data: uri), and as a .glb.
void Models(const fs::path& data, const fs::path& corpus) {
    for (const char* name : kModels) {
        const fs::path path = data / name;
        const Bytes text = Read(path);
        if (text.empty()) continue;
        nlohmann::json model = nlohmann::json::parse(text.begin(), text.end());
        const Bytes buffer =
            Read(path.parent_path() / model["buffers"][0]["uri"].get<std::string>());
        const std::string stem = path.stem().string();

        model["buffers"][0]["uri"] = "data:application/octet-stream;base64," + Base64(buffer);
        Write(corpus / "gltf_text" / (stem + ".gltf"), model.dump());

        model["buffers"][0].erase("uri");
        std::string json = model.dump();
        while (json.size() % 4) json += ' ';
        Bytes bin = buffer;
        while (bin.size() % 4) bin.push_back(0);
        Bytes glb = {'g', 'l', 'T', 'F'};
        PutLe32(glb, 2);
        PutLe32(glb, uint32_t(12 + 8 + json.size() + 8 + bin.size()));
        PutLe32(glb, uint32_t(json.size()));
        PutLe32(glb, 0x4E4F534A);  // "JSON"
        glb.insert(glb.end(), json.begin(), json.end());
        PutLe32(glb, uint32_t(bin.size()));
        PutLe32(glb, 0x004E4942);  // "BIN"
        glb.insert(glb.end(), bin.begin(), bin.end());
        Write(corpus / "gltf_binary" / (stem + ".glb"), glb);
    }
    // The buffer target fuzzes the buffer of the missile model (see tests/fuzz/CMakeLists.txt).
    Write(corpus / "gltf_buffer" / "Missile.bin", Read(data / "Missile/Missile.bin"));
}

void AppendToBytes(void* context, void* data, int size) {
    auto* out = static_cast<Bytes*>(context);
    const auto* bytes = static_cast<const unsigned char*>(data);
    out->insert(out->end(), bytes, bytes + size);
}

void Images(const fs::path& data, const fs::path& corpus) {
    for (const char* name : kImages) {
        Write(corpus / "image" / fs::path(name).filename(), Read(data / name));
    }
    const Bytes png = Read(data / kImageForVariants);
    int w = 0, h = 0, n = 0;
    unsigned char* pixels = stbi_load_from_memory(png.data(), int(png.size()), &w, &h, &n, 4);
    if (!pixels) {
        std::fprintf(stderr, "fuzz_seeds: cannot decode %s\n", kImageForVariants);
        failed = true;
        return;
    }
    // A corner of at most 16 × 16 texels keeps the variants small.
    const int cw = w < 16 ? w : 16, ch = h < 16 ? h : 16;
    std::vector<unsigned char> corner(size_t(cw) * size_t(ch) * 4);
    for (int y = 0; y < ch; ++y)
        std::memcpy(&corner[size_t(y) * size_t(cw) * 4], pixels + size_t(y) * size_t(w) * 4,
                    size_t(cw) * 4);
    stbi_image_free(pixels);

    Bytes out;
    stbi_write_bmp_to_func(AppendToBytes, &out, cw, ch, 4, corner.data());
    Write(corpus / "image" / "corner.bmp", out);
    out.clear();
    stbi_write_png_to_func(AppendToBytes, &out, cw, ch, 3, corner.data(), 0);
    Write(corpus / "image" / "corner-rgb.png", out);
}

// A canonical WAV file: "fmt " with the given format tag, then "data".
Bytes Wav(uint16_t tag, uint16_t channels, uint32_t rate, uint16_t bits, const Bytes& samples) {
    Bytes out = {'R', 'I', 'F', 'F'};
    PutLe32(out, uint32_t(4 + 8 + 16 + 8 + samples.size()));
    out.insert(out.end(), {'W', 'A', 'V', 'E', 'f', 'm', 't', ' '});
    PutLe32(out, 16);
    PutLe16(out, tag);
    PutLe16(out, channels);
    PutLe32(out, rate);
    PutLe32(out, rate * channels * bits / 8);
    PutLe16(out, uint16_t(channels * bits / 8));
    PutLe16(out, bits);
    out.insert(out.end(), {'d', 'a', 't', 'a'});
    PutLe32(out, uint32_t(samples.size()));
    out.insert(out.end(), samples.begin(), samples.end());
    return out;
}

// The 16-bit mono samples of a generated effect (the "data" chunk found by walking chunks).
bool Samples(const Bytes& wav, uint32_t& rate, std::vector<int16_t>& samples) {
    if (wav.size() < 12) return false;
    size_t at = 12;
    rate = 0;
    while (at + 8 <= wav.size()) {
        uint32_t size = 0;
        std::memcpy(&size, &wav[at + 4], 4);
        const size_t body = at + 8;
        if (std::memcmp(&wav[at], "fmt ", 4) == 0 && body + 8 <= wav.size())
            std::memcpy(&rate, &wav[body + 4], 4);
        if (std::memcmp(&wav[at], "data", 4) == 0) {
            const size_t count = std::min<size_t>(size, wav.size() - body) / 2;
            samples.resize(count);
            std::memcpy(samples.data(), &wav[body], count * 2);
            return rate != 0;
        }
        at = body + size + (size & 1);
    }
    return false;
}

void Sounds(const fs::path& data, const fs::path& corpus) {
    for (const char* name : kSounds) {
        uint32_t rate = 0;
        std::vector<int16_t> samples;
        if (!Samples(Read(data / name), rate, samples)) {
            std::fprintf(stderr, "fuzz_seeds: no samples in %s\n", name);
            failed = true;
            continue;
        }
        if (samples.size() > kSoundFrames) samples.resize(kSoundFrames);
        const std::string stem = fs::path(name).stem().string();
        Bytes pcm16, pcm8, stereo, floats;
        for (int16_t s : samples) {
            PutLe16(pcm16, uint16_t(s));
            pcm8.push_back(static_cast<unsigned char>((s >> 8) + 128));
            PutLe16(stereo, uint16_t(s));
            PutLe16(stereo, uint16_t(-s));
            float f = float(s) / 32768.0f;
            uint32_t bits = 0;
            std::memcpy(&bits, &f, 4);
            PutLe32(floats, bits);
        }
        Write(corpus / "wav" / (stem + ".wav"), Wav(1, 1, rate, 16, pcm16));
        Write(corpus / "wav" / (stem + "-8bit.wav"), Wav(1, 1, rate, 8, pcm8));
        Write(corpus / "wav" / (stem + "-stereo.wav"), Wav(1, 2, rate, 16, stereo));
        Write(corpus / "wav" / (stem + "-float.wav"), Wav(3, 1, rate, 32, floats));
    }
}

void TextFiles(const fs::path& data, const fs::path& corpus) {
    Write(corpus / "stone_table" / "stoneData.dat", Read(data / "stone/stoneData.dat"));

    InputLog log;
    log.passes.resize(4);
    log.passes[0].timeReads = {1000};
    log.passes[1].held = {0x01, 'W'};
    log.passes[1].cursorReads = {{640, 360}, {652, 355}};
    log.passes[1].timeReads = {1016, 1017};
    log.passes[2].held = {0x0D};
    log.passes[2].timeReads = {1032};
    log.passes[2].inactive = true;
    log.passes[3].cursorReads = {{-4, 720}};
    Write(corpus / "replay_log" / "run.txt", log.ToText());
    InputLog menus;
    menus.passes.resize(3);
    menus.passes[1].held = {'W'};
    menus.passes[1].rawHeld = {0x01};
    menus.passes[1].menuReads = {{}, {MenuKey::Down, MenuKey::Accept}};
    menus.passes[1].commandReads = {{PlatformCommand::Pause}};
    menus.passes[2].captureReads = {std::nullopt, PhysicalInput{PhysicalInput::Device::Key, 12}};
    menus.passes[2].timeReads = {1048};
    Write(corpus / "replay_log" / "menus.txt", menus.ToText());
    Write(corpus / "replay_log" / "old-run.txt",
          "hoshikage-input 1\nk - c - t 1000\nk 20 c 1,2 t 1016\n");

    Write(corpus / "settings" / "defaults.ini", FormatSettings(Settings{}));
    Write(corpus / "settings" / "edited.ini",
          "; edited by hand\n"
          "volume = 35\nmute = yes\nfullscreen = on\nantialias = 4\nrender_scale = 75%\n"
          "window_scale = 2\n# a comment\nantialias = 3\n  Volume=100\n");
    Write(corpus / "settings" / "bindings.ini",
          "bind.move_forward = key:12 pad:lstick_up\nbind.attack = key:44\n"
          "bind.lock_on = mouse:1 pad:rt\nbind.start = key:41\nbind.jump = key:4\n");

    Write(corpus / "glyph_metrics" / "glyphs.txt", Read(data / "Font/glyphs.txt"));
    Write(corpus / "glyph_metrics" / "small.txt",
          "# two sizes, a blank glyph and one beyond the BMP\r\n"
          "glyphs 1 64 32\r\nsize body 24 18 2\r\n0020 0 0 0 0 0 0 6\r\n"
          "1F600 1 1 12 12 0 -12 14\r\nsize heading 40 30 1\r\n0041 20 0 16 20 -1 -20 18\r\n");
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: fuzz_seeds DATA_FOLDER CORPUS_FOLDER\n");
        return 2;
    }
    const fs::path data = argv[1];
    const fs::path corpus = argv[2];
    for (const char* target : {"gltf_text", "gltf_binary", "gltf_buffer", "image", "wav",
                               "stone_table", "replay_log", "settings", "glyph_metrics"}) {
        fs::create_directories(corpus / target);
    }
    Models(data, corpus);
    Images(data, corpus);
    Sounds(data, corpus);
    TextFiles(data, corpus);
    return failed ? 1 : 0;
}
