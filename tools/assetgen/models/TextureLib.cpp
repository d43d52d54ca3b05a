#include "TextureLib.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <tuple>
#include <vector>

#include "Noise.h"
#include "Random.h"

namespace modelgen {

namespace {

struct Rect {
    int x, y, w, h;
};

// Maps texture coordinates onto a torus so that 3D noise tiles in both directions.
V3 Torus(float u, float v, float scale) {
    float a = u * 2 * kPi, b = v * 2 * kPi;
    float R = 1.6f * scale, r = 0.7f * scale;
    return {(R + r * std::cos(b)) * std::cos(a), (R + r * std::cos(b)) * std::sin(a),
            r * std::sin(b)};
}

V3 Direction(int x, int y, int w, int h) {
    float lon = (x + 0.5f) / w * 2 * kPi, lat = (y + 0.5f) / h * kPi;
    return {std::sin(lat) * std::sin(lon), std::cos(lat), std::sin(lat) * std::cos(lon)};
}

void Split(Random& rng, const Rect& r, int depth, int minSize, std::vector<Rect>& out) {
    bool canX = r.w >= 2 * minSize, canY = r.h >= 2 * minSize;
    if (depth <= 0 || (!canX && !canY) || (depth < 3 && rng.Float() < 0.25f)) {
        out.push_back(r);
        return;
    }
    bool alongX = canX && (!canY || (r.w >= r.h ? rng.Float() < 0.75f : rng.Float() < 0.25f));
    if (alongX) {
        int cut = minSize + rng.Int(r.w - 2 * minSize + 1);
        Split(rng, {r.x, r.y, cut, r.h}, depth - 1, minSize, out);
        Split(rng, {r.x + cut, r.y, r.w - cut, r.h}, depth - 1, minSize, out);
    } else {
        int cut = minSize + rng.Int(r.h - 2 * minSize + 1);
        Split(rng, {r.x, r.y, r.w, cut}, depth - 1, minSize, out);
        Split(rng, {r.x, r.y + cut, r.w, r.h - cut}, depth - 1, minSize, out);
    }
}

void DrawPanels(Image& img, uint32_t seed, int depth, int minSize, float seamDepth) {
    const int n = img.Width();
    Random rng(seed);
    Noise noise(seed + 7);
    std::vector<Rect> rects;
    Split(rng, {0, 0, n, n}, depth, minSize, rects);
    std::vector<float> shade(static_cast<size_t>(n) * n, 0.86f);
    for (const Rect& r : rects) {
        float tone = 0.80f + rng.Range(-0.05f, 0.06f);
        bool vent = r.w >= 3 * minSize / 2 && r.h >= minSize && rng.Float() < 0.18f;
        for (int y = r.y; y < r.y + r.h; ++y) {
            for (int x = r.x; x < r.x + r.w; ++x) {
                int dx = std::min(x - r.x, r.x + r.w - 1 - x);
                int dy = std::min(y - r.y, r.y + r.h - 1 - y);
                float t = tone;
                if (dx == 0 || dy == 0)
                    t -= seamDepth;
                else if (x - r.x == 1 || y - r.y == 1)
                    t += 0.08f;
                else if (x == r.x + r.w - 2 || y == r.y + r.h - 2)
                    t -= seamDepth * 0.4f;
                if (vent && dx > 4 && dy > 4 && ((y - r.y) / 3) % 2 == 0) t -= 0.18f;
                shade[static_cast<size_t>(y) * n + x] = t;
            }
        }
        if (r.w > minSize && r.h > minSize && rng.Float() < 0.6f) {
            for (auto [cx, cy] :
                 {std::pair{r.x + 4, r.y + 4}, std::pair{r.x + r.w - 5, r.y + 4},
                  std::pair{r.x + 4, r.y + r.h - 5}, std::pair{r.x + r.w - 5, r.y + r.h - 5}}) {
                shade[static_cast<size_t>(cy) * n + cx] -= 0.25f;
                shade[static_cast<size_t>(cy - 1) * n + cx] += 0.1f;
            }
        }
    }
    for (int y = 0; y < n; ++y) {
        for (int x = 0; x < n; ++x) {
            float u = static_cast<float>(x) / n, v = static_cast<float>(y) / n;
            float grime = noise.Fbm(Torus(u, v, 3.0f), 4) * 0.07f;
            float s = shade[static_cast<size_t>(y) * n + x] + grime;
            img.Set(x, y, V3{s, s, s * 1.02f});
        }
    }
}

}  // namespace

Image TextureLib::Panels(uint32_t seed, int size, float seamDepth) {
    // Every robot part asks for the same plating; draw each variant once per run.
    static std::map<std::tuple<uint32_t, int, float>, Image> cache;
    auto key = std::make_tuple(seed, size, seamDepth);
    auto it = cache.find(key);
    if (it != cache.end()) return it->second;
    Image img(size, size);
    DrawPanels(img, seed, 5, size / 10, seamDepth);
    return cache[key] = img;
}

Image TextureLib::Hull(uint32_t seed, int size) {
    Image img(size, size);
    DrawPanels(img, seed, 7, size / 24, 0.22f);
    return img;
}

Image TextureLib::HullLights(uint32_t seed, int size) {
    Image img(size, size);
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) img.Set(x, y, {0, 0, 0});
    Random rng(seed);
    const int rows = 6;
    for (int row = 0; row < rows; ++row) {
        int y0 = row * size / rows + size / (rows * 3);
        for (int x = 2; x + 6 < size; x += 8) {
            if (rng.Float() < 0.7f) continue;
            V3 c = rng.Float() < 0.8f ? V3{1.0f, 0.85f, 0.55f} : V3{0.5f, 0.8f, 1.0f};
            for (int dy = 0; dy < 3; ++dy)
                for (int dx = 0; dx < 4; ++dx) img.Set(x + dx, y0 + dy, c);
        }
    }
    return img;
}

Image TextureLib::Hazard(int size) {
    Image img(size, size);
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            bool band = ((x + y) * 4 / size) % 2 == 0;
            img.Set(x, y, band ? V3{0.95f, 0.75f, 0.1f} : V3{0.12f, 0.12f, 0.13f});
        }
    }
    return img;
}

Image TextureLib::Rock(uint32_t seed, int size) {
    Image img(size, size);
    Noise noise(seed);
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            float u = static_cast<float>(x) / size, v = static_cast<float>(y) / size;
            V3 p = Torus(u, v, 2.5f);
            float base = noise.Fbm(p, 6, 0.55f);
            float cells = noise.Cells(p * 2.0f);
            float vein = std::fabs(noise.Fbm(p * 1.7f + V3{3, 1, 2}, 4));
            float s = 0.55f + base * 0.25f;
            if (cells < 0.25f) s -= (0.25f - cells) * 1.2f;
            if (vein < 0.04f) s += 0.12f;
            V3 c{s * 1.0f, s * 0.93f, s * 0.86f};
            img.Set(x, y, c);
        }
    }
    return img;
}

Image TextureLib::Space(uint32_t seed, int width, int height) {
    Image img(width, height);
    Noise noise(seed);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            V3 d = Direction(x, y, width, height);
            // A tilted milky band with two nebula tints drifting across it.
            V3 bandAxis = Normalize(V3{0.3f, 1.0f, 0.2f});
            float across = Dot(d, bandAxis);
            float band = std::exp(-across * across * 9.0f);
            float cloud = std::max(0.0f, noise.Fbm(d * 2.2f, 6) + 0.15f);
            float dust = std::max(0.0f, noise.Fbm(d * 5.0f + V3{4, 4, 4}, 4));
            float tint = std::clamp(0.5f + noise.Fbm(d * 1.3f + V3{9, 9, 9}, 3) * 1.5f, 0.0f, 1.0f);
            V3 nebula = Lerp(V3{0.42f, 0.12f, 0.52f}, V3{0.06f, 0.3f, 0.55f}, tint);
            V3 c = nebula * (cloud * cloud * 2.4f * (0.25f + band));
            c += V3{0.5f, 0.45f, 0.55f} * (band * 0.07f * (0.5f + dust));
            c += V3{0.008f, 0.01f, 0.02f};
            img.Set(x, y, c);
        }
    }
    Random rng(seed ^ 0xA5A5u);
    const int stars = width * height / 130;
    for (int i = 0; i < stars; ++i) {
        // Uniform on the sphere: rows near the poles are narrower, so fewer stars there.
        float z = rng.Range(-1.0f, 1.0f);
        int y = std::clamp(static_cast<int>(std::acos(z) / kPi * height), 0, height - 1);
        int x = rng.Int(width);
        float b = std::pow(rng.Float(), 6.0f);
        V3 tint = rng.Float() < 0.3f ? V3{1.0f, 0.85f, 0.7f} : V3{0.8f, 0.9f, 1.0f};
        img.Blend(x, y, tint, 0.15f + 0.85f * b);
        if (b > 0.3f) {
            for (auto [dx, dy] :
                 {std::pair{1, 0}, std::pair{-1, 0}, std::pair{0, 1}, std::pair{0, -1}}) {
                img.Blend(x + dx, y + dy, tint, b * 0.6f);
            }
        }
    }
    return img;
}

Image TextureLib::Planet(uint32_t seed, int width, int height) {
    Image img(width, height);
    Noise noise(seed);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            V3 d = Direction(x, y, width, height);
            float h = noise.Fbm(d * 1.8f, 7, 0.55f);
            float lat = std::fabs(d.y);
            V3 c;
            if (h < 0.02f) {
                c = Lerp(V3{0.03f, 0.10f, 0.32f}, V3{0.08f, 0.30f, 0.55f},
                         std::clamp(h + 0.5f, 0.0f, 1.0f));
            } else {
                float dry = noise.Fbm(d * 3.0f + V3{5, 5, 5}, 4);
                c = Lerp(V3{0.18f, 0.40f, 0.14f}, V3{0.55f, 0.45f, 0.28f},
                         std::clamp(dry + 0.5f, 0.0f, 1.0f));
            }
            if (lat > 0.86f)
                c = Lerp(c, V3{0.92f, 0.95f, 1.0f}, std::clamp((lat - 0.86f) * 12, 0.0f, 1.0f));
            float cloud = noise.Fbm(d * 3.5f + V3{20, 0, 0}, 6);
            c = Lerp(c, V3{1, 1, 1}, std::clamp((cloud - 0.05f) * 2.2f, 0.0f, 0.85f));
            img.Set(x, y, c);
        }
    }
    return img;
}

}  // namespace modelgen
