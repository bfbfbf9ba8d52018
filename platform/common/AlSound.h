// platform/common/AlSound.h — sound devices and voices over an OpenAL core.
//
// A sound device is a logical device over one shared core. A voice is one AL
// source; the wave it plays is one AL buffer, shared (and counted) by every
// duplicate of the voice.

#pragma once

#include <memory>
#include <string>

#include "platform/Platform.h"
#include "platform/common/AlCore.h"

namespace skyrend::platform {

std::unique_ptr<SoundDevice> MakeAlSoundDevice(std::shared_ptr<AlCore> core);

// Empty when OpenAL can play the format, else why it cannot.
std::string CheckWaveFormat(const WaveFormat& format);

}  // namespace skyrend::platform
