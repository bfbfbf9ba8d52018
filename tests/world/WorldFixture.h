// tests/world/WorldFixture.h — a game state with the start values of a new
// game on the 1024 x 768 profile, for the world's pure routines.

#pragma once

#include <array>
#include <memory>

#include "state/GameState.h"
#include "state/ScreenProfiles.h"
#include "state/StartValues.h"

namespace skyrend::testing {

// The game state is large (every list has its full storage): keep it on
// the heap.
inline std::unique_ptr<GameState> NewGameState() {
    auto g = std::make_unique<GameState>();
    ApplyScreenProfile(*g);  // profile 0, 1024 x 768
    ResetStartValues(*g);
    g->world.WorldSize = 20000;
    g->world.CameraX = g->world.CameraY = g->world.FarCameraX = g->world.FarCameraY = 10000.0;
    return g;
}

// Where the cameras stand: near x, near y, far x, far y.
inline std::array<double, 4> Cameras(const GameState& g) {
    return {g.world.CameraX, g.world.CameraY, g.world.FarCameraX, g.world.FarCameraY};
}

}  // namespace skyrend::testing
