// tools/sim/InputScript.cpp — parsing the simulator's input script.
//
// One event per line: "STEP hold KEY...", "STEP key KEY", "STEP mouse X Y",
// "STEP click X Y", "STEP deactivate", "STEP activate"; "#" starts a comment.

#include "tools/sim/InputScript.h"

#include <charconv>
#include <sstream>

namespace skyrend::sim {

namespace {

bool ParseInt(const std::string& s, int64_t& v) {
    if (s.empty()) return false;
    auto [p, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
    return ec == std::errc() && p == s.data() + s.size();
}

}  // namespace

bool ParseKeyName(const std::string& name, uint16_t& key) {
    static const std::pair<const char*, uint16_t> names[] = {
        {"Up", 38}, {"Down", 40}, {"Left", 37}, {"Right", 39},
        {"Space", 32}, {"Enter", 13}, {"Escape", 27}, {"F2", 113}};
    for (auto [n, code] : names)
        if (name == n) {
            key = code;
            return true;
        }
    if (name.size() == 1 && name[0] >= 'A' && name[0] <= 'Z') {
        key = static_cast<uint16_t>(name[0]);
        return true;
    }
    if (name.size() == 4 && name.compare(0, 3, "Num") == 0 && name[3] >= '0' && name[3] <= '9') {
        key = static_cast<uint16_t>(96 + (name[3] - '0'));
        return true;
    }
    int64_t v = 0;
    if (ParseInt(name, v) && v >= 0 && v <= 65535) {
        key = static_cast<uint16_t>(v);
        return true;
    }
    return false;
}

bool ParseInputScript(const std::string& text, std::vector<ScriptEvent>& events, std::string& error) {
    std::istringstream in(text);
    std::string line;
    int lineNo = 0;
    while (std::getline(in, line)) {
        ++lineNo;
        if (auto hash = line.find('#'); hash != std::string::npos) line.erase(hash);
        std::istringstream words(line);
        std::vector<std::string> w;
        for (std::string s; words >> s;) w.push_back(s);
        if (w.empty()) continue;
        auto fail = [&](const std::string& why) {
            error = "line " + std::to_string(lineNo) + ": " + why;
            return false;
        };
        ScriptEvent e;
        if (!ParseInt(w[0], e.step) || e.step < 0) return fail("bad step '" + w[0] + "'");
        if (w.size() < 2) return fail("missing event");
        const std::string& kind = w[1];
        if (kind == "hold") {
            e.kind = EventKind::Hold;
            for (size_t i = 2; i < w.size(); ++i) {
                uint16_t k = 0;
                if (!ParseKeyName(w[i], k)) return fail("bad key '" + w[i] + "'");
                e.keys.push_back(k);
            }
        } else if (kind == "key") {
            e.kind = EventKind::Key;
            uint16_t k = 0;
            if (w.size() != 3 || !ParseKeyName(w[2], k)) return fail("key needs one key");
            e.keys.push_back(k);
        } else if (kind == "mouse" || kind == "click") {
            e.kind = kind == "mouse" ? EventKind::Mouse : EventKind::Click;
            int64_t x = 0, y = 0;
            if (w.size() != 4 || !ParseInt(w[2], x) || !ParseInt(w[3], y) || x < -100000 || x > 100000 ||
                y < -100000 || y > 100000)
                return fail(kind + " needs X Y");
            e.x = static_cast<int>(x);
            e.y = static_cast<int>(y);
        } else if (kind == "deactivate" || kind == "activate") {
            if (w.size() != 2) return fail(kind + " takes nothing");
            e.kind = kind == "activate" ? EventKind::Activate : EventKind::Deactivate;
        } else {
            return fail("unknown event '" + kind + "'");
        }
        events.push_back(std::move(e));
    }
    return true;
}

}  // namespace skyrend::sim
