#include "support/InputChecks.h"

#include <nlohmann/json.hpp>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "app/Settings.h"
#include "engine/audio/WavDecoder.h"
#include "engine/graphics/FwGLTFModel.h"
#include "engine/graphics/GlyphMetrics.h"
#include "engine/graphics/ImageDecoder.h"
#include "engine/platform/InputBindings.h"
#include "engine/platform/InputLog.h"
#include "engine/platform/ReplayPlatform.h"
#include "game/world/StoneField.h"

namespace inputcheck {
namespace {

void Require(bool promise, const char* what) {
    if (promise) return;
    std::fprintf(stderr, "input check failed: %s\n", what);
    std::abort();
}

// The converted model keeps the loader's promises: faces index their own node's vertices,
// subsets tile the faces in order and name existing materials, roots are nodes of the model.
void CheckModel(const FwGLTFModel& model) {
    for (const auto& node : model.nodes) {
        Require(node != nullptr, "a node record exists");
        for (const FwMeshFace& f : node->faces) {
            Require(f.i0 < node->vertices.size() && f.i1 < node->vertices.size() &&
                        f.i2 < node->vertices.size(),
                    "face indices lie below the node's vertex count");
        }
        uint64_t next = 0;
        for (const FwMeshSubset& s : node->subsets) {
            Require(s.firstFace == next, "subsets follow each other");
            next += s.faceCount;
            Require(s.materialIndex >= -1 &&
                        (s.materialIndex < 0 || size_t(s.materialIndex) < model.materials.size()),
                    "a subset names an existing material");
        }
        Require(next == node->faces.size(), "subsets cover every face");
        for (const auto& child : node->children) {
            Require(child != nullptr && child->index >= 0 &&
                        size_t(child->index) < model.nodes.size() &&
                        model.nodes[size_t(child->index)] == child,
                    "children are nodes of the model");
        }
    }
    for (const auto& root : model.rootNodes) {
        Require(root != nullptr && size_t(root->index) < model.nodes.size() &&
                    model.nodes[size_t(root->index)] == root,
                "roots are nodes of the model");
    }
}

// Models read from memory may name no external file: nothing outside the input is read.
bool NoFiles(const std::string&, std::vector<unsigned char>&) {
    return false;
}

void LoadModel(const uint8_t* data, std::size_t size, bool binary, FwGLTFFileReader reader) {
    FwGLTFMemory memory;
    memory.data = data;
    memory.size = size;
    memory.binary = binary;
    memory.readFile = std::move(reader);
    std::string log;
    if (const auto model = FwLoadGLTFModel(memory, &log)) CheckModel(*model);
}

}  // namespace

void GltfText(const uint8_t* data, std::size_t size) {
    LoadModel(data, size, false, NoFiles);
}

void GltfBinary(const uint8_t* data, std::size_t size) {
    LoadModel(data, size, true, NoFiles);
}

void GltfBuffer(const std::string& modelText, const uint8_t* data, std::size_t size) {
    // The model's text with the buffer's byteLength cut out, made once per model: the fuzzer
    // calls this for every input and the model never changes.
    struct Template {
        std::string model, head, tail, uri;
    };
    static Template cached;
    if (cached.model != modelText) {
        constexpr std::int64_t kMark = 7777777777777;  // a length no file has
        nlohmann::json model = nlohmann::json::parse(modelText);
        Require(model.contains("buffers") && model["buffers"].size() == 1 &&
                    model["buffers"][0].contains("uri"),
                "the fuzzed model has one external buffer");
        model["buffers"][0]["byteLength"] = kMark;
        const std::string text = model.dump();
        const std::size_t at = text.find(std::to_string(kMark));
        cached = {modelText, text.substr(0, at), text.substr(at + std::to_string(kMark).size()),
                  model["buffers"][0]["uri"].get<std::string>()};
    }
    const std::string text = cached.head + std::to_string(size) + cached.tail;
    LoadModel(reinterpret_cast<const uint8_t*>(text.data()), text.size(), false,
              [&](const std::string& path, std::vector<unsigned char>& bytes) {
                  if (path != cached.uri) return false;
                  bytes.assign(data, data + size);
                  return true;
              });
}

void Image(const uint8_t* data, std::size_t size) {
    DecodedImage image;
    if (!ImageDecoder::Decode(data, size, image)) {
        Require(!image.pixels && image.width == 0, "a refused image leaves nothing behind");
        return;
    }
    Require(image.pixels != nullptr, "a decoded image has pixels");
    Require(image.width > 0 && image.height > 0 && image.width <= ImageDecoder::kMaxSide &&
                image.height <= ImageDecoder::kMaxSide,
            "a decoded image's size is within the limits");
    // Every row the texture upload reads must be there and be decoded data, not leftovers:
    // a second decode compares all of them.
    DecodedImage again;
    Require(ImageDecoder::Decode(data, size, again) && again.width == image.width &&
                again.height == image.height,
            "an image decodes the same way twice");
    Require(std::memcmp(image.pixels.get(), again.pixels.get(),
                        image.RowBytes() * size_t(image.height)) == 0,
            "an image decodes to the same pixels twice");
}

void Wav(const uint8_t* data, std::size_t size) {
    PcmSound pcm;
    if (!WavDecoder::DecodeMemory(data, size, pcm)) {
        Require(pcm.samples.empty() && pcm.channels == 0, "a refused sound leaves nothing");
        return;
    }
    Require(pcm.channels == 1 || pcm.channels == 2, "a sound has one or two channels");
    Require(pcm.sampleRate > 0, "a sound has a positive rate");
    Require(!pcm.samples.empty() && pcm.samples.size() % size_t(pcm.channels) == 0,
            "a sound holds whole frames");
}

void StoneTable(const uint8_t* data, std::size_t size) {
    Vector3 positions[StoneField::kStoneCount];
    StoneField::ParseTable(data, size, positions);
    for (size_t i = 0; i < size_t(StoneField::kStoneCount); ++i) {
        float expected[3] = {0.0f, 0.0f, 0.0f};
        if ((i + 1) * 12 <= size) {
            // The file is little-endian, and so is every machine this builds for.
            std::memcpy(expected, data + i * 12, sizeof expected);
        }
        Require(std::memcmp(expected, &positions[i].x, 4) == 0 &&
                    std::memcmp(expected + 1, &positions[i].y, 4) == 0 &&
                    std::memcmp(expected + 2, &positions[i].z, 4) == 0,
                "whole records are read bit for bit, the rest are zero");
    }
}

void ReplayLog(const uint8_t* data, std::size_t size) {
    InputLog log;
    if (!log.FromText(std::string(reinterpret_cast<const char*>(data), size))) {
        Require(log.passes.empty(), "a refused log is left empty");
        return;
    }
    InputLog again;
    Require(again.FromText(log.ToText()), "a saved log reads back");
    Require(again.passes == log.passes, "a saved log reads back unchanged");

    // Play it as the replay tool would, asking every pass for one reading more than it
    // recorded (a run that diverged).
    ReplayPlatform platform(std::move(log));
    const InputLog& recorded = again;
    for (size_t pass = 1; pass < recorded.passes.size() && pass < 4096; ++pass) {
        if (!platform.PumpMessages()) break;
        const PassLog& read = recorded.passes[pass];
        for (size_t k = 0; k <= read.cursorReads.size(); ++k) platform.GetCursorPos();
        for (size_t k = 0; k <= read.timeReads.size(); ++k) platform.GetTime();
        for (size_t k = 0; k <= read.menuReads.size(); ++k)
            Require(platform.TakeMenuKeys() ==
                        (k < read.menuReads.size() ? read.menuReads[k] : std::vector<MenuKey>{}),
                    "menu keys replay as recorded");
        for (size_t k = 0; k <= read.commandReads.size(); ++k) platform.TakeCommands();
        for (size_t k = 0; k <= read.captureReads.size(); ++k) platform.TakeCaptured();
        for (int key : RecordedKeys())
            Require(platform.IsKeyDown(key) == (read.held.count(key) != 0) &&
                        platform.IsRawKeyDown(key) == (read.rawHeld.count(key) != 0),
                    "keys replay as recorded");
    }
}

void SettingsFile(const uint8_t* data, std::size_t size) {
    std::vector<std::string> warnings;
    const Settings settings =
        ParseSettings(std::string(reinterpret_cast<const char*>(data), size), warnings);
    Require(settings.volume >= 0 && settings.volume <= Settings::kMaxVolume,
            "the volume is in range");
    Require(settings.renderScale == Settings::kAuto ||
                (settings.renderScale >= Settings::kMinRenderScale &&
                 settings.renderScale <= Settings::kMaxRenderScale),
            "the render scale is auto or in range");
    Require(settings.antiAliasing == Settings::kAuto || settings.antiAliasing == 0 ||
                settings.antiAliasing == 2 || settings.antiAliasing == 4 ||
                settings.antiAliasing == 8,
            "the anti-aliasing is a known choice");
    // What the game writes back must read as the same settings, without a warning.
    std::vector<std::string> rewarnings;
    Require(ParseSettings(FormatSettings(settings), rewarnings) == settings,
            "saved settings read back unchanged");
    Require(rewarnings.empty(), "saved settings read back without warnings");

    // The bindings the file names: whatever it says, every action keeps one input of each
    // kind, none reserved, none shared, and what the game writes back reads the same.
    std::vector<std::string> bindingWarnings;
    const InputBindings bindings = InputBindings::FromSettings(settings.bindings, bindingWarnings);
    for (int a = 0; a < static_cast<int>(GameAction::Count); ++a) {
        const GameAction action = static_cast<GameAction>(a);
        for (const PhysicalInput input : {bindings.GetKeyboard(action), bindings.GetPad(action)}) {
            Require(input.device != PhysicalInput::Device::None, "every action is bound");
            Require(!InputBindings::IsReserved(action, input), "no reserved input is bound");
            Require(bindings.ActionOf(input) == action, "no input plays two actions");
        }
    }
    std::vector<std::string> rebindWarnings;
    Require(InputBindings::FromSettings(bindings.ToSettings(), rebindWarnings) == bindings,
            "saved bindings read back unchanged");
    Require(rebindWarnings.empty(), "saved bindings read back without warnings");
}

void GlyphMetricsFile(const uint8_t* data, std::size_t size) {
    GlyphMetrics metrics;
    std::string error;
    if (!metrics.Parse(std::string_view(reinterpret_cast<const char*>(data), size), error)) {
        Require(metrics.IsEmpty(), "refused metrics are left empty");
        Require(!error.empty(), "a refusal says why");
        return;
    }
    const int width = metrics.GetAtlasWidth(), height = metrics.GetAtlasHeight();
    Require(width > 0 && height > 0, "an accepted atlas has a size");
    for (TextSize size : {TextSize::Body, TextSize::Heading}) {
        const int line = metrics.GetLineHeight(size);
        Require(line > 0 && metrics.GetAscent(size) >= 0 && metrics.GetAscent(size) <= line,
                "the baseline lies within a line of positive height");
        for (const auto& [code, g] : metrics.GetGlyphs(size)) {
            Require(code <= 0x10FFFF, "code points are Unicode's");
            Require(g.x >= 0 && g.y >= 0 && g.width >= 0 && g.height >= 0 &&
                        int64_t(g.x) + g.width <= width && int64_t(g.y) + g.height <= height,
                    "every glyph lies inside the atlas");
            Require(g.advance >= 0, "the pen never moves back");
            Require(metrics.Find(size, code) == &g, "every listed glyph is found");
        }
    }
}

}  // namespace inputcheck
