// platform/replay/FileHash.cpp — XXH3 over a file's bytes.

#include "platform/replay/FileHash.h"

#include <xxhash.h>

#include <fstream>
#include <vector>

namespace skyrend::platform::replay {

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
