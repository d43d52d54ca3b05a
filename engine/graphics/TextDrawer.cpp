#include "engine/graphics/TextDrawer.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <fstream>

#include "engine/graphics/FwTexture.h"
#include "engine/graphics/GraphicsDevice.h"
#include "engine/graphics/ImageDecoder.h"
#include "engine/graphics/ShaderManager.h"
#include "engine/graphics/Utf8.h"
#include "engine/platform/FilePath.h"

namespace {

// The picture the menus are laid out on; the sprite space has its origin at its centre.
constexpr int kPictureWidth = 1280;
constexpr int kPictureHeight = 720;
// Past this the pen stops: far off the picture, and well short of overflowing an int.
constexpr int kMaxLineWidth = 1 << 20;

// At most limit + 1 bytes of a file (so an oversized file shows as one), false when it does
// not open.
bool ReadFile(const std::string& path, std::size_t limit, std::string& out) {
    std::ifstream file(PathFromUtf8(path), std::ios::binary);
    if (!file) return false;
    out.resize(limit + 1);
    file.read(out.data(), static_cast<std::streamsize>(out.size()));
    if (file.bad()) return false;
    out.resize(static_cast<std::size_t>(file.gcount()));
    return true;
}

// Everything Draw changes, put back when it is done.
class SpriteStateGuard {
public:
    SpriteStateGuard(SpriteShader& sprites, const FwSamplerState* pointSampler)
        : sprites(sprites),
          device(GraphicsDevice::GetInstance()),
          constants(sprites.GetConstants()),
          blend(device.GetBlendState()),
          ownBatch(!sprites.IsBegun()) {
        device.SetBlendState(nullptr);  // the run's alpha blending
        if (ownBatch) {
            sprites.Begin(false, true);
        } else {
            // The caller's batch may sample linearly; glyphs want their texels as they are.
            sampler = device.GetSamplerState(0);
            if (pointSampler) device.SetSamplerState(0, pointSampler);
        }
        sprites.SetTransform(Matrix::Identity());
    }
    ~SpriteStateGuard() {
        if (ownBatch) {
            sprites.End();
        } else {
            device.SetSamplerState(0, sampler);
        }
        sprites.SetTransform(constants.g_mTransform);
        sprites.SetColour(Color(constants.g_color));
        device.SetBlendState(&blend);
    }
    SpriteStateGuard(const SpriteStateGuard&) = delete;
    SpriteStateGuard& operator=(const SpriteStateGuard&) = delete;

private:
    SpriteShader& sprites;
    GraphicsDevice& device;
    const SpriteConstants constants;
    const FwBlendState blend;
    const bool ownBatch;
    const FwSamplerState* sampler = nullptr;
};

}  // namespace

TextDrawer& TextDrawer::GetInstance() {
    static TextDrawer instance;
    return instance;
}

TextDrawer::TextDrawer() = default;
TextDrawer::~TextDrawer() = default;

bool TextDrawer::Load() {
    return LoadFrom(kMetricsPath, kAtlasPath);
}

bool TextDrawer::LoadFrom(const std::string& metricsPath, const std::string& atlasPath) {
    Release();
    attempted = true;
    const auto warn = [](const std::string& why) {
        std::fprintf(stderr, "text: %s; menus show no text\n", why.c_str());
        return false;
    };
    std::string text;
    if (!ReadFile(metricsPath, GlyphMetrics::kMaxFileBytes, text))
        return warn("cannot read " + metricsPath);
    std::string error;
    if (!metrics.Parse(text, error)) return warn(metricsPath + ", " + error);

    std::string bytes;
    DecodedImage image;
    // An atlas has at most kMaxAtlasSide² RGBA texels; its PNG is far smaller than that.
    const std::size_t atlasLimit =
        static_cast<std::size_t>(GlyphMetrics::kMaxAtlasSide) * GlyphMetrics::kMaxAtlasSide * 4;
    if (!ReadFile(atlasPath, atlasLimit, bytes) || bytes.size() > atlasLimit ||
        !ImageDecoder::Decode(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size(),
                              image)) {
        metrics.Clear();
        return warn("cannot read the image " + atlasPath);
    }
    if (image.width != metrics.GetAtlasWidth() || image.height != metrics.GetAtlasHeight()) {
        metrics.Clear();
        return warn(atlasPath + " is " + std::to_string(image.width) + "x" +
                    std::to_string(image.height) + ", not the size " + metricsPath + " names");
    }
    pixels.resize(image.RowBytes() * static_cast<std::size_t>(image.height));
    std::memcpy(pixels.data(), image.pixels.get(), pixels.size());
    return true;
}

void TextDrawer::Release() {
    texture.reset();
    pointSampler.reset();
    textureGeneration = 0;
    metrics.Clear();
    std::vector<uint8_t>().swap(pixels);
    attempted = false;
}

void TextDrawer::EnsureLoaded() const {
    // Measure is const to its callers; loading on first use is a cache fill, not a change
    // they can see (the instance is never a const object).
    if (!attempted) const_cast<TextDrawer*>(this)->Load();
}

FwTexture* TextDrawer::Texture() {
    const GraphicsDevice& device = GraphicsDevice::GetInstance();
    if (!IsLoaded() || !device.IsInitialized()) return nullptr;
    if (texture && textureGeneration == device.GetContextGeneration()) return texture.get();
    // A new device (or the first draw): the old objects belong to a context that is gone.
    texture = std::make_unique<FwTexture>();
    const SubresourceData initial{pixels.data(),
                                  static_cast<unsigned>(metrics.GetAtlasWidth()) * 4u, 0};
    if (!texture->Create(metrics.GetAtlasWidth(), metrics.GetAtlasHeight(),
                         PixelFormat::R8G8B8A8_Unorm, 1, &initial))
        texture.reset();
    pointSampler = device.CreateSamplerState(0, 1, 1, false);
    textureGeneration = device.GetContextGeneration();
    return texture.get();
}

int TextDrawer::GetLineHeight(TextSize size) const {
    EnsureLoaded();
    return metrics.GetLineHeight(size);
}

const Glyph* TextDrawer::GlyphFor(char32_t code, TextSize size) const {
    const Glyph* glyph = metrics.Find(size, code);
    return glyph ? glyph : metrics.Find(size, U'?');
}

int TextDrawer::LayoutWidth(std::string_view utf8, TextSize size,
                            std::vector<PlacedGlyph>* out) const {
    EnsureLoaded();
    if (!IsLoaded()) return 0;
    // First the pen positions from 0; a glyph that reaches left of its pen (a 'j' at the
    // start) moves the whole line right, so nothing is inked left of `left`.
    const int ascent = metrics.GetAscent(size);
    int pen = 0, leftmost = 0, right = 0;
    const std::size_t first = out ? out->size() : 0;
    std::size_t pos = 0;
    while (pos < utf8.size() && pen < kMaxLineWidth) {
        const Glyph* glyph = GlyphFor(NextCodePoint(utf8, pos), size);
        if (!glyph) continue;
        if (glyph->width > 0) {
            leftmost = std::min(leftmost, pen + glyph->xOffset);
            right = std::max(right, pen + glyph->xOffset + glyph->width);
        }
        if (out) out->push_back({glyph, pen + glyph->xOffset, ascent + glyph->yOffset});
        pen += glyph->advance;
    }
    const int shift = -leftmost;
    if (out) {
        for (std::size_t i = first; i < out->size(); ++i) (*out)[i].left += shift;
    }
    return std::max(pen, right) + shift;
}

int TextDrawer::Measure(std::string_view utf8, TextSize size) const {
    return LayoutWidth(utf8, size, nullptr);
}

std::vector<TextDrawer::PlacedGlyph> TextDrawer::Layout(std::string_view utf8,
                                                        TextSize size) const {
    std::vector<PlacedGlyph> placed;
    LayoutWidth(utf8, size, &placed);
    return placed;
}

void TextDrawer::Draw(std::string_view utf8, int left, int top, TextSize size,
                      const Color& colour) {
    EnsureLoaded();
    FwTexture* atlas = Texture();
    SpriteShader& sprites = ShaderManager::GetInstance().GetSpriteShader();
    if (!atlas || !sprites.IsValid() || utf8.empty()) return;
    const std::vector<PlacedGlyph> placed = Layout(utf8, size);
    SpriteStateGuard guard(sprites, pointSampler.get());
    // The colour goes with the first glyph and stays in force for the rest (one upload).
    const Color* tint = &colour;
    for (const PlacedGlyph& p : placed) {
        const Glyph& g = *p.glyph;
        // Wide enough that no position a caller passes can overflow.
        const long long glyphLeft = static_cast<long long>(left) + p.left;
        const long long glyphTop = static_cast<long long>(top) + p.top;
        if (g.width == 0 || glyphLeft >= kPictureWidth || glyphLeft + g.width <= 0 ||
            glyphTop >= kPictureHeight || glyphTop + g.height <= 0)
            continue;
        const SpriteRect source{g.x, g.y, g.width, g.height};
        // Top-left pivot at the glyph's top-left corner, in the centre-origin, +y-up space.
        const int x = static_cast<int>(glyphLeft) - kPictureWidth / 2;
        const int y = kPictureHeight / 2 - static_cast<int>(glyphTop);
        sprites.DrawSprite(atlas, x, y, g.width, g.height, &source, tint, Vector2(0.0f, 1.0f));
        tint = nullptr;
    }
}

void TextDrawer::FillRect(int left, int top, int width, int height, const Color& colour) {
    SpriteShader& sprites = ShaderManager::GetInstance().GetSpriteShader();
    if (width <= 0 || height <= 0 || !sprites.IsValid()) return;
    SpriteStateGuard guard(sprites, nullptr);
    sprites.FillRect(left - kPictureWidth / 2, kPictureHeight / 2 - top, width, height, colour,
                     Vector2(0.0f, 1.0f));
}
