#pragma once

#include <cstdint>

#include "ModelMath.h"

namespace modelgen {

// Seeded lattice value noise in three dimensions. Sampling by 3D position lets textures
// wrapped on spheres and rocks come out without seams.
class Noise {
public:
    explicit Noise(uint32_t seed) : seed_(seed) {}

    // Smooth noise in [-1, 1].
    float Value(const V3& p) const;
    // Sum of octaves, each at twice the frequency and `gain` times the amplitude; result
    // roughly in [-1, 1].
    float Fbm(const V3& p, int octaves, float gain = 0.5f) const;
    // Distance to the nearest of the jittered cell points (cellular noise), in cell units.
    float Cells(const V3& p) const;

private:
    float Lattice(int x, int y, int z) const;
    uint32_t Hash(int x, int y, int z) const;

    uint32_t seed_;
};

}  // namespace modelgen
