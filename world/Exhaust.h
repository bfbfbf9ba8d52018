// world/Exhaust.h — the smoke puffs a thrusting ship leaves behind it.

#pragma once

namespace skyrend {

class TSkyrendMain;
struct GameState;

void SpawnExhaustPuff(TSkyrendMain& m);
void DrawExhaustPuffs(TSkyrendMain& m);
void MoveExhaustPuffs(TSkyrendMain& m);

// The same on the game state alone (drawing needs the main window).
void SpawnExhaustPuff(GameState& g);
void MoveExhaustPuffs(GameState& g);

}  // namespace skyrend
