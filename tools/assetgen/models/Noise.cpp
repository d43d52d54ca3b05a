#include "Noise.h"

#include <algorithm>
#include <cmath>

namespace modelgen {

uint32_t Noise::Hash(int x, int y, int z) const {
    uint32_t h = seed_ * 0x9E3779B1u;
    h ^= static_cast<uint32_t>(x) * 0x85EBCA6Bu;
    h = (h << 13) | (h >> 19);
    h ^= static_cast<uint32_t>(y) * 0xC2B2AE35u;
    h = (h << 11) | (h >> 21);
    h ^= static_cast<uint32_t>(z) * 0x27D4EB2Fu;
    h ^= h >> 15;
    h *= 0x2C1B3C6Du;
    h ^= h >> 12;
    h *= 0x297A2D39u;
    h ^= h >> 15;
    return h;
}

float Noise::Lattice(int x, int y, int z) const {
    return static_cast<float>(Hash(x, y, z) & 0xFFFFFFu) / 8388607.5f - 1.0f;
}

float Noise::Value(const V3& p) const {
    float fx = std::floor(p.x), fy = std::floor(p.y), fz = std::floor(p.z);
    int ix = static_cast<int>(fx), iy = static_cast<int>(fy), iz = static_cast<int>(fz);
    auto fade = [](float t) { return t * t * t * (t * (t * 6 - 15) + 10); };
    float u = fade(p.x - fx), v = fade(p.y - fy), w = fade(p.z - fz);
    auto lerp = [](float a, float b, float t) { return a + (b - a) * t; };
    float x00 = lerp(Lattice(ix, iy, iz), Lattice(ix + 1, iy, iz), u);
    float x10 = lerp(Lattice(ix, iy + 1, iz), Lattice(ix + 1, iy + 1, iz), u);
    float x01 = lerp(Lattice(ix, iy, iz + 1), Lattice(ix + 1, iy, iz + 1), u);
    float x11 = lerp(Lattice(ix, iy + 1, iz + 1), Lattice(ix + 1, iy + 1, iz + 1), u);
    return lerp(lerp(x00, x10, v), lerp(x01, x11, v), w);
}

float Noise::Fbm(const V3& p, int octaves, float gain) const {
    float sum = 0, amp = 1, norm = 0;
    V3 q = p;
    for (int i = 0; i < octaves; ++i) {
        sum += Value(q) * amp;
        norm += amp;
        amp *= gain;
        // Offsetting each octave keeps lattice points of different octaves from lining up.
        q = q * 2.03f + V3{17.1f, 5.3f, 9.7f};
    }
    return sum / norm;
}

float Noise::Cells(const V3& p) const {
    int ix = static_cast<int>(std::floor(p.x));
    int iy = static_cast<int>(std::floor(p.y));
    int iz = static_cast<int>(std::floor(p.z));
    float best = 10.0f;
    for (int dz = -1; dz <= 1; ++dz) {
        for (int dy = -1; dy <= 1; ++dy) {
            for (int dx = -1; dx <= 1; ++dx) {
                uint32_t h = Hash(ix + dx, iy + dy, iz + dz);
                V3 c{ix + dx + (h & 255) / 255.0f, iy + dy + ((h >> 8) & 255) / 255.0f,
                     iz + dz + ((h >> 16) & 255) / 255.0f};
                best = std::min(best, Length(c - p));
            }
        }
    }
    return best;
}

}  // namespace modelgen
