// world/Exhaust.h — the smoke puffs a thrusting ship leaves behind it.

#pragma once

#include <cstdint>

namespace skyrend {

class TSkyrendMain;
struct GameState;

void SpawnExhaustPuff(TSkyrendMain& m);
void DrawExhaustPuffs(TSkyrendMain& m);
void MoveExhaustPuffs(TSkyrendMain& m);

// The same on the game state alone (drawing needs the main window).
void SpawnExhaustPuff(GameState& g);
void MoveExhaustPuffs(GameState& g);

// The draw angle of a puff in 1/256 turns: how far the ship has turned since
// the puff was dropped, so the puff keeps its orientation in the world.
int64_t PuffAngle(long double puffHeading, long double shipHeading);

}  // namespace skyrend
