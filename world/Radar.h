// world/Radar.h — the radar: blips within reach, the sweep and the frame.

#pragma once

namespace skyrend {

class TSkyrendMain;

void DrawRadar(TSkyrendMain& m);

}  // namespace skyrend
