// tools/sim/Trace.h — one JSON line of the simulator's trace per step, and
// the world dump.

#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace skyrend {
class TSkyrendMain;
}

namespace skyrend::sim {

struct TextRecord {
    int x = 0, y = 0;
    std::string text;
};

// What happened during one step besides the game state.
struct StepRecord {
    int64_t step = 0;
    bool ticked = false;
    uint64_t clock = 0;
    std::vector<std::pair<int32_t, int32_t>> cues;
    std::vector<TextRecord> text;
    std::vector<std::string> errors;
};

std::string TraceLine(const TSkyrendMain& m, const StepRecord& record);
// The same line written over `out`, whose storage serves again: a line of a
// big fleet runs to megabytes, and fresh memory for each would cost more
// than writing it.
void WriteTraceLine(std::string& out, const TSkyrendMain& m, const StepRecord& record);
std::string WorldJson(const TSkyrendMain& m);

// A real written so that it reads back to the same double.
std::string JsonReal(double v);
std::string JsonString(const std::string& s);

}  // namespace skyrend::sim
