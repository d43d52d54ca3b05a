#pragma once

#include <cstdint>

// Small deterministic generator (SplitMix64 seeding a xorshift64*), so every asset comes out
// byte-identical on every machine; the C library's rand() is neither portable nor seedable per use.
class Rng {
public:
    explicit Rng(uint64_t seed) {
        uint64_t z = seed + 0x9E3779B97F4A7C15ull;
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        state_ = (z ^ (z >> 31)) | 1ull;
    }

    uint64_t NextU64() {
        state_ ^= state_ >> 12;
        state_ ^= state_ << 25;
        state_ ^= state_ >> 27;
        return state_ * 0x2545F4914F6CDD1Dull;
    }

    // Uniform in [0, 1) with 24 bits, exact in a float.
    float Uniform() { return static_cast<float>(NextU64() >> 40) * (1.0f / 16777216.0f); }
    float Range(float lo, float hi) { return lo + (hi - lo) * Uniform(); }
    // Uniform in [-1, 1): the white-noise source of the synthesiser.
    float Signed() { return Uniform() * 2.0f - 1.0f; }
    int Int(int lo, int hiInclusive) {
        const uint64_t span = static_cast<uint64_t>(hiInclusive - lo + 1);
        return lo + static_cast<int>(NextU64() % span);
    }

private:
    uint64_t state_;
};
