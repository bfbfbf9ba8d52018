// state/StartValues.h — the start values of a new game.

#pragma once

namespace skyrend {

struct GameState;

// The menu shown, the counters, the ship, its energy and the radar at their
// start values, every list empty.
void ResetStartValues(GameState& g);

}  // namespace skyrend
