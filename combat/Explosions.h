// combat/Explosions.h — destroyed ships and their explosions.

#pragma once

#include <cstdint>

namespace skyrend {

class TSkyrendMain;

void DestroyEnemyShip(TSkyrendMain& m, int32_t j);
void DrawExplosions(TSkyrendMain& m);

// The draw angle of every explosion in 1/256 turns, not rounded: a sprite of
// world heading 180 seen from the ship's heading.
float ExplosionDrawAngle(long double shipHeading);

}  // namespace skyrend
