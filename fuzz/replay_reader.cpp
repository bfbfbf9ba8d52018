// fuzz/replay_reader.cpp — any bytes as a replay file: one ReplayError, or a
// file that a player can be asked through to its end, never a crash or a
// hang.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "platform/replay/ReplayPlayer.h"
#include "platform/replay/ReplayReader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace skyrend::platform::replay;
    ReplayFile file;
    try {
        file = ParseReplay("fuzz.skr", std::vector<uint8_t>(data, data + size));
    } catch (const ReplayError&) {
        return 0;
    }
    if (file.playEnd > file.bytes.size() || file.frames > file.bytes.size() || file.ticks > file.bytes.size())
        std::abort();
    // The questions of a game loop in turn; the player must run out (or
    // leave the recording) within a bounded number of them.
    ReplayPlayer player(file);
    const Kind asked[] = {Kind::Keyboard, Kind::Foreground, Kind::Cursor, Kind::VoicePlaying};
    skyrend::platform::Message message;
    Answer answer;
    for (size_t round = 0; !player.Finished(); ++round) {
        if (round > 4 * file.bytes.size() + 16) std::abort();
        player.Poll(message);
        player.Clock();
        player.Take(asked[round % 4], answer);
        player.Present(0);
        player.EndTick({});
    }
    return 0;
}
