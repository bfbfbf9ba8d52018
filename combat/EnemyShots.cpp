// combat/EnemyShots.cpp — the shots enemy ships fire at the player: launch
// along the ship's heading, flight, animation, and the hits on other ships
// and on the player.
//
// A shot spares the list position that fired it. That position is not
// updated when ships before it are destroyed, so the shot then spares
// whichever ship has moved into it; when its own ship is destroyed it spares
// none.

#include "combat/EnemyShots.h"

#include "combat/ShotList.h"
#include "state/GameState.h"
#include "state/Stage.h"

namespace skyrend {

namespace {
constexpr int32_t ShotLifetime = 50;
constexpr int32_t ShotDamage = 5;
}  // namespace

void FireEnemyShot(GameState& g, const Stage& stage, int32_t i) {
    const EnemyShips& e = g.enemies;
    EnemyShots& s = g.enemyShots;
    if (i < 1 || i > e.EnemyShipCount) return;
    // A full list takes no shot, and a shot that is not there makes no sound.
    const int32_t n = LaunchShot(EnemyShotList(s), e.EnemyX[i], e.EnemyY[i], e.EnemyHeading[i], e.EnemySpeed[i],
                                 ShotLifetime);
    if (n == 0) return;
    s.EnemyShotDamage[n] = ShotDamage;
    // The owner is recorded before the cue, so that a cue that fails leaves
    // no shot with a stale owner behind.
    s.EnemyShotOwner[n] = i;
    stage.PlayCue(0);
}

void DrawEnemyShots(GameState& g, const Stage& stage) {
    DrawShotList(g, stage, *stage.enemy_weapons, EnemyShotList(g.enemyShots), g.ticks.EnemyShotTick);
}

void MoveEnemyShots(GameState& g, const Stage& stage) { MoveShotList(g, stage, EnemyShotList(g.enemyShots)); }

}  // namespace skyrend
