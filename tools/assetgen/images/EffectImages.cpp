#include "images/EffectImages.h"

#include <stb/stb_perlin.h>

#include <algorithm>
#include <cmath>

#include "core/Shapes.h"

namespace {

constexpr float kPi = 3.14159265f;

// A radial light: white-hot core blending into `tint`, falling smoothly to nothing at the rim.
Rgba Glow(float r, const Rgba& tint, float coreSize, float power) {
    if (r >= 1.0f) return {};
    const float edge = 1.0f - SmoothStep(0.0f, 1.0f, r);
    const float intensity = std::pow(edge, power);
    const float core = std::exp(-(r * r) / (coreSize * coreSize));
    const Rgba colour = Mix(tint, Rgba{1.0f, 1.0f, 1.0f, 1.0f}, core);
    return colour.WithAlpha(std::clamp(intensity + core, 0.0f, 1.0f));
}

Canvas RadialGlow(int size, const Rgba& tint, float coreSize, float power) {
    Canvas c(size, size);
    const float half = static_cast<float>(size) * 0.5f;
    c.PaintAll([&](float x, float y) {
        const float r = std::hypot(x - half, y - half) / (half - 1.0f);
        return Glow(r, tint, coreSize, power);
    });
    return c;
}

}  // namespace

Canvas MakeSpeedDot() {
    return RadialGlow(32, {0.75f, 0.85f, 1.0f, 1.0f}, 0.25f, 2.2f);
}

Canvas MakeRockMote() {
    Canvas c(64, 64);
    c.PaintAll([](float x, float y) {
        const float r = std::hypot(x - 32.0f, y - 32.0f) / 31.0f;
        // Grainy dust rather than a clean ball, so a comet's tail reads as debris.
        const float grain =
            0.75f + 0.25f * stb_perlin_noise3_seed(x * 0.3f, y * 0.3f, 0.5f, 0, 0, 0, 11);
        Rgba g = Glow(r, {1.0f, 0.78f, 0.5f, 1.0f}, 0.2f, 1.6f);
        g.a *= grain;
        return g;
    });
    return c;
}

Canvas MakeEnergyMote() {
    return RadialGlow(64, {0.85f, 0.3f, 1.0f, 1.0f}, 0.3f, 1.8f);
}

Canvas MakeThrusterFlame() {
    Canvas c(128, 128);
    c.PaintAll([](float x, float y) {
        // A teardrop: round at the nozzle (top), stretched into a tongue below, in a soft halo
        // that is gone well before the edge of the quad.
        const float dx = (x - 64.0f) / 34.0f;
        const float t = (y - 44.0f) / 76.0f;
        const float width = t < 0.0f ? 1.0f : std::max(0.05f, 1.0f - t);
        const float r = std::hypot(dx / width, t < 0.0f ? t * 76.0f / 30.0f : t);
        const Rgba flame = Glow(std::min(r, 1.0f), {0.3f, 0.6f, 1.0f, 1.0f}, 0.35f, 1.4f);
        const float d = std::hypot(x - 64.0f, y - 56.0f) / 62.0f;
        const float halo = 0.35f * std::exp(-d * d * 3.0f) * (1.0f - SmoothStep(0.7f, 1.0f, d));
        if (flame.a >= halo) return flame;
        return Rgba{0.3f, 0.55f, 1.0f, halo};
    });
    return c;
}

Canvas MakeMuzzleFlash() {
    Canvas c(128, 128);
    c.PaintAll([](float x, float y) {
        const float dx = (x - 64.0f) / 63.0f;
        const float dy = (y - 64.0f) / 63.0f;
        const float r = std::hypot(dx, dy);
        const float angle = std::atan2(dy, dx);
        // Six spikes of uneven length around a hot core.
        const float spikes = std::pow(std::fabs(std::cos(angle * 3.0f)), 18.0f) *
                             (0.75f + 0.25f * std::cos(angle * 2.0f + 0.7f));
        const float reach = 0.35f + 0.65f * spikes;
        const float body = std::clamp(1.0f - r / reach, 0.0f, 1.0f);
        const float core = std::exp(-r * r / 0.02f);
        const float alpha = std::clamp(std::pow(body, 1.5f) + core, 0.0f, 1.0f);
        const Rgba colour = Mix(Rgba{1.0f, 0.6f, 0.2f, 1.0f}, Rgba{1.0f, 0.97f, 0.85f, 1.0f},
                                std::clamp(core + body * 0.5f, 0.0f, 1.0f));
        return colour.WithAlpha(alpha);
    });
    return c;
}

Canvas MakeSpark(bool enemy) {
    const Rgba tint = enemy ? Rgba{1.0f, 0.45f, 0.1f, 1.0f} : Rgba{0.25f, 0.8f, 1.0f, 1.0f};
    Canvas c(128, 128);
    c.PaintAll([&](float x, float y) {
        const float dx = (x - 64.0f) / 63.0f;
        const float dy = (y - 64.0f) / 63.0f;
        const float r = std::hypot(dx, dy);
        // A long horizontal streak (the thin sparks stretch the quad sideways) over a star.
        const float streak = std::exp(-dy * dy / 0.0025f) * std::max(0.0f, 1.0f - std::fabs(dx));
        const float cross =
            std::exp(-dx * dx / 0.004f) * std::max(0.0f, 1.0f - std::fabs(dy)) * 0.6f;
        const float angle = std::atan2(dy, dx);
        const float star =
            std::pow(std::fabs(std::cos(angle * 4.0f)), 30.0f) * std::max(0.0f, 1.0f - r);
        const float core = std::exp(-r * r / 0.01f);
        const float light = std::clamp(streak + cross + star * 0.7f + core, 0.0f, 1.0f);
        return Mix(tint, Rgba{1, 1, 1, 1}, std::clamp(core * 1.2f + streak * 0.3f, 0.0f, 1.0f))
            .WithAlpha(light * SmoothStep(1.0f, 0.85f, r));
    });
    return c;
}

Canvas MakeAxeFlash() {
    Canvas c(128, 160);
    c.PaintAll([](float x, float y) {
        // The glow hugs a crescent, the arc of the blade's edge on the right of the quad, over
        // a round haze; both are gone before the quad's edges.
        const float dx = (x - 30.0f) / 90.0f;
        const float dy = (y - 80.0f) / 78.0f;
        const float r = std::hypot(dx, dy);
        const float band =
            std::exp(-std::pow((r - 0.85f) / 0.1f, 2.0f)) * SmoothStep(-0.3f, 0.4f, dx);
        const float haze = std::hypot((x - 80.0f) / 46.0f, (y - 80.0f) / 76.0f);
        const float soft =
            0.4f * std::exp(-haze * haze * 2.0f) * (1.0f - SmoothStep(0.75f, 1.0f, haze));
        const float edge = std::max(std::fabs((x - 64.0f) / 64.0f), std::fabs((y - 80.0f) / 80.0f));
        const float light =
            std::clamp(band * 1.2f + soft, 0.0f, 1.0f) * (1.0f - SmoothStep(0.85f, 1.0f, edge));
        const Rgba colour = Mix(Rgba{0.2f, 0.75f, 1.0f, 1}, Rgba{0.9f, 1.0f, 1.0f, 1},
                                std::clamp(band, 0.0f, 1.0f));
        return colour.WithAlpha(light);
    });
    return c;
}

Canvas MakeShockwave() {
    Canvas c(256, 256);
    c.PaintAll([](float x, float y) {
        const float r = std::hypot(x - 128.0f, y - 128.0f) / 127.0f;
        if (r >= 1.0f) return Rgba{};
        const float angle = std::atan2(y - 128.0f, x - 128.0f);
        const float ripple =
            0.85f + 0.15f * stb_perlin_noise3_seed(std::cos(angle) * 3.0f, std::sin(angle) * 3.0f,
                                                   0.3f, 0, 0, 0, 5);
        const float ring = std::exp(-std::pow((r - 0.86f) / 0.05f, 2.0f)) * ripple;
        const float inner = SmoothStep(0.3f, 0.86f, r) * SmoothStep(1.0f, 0.86f, r) * 0.35f;
        const float light = std::clamp(ring + inner, 0.0f, 1.0f);
        const Rgba colour = Mix(Rgba{1.0f, 0.55f, 0.2f, 1}, Rgba{1.0f, 0.95f, 0.85f, 1},
                                std::clamp(ring, 0.0f, 1.0f));
        return colour.WithAlpha(light * SmoothStep(1.0f, 0.97f, r));
    });
    return c;
}

Canvas MakeTrail(bool hot) {
    const Rgba tint = hot ? Rgba{1.0f, 0.4f, 0.08f, 1.0f} : Rgba{0.2f, 0.6f, 1.0f, 1.0f};
    Canvas c(64, 128);
    c.PaintAll([&](float x, float y) {
        const float u = (x / 64.0f) * 2.0f - 1.0f;
        const float v = y / 128.0f;
        const float across = std::exp(-u * u / 0.12f);
        const float core = std::exp(-u * u / 0.012f);
        const float along = std::pow(1.0f - v, 1.6f) * SmoothStep(0.0f, 0.03f, v + 0.03f);
        const float light = std::clamp((across * 0.8f + core) * along, 0.0f, 1.0f);
        return Mix(tint, Rgba{1, 1, 1, 1}, std::clamp(core * (1.0f - v), 0.0f, 1.0f))
            .WithAlpha(light);
    });
    return c;
}

Canvas MakeExhaust(bool hot) {
    const Rgba tint = hot ? Rgba{1.0f, 0.42f, 0.1f, 1.0f} : Rgba{0.25f, 0.62f, 1.0f, 1.0f};
    Canvas c(64, 128);
    c.PaintAll([&](float x, float y) {
        // The ribbon is many times wider than the nozzle and its points trail behind the
        // engine: only a narrow tongue in the middle of u is lit, widening a little as it
        // cools, and v = 0 (at the nozzle) up to 0.8 (the oldest point) is all that is
        // drawn, so the flame fades in just behind the nozzle and is gone before 0.8.
        const float u = (x / 64.0f) * 2.0f - 1.0f;
        const float v = y / 128.0f;
        const float t = std::clamp(v / 0.78f, 0.0f, 1.0f);
        const float width = 0.035f + 0.04f * t;
        const float across = std::exp(-u * u / (width * width));
        const float core = std::exp(-u * u / (0.3f * width * width));
        const float along = std::pow(1.0f - t, 1.6f) * SmoothStep(0.0f, 0.1f, v);
        const float light = std::clamp((across * 0.8f + core * 0.6f) * along, 0.0f, 1.0f);
        return Mix(tint, Rgba{1, 1, 1, 1}, std::clamp(core * (1.0f - t) * 0.9f, 0.0f, 1.0f))
            .WithAlpha(light);
    });
    return c;
}

Canvas MakeSlash(bool enemy) {
    const Rgba tint = enemy ? Rgba{1.0f, 0.25f, 0.1f, 1.0f} : Rgba{0.3f, 0.85f, 1.0f, 1.0f};
    Canvas c(256, 64);
    c.PaintAll([&](float x, float y) {
        const float u = x / 256.0f;
        const float v = y / 64.0f;
        // Brightest along the edge of the blade (near v = 0.8), thinning into the swing's wake.
        const float edge = std::exp(-std::pow((v - 0.8f) / 0.09f, 2.0f));
        const float body = SmoothStep(0.05f, 0.8f, v) * SmoothStep(1.0f, 0.85f, v) * 0.55f;
        const float along = std::pow(1.0f - u, 1.3f);
        const float streaks =
            0.8f + 0.2f * stb_perlin_noise3_seed(u * 6.0f, v * 24.0f, 0.7f, 0, 0, 0, 3);
        const float light = std::clamp((edge + body) * along * streaks, 0.0f, 1.0f);
        return Mix(tint, Rgba{1, 1, 1, 1}, std::clamp(edge * (1.0f - u) * 0.8f, 0.0f, 1.0f))
            .WithAlpha(light);
    });
    return c;
}
