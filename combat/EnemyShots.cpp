// combat/EnemyShots.cpp — the shots enemy ships fire at the player: launch
// along the ship's heading, flight, animation, and the hits on other ships
// and on the player.
//
// A shot spares the list position that fired it. That position is not
// updated when ships before it are destroyed, so the shot then spares
// whichever ship has moved into it; when its own ship is destroyed it spares
// none.

#include "combat/EnemyShots.h"

#include "state/Flight.h"
#include "combat/ShotDrawing.h"
#include "combat/ShotHits.h"
#include "shell/Skyrendunit.h"
#include "world/Energy.h"
#include "state/Space.h"

namespace skyrend {

namespace {

constexpr int32_t ShotLifetime = 50;
constexpr int32_t ShotDamage = 5;

void RemoveShot(EnemyShots& s, int32_t position) {
    RemovePosition(position, s.EnemyShotCount, s.EnemyShotX, s.EnemyShotY, s.EnemyShotLife, s.EnemyShotSpeed,
                   s.EnemyShotHeading, s.EnemyShotFrame, s.EnemyShotDamage, s.EnemyShotOwner);
}

}  // namespace

void FireEnemyShot(TSkyrendMain& m, int32_t i) {
    GameState& g = m.state;
    const EnemyShips& e = g.enemies;
    EnemyShots& s = g.enemyShots;
    if (i < 1 || i > e.EnemyShipCount) return;
    // A full list takes no shot, and a shot that is not there makes no sound.
    const int32_t n = AppendPosition(s.EnemyShotCount);
    if (n == 0) return;
    s.EnemyShotSpeed[n] = e.EnemySpeed[i] * 2 + 10;
    s.EnemyShotHeading[n] = e.EnemyHeading[i];
    s.EnemyShotFrame[n] = 0;
    s.EnemyShotLife[n] = ShotLifetime;
    s.EnemyShotDamage[n] = ShotDamage;
    s.EnemyShotX[n] = e.EnemyX[i];
    s.EnemyShotY[n] = e.EnemyY[i];
    StepAlongHeading(s.EnemyShotX[n], s.EnemyShotY[n], s.EnemyShotHeading[n], s.EnemyShotSpeed[n]);
    // The owner is recorded before the cue, so that a cue that fails leaves
    // no shot with a stale owner behind.
    s.EnemyShotOwner[n] = i;
    PlayCue(m, 0);
}

void DrawEnemyShots(TSkyrendMain& m) {
    GameState& g = m.state;
    EnemyShots& s = g.enemyShots;
    DrawShotList(m, *m.enemy_weapons, {s.EnemyShotCount, s.EnemyShotX, s.EnemyShotY, s.EnemyShotHeading, s.EnemyShotFrame}, g.ticks.EnemyShotTick);
}

void MoveEnemyShots(TSkyrendMain& m) {
    GameState& g = m.state;
    EnemyShots& s = g.enemyShots;
    for (int32_t i = 1; i <= s.EnemyShotCount; ++i) {
        StepAlongHeading(s.EnemyShotX[i], s.EnemyShotY[i], s.EnemyShotHeading[i], s.EnemyShotSpeed[i]);
        --s.EnemyShotLife[i];
    }
    ShipHitScan hits(m, s.EnemyShotCount);
    int32_t i = 1;
    while (i <= s.EnemyShotCount) {
        if (s.EnemyShotLife[i] == 0) {
            RemoveShot(s, i);  // the next shot moves into position i
            continue;
        }
        hits.Scan(s.EnemyShotX[i], s.EnemyShotY[i], s.EnemyShotOwner[i], s.EnemyShotLife[i]);
        // A shot that has just hit a ship still reaches the player.
        if (WithinHitBox(g.world.CameraX, g.world.CameraY, s.EnemyShotX[i], s.EnemyShotY[i])) {
            s.EnemyShotLife[i] = 1;
            DamageShip(g, s.EnemyShotDamage[i]);
        }
        ++i;
    }
}

}  // namespace skyrend
