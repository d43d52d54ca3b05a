#include "images/HudImages.h"

#include <algorithm>
#include <cmath>

#include "core/Shapes.h"
#include "images/Lettering.h"
#include "images/RobotPainter.h"

namespace {

const Rgba kFrameLight{0.75f, 0.95f, 1.0f, 1.0f};
const Rgba kFrameDark{0.05f, 0.12f, 0.2f, 1.0f};

// An angled frame: a box with the top-right and bottom-left corners cut off.
float SdBevelBox(float x, float y, float x0, float y0, float x1, float y1, float cut) {
    return SdPolygon(
        x, y, {{x0, y0}, {x1 - cut, y0}, {x1, y0 + cut}, {x1, y1}, {x0 + cut, y1}, {x0, y1 - cut}});
}

}  // namespace

Canvas MakeHpFrame() {
    Canvas c(189, 20);
    c.PaintAll([](float x, float y) {
        // Only the top-right corner is cut: the bar drawn under the frame fills a plain box.
        const float d = SdPolygon(
            x, y, {{0.5f, 0.5f}, {183.5f, 0.5f}, {188.5f, 5.5f}, {188.5f, 19.5f}, {0.5f, 19.5f}});
        // Dark rim outside, bright line inside it, then clear glass with a faint sheen.
        if (d > -1.0f) return kFrameDark.WithAlpha(Coverage(d));
        if (d > -2.6f) return kFrameLight;
        if (d > -3.6f) return kFrameDark.WithAlpha(0.6f);
        const float sheen = y < 7.0f ? 0.12f * (1.0f - y / 7.0f) : 0.0f;
        // Tick marks every tenth of the bar along the bottom edge.
        const float tick = (std::fmod(x - 2.0f, 18.5f) < 1.0f && y > 15.0f) ? 0.55f : 0.0f;
        return Rgba{1, 1, 1, std::max(sheen, tick)};
    });
    return c;
}

Canvas MakeHpFill(const Rgba& colour) {
    Canvas c(189, 20);
    c.PaintAll([&](float x, float y) {
        const float v = y / 20.0f;
        // Bright lip at the top, body colour, darker base: reads as a lit tube.
        const float shade =
            1.25f - 0.55f * v + 0.5f * std::exp(-std::pow((v - 0.2f) / 0.12f, 2.0f));
        // Faint diagonal stripes give the fill motion without changing its colour.
        const float stripe = std::fmod(x + y, 8.0f) < 4.0f ? 1.0f : 0.9f;
        Rgba out = colour.Scaled(shade * stripe);
        out.a = 1.0f;
        return out;
    });
    return c;
}

Canvas MakePortrait(const FontSet& fonts) {
    Canvas c(130, 80);
    auto panel = [](float x, float y) {
        return SdBevelBox(x, y, 1.0f, 1.0f, 129.0f, 79.0f, 14.0f);
    };
    // Dark glass, lighter toward the top, behind a head-and-shoulders view of the robot.
    c.PaintAll([&](float x, float y) {
        const float d = panel(x, y);
        if (d > 0.5f) return Rgba{};
        const float glass = 0.6f + 0.25f * (1.0f - y / 80.0f);
        return Rgba{0.04f, 0.1f, 0.2f, glass * Coverage(d)};
    });
    Canvas bust(130, 80);
    RobotPose pose;
    pose.withAxe = false;
    pose.leftShoulder = -8.0f;
    pose.rightShoulder = 8.0f;
    RobotLook look;
    constexpr float kScale = 2.3f;
    PaintRobot(bust, pose, look, {58.0f, 36.0f + 41.0f * kScale, kScale, 0.0f});
    bust.MultiplyAlpha([&](float x, float y) { return Coverage(panel(x, y) + 2.5f); });
    c.Composite(bust, 0, 0);
    // The rim goes on last so the bust sits inside the frame.
    c.PaintAll([&](float x, float y) {
        const float d = panel(x, y);
        return kFrameLight.WithAlpha(Coverage(std::fabs(d + 1.0f) - 1.0f));
    });
    TextStyle style;
    style.top = kFrameLight;
    style.bottom = Rgba{0.4f, 0.8f, 1.0f, 1.0f};
    style.outlineWidth = 2;
    style.outline = kFrameDark;
    PaintCaptionLeft(c, fonts.latin.Render("HP", 18.0f), 100.0f, 68.0f, style);
    return c;
}

Canvas MakeEnergyFrame() {
    Canvas c(100, 50);
    c.PaintAll([](float x, float y) {
        // Stretched 3x on screen, so the end caps are drawn a third as wide as they look.
        const float outer = SdBevelBox(x, y, 0.5f, 12.0f, 99.5f, 38.0f, 3.0f);
        const float cap = std::min(SdRoundBox(x, y, 1.5f, 25.0f, 1.2f, 9.0f, 0.6f),
                                   SdRoundBox(x, y, 98.5f, 25.0f, 1.2f, 9.0f, 0.6f));
        if (cap < 0.0f) return kFrameLight;
        if (outer > 0.5f) return Rgba{};
        if (outer > -1.0f) return kFrameDark.WithAlpha(Coverage(outer));
        if (outer > -2.5f) return kFrameLight;
        if (outer > -3.5f) return kFrameDark.WithAlpha(0.7f);
        // Quarter marks along the lower edge of the window.
        const bool tick = y > 33.0f && (std::fabs(x - 25.0f) < 0.5f ||
                                        std::fabs(x - 50.0f) < 0.5f || std::fabs(x - 75.0f) < 0.5f);
        return Rgba{1, 1, 1, tick ? 0.7f : 0.0f};
    });
    return c;
}

Canvas MakeEnergyFill() {
    Canvas c(100, 50);
    c.Paint(0, 15, 100, 35, [](float, float y) {
        const float v = (y - 15.0f) / 20.0f;
        const float shade = 1.2f - 0.6f * v + 0.6f * std::exp(-std::pow((v - 0.22f) / 0.12f, 2.0f));
        return Rgba{0.2f * shade, 0.7f * shade, 1.0f * shade, 1.0f};
    });
    return c;
}

Canvas MakeOverheatLabel(const FontSet& fonts) {
    Canvas c(1064, 300);
    // Hazard stripes along the top and bottom edges, on a dark translucent plate.
    c.PaintAll([](float x, float y) {
        const float plate = SdRoundBox(x, y, 532.0f, 150.0f, 528.0f, 146.0f, 30.0f);
        if (plate > 0.5f) return Rgba{};
        const bool band = y < 44.0f || y > 256.0f;
        if (band) {
            const bool yellow = std::fmod(x + (y < 44.0f ? y : -y) + 600.0f, 80.0f) < 40.0f;
            return (yellow ? Rgba{1.0f, 0.8f, 0.1f, 1.0f} : Rgba{0.08f, 0.05f, 0.02f, 1.0f})
                .WithAlpha(Coverage(plate, 2.0f));
        }
        return Rgba{0.18f, 0.02f, 0.0f, 0.7f * Coverage(plate, 2.0f)};
    });
    TextStyle style;
    style.top = Rgba{1.0f, 0.95f, 0.6f, 1.0f};
    style.bottom = Rgba{1.0f, 0.3f, 0.05f, 1.0f};
    style.outline = Rgba{0.15f, 0.0f, 0.0f, 1.0f};
    style.outlineWidth = 8;
    style.glow = Rgba{1.0f, 0.2f, 0.0f, 0.9f};
    style.glowRadius = 18;
    PaintCaption(c, Sheared(fonts.latin.Render("OVERHEAT", 190.0f, 1.0f, 6.0f), 0.15f), 532.0f,
                 150.0f, style);
    return c;
}

Canvas MakeCostMarker() {
    Canvas c(100, 100);
    c.PaintAll([](float px, float py) {
        // Drawn in a 1000-unit square: the marker was once a 1000-pixel image.
        const float x = px * 10.0f, y = py * 10.0f;
        // A vertical bar with arrow heads pointing at the bar from above and below.
        const float bar = SdRoundBox(x, y, 500.0f, 500.0f, 90.0f, 470.0f, 40.0f);
        const float up = SdPolygon(x, y, {{500, 260}, {300, 30}, {700, 30}});
        const float down = SdPolygon(x, y, {{500, 740}, {300, 970}, {700, 970}});
        const float d = std::min(bar, std::min(up, down));
        if (d > 60.0f) return Rgba{};
        if (d > 0.0f) return Rgba{0.05f, 0.05f, 0.1f, 0.8f};  // dark keyline for contrast
        return Rgba{1.0f, 0.95f, 0.5f, 1.0f};
    });
    return c;
}

Canvas MakeReticle() {
    Canvas c(64, 64);
    const Rgba green{0.45f, 1.0f, 0.7f, 1.0f};
    const Rgba shadow{0.0f, 0.05f, 0.05f, 0.6f};
    auto shape = [](float x, float y) {
        const float ring = std::fabs(SdCircle(x, y, 32.0f, 32.0f, 19.0f)) - 1.0f;
        const float ticks = std::min(std::min(SdRoundBox(x, y, 32.0f, 8.0f, 1.0f, 5.0f, 0.5f),
                                              SdRoundBox(x, y, 32.0f, 56.0f, 1.0f, 5.0f, 0.5f)),
                                     std::min(SdRoundBox(x, y, 8.0f, 32.0f, 5.0f, 1.0f, 0.5f),
                                              SdRoundBox(x, y, 56.0f, 32.0f, 5.0f, 1.0f, 0.5f)));
        const float dot = SdCircle(x, y, 32.0f, 32.0f, 2.0f);
        return std::min(ring, std::min(ticks, dot));
    };
    c.PaintAll([&](float x, float y) {
        return shadow.WithAlpha(shadow.a * Coverage(shape(x, y) - 1.5f));
    });
    c.PaintAll([&](float x, float y) { return green.WithAlpha(Coverage(shape(x, y))); });
    return c;
}
