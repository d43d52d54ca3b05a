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

private:
    std::vector<unsigned char> data_;
    void* info_ = nullptr;  // stbtt_fontinfo, kept opaque to keep stb out of this header
};

// The faces the lettering uses, from Debian font packages (fonts-noto-cjk, fonts-dejavu-core).
std::filesystem::path JapaneseFontFile();
std::filesystem::path LatinFontFile();

// Splits UTF-8 into code points; each malformed or cut-short sequence becomes one U+FFFD.
std::vector<int> DecodeUtf8(const std::string& text);
