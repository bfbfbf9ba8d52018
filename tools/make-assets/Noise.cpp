// tools/make-assets/Noise.cpp — seeded random numbers and value noise.

#include "tools/make-assets/Noise.h"

#include <cmath>

namespace skyrend::assets {

uint64_t Rng::Next() {
    uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

double Rng::Uniform() { return static_cast<double>(Next() >> 11) * (1.0 / 9007199254740992.0); }

double Rng::Gauss() {
    double sum = 0;
    for (int i = 0; i < 6; ++i) sum += Uniform();
    return (sum - 3.0) * std::sqrt(2.0);
}

// Hash of a lattice point to [0, 1].
static double Lattice(int32_t x, int32_t y, int32_t z, uint32_t seed) {
    uint32_t h = seed * 0x9E3779B1u;
    h ^= static_cast<uint32_t>(x) * 0x85EBCA77u;
    h = (h << 13) | (h >> 19);
    h ^= static_cast<uint32_t>(y) * 0xC2B2AE3Du;
    h = (h << 17) | (h >> 15);
    h ^= static_cast<uint32_t>(z) * 0x27D4EB2Fu;
    h ^= h >> 15;
    h *= 0x2C1B3C6Du;
    h ^= h >> 12;
    h *= 0x297A2D39u;
    h ^= h >> 15;
    return (h & 0xFFFFFF) / 16777215.0;
}

static double Smooth(double t) { return t * t * (3 - 2 * t); }

double ValueNoise3(double x, double y, double z, uint32_t seed) {
    double fx = std::floor(x), fy = std::floor(y), fz = std::floor(z);
    auto ix = static_cast<int32_t>(fx), iy = static_cast<int32_t>(fy), iz = static_cast<int32_t>(fz);
    double tx = Smooth(x - fx), ty = Smooth(y - fy), tz = Smooth(z - fz);
    double c[2];
    for (int k = 0; k < 2; ++k) {
        double a = Lattice(ix, iy, iz + k, seed), b = Lattice(ix + 1, iy, iz + k, seed);
        double d = Lattice(ix, iy + 1, iz + k, seed), e = Lattice(ix + 1, iy + 1, iz + k, seed);
        double top = a + (b - a) * tx, bottom = d + (e - d) * tx;
        c[k] = top + (bottom - top) * ty;
    }
    return c[0] + (c[1] - c[0]) * tz;
}

double ValueNoise(double x, double y, uint32_t seed) { return ValueNoise3(x, y, 0.0, seed); }

double Fbm(double x, double y, double z, int octaves, uint32_t seed) {
    double sum = 0, weight = 0, amplitude = 1, frequency = 1;
    for (int i = 0; i < octaves; ++i) {
        sum += amplitude * ValueNoise3(x * frequency, y * frequency, z * frequency, seed + i * 101u);
        weight += amplitude;
        amplitude *= 0.5;
        frequency *= 2.0;
    }
    return sum / weight;
}

}  // namespace skyrend::assets
