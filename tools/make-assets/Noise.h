// tools/make-assets/Noise.h — the asset maker's own random numbers and noise.
//
// Everything is seeded by constants, so every run draws the same pictures and
// synthesises the same samples.

#pragma once

#include <cstdint>

namespace skyrend::assets {

// A small generator (SplitMix64): the same seed gives the same sequence on
// every machine.
class Rng {
public:
    explicit Rng(uint64_t seed) : state_(seed) {}
    uint64_t Next();
    // Uniform in [0, 1).
    double Uniform();
    // Uniform in [lo, hi).
    double Range(double lo, double hi) { return lo + (hi - lo) * Uniform(); }
    // Roughly normal with mean 0 and deviation 1 (sum of uniforms).
    double Gauss();

private:
    uint64_t state_;
};

// Lattice value noise in [0, 1], smooth between integer points; `seed`
// selects an independent field.
double ValueNoise(double x, double y, uint32_t seed);
// Three-dimensional value noise (the third axis animates a field smoothly).
double ValueNoise3(double x, double y, double z, uint32_t seed);
// Fractal sum of `octaves` layers of ValueNoise3, in [0, 1].
double Fbm(double x, double y, double z, int octaves, uint32_t seed);

}  // namespace skyrend::assets
