#pragma once

#include <array>
#include <string>
#include <string_view>
#include <unordered_map>

#include "engine/graphics/TextSize.h"

// Where each glyph of the runtime text's atlas (Data/Font/glyphs.png) lies and how it is
// placed, read from Data/Font/glyphs.txt, which the asset generator writes:
//
//   # comment lines and blank lines are skipped
//   glyphs 1 ATLAS_WIDTH ATLAS_HEIGHT
//   size body LINE_HEIGHT ASCENT GLYPH_COUNT
//   CODE_POINT X Y WIDTH HEIGHT X_OFFSET Y_OFFSET ADVANCE     (GLYPH_COUNT lines)
//   size heading ...
//
// CODE_POINT is hexadecimal, the rest decimal. X, Y, WIDTH, HEIGHT are the glyph's texels in
// the atlas (0 0 0 0 for a blank glyph); the offsets place its top-left texel from the pen on
// the baseline (+y down); ADVANCE moves the pen. ASCENT is the baseline's distance from the
// top of the line.
//
// The file comes from disk and is treated as hostile: every number is range-checked, every
// rectangle must lie inside the atlas, each size must appear exactly once with exactly the
// glyphs it announces and no code point twice. Anything else refuses the whole file.
struct Glyph {
    int x = 0, y = 0, width = 0, height = 0;
    int xOffset = 0, yOffset = 0;
    int advance = 0;
};

class GlyphMetrics {
public:
    // Limits of what a file may hold.
    static constexpr int kMaxAtlasSide = 4096;
    static constexpr int kMaxLineHeight = 256;
    static constexpr int kMaxGlyphSide = 256;
    static constexpr int kMaxOffset = 256;  // either way
    static constexpr int kMaxAdvance = 512;
    static constexpr int kMaxGlyphs = 8192;  // per size
    static constexpr std::size_t kMaxFileBytes = 1 << 20;
    static constexpr std::size_t kMaxLineBytes = 256;

    // Reads the text. False with the reason (and its line) in error, the metrics left empty.
    bool Parse(std::string_view text, std::string& error);
    void Clear();
    bool IsEmpty() const { return atlasWidth == 0; }

    int GetAtlasWidth() const { return atlasWidth; }
    int GetAtlasHeight() const { return atlasHeight; }
    int GetLineHeight(TextSize size) const { return Face(size).lineHeight; }
    int GetAscent(TextSize size) const { return Face(size).ascent; }
    // The glyph of a code point, or null when the atlas lacks it.
    const Glyph* Find(TextSize size, char32_t codePoint) const;
    using GlyphTable = std::unordered_map<char32_t, Glyph>;
    const GlyphTable& GetGlyphs(TextSize size) const { return Face(size).glyphs; }

private:
    struct SizeFace {
        int lineHeight = 0;
        int ascent = 0;
        GlyphTable glyphs;
    };
    const SizeFace& Face(TextSize size) const { return faces[size == TextSize::Heading ? 1 : 0]; }

    int atlasWidth = 0;
    int atlasHeight = 0;
    std::array<SizeFace, 2> faces;
};
