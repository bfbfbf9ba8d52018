// combat/Explosions.h — destroyed ships and their explosions.

#pragma once

#include <cstdint>
#include <vector>

namespace skyrend {

struct GameState;
struct Stage;
struct EnemyShips;

void DestroyEnemyShip(GameState& g, const Stage& stage, int32_t j);
void DrawExplosions(GameState& g, const Stage& stage);

// DestroyEnemyShip in two halves, for scans that destroy many ships of a big
// fleet: everything but the removal, for the ship now at position j whose
// fields are at (x, y); and the removal of many ships in one pass (positions
// ascending, as they stood before the first of them was removed).
void ExplodeEnemyShip(GameState& g, const Stage& stage, int32_t j, double x, double y);
void RemoveEnemyShips(EnemyShips& e, const std::vector<int32_t>& positions);

// The draw angle of every explosion in 1/256 turns, not rounded: a sprite of
// world heading 180 seen from the ship's heading.
float ExplosionDrawAngle(long double shipHeading);

}  // namespace skyrend
