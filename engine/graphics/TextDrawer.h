#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "engine/graphics/GlyphMetrics.h"
#include "engine/graphics/TextSize.h"
#include "engine/math/Color.h"

class FwSamplerState;
class FwTexture;

// Runtime text: lines of UTF-8 drawn from the generated glyph atlas (Data/Font/glyphs.png,
// white glyphs with coverage in alpha) through the sprite shader, for the menus.
//
// Coordinates are pixels of the 1280 × 720 picture, origin at its top-left corner, +y down,
// as menus are laid out. Glyphs land on whole pixels at 1:1 with point sampling, so a line
// looks exactly as the atlas holds it. Characters the atlas lacks (and bytes that are not
// UTF-8) are drawn as '?', or not at all when '?' is missing too. No kerning, one line: a
// line feed is a character like any other.
//
// Loads on first use. A missing or malformed atlas or metrics file leaves it empty (Draw
// draws nothing, Measure gives 0) with one warning on stderr.
class TextDrawer {
public:
    static constexpr const char* kAtlasPath = "Data/Font/glyphs.png";
    static constexpr const char* kMetricsPath = "Data/Font/glyphs.txt";

    static TextDrawer& GetInstance();

    // Reads both files (again after Release or a failure). True when loaded.
    bool Load();
    // The same from other files (tests).
    bool LoadFrom(const std::string& metricsPath, const std::string& atlasPath);
    // Frees the GPU objects and the metrics; the next use loads again. Application::Shutdown
    // calls it before the graphics device goes.
    void Release();
    bool IsLoaded() const { return !metrics.IsEmpty(); }

    int GetLineHeight(TextSize size) const;
    // Width in pixels of the line as Draw lays it out: from its left edge to the further of
    // the last pen position and the rightmost inked column. 0 when nothing is loaded.
    int Measure(std::string_view utf8, TextSize size) const;
    // Draws one line with its top-left corner at (left, top), alpha-blended in colour. Inked
    // pixels lie within [left, left + Measure) × [top, top + GetLineHeight) for the
    // characters the atlas holds. Works inside or outside a sprite batch; the sprite
    // shader's transform and colour and the device's blend state and sampler are as they
    // were afterwards. Assumes the viewport spans the picture, as every sprite does.
    void Draw(std::string_view utf8, int left, int top, TextSize size, const Color& colour);
    // A solid rectangle in the same coordinates, alpha-blended (menu panels, dimming).
    void FillRect(int left, int top, int width, int height, const Color& colour);

    const GlyphMetrics& GetMetrics() const { return metrics; }
    // Where each character of the line lands, for tests and for callers that underline or
    // place a cursor: the atlas rectangle and the picture position of its top-left texel.
    struct PlacedGlyph {
        const Glyph* glyph = nullptr;
        int left = 0;  // of the glyph's top-left texel, relative to the line's left edge
        int top = 0;   // relative to the line's top
    };
    std::vector<PlacedGlyph> Layout(std::string_view utf8, TextSize size) const;

private:
    TextDrawer();
    ~TextDrawer();
    TextDrawer(const TextDrawer&) = delete;
    TextDrawer& operator=(const TextDrawer&) = delete;

    // Loads at the first use only (Draw and Measure are const-ish users of a lazy cache).
    void EnsureLoaded() const;
    // The atlas texture of the current graphics device, made from the decoded pixels.
    FwTexture* Texture();
    const Glyph* GlyphFor(char32_t code, TextSize size) const;
    int LayoutWidth(std::string_view utf8, TextSize size, std::vector<PlacedGlyph>* out) const;

    GlyphMetrics metrics;
    std::vector<uint8_t> pixels;  // the atlas, RGBA8, kept to re-create it on a new device
    std::unique_ptr<FwTexture> texture;
    std::unique_ptr<FwSamplerState> pointSampler;
    uint32_t textureGeneration = 0;  // the device the texture and sampler belong to
    bool attempted = false;
};
