// The glyph atlas of the runtime text, as the game reads it: the metrics file parses with
// the game's own reader, every character the menus may use is there at both sizes, and each
// glyph's rectangle holds exactly its ink and nothing of its neighbours.
#include <gtest/gtest.h>
#include <stb/stb_image.h>

#include <algorithm>
#include <fstream>
#include <iterator>

#include "GeneratedTree.h"
#include "engine/graphics/GlyphMetrics.h"
#include "text/GlyphAtlas.h"

namespace {

struct Atlas {
    GlyphMetrics metrics;
    int width = 0, height = 0;
    std::vector<unsigned char> rgba;
    int Alpha(int x, int y) const { return rgba[(static_cast<size_t>(y) * width + x) * 4 + 3]; }
};

const Atlas& Generated() {
    static const Atlas atlas = [] {
        Atlas a;
        std::ifstream in(GeneratedRoot() / kGlyphMetricsPath, std::ios::binary);
        const std::string text{std::istreambuf_iterator<char>(in),
                               std::istreambuf_iterator<char>()};
        std::string error;
        EXPECT_TRUE(a.metrics.Parse(text, error)) << error;
        const std::string png = (GeneratedRoot() / kGlyphAtlasPath).string();
        int channels = 0;
        unsigned char* data = stbi_load(png.c_str(), &a.width, &a.height, &channels, 4);
        EXPECT_NE(data, nullptr);
        EXPECT_EQ(channels, 4);
        if (data) {
            a.rgba.assign(data, data + static_cast<size_t>(a.width) * a.height * 4);
            stbi_image_free(data);
        }
        return a;
    }();
    return atlas;
}

constexpr TextSize kSizes[] = {TextSize::Body, TextSize::Heading};

}  // namespace

TEST(GlyphAtlas, HoldsEveryMenuCharacterAtBothSizes) {
    const Atlas& a = Generated();
    ASSERT_FALSE(a.metrics.IsEmpty());
    EXPECT_EQ(a.metrics.GetAtlasWidth(), a.width);
    EXPECT_EQ(a.metrics.GetAtlasHeight(), a.height);
    EXPECT_EQ(a.metrics.GetLineHeight(TextSize::Body), 24);
    EXPECT_EQ(a.metrics.GetLineHeight(TextSize::Heading), 40);
    const std::vector<int> codes = GlyphAtlasCodePoints();
    for (TextSize size : kSizes) {
        EXPECT_EQ(a.metrics.GetGlyphs(size).size(), codes.size());
        for (int code : codes) EXPECT_NE(a.metrics.Find(size, char32_t(code)), nullptr) << code;
    }
    // The ones the menus name explicitly.
    for (char32_t code : {U'?', U' ', U'\u00D7', U'\u00B7', U'\u2190', U'\u2193', U'\u3042',
                          U'\u3093', U'\u30A2', U'\u30F3', U'\u30FC', U'\u30FB'})
        EXPECT_NE(a.metrics.Find(TextSize::Body, code), nullptr) << uint32_t(code);
}

// Visible characters have ink and move the pen; the space only moves it. Heading glyphs are
// larger than body ones. Kana, from the Japanese face, sit on the Latin baseline at a
// comparable size.
TEST(GlyphAtlas, GlyphsHaveInkAdvancesAndSizesThatFitTogether) {
    const GlyphMetrics& m = Generated().metrics;
    for (TextSize size : kSizes) {
        for (const auto& [code, g] : m.GetGlyphs(size)) {
            const bool blank = code == U' ' || code == 0xA0 || code == 0x3000;
            EXPECT_EQ(g.width == 0, blank) << uint32_t(code);
            // The soft hyphen and the combining voicing marks may take no room.
            const bool zeroWidth = code == 0xAD || code == 0x3099 || code == 0x309A;
            if (!zeroWidth) {
                EXPECT_GT(g.advance, 0) << uint32_t(code);
            }
        }
    }
    const Glyph* bodyA = m.Find(TextSize::Body, U'A');
    const Glyph* headA = m.Find(TextSize::Heading, U'A');
    ASSERT_TRUE(bodyA && headA);
    EXPECT_GT(headA->height, bodyA->height * 3 / 2);
    const Glyph* kana = m.Find(TextSize::Body, U'\u3042');
    ASSERT_NE(kana, nullptr);
    EXPECT_NEAR(kana->height, bodyA->height, 4);
    EXPECT_NEAR(kana->yOffset + kana->height, 0, 3);  // its foot near the baseline
    EXPECT_NEAR(bodyA->yOffset + bodyA->height, 0, 1);
}

// Every glyph's ink lies inside its line, so lines stacked GetLineHeight apart never touch.
TEST(GlyphAtlas, EveryGlyphStaysInsideItsLine) {
    const GlyphMetrics& m = Generated().metrics;
    for (TextSize size : kSizes) {
        const int ascent = m.GetAscent(size), line = m.GetLineHeight(size);
        for (const auto& [code, g] : m.GetGlyphs(size)) {
            if (g.width == 0) continue;
            EXPECT_GE(ascent + g.yOffset, 0) << uint32_t(code);
            EXPECT_LE(ascent + g.yOffset + g.height, line) << uint32_t(code);
        }
    }
}

// Rectangles are tight around their ink, never overlap, and the texels outside all of them
// are empty; the colour is white wherever there is coverage.
TEST(GlyphAtlas, RectanglesHoldExactlyTheirInk) {
    const Atlas& a = Generated();
    ASSERT_FALSE(a.rgba.empty());
    std::vector<int> owner(static_cast<size_t>(a.width) * a.height, -1);
    int index = 0;
    for (TextSize size : kSizes) {
        for (const auto& [code, g] : a.metrics.GetGlyphs(size)) {
            ++index;
            if (g.width == 0) continue;
            // The inked part of the rectangle, half-open.
            int x0 = g.width, y0 = g.height, x1 = 0, y1 = 0;
            for (int y = 0; y < g.height; ++y)
                for (int x = 0; x < g.width; ++x) {
                    int& o = owner[static_cast<size_t>(g.y + y) * a.width + g.x + x];
                    EXPECT_EQ(o, -1) << "glyphs overlap at " << g.x + x << "," << g.y + y;
                    o = index;
                    if (a.Alpha(g.x + x, g.y + y) == 0) continue;
                    x0 = std::min(x0, x);
                    y0 = std::min(y0, y);
                    x1 = std::max(x1, x + 1);
                    y1 = std::max(y1, y + 1);
                }
            // stb_truetype's boxes may keep a blank row or column at an edge, never more.
            EXPECT_LE(x0, 1) << uint32_t(code);
            EXPECT_LE(y0, 1) << uint32_t(code);
            EXPECT_GE(x1, g.width - 1) << uint32_t(code);
            EXPECT_GE(y1, g.height - 1) << uint32_t(code);
        }
    }
    int stray = 0, tinted = 0;
    for (int y = 0; y < a.height; ++y)
        for (int x = 0; x < a.width; ++x) {
            const unsigned char* p = &a.rgba[(static_cast<size_t>(y) * a.width + x) * 4];
            if (p[3] > 0 && owner[static_cast<size_t>(y) * a.width + x] < 0) ++stray;
            if (p[3] > 0 && (p[0] != 255 || p[1] != 255 || p[2] != 255)) ++tinted;
        }
    EXPECT_EQ(stray, 0);
    EXPECT_EQ(tinted, 0);
}

TEST(GlyphAtlas, MetricsTextReadsBackAsWritten) {
    FontSet fonts;
    std::string error;
    ASSERT_TRUE(fonts.Load(error)) << error;
    GlyphAtlas atlas;
    ASSERT_TRUE(MakeGlyphAtlas(fonts, atlas, error)) << error;
    GlyphMetrics m;
    ASSERT_TRUE(m.Parse(FormatGlyphMetrics(atlas), error)) << error;
    ASSERT_EQ(atlas.sizes.size(), 2u);
    for (size_t s = 0; s < 2; ++s) {
        const TextSize size = s == 0 ? TextSize::Body : TextSize::Heading;
        EXPECT_EQ(m.GetAscent(size), atlas.sizes[s].ascent);
        for (const AtlasGlyph& g : atlas.sizes[s].glyphs) {
            const Glyph* read = m.Find(size, char32_t(g.codePoint));
            ASSERT_NE(read, nullptr) << g.codePoint;
            EXPECT_EQ(read->x, g.x);
            EXPECT_EQ(read->y, g.y);
            EXPECT_EQ(read->width, g.width);
            EXPECT_EQ(read->height, g.height);
            EXPECT_EQ(read->xOffset, g.xOffset);
            EXPECT_EQ(read->yOffset, g.yOffset);
            EXPECT_EQ(read->advance, g.advance);
        }
    }
}
