// combat/PlayerShots.cpp — the player's plasma shots: firing along the
// ship's heading, flight, animation and the hits on enemy ships.
//
// A shot flies 10 units per frame faster than the ship moved when it fired.

#include "combat/PlayerShots.h"

#include "combat/ShotList.h"
#include "state/GameState.h"
#include "state/Stage.h"

namespace skyrend {

namespace {
constexpr int32_t FireCooldown = 10;
constexpr int32_t ShotLifetime = 100;
}  // namespace

void FirePlayerShot(GameState& g, const Stage& stage) {
    PlayerShots& s = g.playerShots;
    if (s.PlayerFireCooldown != 0) return;
    s.PlayerFireCooldown = FireCooldown;
    // A full list takes no shot, and a shot that is not there makes no sound.
    if (LaunchShot(PlayerShotList(s), g.world.CameraX, g.world.CameraY, g.ship.ShipHeading, g.ship.ShipSpeed,
                   ShotLifetime) == 0)
        return;
    stage.PlayCue(0);
}

void DrawPlayerShots(GameState& g, const Stage& stage) {
    DrawShotList(g, stage, *stage.Weapons, PlayerShotList(g.playerShots), g.ticks.PlayerShotTick);
}

void MovePlayerShots(GameState& g, const Stage& stage) { MoveShotList(g, stage, PlayerShotList(g.playerShots)); }

}  // namespace skyrend
