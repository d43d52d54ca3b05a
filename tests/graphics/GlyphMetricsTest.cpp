// The glyph metrics file and the UTF-8 the text arrives in: both come from outside the code
// (a file on disk, strings from settings and key names), so both are read defensively.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/graphics/GlyphMetrics.h"
#include "engine/graphics/Utf8.h"

namespace {

const std::string kValid =
    "# two sizes\r\n"
    "glyphs 1 64 32\r\n"
    "\n"
    "size body 24 18 3\n"
    "0020 0 0 0 0 0 0 6\n"
    "0041 1 1 10 12 0 -12 11\n"
    "3042 12 1 16 16 1 -14 18\n"
    "size heading 40 30 1\n"
    "  0041\t30 0 16 20 -1 -20 18  \n";

std::vector<char32_t> Decode(std::string_view text) {
    std::vector<char32_t> out;
    std::size_t pos = 0;
    while (pos < text.size()) out.push_back(NextCodePoint(text, pos));
    return out;
}

constexpr char32_t kBad = kInvalidCodePoint;

}  // namespace

TEST(GlyphMetricsFile, ReadsSizesAndGlyphs) {
    GlyphMetrics m;
    std::string error;
    ASSERT_TRUE(m.Parse(kValid, error)) << error;
    EXPECT_EQ(m.GetAtlasWidth(), 64);
    EXPECT_EQ(m.GetAtlasHeight(), 32);
    EXPECT_EQ(m.GetLineHeight(TextSize::Body), 24);
    EXPECT_EQ(m.GetAscent(TextSize::Body), 18);
    EXPECT_EQ(m.GetLineHeight(TextSize::Heading), 40);
    EXPECT_EQ(m.GetAscent(TextSize::Heading), 30);
    const Glyph* a = m.Find(TextSize::Body, U'A');
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(a->x, 1);
    EXPECT_EQ(a->width, 10);
    EXPECT_EQ(a->yOffset, -12);
    EXPECT_EQ(a->advance, 11);
    const Glyph* big = m.Find(TextSize::Heading, U'A');
    ASSERT_NE(big, nullptr);
    EXPECT_EQ(big->x, 30);
    EXPECT_EQ(big->xOffset, -1);
    EXPECT_NE(m.Find(TextSize::Body, U'\u3042'), nullptr);
    EXPECT_EQ(m.Find(TextSize::Heading, U'\u3042'), nullptr);
    EXPECT_EQ(m.Find(TextSize::Body, U'B'), nullptr);
    EXPECT_EQ(m.GetGlyphs(TextSize::Body).size(), 3u);
}

// Each of these is refused as a whole, and a refusal leaves nothing of an earlier success.
TEST(GlyphMetricsFile, RefusesMalformedAndHostileFiles) {
    const std::string sizes = "glyphs 1 64 32\nsize heading 40 30 0\n";
    const std::vector<std::pair<const char*, std::string>> cases = {
        {"empty", ""},
        {"comments only", "# nothing\n\n"},
        {"no header", "size body 24 18 0\nsize heading 40 30 0\n"},
        {"another version", "glyphs 2 64 32\nsize body 24 18 0\nsize heading 40 30 0\n"},
        {"zero-sized atlas", "glyphs 1 0 32\nsize body 24 18 0\nsize heading 40 30 0\n"},
        {"huge atlas", "glyphs 1 64 100000\nsize body 24 18 0\nsize heading 40 30 0\n"},
        {"number past int", "glyphs 1 64 99999999999999999999999\n"},
        {"one size missing", "glyphs 1 64 32\nsize body 24 18 0\n"},
        {"size twice", sizes + "size heading 40 30 0\n"},
        {"unknown size", sizes + "size huge 80 60 0\n"},
        {"ascent below the line", "glyphs 1 64 32\nsize body 24 25 0\nsize heading 40 30 0\n"},
        {"zero line height", "glyphs 1 64 32\nsize body 0 0 0\nsize heading 40 30 0\n"},
        {"negative count", sizes + "size body 24 18 -1\n"},
        {"fewer glyphs than announced", sizes + "size body 24 18 2\n0041 0 0 4 4 0 -4 5\n"},
        {"more glyphs than announced",
         sizes + "size body 24 18 1\n0041 0 0 4 4 0 -4 5\n0042 0 0 4 4 0 -4 5\n"},
        {"rectangle past the right edge", sizes + "size body 24 18 1\n0041 60 0 5 4 0 -4 5\n"},
        {"rectangle past the bottom", sizes + "size body 24 18 1\n0041 0 30 4 3 0 -4 5\n"},
        {"negative position", sizes + "size body 24 18 1\n0041 -1 0 4 4 0 -4 5\n"},
        {"negative width", sizes + "size body 24 18 1\n0041 8 0 -4 4 0 -4 5\n"},
        {"width without height", sizes + "size body 24 18 1\n0041 0 0 4 0 0 -4 5\n"},
        {"offset too far", sizes + "size body 24 18 1\n0041 0 0 4 4 0 -9999 5\n"},
        {"negative advance", sizes + "size body 24 18 1\n0041 0 0 4 4 0 -4 -5\n"},
        {"code point past Unicode", sizes + "size body 24 18 1\n110000 0 0 4 4 0 -4 5\n"},
        {"code point twice",
         sizes + "size body 24 18 2\n0041 0 0 4 4 0 -4 5\n0041 0 0 4 4 0 -4 5\n"},
        {"trailing letters", sizes + "size body 24 18 1\n0041 0 0 4 4 0 -4 5x\n"},
        {"missing number", sizes + "size body 24 18 1\n0041 0 0 4 4 0 -4\n"},
        {"extra number", sizes + "size body 24 18 1\n0041 0 0 4 4 0 -4 5 6\n"},
        {"plus sign", sizes + "size body 24 18 1\n0041 +0 0 4 4 0 -4 5\n"},
        {"a NUL byte", sizes + std::string("size body 24 18 1\n0041 0\0 0 4 4 0 -4 5\n", 39)},
        {"line too long", sizes + "size body 24 18 0 " + std::string(300, ' ') + "\n"},
        {"too large", "glyphs 1 64 32\n" + std::string(GlyphMetrics::kMaxFileBytes, '\n') +
                          "size body 24 18 0\nsize heading 40 30 0\n"},
    };
    for (const auto& [what, text] : cases) {
        GlyphMetrics m;
        std::string error;
        ASSERT_TRUE(m.Parse(kValid, error)) << error;
        EXPECT_FALSE(m.Parse(text, error)) << what;
        EXPECT_FALSE(error.empty()) << what;
        EXPECT_TRUE(m.IsEmpty()) << what;
        EXPECT_EQ(m.GetLineHeight(TextSize::Body), 0) << what;
        EXPECT_EQ(m.Find(TextSize::Body, U'A'), nullptr) << what;
    }
}

TEST(GlyphMetricsFile, ErrorsNameTheLine) {
    GlyphMetrics m;
    std::string error;
    EXPECT_FALSE(m.Parse("glyphs 1 8 8\nsize body 24 18 1\n0041 0 0 9 4 0 -4 5\n", error));
    EXPECT_EQ(error.rfind("line 3:", 0), 0u) << error;
}

TEST(Utf8, DecodesEverySequenceLength) {
    EXPECT_EQ(Decode("Az~"), (std::vector<char32_t>{U'A', U'z', U'~'}));
    EXPECT_EQ(Decode("\xC3\x97\xC2\xB7"), (std::vector<char32_t>{0xD7, 0xB7}));  // × ·
    EXPECT_EQ(Decode("\xE3\x81\x82\xE2\x86\x90"), (std::vector<char32_t>{0x3042, 0x2190}));
    EXPECT_EQ(Decode("\xF0\x9F\x98\x80\xF4\x8F\xBF\xBF"),
              (std::vector<char32_t>{0x1F600, 0x10FFFF}));
    // The edges of each length.
    EXPECT_EQ(Decode("\xC2\x80\xDF\xBF\xE0\xA0\x80\xEF\xBF\xBF\xF0\x90\x80\x80"),
              (std::vector<char32_t>{0x80, 0x7FF, 0x800, 0xFFFF, 0x10000}));
    EXPECT_EQ(Decode(std::string_view("\0A", 2)), (std::vector<char32_t>{0, U'A'}));
}

// Bad bytes become one invalid character per broken piece, and never swallow the good
// character that follows them.
TEST(Utf8, BrokenSequencesBecomeInvalidWithoutEatingTheNextCharacter) {
    using V = std::vector<char32_t>;
    EXPECT_EQ(Decode("\x80"
                     "A"),
              (V{kBad, U'A'}));  // stray continuation
    EXPECT_EQ(Decode("\xE3\x81"
                     "A"),
              (V{kBad, U'A'}));                                    // cut short, then ASCII
    EXPECT_EQ(Decode("\xE3\x81\xE3\x81\x82"), (V{kBad, 0x3042}));  // cut short, then a lead
    EXPECT_EQ(Decode("\xF0\x9F\x98"), (V{kBad}));                  // cut short by the end
    EXPECT_EQ(Decode("\xC0\x80"), (V{kBad, kBad}));                // overlong NUL
    EXPECT_EQ(Decode("\xC1\xBF"), (V{kBad, kBad}));                // overlong
    EXPECT_EQ(Decode("\xE0\x80\x80"), (V{kBad, kBad, kBad}));      // overlong three-byte
    EXPECT_EQ(Decode("\xF0\x80\x80\x80"), (V{kBad, kBad, kBad, kBad}));
    EXPECT_EQ(Decode("\xED\xA0\x80"), (V{kBad, kBad, kBad}));            // a surrogate
    EXPECT_EQ(Decode("\xF4\x90\x80\x80"), (V{kBad, kBad, kBad, kBad}));  // past U+10FFFF
    EXPECT_EQ(Decode("\xF5\xFE\xFF"), (V{kBad, kBad, kBad}));
    EXPECT_EQ(Decode("\xC3"), (V{kBad}));
}
