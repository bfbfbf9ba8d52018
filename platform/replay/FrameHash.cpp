// platform/replay/FrameHash.cpp — XXH3 over frames and files.

#include "platform/replay/FrameHash.h"

#include <xxhash.h>

#include "platform/replay/FrameHashKernels.h"

#include <fstream>
#include <vector>

namespace skyrend::platform::replay {

uint64_t HashFrameGeneric(const PixelView& frame, uint64_t seed) {
    return HashFrameRows(frame, seed);
}

namespace {

// The widest vectors the processor has.
using Kernel = uint64_t (*)(const PixelView&, uint64_t);
Kernel PickKernel() {
    __builtin_cpu_init();
    if (__builtin_cpu_supports("avx512f")) return HashFrameAvx512;
    if (__builtin_cpu_supports("avx2")) return HashFrameAvx2;
    return HashFrameGeneric;
}

}  // namespace

// The size is the seed, so that frames of different shapes never collide
// on equal bytes.
uint64_t HashFrame(const PixelView& frame) {
    if (!frame.pixels || frame.width <= 0 || frame.height <= 0 || frame.pitch < frame.width) return 0;
    static const Kernel kernel = PickKernel();
    const uint64_t seed = (static_cast<uint64_t>(frame.width) << 32) | static_cast<uint32_t>(frame.height);
    return kernel(frame, seed);
}

bool HashFile(const std::string& path, uint64_t& size, uint64_t& hash) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    XXH3_state_t* state = XXH3_createState();
    XXH3_64bits_reset(state);
    std::vector<char> buffer(1 << 16);
    size = 0;
    while (in) {
        in.read(buffer.data(), static_cast<std::streamsize>(buffer.size()));
        const auto got = static_cast<size_t>(in.gcount());
        XXH3_64bits_update(state, buffer.data(), got);
        size += got;
    }
    const bool ok = in.eof();
    hash = XXH3_64bits_digest(state);
    XXH3_freeState(state);
    return ok;
}

}  // namespace skyrend::platform::replay
