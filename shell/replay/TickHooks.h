// shell/replay/TickHooks.h — the end of every tick of the game, with the
// sound cues it played, for a replay's recorder or player.

#pragma once

#include <functional>

#include "platform/replay/ReplayFormat.h"
#include "shell/Skyrendunit.h"

namespace skyrend {

// After each tick of the game's timer (also one that failed), calls
// `afterTick` with the cues played since the tick before. The handlers
// already bound (the tick, a cue observer) keep running as before.
void HookTicks(TSkyrendMain& main, std::function<void(const platform::replay::Cues&)> afterTick);

}  // namespace skyrend
