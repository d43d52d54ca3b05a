#pragma once

#include <cstdint>

namespace modelgen {

// SplitMix64: small, fast and identical on every platform, so generated assets are
// byte-for-byte reproducible from their seeds.
class Random {
public:
    explicit Random(uint64_t seed) : state_(seed) {}

    uint64_t Next() {
        uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    // Uniform in [0, 1).
    float Float() { return static_cast<float>(Next() >> 40) / 16777216.0f; }
    float Range(float lo, float hi) { return lo + (hi - lo) * Float(); }
    int Int(int n) { return static_cast<int>(Next() % static_cast<uint64_t>(n)); }

private:
    uint64_t state_;
};

}  // namespace modelgen
