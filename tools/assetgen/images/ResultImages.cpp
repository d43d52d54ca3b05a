#include "images/ResultImages.h"

#include <stb/stb_perlin.h>

#include <algorithm>
#include <cmath>

#include "core/Rng.h"
#include "images/Backdrop.h"
#include "images/RobotPainter.h"

namespace {

// Wisps of smoke trailing from (x, y) toward the upper right.
void AddSmoke(Canvas& canvas, float x, float y, float length, unsigned seed) {
    const float z = static_cast<float>(seed);
    canvas.PaintAll([&](float px, float py) {
        const float along = (px - x) * 0.55f - (py - y) * 0.83f;
        const float across = (px - x) * 0.83f + (py - y) * 0.55f;
        if (along < -20.0f || along > length) return Rgba{};
        const float t = std::max(0.0f, along) / length;
        const float width = 18.0f + 110.0f * t;
        const float n = stb_perlin_fbm_noise3(px * 0.012f, py * 0.012f, z, 2.0f, 0.5f, 4);
        const float body = std::exp(-std::pow((across + n * 60.0f) / width, 2.0f));
        const float alpha = body * (1.0f - t) * std::clamp(0.55f + n, 0.0f, 1.0f) * 0.75f;
        return Rgba{0.3f, 0.27f, 0.27f, alpha};
    });
}

void AddSparks(Canvas& canvas, float x, float y, float spread, int count, unsigned seed) {
    Rng rng(seed);
    for (int i = 0; i < count; ++i) {
        const float a = rng.Range(0.0f, 6.2831853f);
        const float r = spread * std::sqrt(rng.Uniform());
        const float sx = x + std::cos(a) * r;
        const float sy = y + std::sin(a) * r;
        const float len = rng.Range(3.0f, 14.0f);
        const float dx = std::cos(a), dy = std::sin(a);
        canvas.Light(static_cast<int>(sx - 16), static_cast<int>(sy - 16),
                     static_cast<int>(sx + 17), static_cast<int>(sy + 17), [&](float px, float py) {
                         const float u = (px - sx) * dx + (py - sy) * dy;
                         const float v = -(px - sx) * dy + (py - sy) * dx;
                         const float t = std::clamp(u / len, -1.0f, 0.0f);
                         const float d = std::hypot(u - t * len, v);
                         return Rgba{1.0f, 0.6f, 0.2f, std::exp(-d * d / 1.2f) * (1.0f + t * 0.7f)};
                     });
    }
}

}  // namespace

Canvas MakeClearPicture() {
    BackdropLook sky;
    sky.top = Rgba{0.02f, 0.03f, 0.09f, 1.0f};
    sky.bottom = Rgba{0.1f, 0.06f, 0.12f, 1.0f};
    sky.nebulaA = Rgba{0.2f, 0.35f, 0.85f, 1.0f};
    sky.nebulaB = Rgba{0.9f, 0.45f, 0.25f, 1.0f};
    sky.nebula = 0.5f;
    sky.seed = 3;
    Canvas c = MakeBackdrop(1280, 817, sky);
    // Dawn behind the robot: a warm sun low on the right and rays through the dust.
    AddBloom(c, 905.0f, 340.0f, 520.0f, Rgba{1.0f, 0.6f, 0.25f, 1.0f}, 0.55f);
    AddRays(c, 905.0f, 300.0f, 420.0f, Rgba{1.0f, 0.8f, 0.5f, 1.0f}, 0.35f, 4);
    AddBloom(c, 905.0f, 300.0f, 140.0f, Rgba{1.0f, 0.95f, 0.85f, 1.0f}, 0.9f);
    // The rim of a planet across the bottom, lit from the sun's side.
    c.PaintAll([](float x, float y) {
        const float d = std::hypot(x - 420.0f, y - 2150.0f) - 1450.0f;
        if (d > 40.0f) return Rgba{};
        const float lit = std::clamp((x - 200.0f) / 1000.0f, 0.0f, 1.0f);
        const float atmosphere = std::exp(-std::max(d, 0.0f) / 12.0f) * (0.4f + 0.6f * lit);
        if (d > 0.0f) return Rgba{1.0f, 0.6f, 0.35f, atmosphere * 0.6f};
        const float depth = std::clamp(-d / 220.0f, 0.0f, 1.0f);
        const float n = stb_perlin_fbm_noise3(x * 0.004f, y * 0.01f, 2.0f, 2.0f, 0.5f, 4);
        const float shade = (0.12f + 0.35f * lit * (1.0f - depth)) * (0.85f + 0.3f * n);
        return Rgba{0.35f * shade + 0.6f * atmosphere, 0.35f * shade + 0.35f * atmosphere,
                    0.5f * shade, 1.0f};
    });
    RobotPose pose;
    pose.rightShoulder = 122.0f;
    pose.rightElbow = 28.0f;
    pose.leftShoulder = -14.0f;
    pose.leftElbow = 12.0f;
    pose.rightHip = 9.0f;
    pose.leftHip = -7.0f;
    pose.rightKnee = -4.0f;
    pose.axe = 84.0f;
    RobotLook look;
    look.rim = Rgba{1.0f, 0.75f, 0.45f, 1.0f};
    // A halo of light around the silhouette, then the robot itself.
    AddBloom(c, 900.0f, 330.0f, 330.0f, Rgba{1.0f, 0.75f, 0.4f, 1.0f}, 0.35f);
    PaintRobot(c, pose, look, {900.0f, 478.0f, 4.4f, -4.0f});
    return c;
}

Canvas MakeGameoverPicture() {
    BackdropLook sky;
    sky.top = Rgba{0.03f, 0.0f, 0.01f, 1.0f};
    sky.bottom = Rgba{0.08f, 0.01f, 0.02f, 1.0f};
    sky.nebulaA = Rgba{0.5f, 0.05f, 0.05f, 1.0f};
    sky.nebulaB = Rgba{0.3f, 0.05f, 0.25f, 1.0f};
    sky.nebula = 0.55f;
    sky.stars = 500;
    sky.seed = 8;
    Canvas c = MakeBackdrop(1195, 672, sky);
    // The glow of the blast that finished it, fading at the far left.
    AddBloom(c, 180.0f, 260.0f, 360.0f, Rgba{1.0f, 0.3f, 0.08f, 1.0f}, 0.35f);
    RobotLook look;
    look.armour = Rgba{0.5f, 0.5f, 0.52f, 1.0f};
    look.accent = Rgba{0.12f, 0.16f, 0.32f, 1.0f};
    look.trim = Rgba{0.5f, 0.38f, 0.1f, 1.0f};
    look.visor = Rgba{0.6f, 0.05f, 0.03f, 1.0f};  // the eyes have gone dark red
    look.rim = Rgba{0.8f, 0.2f, 0.1f, 1.0f};
    look.light = 0.55f;
    look.scorch = 0.9f;
    look.seed = 5;
    PaintLooseArm(c, look, {300.0f, 170.0f, 3.6f, 130.0f}, 40.0f);
    // Smoke and embers pour from the torn shoulder.
    AddSmoke(c, 768.0f, 283.0f, 460.0f, 2);
    AddBloom(c, 768.0f, 283.0f, 60.0f, Rgba{1.0f, 0.45f, 0.1f, 1.0f}, 0.6f);
    RobotPose pose;
    pose.leftArm = false;
    pose.rightFin = false;
    pose.withAxe = false;
    pose.rightShoulder = 35.0f;
    pose.rightElbow = 50.0f;
    pose.rightHip = 25.0f;
    pose.leftHip = -12.0f;
    pose.rightKnee = 40.0f;
    pose.leftKnee = 20.0f;
    PaintRobot(c, pose, look, {780.0f, 430.0f, 4.4f, -32.0f});
    AddSparks(c, 768.0f, 283.0f, 80.0f, 45, 12);
    AddSparks(c, 360.0f, 200.0f, 40.0f, 12, 13);
    // Vignette: the edges sink into black.
    c.PaintAll([](float x, float y) {
        const float dx = (x - 597.5f) / 597.5f, dy = (y - 336.0f) / 336.0f;
        const float v = std::clamp((dx * dx + dy * dy - 0.35f) * 0.6f, 0.0f, 0.85f);
        return Rgba{0, 0, 0, v};
    });
    return c;
}
