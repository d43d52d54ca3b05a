#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "core/Mask.h"

// A TrueType/OpenType face (a .ttf, or one face of a .ttc collection) rendered with
// stb_truetype into coverage masks. The file is read once and kept in memory.
class Font {
public:
    Font();
    ~Font();
    Font(const Font&) = delete;
    Font& operator=(const Font&) = delete;

    // Loads face `faceIndex` of the file. Returns false with the reason in error.
    bool Load(const std::filesystem::path& file, int faceIndex, std::string& error);
    bool Loaded() const { return info_ != nullptr; }

    // Renders one line of UTF-8 text. pixelHeight is the ascender-to-descender height;
    // xScale squeezes or widens the glyphs (1 = natural); tracking adds pixels between
    // letters. The mask is as wide as the advance and as tall as the line.
    Mask Render(const std::string& utf8, float pixelHeight, float xScale = 1.0f,
                float tracking = 0.0f) const;

    // One glyph for an atlas, at an em size in pixels (the size the font was designed on,
    // so faces with different vertical metrics match), with the pen on a whole pixel.
    struct Glyph {
        Mask coverage;    // empty for blank glyphs (space)
        int left = 0;     // from the pen to the mask's left column
        int top = 0;      // from the baseline to the mask's top row, + down (negative above)
        int advance = 0;  // whole pixels to the next pen position
    };
    bool HasGlyph(int codePoint) const;
    Glyph RenderGlyph(int codePoint, float emPixels) const;
    // The face's ascender and descender at an em size, rounded up to whole pixels (both >= 0).
    void LineExtent(float emPixels, int& ascent, int& descent) const;

private:
    std::vector<unsigned char> data_;
    void* info_ = nullptr;  // stbtt_fontinfo, kept opaque to keep stb out of this header
};

// The faces the lettering uses, from Debian font packages (fonts-noto-cjk, fonts-dejavu-core).
std::filesystem::path JapaneseFontFile();
std::filesystem::path LatinFontFile();

// Splits UTF-8 into code points; each malformed or cut-short sequence becomes one U+FFFD.
std::vector<int> DecodeUtf8(const std::string& text);
