// state/Random.h — the game's one pseudo-random generator.
//
// A linear congruential generator: every draw first steps the seed, then
// scales it into [0, n). The order of draws is part of the game's behaviour:
// the same seed gives the same stars, bonus objects and fleet.

#pragma once

#include <cstdint>

namespace skyrend {

struct RandomGenerator {
    uint32_t seed = 0;

    // A uniform integer in [0, n).
    int32_t Random(int32_t n) {
        seed = seed * 134775813u + 1u;
        return static_cast<int32_t>((static_cast<uint64_t>(seed) * static_cast<uint32_t>(n)) >> 32);
    }
    // Reseeds from the UTC time of day in milliseconds.
    void Randomize(uint32_t millisecondOfDay) { seed = millisecondOfDay; }
};

}  // namespace skyrend
