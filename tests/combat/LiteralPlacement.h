// tests/combat/LiteralPlacement.h — the fleet placement with its overlap
// shift done the plain way, for the tests and the benchmarks to compare the
// game's placement with.

#pragma once

#include <algorithm>

#include "combat/Enemies.h"
#include "state/GameState.h"

namespace skyrend::testing {

// The overlap shift as plainly described: compare with every other
// position, and start over after any pass that moved the ship.
inline void PlaceByFullScan(GameState& g) {
    EnemyShips& e = g.enemies;
    const int32_t count = std::min(g.config.EnemyCount, ListCapacity);
    for (int32_t i = 1; i <= count; ++i) {
        e.EnemyShipCount = i;
        e.EnemyVariant[i] = g.world.Rng.Random(2);
        e.EnemyHeading[i] = g.world.Rng.Random(319);
        e.EnemyX[i] = g.world.Rng.Random(g.world.WorldSize);
        e.EnemyY[i] = g.world.Rng.Random(g.world.WorldSize);
        bool shifted = true;
        while (shifted) {
            shifted = false;
            for (int32_t j = 1; j <= count; ++j) {
                if (j != i && e.EnemyX[j] == e.EnemyX[i] && e.EnemyY[j] == e.EnemyY[i]) {
                    e.EnemyX[i] += 63;
                    e.EnemyY[i] += 63;
                    shifted = true;
                }
            }
        }
        SetEnemyStartValues(e, i);
    }
}

}  // namespace skyrend::testing
