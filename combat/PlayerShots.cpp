// combat/PlayerShots.cpp — the player's plasma shots: firing along the
// ship's heading, flight, animation and the hits on enemy ships.
//
// A shot flies 10 units per frame faster than the ship moved when it fired;
// after a hit it flies one more frame and is gone.

#include "combat/PlayerShots.h"

#include "state/Flight.h"
#include "combat/ShotDrawing.h"
#include "combat/ShotHits.h"
#include "shell/Skyrendunit.h"
#include "state/Space.h"

namespace skyrend {

namespace {

constexpr int32_t FireCooldown = 10;
constexpr int32_t ShotLifetime = 100;

void RemoveShot(PlayerShots& s, int32_t position) {
    RemovePosition(position, s.PlayerShotCount, s.PlayerShotX, s.PlayerShotY, s.PlayerShotLife, s.PlayerShotSpeed,
                   s.PlayerShotHeading, s.PlayerShotFrame);
}

}  // namespace

void FirePlayerShot(TSkyrendMain& m) {
    GameState& g = m.state;
    PlayerShots& s = g.playerShots;
    if (s.PlayerFireCooldown != 0) return;
    s.PlayerFireCooldown = FireCooldown;
    // A full list takes no shot, and a shot that is not there makes no sound.
    const int32_t n = AppendPosition(s.PlayerShotCount);
    if (n == 0) return;
    s.PlayerShotSpeed[n] = g.ship.ShipSpeed * 2 + 10;
    s.PlayerShotHeading[n] = g.ship.ShipHeading;
    s.PlayerShotFrame[n] = 0;
    s.PlayerShotLife[n] = ShotLifetime;
    s.PlayerShotX[n] = g.world.CameraX;
    s.PlayerShotY[n] = g.world.CameraY;
    StepAlongHeading(s.PlayerShotX[n], s.PlayerShotY[n], s.PlayerShotHeading[n], s.PlayerShotSpeed[n]);
    PlayCue(m, 0);
}

void DrawPlayerShots(TSkyrendMain& m) {
    GameState& g = m.state;
    PlayerShots& s = g.playerShots;
    DrawShotList(m, *m.Weapons, {s.PlayerShotCount, s.PlayerShotX, s.PlayerShotY, s.PlayerShotHeading, s.PlayerShotFrame}, g.ticks.PlayerShotTick);
}

void MovePlayerShots(TSkyrendMain& m) {
    PlayerShots& s = m.state.playerShots;
    for (int32_t i = 1; i <= s.PlayerShotCount; ++i) {
        StepAlongHeading(s.PlayerShotX[i], s.PlayerShotY[i], s.PlayerShotHeading[i], s.PlayerShotSpeed[i]);
        --s.PlayerShotLife[i];
    }
    ShipHitScan hits(m, s.PlayerShotCount);
    int32_t i = 1;
    while (i <= s.PlayerShotCount) {
        if (s.PlayerShotLife[i] == 0) {
            RemoveShot(s, i);  // the next shot moves into position i
            continue;
        }
        hits.Scan(s.PlayerShotX[i], s.PlayerShotY[i], NoOwner, s.PlayerShotLife[i]);
        ++i;
    }
}

}  // namespace skyrend
