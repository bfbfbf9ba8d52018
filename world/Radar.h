// world/Radar.h — the radar: blips within reach, the sweep and the frame.

#pragma once

namespace skyrend {

struct GameState;
struct Stage;

void DrawRadar(GameState& g, const Stage& stage);

}  // namespace skyrend
