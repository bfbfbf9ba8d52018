// media/ByteOrder.h — little-endian numbers in byte buffers, as every file
// format of the media layer stores them.

#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace skyrend {

inline uint16_t GetLE16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }

inline uint32_t GetLE32(const uint8_t* p) {
    return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<uint32_t>(p[3]) << 24);
}

inline void AppendLE16(std::vector<uint8_t>& out, uint32_t v) {
    out.push_back(static_cast<uint8_t>(v));
    out.push_back(static_cast<uint8_t>(v >> 8));
}

inline void AppendLE32(std::vector<uint8_t>& out, uint32_t v) {
    AppendLE16(out, v);
    AppendLE16(out, v >> 16);
}

// Overwrites four bytes at `at`, which must lie within `out`.
inline void StoreLE32(std::vector<uint8_t>& out, size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i) out[at + i] = static_cast<uint8_t>(v >> (8 * i));
}

}  // namespace skyrend
