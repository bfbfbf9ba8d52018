// platform/replay/ReplayFormat.h — the layout of a replay file.
//
// A replay holds every answer the game received through the platform seam,
// in the order it asked, so that the same game code given the same answers
// runs the same session again. The file is a 10-byte header followed by
// records; each record is one opcode byte and its payload:
//
//   header   "SKYRPLAY" (8 bytes), format version (16-bit little-endian)
//   record   opcode: bits 0..5 the kind, bit 7 "same as the last record of
//            this kind" (then no payload follows: the last payload counts
//            again); payload: unsigned LEB128 varints, signed ones
//            zig-zagged, strings as a varint length and UTF-8 bytes, hashes
//            as 8 little-endian bytes.
//
// The message loop polls the clock continuously between ticks. A clock
// reading equal to the one before it, with nothing but empty message polls
// in between, is left out: until the clock moves the polling does nothing.
// What is left is mostly "an empty poll, then the clock one millisecond
// on", which one Idle record counts. Each tick ends with a Tick record that
// holds the sound cues the tick played; the file is written up to there
// after every tick, so a session that ends by a crash or a kill leaves a
// file readable up to its last whole tick. A session that ends normally
// ends with an End record.

#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace skyrend::platform::replay {

inline constexpr char Magic[8] = {'S', 'K', 'Y', 'R', 'P', 'L', 'A', 'Y'};
inline constexpr uint16_t FormatVersion = 1;
inline constexpr size_t HeaderSize = 10;

inline constexpr uint8_t SameFlag = 0x80;
inline constexpr uint8_t KindMask = 0x3f;

// Record kinds, with their payloads.
enum class Kind : uint8_t {
    Idle = 1,              // n: n times an empty poll, then the clock 1 ms on
    EmptyPolls = 2,        // n: n polls that found no message
    Message = 3,           // kind byte; KeyDown: key; MouseDown: x, y (signed), button
    Clock = 4,             // the millisecond clock's step from its last reading (signed)
    UtcTime = 5,           // the time of day in milliseconds
    Foreground = 6,        // byte 0/1
    Cursor = 7,            // x, y (signed)
    ClientSize = 8,        // width, height (signed)
    DisplayModes = 9,      // count, then width, height, bits for each (signed)
    SetDisplayMode = 10,   // byte 0/1
    CanMakeSurface = 11,   // byte 0/1
    CanMakePrimary = 12,   // byte 0/1
    Present = 13,          // byte 0/1, the frame's hash
    SurfacesLost = 14,     // byte 0/1
    RestoreSurfaces = 15,  // byte 0/1
    Keyboard = 16,         // count, then (key, state) for every key whose state is not 0
    JoystickCount = 17,    // count
    JoystickCaps = 18,     // byte 0/1, then (when 1) the seven numbers (signed)
    JoystickPosition = 19, // byte 0/1, then (when 1) x, y, z (signed), buttons
    SoundDevice = 20,      // byte 0/1: a device was made
    PrimaryBuffer = 21,    // byte 0/1
    Voice = 22,            // byte 0/1, then (when 0) the error text
    VoicePlaying = 23,     // byte 0/1
    VoiceDuplicate = 24,   // byte 0/1
    SoundConnected = 25,   // byte 0/1: a device's output is still there
    File = 30,             // name, size, hash of its contents: a file the game opened
    Tick = 31,             // cue count, then (device, item (signed)) for each
    End = 32,              // the session ended normally; nothing follows
};

// Whether "same as the last record of this kind" may stand for it: every
// kind but File and End.
bool Repeatable(Kind kind);
// Its name in error messages ("the clock", "a message" ...).
const char* KindName(Kind kind);

// A sound cue the game played during a tick: one of its eight devices and
// the wave item.
struct Cue {
    int32_t device = 0;
    int32_t item = 0;
    bool operator==(const Cue&) const = default;
};
using Cues = std::vector<Cue>;

// "[[device, item], ...]".
std::string CuesText(const Cues& cues);

// Limits a reader holds a file to (a writer never comes near them).
inline constexpr uint64_t MaxCount = 1u << 20;   // polls or idle steps in one record
inline constexpr uint64_t MaxModes = 4096;
inline constexpr uint64_t MaxCues = 1u << 16;
inline constexpr uint64_t MaxText = 4096;

}  // namespace skyrend::platform::replay
