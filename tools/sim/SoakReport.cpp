// tools/sim/SoakReport.cpp — the periodic memory and step-time lines.

#include "tools/sim/SoakReport.h"

#include <cstdio>
#include <fstream>
#include <string>

namespace skyrend::sim {

int64_t ResidentKilobytes() {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("VmRSS:", 0) == 0) return std::stoll(line.substr(6));
    return -1;
}

void SoakReport::EndPeriod(int64_t step) {
    char text[96];
    std::snprintf(text, sizeof text, "step %lld rss_kb %lld slowest_tick_ms %.1f\n", static_cast<long long>(step),
                  static_cast<long long>(ResidentKilobytes()), slowestMs_);
    out_ << text << std::flush;
    slowestMs_ = 0;
}

}  // namespace skyrend::sim
