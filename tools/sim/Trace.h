// tools/sim/Trace.h — one JSON line of the simulator's trace per step, and
// the world dump.

#pragma once

#include <cstdint>
#include <string>
#include <string_view>
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

// The rows of the enemy list as the last line wrote them, with the values
// each was written from. A row is the same text whenever its values are the
// same, and most of a big fleet rests from one step to the next.
class EnemyRowCache {
public:
    struct Key {
        double x, y, heading, speed, turnSpeed;
        int32_t cooldown, variant;
    };
    // The text of a row with these values written at list position i (from
    // 0) of the last line, looking a few positions on for ships destroyed
    // since; empty when there is none.
    std::string_view Find(size_t i, const Key& key);
    // Records the row written at the next position of this line.
    void Add(const Key& key, std::string_view text);
    // This line's rows become the last line's.
    void EndLine();

private:
    struct Rows {
        std::vector<Key> keys;
        std::vector<uint32_t> ends;  // offsets just past each row's text
        std::string text;
    };
    Rows last_, next_;
    size_t shift_ = 0;  // rows of the last line destroyed before the position
};

// The same line written over `out`, whose storage serves again: a line of a
// big fleet runs to megabytes, and fresh memory for each would cost more
// than writing it. The cache carries the enemy rows from line to line.
void WriteTraceLine(std::string& out, const TSkyrendMain& m, const StepRecord& record, EnemyRowCache* rows = nullptr);
std::string WorldJson(const TSkyrendMain& m);

// A real written so that it reads back to the same double.
std::string JsonReal(double v);
std::string JsonString(const std::string& s);

}  // namespace skyrend::sim
