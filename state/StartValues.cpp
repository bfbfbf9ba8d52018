// state/StartValues.cpp — the values every new game starts from.
//
// Emptying a list only sets its live count to 0: the storage keeps what the
// previous game left.

#include "state/StartValues.h"

#include "state/GameState.h"

namespace skyrend {

void ResetStartValues(GameState& g) {
    g.shell.MenuOverlayShown = 1;
    g.ticks.NearStarTick = 0;
    g.ticks.FarStarTick = 0;
    g.ship.ShipHeading = 0.0L;
    g.energy.Energy = 100;
    g.energy.EnergyShown = 0;
    g.ship.MaxSpeed = 10;
    g.ship.MinSpeed = -2;
    g.ship.SpeedStep = 0.12;
    g.ship.ShipSpeed = 1.0;
    g.ship.MaxTurnSpeed = 2;
    g.ship.MinTurnSpeed = -2;
    g.ship.ShipTurnSpeed = 0.01L;
    g.ship.TurnStep = 0.08;
    g.explosions.ExplosionCount = 0;
    g.shell.CueDeviceIndex = 0;
    g.playerShots.PlayerShotCount = 0;
    g.enemyShots.EnemyShotCount = 0;
    g.enemies.EnemyShipCount = 0;
    g.playerShots.PlayerFireCooldown = 1;
    // The enemy countdowns are reset over positions 1..EnemyShipCount, which
    // is already 0 here: each keeps what the previous game left.
    for (int32_t i = 1; i <= g.enemies.EnemyShipCount; ++i) g.enemies.EnemyFireCooldown[i] = 1;
    g.exhaust.ExhaustCount = 0;
    g.radar.RadarSweepFrame = 0;
    g.radar.RadarRange = 1000;
}

}  // namespace skyrend
