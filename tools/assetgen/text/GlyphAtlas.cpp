#include "text/GlyphAtlas.h"

#include <algorithm>
#include <cstdio>
#include <fstream>

#include "core/ImageWriter.h"

namespace {

// Em sizes chosen so the lines come out at the heights the menus are laid out for: DejaVu's
// ascender and descender at 18 px are 17 + 5 pixels, leaving a pixel above and below in a
// 24-pixel line; at 30 px, 28 + 8 in a 40-pixel line.
struct SizeRecipe {
    const char* name;
    float em;
    int lineHeight;
};
constexpr SizeRecipe kSizes[] = {{"body", 18.0f, 24}, {"heading", 30.0f, 40}};
constexpr int kPadding = 1;  // empty texels between glyphs, so no glyph ever samples another

const Font& FaceFor(const FontSet& fonts, int codePoint) {
    // The Latin face draws everything it has (its kana would not exist anyway); the Japanese
    // face the rest.
    return fonts.latin.HasGlyph(codePoint) ? fonts.latin : fonts.japanese;
}

}  // namespace

std::vector<int> GlyphAtlasCodePoints() {
    std::vector<int> codes;
    auto range = [&codes](int first, int last) {
        for (int c = first; c <= last; ++c) codes.push_back(c);
    };
    range(0x20, 0x7E);      // ASCII
    range(0xA0, 0xFF);      // Latin-1: accents, ×, ·, ¥ ...
    range(0x2190, 0x2193);  // ← ↑ → ↓
    range(0x3000, 0x3002);  // ideographic space, 、 。
    range(0x300C, 0x300D);  // 「 」
    range(0x3041, 0x3096);  // hiragana
    range(0x3099, 0x30FF);  // voicing marks, hiragana iteration marks, katakana (with ・ and ー)
    return codes;
}

bool MakeGlyphAtlas(const FontSet& fonts, GlyphAtlas& atlas, std::string& error) {
    struct Pending {
        Font::Glyph glyph;
        size_t size = 0;
        size_t index = 0;
    };
    atlas.image = Canvas(kGlyphAtlasWidth, kGlyphAtlasHeight, Rgba{1.0f, 1.0f, 1.0f, 0.0f});
    atlas.sizes.clear();
    std::vector<Pending> pending;
    const std::vector<int> codes = GlyphAtlasCodePoints();
    for (const SizeRecipe& recipe : kSizes) {
        AtlasSize size;
        size.name = recipe.name;
        size.lineHeight = recipe.lineHeight;
        int ascent = 0, descent = 0;
        fonts.latin.LineExtent(recipe.em, ascent, descent);
        // Centre the face's extent in the line.
        size.ascent = (recipe.lineHeight - ascent - descent) / 2 + ascent;
        for (int code : codes) {
            const Font& face = FaceFor(fonts, code);
            if (!face.HasGlyph(code)) {
                char name[16];
                std::snprintf(name, sizeof name, "U+%04X", code);
                error = std::string("no font has a glyph for ") + name;
                return false;
            }
            Pending p;
            p.glyph = face.RenderGlyph(code, recipe.em);
            p.size = atlas.sizes.size();
            p.index = size.glyphs.size();
            AtlasGlyph g;
            g.codePoint = code;
            g.xOffset = p.glyph.coverage.Empty() ? 0 : p.glyph.left;
            g.yOffset = p.glyph.coverage.Empty() ? 0 : p.glyph.top;
            g.advance = p.glyph.advance;
            size.glyphs.push_back(g);
            if (!p.glyph.coverage.Empty()) pending.push_back(std::move(p));
        }
        atlas.sizes.push_back(std::move(size));
    }

    // Shelves of glyphs sorted tallest first; ties keep their order, so the layout is the
    // same on every run.
    std::stable_sort(pending.begin(), pending.end(), [](const Pending& a, const Pending& b) {
        return a.glyph.coverage.Height() > b.glyph.coverage.Height();
    });
    int x = kPadding, y = kPadding, shelf = 0;
    for (const Pending& p : pending) {
        const Mask& m = p.glyph.coverage;
        if (x + m.Width() + kPadding > kGlyphAtlasWidth) {
            x = kPadding;
            y += shelf + kPadding;
            shelf = 0;
        }
        if (y + m.Height() + kPadding > kGlyphAtlasHeight) {
            error = "the glyphs do not fit a " + std::to_string(kGlyphAtlasWidth) + "x" +
                    std::to_string(kGlyphAtlasHeight) + " atlas";
            return false;
        }
        for (int gy = 0; gy < m.Height(); ++gy) {
            for (int gx = 0; gx < m.Width(); ++gx) {
                atlas.image.Ref(x + gx, y + gy) = Rgba{1.0f, 1.0f, 1.0f, m.At(gx, gy)};
            }
        }
        AtlasGlyph& g = atlas.sizes[p.size].glyphs[p.index];
        g.x = x;
        g.y = y;
        g.width = m.Width();
        g.height = m.Height();
        x += m.Width() + kPadding;
        shelf = std::max(shelf, m.Height());
    }
    return true;
}

std::string FormatGlyphMetrics(const GlyphAtlas& atlas) {
    std::string out =
        "# Hoshikage glyph atlas: white glyphs in glyphs.png, coverage in alpha.\n"
        "# glyphs VERSION ATLAS_WIDTH ATLAS_HEIGHT\n"
        "# size NAME LINE_HEIGHT ASCENT GLYPH_COUNT, then GLYPH_COUNT lines of\n"
        "# CODE_POINT(hex) X Y WIDTH HEIGHT X_OFFSET Y_OFFSET ADVANCE\n"
        "# The offsets place the glyph's top-left texel from the pen on the baseline, +y down.\n";
    out += "glyphs 1 " + std::to_string(atlas.image.Width()) + " " +
           std::to_string(atlas.image.Height()) + "\n";
    for (const AtlasSize& size : atlas.sizes) {
        out += "size " + size.name + " " + std::to_string(size.lineHeight) + " " +
               std::to_string(size.ascent) + " " + std::to_string(size.glyphs.size()) + "\n";
        for (const AtlasGlyph& g : size.glyphs) {
            char line[96];
            std::snprintf(line, sizeof line, "%04X %d %d %d %d %d %d %d\n", g.codePoint, g.x, g.y,
                          g.width, g.height, g.xOffset, g.yOffset, g.advance);
            out += line;
        }
    }
    return out;
}

bool WriteGlyphAtlas(const std::filesystem::path& outRoot, const FontSet& fonts,
                     std::string& error) {
    GlyphAtlas atlas;
    if (!MakeGlyphAtlas(fonts, atlas, error)) return false;
    if (!WritePng(outRoot / kGlyphAtlasPath, atlas.image, error)) return false;
    const std::filesystem::path file = outRoot / kGlyphMetricsPath;
    std::ofstream out(file, std::ios::binary);
    out << FormatGlyphMetrics(atlas);
    if (!out) {
        error = "cannot write " + file.string();
        return false;
    }
    return true;
}
