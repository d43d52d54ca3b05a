#include "images/Lettering.h"

#include <algorithm>
#include <cmath>

InkBounds FindInk(const Mask& mask) {
    InkBounds b{mask.Width(), mask.Height(), 0, 0};
    for (int y = 0; y < mask.Height(); ++y) {
        for (int x = 0; x < mask.Width(); ++x) {
            if (mask.At(x, y) <= 0.02f) continue;
            b.x0 = std::min(b.x0, x);
            b.y0 = std::min(b.y0, y);
            b.x1 = std::max(b.x1, x + 1);
            b.y1 = std::max(b.y1, y + 1);
        }
    }
    if (b.x1 <= b.x0) return {};
    return b;
}

Mask Sheared(const Mask& mask, float slope) {
    const int extra =
        static_cast<int>(std::ceil(std::fabs(slope) * static_cast<float>(mask.Height())));
    Mask out(mask.Width() + extra, mask.Height());
    for (int y = 0; y < mask.Height(); ++y) {
        const float shift = slope * static_cast<float>(mask.Height() - 1 - y);
        const int whole = static_cast<int>(std::floor(shift));
        const float frac = shift - static_cast<float>(whole);
        for (int x = 0; x < out.Width(); ++x) {
            const int sx = x - whole;
            const float v = mask.At(sx, y) * (1.0f - frac) + mask.At(sx - 1, y) * frac;
            out.Set(x, y, v);
        }
    }
    return out;
}

Mask RenderToFit(const Font& font, const std::string& text, float pixelHeight, float xScale,
                 float tracking, int maxWidth, int maxHeight, int outlineWidth, float shear) {
    const auto render = [&](float height) {
        const Mask plain = font.Render(text, height, xScale, tracking);
        return shear != 0.0f ? Sheared(plain, shear) : plain;
    };
    for (float height = pixelHeight;; height -= 0.5f) {
        Mask mask = render(height);
        const InkBounds ink = FindInk(mask);
        const bool fits = ink.Width() + 2 * outlineWidth <= maxWidth &&
                          ink.Height() + 2 * outlineWidth <= maxHeight;
        if (fits || height <= 1.0f) return mask;
    }
}

namespace {

void PaintAt(Canvas& canvas, const Mask& text, int ox, int oy, const TextStyle& style,
             const InkBounds& ink) {
    const int pad = std::max(style.outlineWidth, style.glowRadius) + 4;
    const Mask padded = text.Padded(pad);
    const int px = ox - pad;
    const int py = oy - pad;
    if (style.glowRadius > 0 && style.glow.a > 0.0f) {
        const Mask halo = padded.Dilated(std::max(1, style.outlineWidth)).Blurred(style.glowRadius);
        Canvas::Shader glow = [&](float, float) { return style.glow; };
        Mask strong = halo;
        for (int y = 0; y < strong.Height(); ++y) {
            for (int x = 0; x < strong.Width(); ++x) {
                strong.Ref(x, y) = std::min(1.0f, strong.Ref(x, y) * style.glowStrength);
            }
        }
        canvas.PaintMask(strong, px, py, glow);
    }
    if (style.outlineWidth > 0)
        canvas.PaintMask(padded.Dilated(style.outlineWidth), px, py, style.outline);
    const float top = static_cast<float>(oy + ink.y0);
    const float height = std::max(1.0f, static_cast<float>(ink.Height()));
    canvas.PaintMask(padded, px, py, [&](float, float y) {
        return Mix(style.top, style.bottom, std::clamp((y - top) / height, 0.0f, 1.0f));
    });
    if (style.highlight > 0.0f) {
        // Where the stroke starts below empty space, brighten: a lit top bevel.
        Mask edge(padded.Width(), padded.Height());
        for (int y = 0; y < padded.Height(); ++y) {
            for (int x = 0; x < padded.Width(); ++x) {
                const float v = padded.At(x, y) - padded.At(x, y - 2);
                edge.Set(x, y, std::clamp(v, 0.0f, 1.0f) * style.highlight);
            }
        }
        canvas.PaintMask(edge, px, py, Rgba{1, 1, 1, 1});
    }
}

}  // namespace

void PaintCaption(Canvas& canvas, const Mask& text, float cx, float cy, const TextStyle& style) {
    const InkBounds ink = FindInk(text);
    const int ox = static_cast<int>(std::lround(cx - static_cast<float>(ink.x0 + ink.x1) * 0.5f));
    const int oy = static_cast<int>(std::lround(cy - static_cast<float>(ink.y0 + ink.y1) * 0.5f));
    PaintAt(canvas, text, ox, oy, style, ink);
}

void PaintCaptionLeft(Canvas& canvas, const Mask& text, float x, float cy, const TextStyle& style) {
    const InkBounds ink = FindInk(text);
    const int ox = static_cast<int>(std::lround(x - static_cast<float>(ink.x0)));
    const int oy = static_cast<int>(std::lround(cy - static_cast<float>(ink.y0 + ink.y1) * 0.5f));
    PaintAt(canvas, text, ox, oy, style, ink);
}
