// platform/replay/FrameHash.cpp — XXH3 over frames and files.

#include "platform/replay/FrameHash.h"

#include <xxhash.h>

#include <fstream>
#include <vector>

namespace skyrend::platform::replay {

// The size is the seed, so that frames of different shapes never collide
// on equal bytes.
uint64_t HashFrame(const PixelView& frame) {
    if (!frame.pixels || frame.width <= 0 || frame.height <= 0) return 0;
    const uint64_t seed = (static_cast<uint64_t>(frame.width) << 32) | static_cast<uint32_t>(frame.height);
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
