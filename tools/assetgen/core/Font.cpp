#include "core/Font.h"

#include <stb/stb_truetype.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <iterator>

namespace {

stbtt_fontinfo* Info(void* p) {
    return static_cast<stbtt_fontinfo*>(p);
}

}  // namespace

Font::Font() = default;

Font::~Font() {
    delete Info(info_);
}

bool Font::Load(const std::filesystem::path& file, int faceIndex, std::string& error) {
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        error = "font not found: " + file.string();
        return false;
    }
    data_.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    const int offset = stbtt_GetFontOffsetForIndex(data_.data(), faceIndex);
    auto* info = new stbtt_fontinfo();
    if (offset < 0 || stbtt_InitFont(info, data_.data(), offset) == 0) {
        delete info;
        error = "cannot read font face " + std::to_string(faceIndex) + " of " + file.string();
        return false;
    }
    delete Info(info_);
    info_ = info;
    return true;
}

Mask Font::Render(const std::string& utf8, float pixelHeight, float xScale, float tracking) const {
    if (info_ == nullptr) return {};
    const stbtt_fontinfo* info = Info(info_);
    const float scaleY = stbtt_ScaleForPixelHeight(info, pixelHeight);
    const float scaleX = scaleY * xScale;
    int ascent = 0, descent = 0, lineGap = 0;
    stbtt_GetFontVMetrics(info, &ascent, &descent, &lineGap);
    const float baseline = std::ceil(static_cast<float>(ascent) * scaleY);
    const int height =
        static_cast<int>(std::ceil(static_cast<float>(ascent - descent) * scaleY)) + 2;

    const std::vector<int> codes = DecodeUtf8(utf8);
    // First pass: pen positions, so the mask is sized exactly.
    std::vector<float> pens;
    float pen = 1.0f;
    for (size_t i = 0; i < codes.size(); ++i) {
        pens.push_back(pen);
        int advance = 0, bearing = 0;
        stbtt_GetCodepointHMetrics(info, codes[i], &advance, &bearing);
        pen += static_cast<float>(advance) * scaleX + tracking;
        if (i + 1 < codes.size()) {
            pen += static_cast<float>(stbtt_GetCodepointKernAdvance(info, codes[i], codes[i + 1])) *
                   scaleX;
        }
    }
    const int width = static_cast<int>(std::ceil(pen)) + 2;
    Mask out(width, height);
    for (size_t i = 0; i < codes.size(); ++i) {
        const float shiftX = pens[i] - std::floor(pens[i]);
        int x0 = 0, y0 = 0, x1 = 0, y1 = 0;
        stbtt_GetCodepointBitmapBoxSubpixel(info, codes[i], scaleX, scaleY, shiftX, 0.0f, &x0, &y0,
                                            &x1, &y1);
        const int gw = x1 - x0;
        const int gh = y1 - y0;
        if (gw <= 0 || gh <= 0) continue;
        std::vector<unsigned char> glyph(static_cast<size_t>(gw) * gh);
        stbtt_MakeCodepointBitmapSubpixel(info, glyph.data(), gw, gh, gw, scaleX, scaleY, shiftX,
                                          0.0f, codes[i]);
        const int ox = static_cast<int>(std::floor(pens[i])) + x0;
        const int oy = static_cast<int>(baseline) + y0;
        for (int y = 0; y < gh; ++y) {
            for (int x = 0; x < gw; ++x) {
                const float v = static_cast<float>(glyph[static_cast<size_t>(y) * gw + x]) / 255.0f;
                const int tx = ox + x;
                const int ty = oy + y;
                if (tx < 0 || ty < 0 || tx >= width || ty >= height) continue;
                out.Ref(tx, ty) = std::max(out.Ref(tx, ty), v);
            }
        }
    }
    return out;
}

bool Font::HasGlyph(int codePoint) const {
    return info_ != nullptr && stbtt_FindGlyphIndex(Info(info_), codePoint) != 0;
}

Font::Glyph Font::RenderGlyph(int codePoint, float emPixels) const {
    Glyph out;
    if (info_ == nullptr) return out;
    const stbtt_fontinfo* info = Info(info_);
    const float scale = stbtt_ScaleForMappingEmToPixels(info, emPixels);
    int advance = 0, bearing = 0;
    stbtt_GetCodepointHMetrics(info, codePoint, &advance, &bearing);
    out.advance = static_cast<int>(std::lround(static_cast<float>(advance) * scale));
    int x0 = 0, y0 = 0, x1 = 0, y1 = 0;
    stbtt_GetCodepointBitmapBox(info, codePoint, scale, scale, &x0, &y0, &x1, &y1);
    const int w = x1 - x0;
    const int h = y1 - y0;
    if (w <= 0 || h <= 0) return out;
    std::vector<unsigned char> pixels(static_cast<size_t>(w) * h);
    stbtt_MakeCodepointBitmap(info, pixels.data(), w, h, w, scale, scale, codePoint);
    out.coverage = Mask(w, h);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            out.coverage.Ref(x, y) =
                static_cast<float>(pixels[static_cast<size_t>(y) * w + x]) / 255.0f;
        }
    }
    out.left = x0;
    out.top = y0;
    return out;
}

void Font::LineExtent(float emPixels, int& ascent, int& descent) const {
    ascent = descent = 0;
    if (info_ == nullptr) return;
    const stbtt_fontinfo* info = Info(info_);
    const float scale = stbtt_ScaleForMappingEmToPixels(info, emPixels);
    int a = 0, d = 0, gap = 0;
    stbtt_GetFontVMetrics(info, &a, &d, &gap);
    ascent = static_cast<int>(std::ceil(static_cast<float>(a) * scale));
    descent = static_cast<int>(std::ceil(static_cast<float>(-d) * scale));
}

std::filesystem::path JapaneseFontFile() {
    return "/usr/share/fonts/opentype/noto/NotoSansCJK-Bold.ttc";
}

std::filesystem::path LatinFontFile() {
    return "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf";
}

std::vector<int> DecodeUtf8(const std::string& text) {
    std::vector<int> out;
    size_t i = 0;
    while (i < text.size()) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        int extra = 0;
        int code = 0;
        if (c < 0x80) {
            code = c;
        } else if ((c & 0xE0) == 0xC0) {
            extra = 1;
            code = c & 0x1F;
        } else if ((c & 0xF0) == 0xE0) {
            extra = 2;
            code = c & 0x0F;
        } else if ((c & 0xF8) == 0xF0) {
            extra = 3;
            code = c & 0x07;
        } else {
            out.push_back(0xFFFD);
            ++i;
            continue;
        }
        // A broken sequence becomes one U+FFFD covering the bytes that did belong to it.
        int seen = 0;
        while (seen < extra && i + seen + 1 < text.size()) {
            const unsigned char cc = static_cast<unsigned char>(text[i + seen + 1]);
            if ((cc & 0xC0) != 0x80) break;
            code = (code << 6) | (cc & 0x3F);
            ++seen;
        }
        if (seen < extra) {
            out.push_back(0xFFFD);
            i += static_cast<size_t>(seen) + 1;
            continue;
        }
        out.push_back(code);
        i += static_cast<size_t>(extra) + 1;
    }
    return out;
}
