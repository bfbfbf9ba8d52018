// combat/Explosions.h — destroyed ships and their explosions.

#pragma once

#include <cstdint>

namespace skyrend {

class TSkyrendMain;

void DestroyEnemyShip(TSkyrendMain& m, int32_t j);
void DrawExplosions(TSkyrendMain& m);

}  // namespace skyrend
