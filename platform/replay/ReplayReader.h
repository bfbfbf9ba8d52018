// platform/replay/ReplayReader.h — reading a replay file.
//
// The whole file is read and checked before anything is played: a foreign,
// newer or corrupt file is refused with one error that names the file and
// the byte, and a file that stops early (a session that was killed) is
// played up to its last whole tick.

#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/replay/ReplayRecords.h"

namespace skyrend::platform::replay {

// Takes the records of bytes [begin, end) one by one; a record marked
// "same" comes out with the payload it repeats.
class ReplayDecoder {
public:
    ReplayDecoder(const uint8_t* data, size_t begin, size_t end);
    // False when the bytes are used up. Throws Truncated or Corrupt.
    bool Next(Kind& kind, Answer& answer, uint64_t& offset);
    size_t At() const { return in_.At(); }

private:
    const uint8_t* data_;
    ByteSource in_;
    std::array<size_t, 64> lastBegin_{};
    std::array<size_t, 64> lastEnd_{};
    std::array<bool, 64> seen_{};
};

struct ReplayFile {
    std::string path;
    std::vector<uint8_t> bytes;
    size_t playEnd = 0;      // records in [HeaderSize, playEnd) are played
    uint64_t ticks = 0;      // whole ticks in that range
    uint64_t frames = 0;     // presented frames in it
    bool endedNormally = false;
    // Empty, or where the file stops early (a session that did not end
    // normally): one line for standard error.
    std::string early;
};

// Throws ReplayError (a file that cannot be read counts as one at byte 0).
ReplayFile LoadReplay(const std::string& path);
// The same for bytes already in memory; `name` stands for the file in errors.
ReplayFile ParseReplay(const std::string& name, std::vector<uint8_t> bytes);

}  // namespace skyrend::platform::replay
