// platform/replay/FrameHashAvx512.cpp — the frame hash with AVX512 vectors,
// built for that instruction set alone and called only where the processor
// has it. XXH3 gives the same hash with any vector width.

#define XXH_INLINE_ALL
#define XXH_VECTOR XXH_AVX512
#include <xxhash.h>

#include "platform/replay/FrameHashKernels.h"

namespace skyrend::platform::replay {

uint64_t HashFrameAvx512(const PixelView& frame, uint64_t seed) { return HashFrameRows(frame, seed); }

}  // namespace skyrend::platform::replay
