#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "core/Canvas.h"
#include "core/FontSet.h"

// The glyph atlas the game's runtime text is drawn from (engine/graphics/TextDrawer): every
// glyph the menus may show, at two sizes, as white pixels with the coverage in alpha, packed
// into one image, and a plain-text file with where each glyph lies and how it is placed.
//
// Glyphs are rendered with the pen on a whole pixel and advances rounded to whole pixels, so
// a line drawn glyph by glyph at 1:1 comes out exactly as the atlas holds it.
struct AtlasGlyph {
    int codePoint = 0;
    int x = 0, y = 0, width = 0, height = 0;  // in the atlas; 0 × 0 for blank glyphs
    int xOffset = 0;                          // from the pen to the glyph's left column
    int yOffset = 0;                          // from the baseline to the glyph's top row, + down
    int advance = 0;
};

struct AtlasSize {
    std::string name;  // "body", "heading"
    int lineHeight = 0;
    int ascent = 0;  // from the top of the line to the baseline
    std::vector<AtlasGlyph> glyphs;
};

struct GlyphAtlas {
    Canvas image;
    std::vector<AtlasSize> sizes;
};

constexpr const char* kGlyphAtlasPath = "Data/Font/glyphs.png";
constexpr const char* kGlyphMetricsPath = "Data/Font/glyphs.txt";
constexpr int kGlyphAtlasWidth = 512;
constexpr int kGlyphAtlasHeight = 640;

// The characters in the atlas: printable ASCII, Latin-1, the four arrows, the CJK
// punctuation the labels use, hiragana and katakana. Ascending.
std::vector<int> GlyphAtlasCodePoints();

// Builds the atlas. False (with the reason) when a glyph cannot be found in either face or
// the glyphs do not fit the image.
bool MakeGlyphAtlas(const FontSet& fonts, GlyphAtlas& atlas, std::string& error);

// The metrics file's text (format in engine/graphics/GlyphMetrics.h).
std::string FormatGlyphMetrics(const GlyphAtlas& atlas);

// Writes kGlyphAtlasPath and kGlyphMetricsPath below outRoot.
bool WriteGlyphAtlas(const std::filesystem::path& outRoot, const FontSet& fonts,
                     std::string& error);
