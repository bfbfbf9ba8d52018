// tools/sim/SoakReport.h — skyrend-sim --soak STEPS: every STEPS steps (1800
// are a game minute) one line on standard error with the process's resident
// memory at that step and the wall time of the slowest step since the last
// line, so that long runs show whether memory grows and how long a step can
// take.

#pragma once

#include <chrono>
#include <cstdint>
#include <ostream>

namespace skyrend::sim {

// The resident set of this process in kilobytes (VmRSS), or -1 when the
// system does not tell it.
int64_t ResidentKilobytes();

class SoakReport {
public:
    SoakReport(std::ostream& out, int64_t period) : out_(out), period_(period) {}

    // Times one step; after every period writes
    // "step N rss_kb K slowest_tick_ms T".
    template <class StepFn>
    void Time(int64_t step, StepFn&& run) {
        auto start = std::chrono::steady_clock::now();
        run();
        std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
        if (took.count() > slowestMs_) slowestMs_ = took.count();
        if (step % period_ == 0) EndPeriod(step);
    }

private:
    std::ostream& out_;
    int64_t period_;
    double slowestMs_ = 0;

    void EndPeriod(int64_t step);
};

}  // namespace skyrend::sim
