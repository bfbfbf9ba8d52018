// world/Exhaust.h — the smoke puffs a thrusting ship leaves behind it.

#pragma once

#include <cstdint>

namespace skyrend {

struct GameState;
struct Stage;

void SpawnExhaustPuff(GameState& g);
void DrawExhaustPuffs(GameState& g, const Stage& stage);
void MoveExhaustPuffs(GameState& g);

// The draw angle of a puff in 1/256 turns: how far the ship has turned since
// the puff was dropped, so the puff keeps its orientation in the world.
int64_t PuffAngle(long double puffHeading, long double shipHeading);

}  // namespace skyrend
