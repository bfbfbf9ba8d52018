// platform/replay/ReplayRecords.h — one record's content, and how each
// kind's payload is written and read. The writer and the reader share these
// two functions, so that the file's layout is said once.

#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/Platform.h"
#include "platform/replay/ReplayBytes.h"
#include "platform/replay/ReplayFormat.h"

namespace skyrend::platform::replay {

// The fields a record of some kind fills; the others stay as they are.
struct Answer {
    uint64_t count = 0;          // Idle, EmptyPolls, JoystickCount
    Message message;             // Message
    int64_t number = 0;          // Clock (the step), UtcTime
    int x = 0, y = 0;            // Cursor, ClientSize
    bool ok = false;             // the yes/no answers, and whether Caps/Position/Voice succeeded
    uint64_t hash = 0;           // Present, File
    uint64_t size = 0;           // File
    std::string text;            // Voice (the error), File (the name)
    std::vector<DisplayMode> modes;
    std::array<uint8_t, 256> keys{};
    JoystickCaps caps;
    JoystickPosition position;
    Cues cues;                   // Tick
};

void EncodePayload(Kind kind, const Answer& answer, ByteSink& out);
// Throws Truncated or Corrupt.
void DecodePayload(Kind kind, ByteSource& in, Answer& answer);

}  // namespace skyrend::platform::replay
