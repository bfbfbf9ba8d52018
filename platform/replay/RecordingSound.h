// platform/replay/RecordingSound.h — sound devices and voices whose answers
// (made or not, still playing or not) are recorded.

#pragma once

#include <memory>

#include "platform/Platform.h"
#include "platform/replay/ReplayWriter.h"

namespace skyrend::platform::replay {

std::unique_ptr<SoundDevice> RecordSoundDevice(std::unique_ptr<SoundDevice> inner,
                                               std::shared_ptr<ReplayWriter> writer);

}  // namespace skyrend::platform::replay
