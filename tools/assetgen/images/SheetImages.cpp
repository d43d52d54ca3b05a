#include "images/SheetImages.h"

#include <stb/stb_perlin.h>

#include <algorithm>
#include <cmath>

#include "core/Shapes.h"

namespace {

// One explosion frame at age t (0 = ignition, 1 = gone) into a cell of `size` pixels.
Canvas ExplosionFrame(int size, float t, int frame) {
    Canvas c(size, size);
    const float half = static_cast<float>(size) * 0.5f;
    // The ball grows fast, then the smoke keeps spreading slowly.
    const float radius = 0.5f + 0.45f * (1.0f - std::exp(-t * 6.0f));
    const float heat = std::exp(-t * 3.2f);  // 1 = white hot, 0 = cold smoke
    // The last frames keep a faint wisp so the effect never blinks out on an empty cell.
    const float opacity = 0.14f + 0.86f * std::clamp(1.3f - t * 1.4f, 0.0f, 1.0f);
    const float z = static_cast<float>(frame) * 0.11f;
    c.PaintAll([&](float x, float y) {
        const float dx = (x - half) / (half - 1.0f);
        const float dy = (y - half) / (half - 1.0f);
        const float r = std::hypot(dx, dy);
        // Billowing edge: turbulence pushes the rim in and out and rolls with time.
        const float turb = stb_perlin_turbulence_noise3(dx * 2.5f, dy * 2.5f, z, 2.0f, 0.5f, 4);
        const float rim = radius * (0.78f + 0.35f * turb);
        if (r >= 1.0f) return Rgba{};
        const float inside = SmoothStep(rim, rim * 0.55f, r);
        if (inside <= 0.0f) return Rgba{};
        const float density = inside * (0.65f + 0.35f * turb);
        const float local = std::clamp(
            heat * (1.25f - r / std::max(rim, 0.05f) * 0.6f) + turb * 0.15f * heat, 0.0f, 1.0f);
        // Colour ramp: smoke grey -> deep red -> orange -> yellow -> white.
        Rgba col;
        if (local < 0.25f) {
            col = Mix(Rgba{0.22f, 0.2f, 0.2f, 1}, Rgba{0.55f, 0.12f, 0.04f, 1}, local / 0.25f);
        } else if (local < 0.55f) {
            col = Mix(Rgba{0.55f, 0.12f, 0.04f, 1}, Rgba{1.0f, 0.5f, 0.1f, 1},
                      (local - 0.25f) / 0.3f);
        } else if (local < 0.8f) {
            col =
                Mix(Rgba{1.0f, 0.5f, 0.1f, 1}, Rgba{1.0f, 0.9f, 0.4f, 1}, (local - 0.55f) / 0.25f);
        } else {
            col = Mix(Rgba{1.0f, 0.9f, 0.4f, 1}, Rgba{1.0f, 1.0f, 0.95f, 1}, (local - 0.8f) / 0.2f);
        }
        // Keep a transparent pixel between cells so filtering never bleeds a neighbour in.
        const float border = SmoothStep(1.0f, 0.93f, std::max(std::fabs(dx), std::fabs(dy)));
        return col.WithAlpha(
            std::clamp(density * opacity * (0.55f + 0.45f * local) * 1.4f, 0.0f, 1.0f) * border);
    });
    return c;
}

Canvas HitFlashFrame(int size, int frame) {
    Canvas c(size, size);
    const float t = static_cast<float>(frame) / 7.0f;
    const float half = static_cast<float>(size) * 0.5f;
    const float ringRadius = 0.2f + 0.7f * t;
    const float fade = 1.0f - t * 0.85f;
    c.PaintAll([&](float x, float y) {
        const float dx = (x - half) / (half - 2.0f);
        const float dy = (y - half) / (half - 2.0f);
        const float r = std::hypot(dx, dy);
        if (r >= 1.0f) return Rgba{};
        const float angle = std::atan2(dy, dx);
        const float core = std::exp(-r * r / (0.02f + 0.05f * (1.0f - t))) * (1.0f - t * 0.9f);
        const float ring =
            std::exp(-std::pow((r - ringRadius) / (0.04f + 0.05f * t), 2.0f)) * fade * 0.8f;
        // Eight rays that shoot out and shorten as the flash dies.
        const float rays = std::pow(std::fabs(std::cos(angle * 4.0f + 0.3f)), 40.0f) *
                           std::max(0.0f, 1.0f - r / (0.35f + 0.6f * (1.0f - t))) * fade;
        const float light = std::clamp(core + ring + rays, 0.0f, 1.0f);
        const Rgba col = Mix(Rgba{1.0f, 0.55f, 0.15f, 1}, Rgba{1.0f, 0.98f, 0.9f, 1},
                             std::clamp(core * 1.5f + rays * 0.5f, 0.0f, 1.0f));
        return col.WithAlpha(light * SmoothStep(1.0f, 0.92f, r));
    });
    return c;
}

}  // namespace

Canvas MakeExplosionSheet() {
    constexpr int kCell = 32;
    Canvas sheet(8 * kCell, 9 * kCell);
    for (int f = 0; f <= 64; ++f) {
        const Canvas cell = ExplosionFrame(kCell, static_cast<float>(f) / 64.0f, f);
        sheet.Composite(cell, (f % 8) * kCell, (f / 8) * kCell);
    }
    return sheet;
}

Canvas MakeHitFlashSheet() {
    constexpr int kCell = 120;
    Canvas sheet(8 * kCell, 8 * kCell);
    for (int f = 0; f < 8; ++f) {
        // Drawn at twice the size and reduced: the thin rays stay smooth when the flash is
        // shown several times larger than its cell.
        const Canvas cell = HitFlashFrame(2 * kCell, f).Resized(kCell, kCell);
        for (int row = 0; row < 8; ++row) sheet.Composite(cell, f * kCell, row * kCell);
    }
    return sheet;
}
