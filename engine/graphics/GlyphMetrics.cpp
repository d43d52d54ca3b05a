#include "engine/graphics/GlyphMetrics.h"

#include <charconv>
#include <vector>

namespace {

// The whitespace-separated words of one line.
std::vector<std::string_view> Words(std::string_view line) {
    std::vector<std::string_view> words;
    std::size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && (line[i] == ' ' || line[i] == '\t')) ++i;
        const std::size_t start = i;
        while (i < line.size() && line[i] != ' ' && line[i] != '\t') ++i;
        if (i > start) words.push_back(line.substr(start, i - start));
    }
    return words;
}

// A whole word as a number in [low, high]; no sign other than a leading '-', no spare
// characters.
bool Number(std::string_view word, int low, int high, int& out, int base = 10) {
    long value = 0;
    const char* end = word.data() + word.size();
    const auto [ptr, ec] = std::from_chars(word.data(), end, value, base);
    if (ec != std::errc() || ptr != end || value < low || value > high) return false;
    out = static_cast<int>(value);
    return true;
}

}  // namespace

void GlyphMetrics::Clear() {
    atlasWidth = atlasHeight = 0;
    for (SizeFace& face : faces) face = SizeFace();
}

const Glyph* GlyphMetrics::Find(TextSize size, char32_t codePoint) const {
    const SizeFace& face = Face(size);
    const auto found = face.glyphs.find(codePoint);
    return found == face.glyphs.end() ? nullptr : &found->second;
}

bool GlyphMetrics::Parse(std::string_view text, std::string& error) {
    Clear();
    int lineNumber = 0;
    const auto fail = [&](const std::string& why) {
        error = "line " + std::to_string(lineNumber) + ": " + why;
        Clear();
        return false;
    };
    if (text.size() > kMaxFileBytes) {
        error = "the file is larger than " + std::to_string(kMaxFileBytes) + " bytes";
        return false;
    }

    int width = 0, height = 0;
    SizeFace* current = nullptr;  // the size whose glyphs are being read
    int remaining = 0;            // glyphs it still announces
    std::array<bool, 2> seen = {false, false};
    std::size_t at = 0;
    while (at < text.size()) {
        std::size_t end = text.find('\n', at);
        if (end == std::string_view::npos) end = text.size();
        std::string_view line = text.substr(at, end - at);
        at = end + 1;
        ++lineNumber;
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (line.size() > kMaxLineBytes) return fail("line too long");
        const std::vector<std::string_view> w = Words(line);
        if (w.empty() || w[0][0] == '#') continue;

        if (width == 0) {
            if (w.size() != 4 || w[0] != "glyphs" || w[1] != "1")
                return fail("expected \"glyphs 1 WIDTH HEIGHT\"");
            if (!Number(w[2], 1, kMaxAtlasSide, width) || !Number(w[3], 1, kMaxAtlasSide, height))
                return fail("atlas size out of range");
            continue;
        }
        if (remaining == 0) {
            if (w.size() != 5 || w[0] != "size") return fail("expected \"size NAME ...\"");
            int index = 0;
            if (w[1] == "body") {
                index = 0;
            } else if (w[1] == "heading") {
                index = 1;
            } else {
                return fail("unknown size name");
            }
            if (seen[index]) return fail("size listed twice");
            seen[index] = true;
            current = &faces[index];
            if (!Number(w[2], 1, kMaxLineHeight, current->lineHeight) ||
                !Number(w[3], 0, current->lineHeight, current->ascent) ||
                !Number(w[4], 0, kMaxGlyphs, remaining))
                return fail("size numbers out of range");
            continue;
        }
        if (w.size() != 8) return fail("a glyph line has eight numbers");
        int code = 0;
        Glyph g;
        if (!Number(w[0], 0, 0x10FFFF, code, 16)) return fail("bad code point");
        if (!Number(w[1], 0, width, g.x) || !Number(w[2], 0, height, g.y) ||
            !Number(w[3], 0, kMaxGlyphSide, g.width) || !Number(w[4], 0, kMaxGlyphSide, g.height) ||
            !Number(w[5], -kMaxOffset, kMaxOffset, g.xOffset) ||
            !Number(w[6], -kMaxOffset, kMaxOffset, g.yOffset) ||
            !Number(w[7], 0, kMaxAdvance, g.advance))
            return fail("glyph numbers out of range");
        if (g.x + g.width > width || g.y + g.height > height)
            return fail("glyph rectangle outside the atlas");
        if ((g.width == 0) != (g.height == 0)) return fail("glyph with zero width or height");
        if (!current->glyphs.emplace(static_cast<char32_t>(code), g).second)
            return fail("code point listed twice");
        --remaining;
    }
    ++lineNumber;
    if (width == 0) return fail("no \"glyphs\" line");
    if (remaining != 0) return fail("the file ends before the glyphs its size announces");
    if (!seen[0] || !seen[1]) return fail("both sizes, body and heading, are needed");
    atlasWidth = width;
    atlasHeight = height;
    return true;
}
