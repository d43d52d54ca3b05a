#include "images/Backdrop.h"

#include <stb/stb_perlin.h>

#include <algorithm>
#include <cmath>

#include "core/Rng.h"

Canvas MakeBackdrop(int width, int height, const BackdropLook& look) {
    Canvas c(width, height, look.top);
    const float seedZ = static_cast<float>(look.seed) * 1.7f;
    const float h = static_cast<float>(height);
    c.PaintAll([&](float x, float y) {
        Rgba base = Mix(look.top, look.bottom, y / h);
        // Two layers of clouds: broad colour and a ridged filament structure.
        const float nx = x / 420.0f, ny = y / 420.0f;
        const float cloud = std::clamp(
            stb_perlin_fbm_noise3(nx, ny, seedZ, 2.0f, 0.5f, 5) * 0.9f + 0.25f, 0.0f, 1.0f);
        const float hue = std::clamp(
            stb_perlin_noise3_seed(nx * 0.6f, ny * 0.6f, seedZ + 3.0f, 0, 0, 0, 7) + 0.5f, 0.0f,
            1.0f);
        const float ridge =
            stb_perlin_ridge_noise3(nx * 1.5f, ny * 1.5f, seedZ + 9.0f, 2.0f, 0.5f, 1.0f, 4);
        const float amount = look.nebula * cloud * cloud * (0.6f + 0.4f * ridge);
        const Rgba tint = Mix(look.nebulaA, look.nebulaB, hue);
        base.r += tint.r * amount;
        base.g += tint.g * amount;
        base.b += tint.b * amount;
        base.a = 1.0f;
        return base;
    });
    Rng rng(0xB4CDull + look.seed);
    for (int i = 0; i < look.stars; ++i) {
        const float sx = rng.Range(0.0f, static_cast<float>(width));
        const float sy = rng.Range(0.0f, h);
        const float u = rng.Uniform();
        const float bright = 0.25f + 0.75f * u * u * u;
        const float size = 0.6f + 1.4f * u * u * u * u;
        const float warm = rng.Uniform();
        const Rgba colour = warm < 0.2f
                                ? Rgba{1.0f, 0.85f, 0.7f, 1}
                                : (warm > 0.8f ? Rgba{0.7f, 0.8f, 1.0f, 1} : Rgba{1, 1, 1, 1});
        const int reach = static_cast<int>(std::ceil(size * 3.0f)) + 1;
        const bool flare = u > 0.985f;
        const int flareReach = flare ? 22 : 0;
        const int r = std::max(reach, flareReach);
        c.Light(static_cast<int>(sx) - r, static_cast<int>(sy) - r, static_cast<int>(sx) + r + 1,
                static_cast<int>(sy) + r + 1, [&](float x, float y) {
                    const float dx = x - sx, dy = y - sy;
                    const float d2 = dx * dx + dy * dy;
                    float light = bright * std::exp(-d2 / (size * size));
                    if (flare) {
                        // A four-point diffraction cross on the brightest stars.
                        light += 0.5f * std::exp(-std::fabs(dy) * 1.6f) *
                                 std::exp(-std::fabs(dx) / 7.0f);
                        light += 0.5f * std::exp(-std::fabs(dx) * 1.6f) *
                                 std::exp(-std::fabs(dy) / 7.0f);
                    }
                    return colour.WithAlpha(light);
                });
    }
    return c;
}

void AddBloom(Canvas& canvas, float x, float y, float radius, const Rgba& colour, float strength) {
    canvas.LightAll([&](float px, float py) {
        const float d = std::hypot(px - x, py - y) / radius;
        return colour.WithAlpha(strength * std::exp(-d * d * 2.5f));
    });
}

void AddRays(Canvas& canvas, float x, float y, float length, const Rgba& colour, float strength,
             unsigned seed) {
    Rng rng(0x5A15ull + seed);
    float phase[9];
    for (float& p : phase) p = rng.Range(0.0f, 6.2831853f);
    canvas.LightAll([&](float px, float py) {
        const float dx = px - x, dy = py - y;
        const float d = std::hypot(dx, dy);
        const float a = std::atan2(dy, dx);
        float beams = 0.0f;
        for (int i = 0; i < 9; ++i) {
            beams += std::pow(
                std::max(0.0f, std::cos(a * static_cast<float>(i % 3 + 2) + phase[i])), 40.0f);
        }
        const float fall = std::exp(-d / length);
        return colour.WithAlpha(strength * std::min(beams, 1.5f) * fall *
                                std::min(1.0f, d / 30.0f));
    });
}
