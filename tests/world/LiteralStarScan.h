// tests/world/LiteralStarScan.h — the star generation with its collision
// scan done the slow, obvious way, to check the fast one against (and to
// time it in the benchmarks).

#pragma once

#include <cstdint>

#include "state/GameState.h"

namespace skyrend::testing {

// Star i is compared with every other entry 1..count in order and moved by
// (shift, shift) at each match, the scan going on with the moved position;
// the whole scan repeats while it found a match. With `skipEmptyScans`, a
// quick count of the other entries at the star's position first tells
// whether a scan would find anything (a scan that finds nothing changes
// nothing); the tests use it to keep the full scan affordable.
template <bool skipEmptyScans = false>
void LiteralStarLayer(StarLayer& layer, int32_t count, RandomGenerator& rng, int32_t worldSize,
                      int32_t itemCount, int32_t firstItem, int32_t shift) {
    for (int32_t i = 1; i <= count; ++i) {
        layer.X[i] = rng.Random(worldSize);
        layer.Y[i] = rng.Random(worldSize);
        layer.Item[i] = rng.Random(itemCount) + firstItem;
        bool found;
        do {
            found = false;
            if constexpr (skipEmptyScans) {
                const int32_t* xs = &layer.X[1];
                const int32_t* ys = &layer.Y[1];
                const int32_t x = layer.X[i], y = layer.Y[i];
                int32_t hits = 0;
                for (int32_t j = 0; j < count; ++j) hits += (xs[j] == x) & (ys[j] == y);
                if (hits == 1) break;  // only the star itself
            }
            for (int32_t j = 1; j <= count; ++j) {
                if (j != i && layer.X[j] == layer.X[i] && layer.Y[j] == layer.Y[i]) {
                    layer.X[i] += shift;
                    layer.Y[i] += shift;
                    found = true;
                }
            }
        } while (found);
    }
}

}  // namespace skyrend::testing
