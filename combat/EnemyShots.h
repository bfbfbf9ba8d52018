// combat/EnemyShots.h — the shots enemy ships fire.

#pragma once

#include <cstdint>

namespace skyrend {

struct GameState;
struct Stage;

void FireEnemyShot(GameState& g, const Stage& stage, int32_t i);
void DrawEnemyShots(GameState& g, const Stage& stage);
void MoveEnemyShots(GameState& g, const Stage& stage);

}  // namespace skyrend
