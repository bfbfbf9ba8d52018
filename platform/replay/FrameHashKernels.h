// platform/replay/FrameHashKernels.h — the frame hash's one loop, built once
// per instruction set: each file that includes this header includes its own
// XXH3 (<xxhash.h>, inline or not) first.

#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/Platform.h"

namespace skyrend::platform::replay {

uint64_t HashFrameAvx2(const PixelView& frame, uint64_t seed);
uint64_t HashFrameAvx512(const PixelView& frame, uint64_t seed);
uint64_t HashFrameGeneric(const PixelView& frame, uint64_t seed);

// Rows one after another, as if the frame had no gaps between them.
static inline uint64_t HashFrameRows(const PixelView& frame, uint64_t seed) {
    const size_t row = static_cast<size_t>(frame.width) * sizeof(uint32_t);
    if (frame.pitch == frame.width)
        return XXH3_64bits_withSeed(frame.pixels, row * static_cast<size_t>(frame.height), seed);
    XXH3_state_t* state = XXH3_createState();
    XXH3_64bits_reset_withSeed(state, seed);
    for (int y = 0; y < frame.height; ++y)
        XXH3_64bits_update(state, frame.pixels + static_cast<size_t>(y) * frame.pitch, row);
    const uint64_t hash = XXH3_64bits_digest(state);
    XXH3_freeState(state);
    return hash;
}

}  // namespace skyrend::platform::replay
