// world/Exhaust.h — the smoke puffs a thrusting ship leaves behind it.

#pragma once

namespace skyrend {

class TSkyrendMain;

void SpawnExhaustPuff(TSkyrendMain& m);
void DrawExhaustPuffs(TSkyrendMain& m);
void MoveExhaustPuffs(TSkyrendMain& m);

}  // namespace skyrend
