// tests/world/WorldFixture.h — a game state with the start values of a new
// game on the 1024 x 768 profile, for the world's pure routines.

#pragma once

#include <memory>

#include "state/GameState.h"

namespace skyrend::testing {

inline void SetProfile1024(GameState& g) {
    g.config.ScreenWidth = 1024;
    g.config.ScreenHeight = 768;
    g.config.ViewRange = 640;
    g.config.ScreenCentreX = 512;
    g.config.ScreenCentreY = 384;
    g.config.ShipDrawX = 478;
    g.config.ShipDrawY = 359;
}

inline void SetShipStartValues(GameState& g) {
    g.ship.ShipHeading = 0.0L;
    g.ship.ShipTurnSpeed = 0.01L;
    g.ship.TurnStep = 0.08;
    g.ship.MaxTurnSpeed = 2;
    g.ship.MinTurnSpeed = -2;
    g.ship.ShipSpeed = 1.0;
    g.ship.SpeedStep = 0.12;
    g.ship.MaxSpeed = 10;
    g.ship.MinSpeed = -2;
    g.energy.Energy = 100;
    g.energy.EnergyShown = 0;
    g.exhaust.ExhaustCount = 0;
}

// The game state is large (every list has its full storage): keep it on
// the heap.
inline std::unique_ptr<GameState> NewGameState() {
    auto g = std::make_unique<GameState>();
    SetProfile1024(*g);
    SetShipStartValues(*g);
    g->world.WorldSize = 20000;
    g->world.CameraX = g->world.CameraY = g->world.FarCameraX = g->world.FarCameraY = 10000.0;
    return g;
}

}  // namespace skyrend::testing
