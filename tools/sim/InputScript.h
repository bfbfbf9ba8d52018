// tools/sim/InputScript.h — the simulator's input script: per-step events.

#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace skyrend::sim {

enum class EventKind { Hold, Key, Mouse, Click, Deactivate, Activate };

struct ScriptEvent {
    int64_t step = 0;
    EventKind kind = EventKind::Key;
    std::vector<uint16_t> keys;  // Hold: the held keys; Key: one key
    int x = 0, y = 0;
};

// Parses the script text; false with `error` naming the line otherwise.
bool ParseInputScript(const std::string& text, std::vector<ScriptEvent>& events, std::string& error);
// A key name (Up, Space, A, Num5, ...) or a decimal virtual-key code.
bool ParseKeyName(const std::string& name, uint16_t& key);

}  // namespace skyrend::sim
