// platform/replay/FileHash.h — the fingerprint of a file the game read, so
// that a replay played with other files can say which differ.

#pragma once

#include <cstdint>
#include <string>

namespace skyrend::platform::replay {

// The file's size and XXH3 hash; false when it cannot be read.
bool HashFile(const std::string& path, uint64_t& size, uint64_t& hash);

}  // namespace skyrend::platform::replay
