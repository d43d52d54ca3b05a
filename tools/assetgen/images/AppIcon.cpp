#include "images/AppIcon.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <fstream>
#include <vector>

#include "core/ImageWriter.h"
#include "core/Rng.h"
#include "core/Shapes.h"

namespace {

constexpr Rgba kNightTop{0.03f, 0.05f, 0.16f, 1.0f};
constexpr Rgba kNightBottom{0.20f, 0.07f, 0.30f, 1.0f};
constexpr Rgba kStarCore{1.0f, 1.0f, 1.0f, 1.0f};
constexpr Rgba kStarGlow{0.45f, 0.75f, 1.0f, 1.0f};
constexpr Rgba kRim{1.0f, 0.68f, 0.22f, 1.0f};

// A four-pointed star: long tips up, down, left and right, short ones between.
std::vector<Point> Sparkle(float cx, float cy, float longTip, float shortTip) {
    std::vector<Point> points;
    for (int i = 0; i < 8; ++i) {
        const float angle = static_cast<float>(i) * 3.14159265f / 4.0f;
        const float r = (i % 2 == 0) ? longTip : shortTip;
        points.push_back({cx + r * std::sin(angle), cy - r * std::cos(angle)});
    }
    return points;
}

}  // namespace

Canvas MakeAppIcon(int size) {
    const float s = static_cast<float>(size);
    const float feather = std::max(1.0f, s / 128.0f);
    Canvas icon(size, size);

    // The tile: a rounded square with a little margin, night sky from top to bottom.
    const float half = s * 0.46f;
    icon.PaintAll([&](float x, float y) {
        const float d = SdRoundBox(x, y, s * 0.5f, s * 0.5f, half, half, s * 0.18f);
        return Mix(kNightTop, kNightBottom, y / s).WithAlpha(Coverage(d, feather));
    });
    const auto insideTile = [&](float x, float y) {
        return Coverage(SdRoundBox(x, y, s * 0.5f, s * 0.5f, half, half, s * 0.18f), feather);
    };

    // Distant stars, fixed by the seed; fewer on small icons so they do not turn to noise.
    Rng rng(0x1c0);
    const int stars = size >= 128 ? 26 : 12;
    for (int i = 0; i < stars; ++i) {
        const float cx = s * (0.1f + 0.8f * rng.Uniform());
        const float cy = s * (0.08f + 0.55f * rng.Uniform());
        const float r = s * (0.006f + 0.008f * rng.Uniform()) + 0.4f;
        const float bright = 0.5f + 0.5f * rng.Uniform();
        icon.Light(0, 0, size, size, [&](float x, float y) {
            const float c = Coverage(SdCircle(x, y, cx, cy, r), 1.0f) * insideTile(x, y);
            return kStarCore.WithAlpha(c * bright);
        });
    }

    // The planet below, its lit rim catching the star's light.
    const float pcx = s * 0.5f, pcy = s * 1.22f, pr = s * 0.56f;
    icon.PaintAll([&](float x, float y) {
        const float d = SdCircle(x, y, pcx, pcy, pr);
        const float body = Coverage(d, feather) * insideTile(x, y);
        const float rim = std::exp(-std::fabs(d + s * 0.012f) / (s * 0.012f));
        return Mix(Rgba{0.02f, 0.02f, 0.05f, 1.0f}, kRim, std::min(1.0f, rim)).WithAlpha(body);
    });
    icon.Light(0, 0, size, size, [&](float x, float y) {
        const float d = SdCircle(x, y, pcx, pcy, pr);
        const float halo = d > 0.0f ? std::exp(-d / (s * 0.04f)) * 0.55f : 0.0f;
        return kRim.WithAlpha(halo * insideTile(x, y));
    });

    // The star: a soft glow, then the sharp sparkle with a white core.
    const float cx = s * 0.5f, cy = s * 0.42f;
    icon.Light(0, 0, size, size, [&](float x, float y) {
        const float dx = x - cx, dy = y - cy;
        const float glow = std::exp(-(dx * dx + dy * dy) / (s * s * 0.012f));
        return kStarGlow.WithAlpha(glow * 0.8f * insideTile(x, y));
    });
    const std::vector<Point> sparkle = Sparkle(cx, cy, s * 0.30f, s * 0.075f);
    icon.PaintAll([&](float x, float y) {
        const float d = SdPolygon(x, y, sparkle);
        const float dx = x - cx, dy = y - cy;
        const float centre = std::exp(-(dx * dx + dy * dy) / (s * s * 0.004f));
        return Mix(kStarGlow, kStarCore, std::min(1.0f, centre * 1.5f + 0.25f))
            .WithAlpha(Coverage(d, feather));
    });
    return icon;
}

bool WriteAppIcons(const std::filesystem::path& outDir, const std::string& name,
                   std::string& error) {
    for (int size : kAppIconSizes) {
        const std::string folder = std::to_string(size) + "x" + std::to_string(size);
        const auto file = outDir / "hicolor" / folder / "apps" / (name + ".png");
        if (!WritePng(file, MakeAppIcon(size), error)) return false;
    }
    return true;
}

bool WriteWindowsIcon(const std::filesystem::path& file, std::string& error) {
    // ICONDIR (6 bytes), one ICONDIRENTRY (16 bytes) per image, then the images.
    std::vector<std::vector<uint8_t>> images;
    for (int size : kWindowsIconSizes) {
        images.emplace_back();
        if (!EncodePng(MakeAppIcon(size), images.back())) {
            error = "cannot encode the " + std::to_string(size) + "-pixel icon";
            return false;
        }
    }
    std::vector<uint8_t> ico;
    const auto put16 = [&ico](uint32_t v) {
        ico.push_back(uint8_t(v & 0xFF));
        ico.push_back(uint8_t(v >> 8));
    };
    const auto put32 = [&put16](uint32_t v) {
        put16(v & 0xFFFF);
        put16(v >> 16);
    };
    put16(0);  // reserved
    put16(1);  // an icon, not a cursor
    put16(uint32_t(images.size()));
    uint32_t offset = uint32_t(6 + 16 * images.size());
    for (size_t i = 0; i < images.size(); ++i) {
        const int size = kWindowsIconSizes[i];
        ico.push_back(uint8_t(size == 256 ? 0 : size));  // 0 means 256
        ico.push_back(uint8_t(size == 256 ? 0 : size));
        ico.push_back(0);  // no palette
        ico.push_back(0);
        put16(1);   // colour planes
        put16(32);  // bits per pixel
        put32(uint32_t(images[i].size()));
        put32(offset);
        offset += uint32_t(images[i].size());
    }
    for (const auto& image : images) ico.insert(ico.end(), image.begin(), image.end());

    std::error_code ec;
    if (file.has_parent_path()) std::filesystem::create_directories(file.parent_path(), ec);
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(ico.data()), std::streamsize(ico.size()));
    if (!out) {
        error = "cannot write " + file.string();
        return false;
    }
    return true;
}
