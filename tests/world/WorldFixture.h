// tests/world/WorldFixture.h — a game state with the start values of a new
// game on the 1024 x 768 profile, for the world's pure routines.

#pragma once

#include <memory>

#include "state/GameState.h"
#include "state/StartValues.h"

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

// The game state is large (every list has its full storage): keep it on
// the heap.
inline std::unique_ptr<GameState> NewGameState() {
    auto g = std::make_unique<GameState>();
    SetProfile1024(*g);
    ResetStartValues(*g);
    g->world.WorldSize = 20000;
    g->world.CameraX = g->world.CameraY = g->world.FarCameraX = g->world.FarCameraY = 10000.0;
    return g;
}

}  // namespace skyrend::testing
