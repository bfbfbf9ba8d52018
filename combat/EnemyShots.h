// combat/EnemyShots.h — the shots enemy ships fire.

#pragma once

#include <cstdint>

namespace skyrend {

class TSkyrendMain;

void FireEnemyShot(TSkyrendMain& m, int32_t i);
void DrawEnemyShots(TSkyrendMain& m);
void MoveEnemyShots(TSkyrendMain& m);

}  // namespace skyrend
