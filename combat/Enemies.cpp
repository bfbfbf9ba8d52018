// combat/Enemies.cpp — the fleet's two entry points: placing it at a new
// game, and the frame's update of steering, motion and drawing.

#include "combat/Enemies.h"

#include "shell/Skyrendunit.h"

namespace skyrend {

void PlaceEnemyShips(TSkyrendMain& m) { PlaceEnemyShips(m.state); }

void UpdateEnemyShips(TSkyrendMain& m) {
    SteerEnemyShips(m);
    MoveEnemyShips(m.state);
    WriteShipCount(m, DrawEnemyShips(m));
}

}  // namespace skyrend
