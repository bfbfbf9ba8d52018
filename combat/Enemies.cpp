// combat/Enemies.cpp — the frame's update of the fleet: steering, motion
// and drawing, in that order.

#include "combat/Enemies.h"

#include "state/GameState.h"
#include "state/Stage.h"

namespace skyrend {

void UpdateEnemyShips(GameState& g, const Stage& stage) {
    SteerEnemyShips(g, stage);
    MoveEnemyShips(g);
    WriteShipCount(stage, DrawEnemyShips(g, stage));
}

}  // namespace skyrend
