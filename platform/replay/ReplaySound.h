// platform/replay/ReplaySound.h — sound devices and voices whose answers
// come from a replay; they play on the back-end's own devices, where it
// has them.

#pragma once

#include <memory>

#include "platform/Platform.h"
#include "platform/replay/ReplayPlayer.h"

namespace skyrend::platform::replay {

// A device the recording made; `inner` may be null (no sound here).
std::unique_ptr<SoundDevice> ReplaySoundDevice(std::unique_ptr<SoundDevice> inner,
                                               std::shared_ptr<ReplayPlayer> player);

}  // namespace skyrend::platform::replay
