#include "images/TitleImages.h"

#include <cmath>

#include "core/Shapes.h"
#include "images/Lettering.h"

Canvas MakeTitleLogo(const FontSet& fonts) {
    Canvas c(285, 102);
    TextStyle main;
    main.top = Rgba{1.0f, 1.0f, 1.0f, 1.0f};
    main.bottom = Rgba{0.35f, 0.75f, 1.0f, 1.0f};
    main.outline = Rgba{0.02f, 0.06f, 0.2f, 1.0f};
    main.outlineWidth = 3;
    main.glow = Rgba{0.2f, 0.55f, 1.0f, 0.85f};
    main.glowRadius = 8;
    main.highlight = 0.6f;
    PaintCaption(c, Sheared(fonts.japanese.Render("ほしかげ", 62.0f, 1.0f, 2.0f), 0.12f), 142.5f,
                 40.0f, main);
    // Thin rules either side of the sub-title, like an emblem.
    c.PaintAll([](float x, float y) {
        const float left = SdCapsule(x, y, {28.0f, 84.0f}, {88.0f, 84.0f}, 1.0f);
        const float right = SdCapsule(x, y, {197.0f, 84.0f}, {257.0f, 84.0f}, 1.0f);
        return Rgba{1.0f, 0.82f, 0.35f, Coverage(std::min(left, right))};
    });
    TextStyle sub;
    sub.top = Rgba{1.0f, 0.95f, 0.7f, 1.0f};
    sub.bottom = Rgba{1.0f, 0.7f, 0.2f, 1.0f};
    sub.outline = Rgba{0.15f, 0.06f, 0.0f, 1.0f};
    sub.outlineWidth = 2;
    sub.glow = Rgba{1.0f, 0.5f, 0.1f, 0.6f};
    sub.glowRadius = 5;
    PaintCaption(c, fonts.japanese.Render("ミルトス", 24.0f, 1.0f, 5.0f), 142.5f, 84.0f, sub);
    return c;
}

Canvas MakeTitleBanner(const FontSet& fonts) {
    Canvas c(422, 101);
    TextStyle name;
    name.top = Rgba{0.9f, 0.97f, 1.0f, 1.0f};
    name.bottom = Rgba{0.5f, 0.8f, 1.0f, 1.0f};
    name.outline = Rgba{0.02f, 0.05f, 0.15f, 1.0f};
    name.outlineWidth = 2;
    name.glow = Rgba{0.2f, 0.5f, 1.0f, 0.6f};
    name.glowRadius = 5;
    PaintCaptionLeft(c, fonts.latin.Render("HOSHIKAGE  MYRTOS", 30.0f, 1.0f, 2.0f), 14.0f, 26.0f,
                     name);
    c.PaintAll([](float x, float y) {
        const float rule = SdCapsule(x, y, {14.0f, 48.0f}, {330.0f, 48.0f}, 1.0f);
        const float fade = 1.0f - SmoothStep(180.0f, 330.0f, x);
        return Rgba{0.5f, 0.85f, 1.0f, Coverage(rule) * fade};
    });
    TextStyle version = name;
    version.top = version.bottom = Rgba{1.0f, 0.82f, 0.4f, 1.0f};
    version.glow = Rgba{1.0f, 0.5f, 0.1f, 0.4f};
    PaintCaptionLeft(c, fonts.latin.Render("ver1.0.5", 17.0f, 1.0f, 1.0f), 16.0f, 64.0f, version);
    return c;
}

Canvas MakeClickPrompt(const FontSet& fonts) {
    Canvas c(792, 161);
    // A slim capsule behind the words, glowing at its ends.
    c.PaintAll([](float x, float y) {
        const float d = SdRoundBox(x, y, 396.0f, 80.5f, 380.0f, 52.0f, 52.0f);
        if (d > 1.0f) return Rgba{};
        const float rim = std::fabs(d + 2.5f) < 2.5f ? 0.9f : 0.0f;
        const Rgba fill{0.02f, 0.06f, 0.14f, 0.55f};
        return rim > 0.0f ? Rgba{0.45f, 0.85f, 1.0f, rim * Coverage(d)}
                          : fill.WithAlpha(fill.a * Coverage(d));
    });
    c.PaintAll([](float x, float y) {
        // Chevrons pointing at the words.
        const float l = SdPolygon(x, y, {{52, 60}, {76, 80.5f}, {52, 101}, {64, 80.5f}});
        const float r = SdPolygon(x, y, {{740, 60}, {716, 80.5f}, {740, 101}, {728, 80.5f}});
        return Rgba{0.55f, 0.9f, 1.0f, Coverage(std::min(l, r))};
    });
    TextStyle style;
    style.top = Rgba{1.0f, 1.0f, 1.0f, 1.0f};
    style.bottom = Rgba{0.6f, 0.88f, 1.0f, 1.0f};
    style.outline = Rgba{0.02f, 0.05f, 0.15f, 1.0f};
    style.outlineWidth = 3;
    style.glow = Rgba{0.25f, 0.6f, 1.0f, 0.8f};
    style.glowRadius = 10;
    // The words stay clear of the chevrons' tips (x 76 and 716) by a margin.
    PaintCaption(c,
                 RenderToFit(fonts.latin, "CLICK OR PRESS ENTER", 54.0f, 1.0f, 3.0f, 604, 80,
                             style.outlineWidth),
                 396.0f, 80.5f, style);
    return c;
}

Canvas MakeBlack() {
    return Canvas(16, 16, Rgba{0, 0, 0, 1});
}

Canvas MakeClearCaption(const FontSet& fonts) {
    Canvas c(295, 90);
    TextStyle style;
    style.top = Rgba{1.0f, 1.0f, 0.85f, 1.0f};
    style.bottom = Rgba{1.0f, 0.62f, 0.1f, 1.0f};
    style.outline = Rgba{0.2f, 0.07f, 0.0f, 1.0f};
    style.outlineWidth = 3;
    style.glow = Rgba{1.0f, 0.55f, 0.1f, 0.8f};
    style.glowRadius = 7;
    style.highlight = 0.7f;
    // At 3x the top rows and the first texel fall off the screen, so the words sit low and
    // a little right of centre.
    PaintCaption(c, Sheared(fonts.latin.Render("STAGE CLEAR", 41.0f, 1.0f, 1.0f), 0.18f), 152.0f,
                 52.0f, style);
    return c;
}

Canvas MakeGameoverCaption(const FontSet& fonts) {
    Canvas c(266, 90);
    TextStyle style;
    style.top = Rgba{1.0f, 0.75f, 0.7f, 1.0f};
    style.bottom = Rgba{0.75f, 0.05f, 0.05f, 1.0f};
    style.outline = Rgba{0.1f, 0.0f, 0.0f, 1.0f};
    style.outlineWidth = 3;
    style.glow = Rgba{0.6f, 0.0f, 0.0f, 0.8f};
    style.glowRadius = 7;
    style.highlight = 0.5f;
    // Drawn three times as large: the letters keep the glow's width clear of the edges.
    PaintCaption(
        c,
        RenderToFit(fonts.latin, "GAME OVER", 46.0f, 1.0f, 2.0f, 266 - 2 * style.glowRadius,
                    90 - 2 * style.glowRadius, style.outlineWidth),
        133.0f, 45.0f, style);
    return c;
}
