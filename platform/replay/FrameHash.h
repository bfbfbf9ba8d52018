// platform/replay/FrameHash.h — the fingerprint of a presented frame and of
// a file the game read.
//
// A frame is hashed as the game drew it (its own surface as handed to
// Present, before any scaling), so the real window and the headless screen
// give the same hash for the same game state. XXH3 with the widest vectors
// the processor has: about 50 microseconds for a 1024 x 768 frame.

#pragma once

#include <cstdint>
#include <string>

#include "platform/Platform.h"

namespace skyrend::platform::replay {

uint64_t HashFrame(const PixelView& frame);

// The file's size and hash; false when it cannot be read.
bool HashFile(const std::string& path, uint64_t& size, uint64_t& hash);

}  // namespace skyrend::platform::replay
