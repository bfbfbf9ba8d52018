// combat/Enemies.h — the enemy fleet: placement and the per-frame update.

#pragma once

namespace skyrend {

class TSkyrendMain;

void PlaceEnemyShips(TSkyrendMain& m);
void UpdateEnemyShips(TSkyrendMain& m);

}  // namespace skyrend
