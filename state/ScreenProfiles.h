// state/ScreenProfiles.h — the screen profiles a configuration file chooses.

#pragma once

namespace skyrend {

struct GameState;

// Sets the eleven profile values from ResolutionIndex; any other index
// leaves them as they were.
void ApplyScreenProfile(GameState& g);

}  // namespace skyrend
