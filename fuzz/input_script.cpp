// fuzz/input_script.cpp — any text as the simulator's input script: events
// or an error naming the line, never a crash.
//
// What parses is written back in the script's own words and must parse to
// the same events.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "tools/sim/InputScript.h"

namespace {

using skyrend::sim::EventKind;
using skyrend::sim::ScriptEvent;

std::string Line(const ScriptEvent& e) {
    std::string line = std::to_string(e.step);
    switch (e.kind) {
        case EventKind::Hold:
            line += " hold";
            for (uint16_t key : e.keys) line += " " + std::to_string(key);
            break;
        case EventKind::Key:
            line += " key " + std::to_string(e.keys.at(0));
            break;
        case EventKind::Mouse:
        case EventKind::Click:
            line += e.kind == EventKind::Mouse ? " mouse " : " click ";
            line += std::to_string(e.x) + " " + std::to_string(e.y);
            break;
        case EventKind::Deactivate:
            line += " deactivate";
            break;
        case EventKind::Activate:
            line += " activate";
            break;
    }
    return line + "\n";
}

bool Same(const ScriptEvent& a, const ScriptEvent& b) {
    return a.step == b.step && a.kind == b.kind && a.keys == b.keys && a.x == b.x && a.y == b.y;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace skyrend::sim;
    const std::string text(reinterpret_cast<const char*>(data), size);
    std::vector<ScriptEvent> events;
    std::string error;
    if (!ParseInputScript(text, events, error)) {
        if (error.rfind("line ", 0) != 0) std::abort();
        return 0;
    }
    std::string again;
    for (const ScriptEvent& e : events) {
        if (e.step < 0 || (e.kind == EventKind::Key && e.keys.size() != 1)) std::abort();
        again += Line(e);
    }
    std::vector<ScriptEvent> reread;
    if (!ParseInputScript(again, reread, error) || reread.size() != events.size()) std::abort();
    for (size_t i = 0; i < events.size(); ++i)
        if (!Same(events[i], reread[i])) std::abort();
    uint16_t key = 0;
    ParseKeyName(text, key);
    return 0;
}
