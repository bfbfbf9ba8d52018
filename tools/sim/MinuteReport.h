// tools/sim/MinuteReport.h — skyrend-sim --soak: for every game minute (1800
// steps of 33 ms) one line on standard error with the process's resident
// memory at the minute's end and the wall time of the minute's slowest step,
// so that long runs show whether memory grows and how long a step can take.

#pragma once

#include <chrono>
#include <cstdint>
#include <ostream>

namespace skyrend::sim {

// The resident set of this process in kilobytes (VmRSS), or -1 when the
// system does not tell it.
int64_t ResidentKilobytes();

class MinuteReport {
public:
    static constexpr int64_t StepsPerMinute = 1800;

    explicit MinuteReport(std::ostream& out) : out_(out) {}

    // Times one step; at the end of a minute writes
    // "minute N rss_kb K slowest_tick_ms T".
    template <class StepFn>
    void Time(int64_t step, StepFn&& run) {
        auto start = std::chrono::steady_clock::now();
        run();
        std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
        if (took.count() > slowestMs_) slowestMs_ = took.count();
        if (step % StepsPerMinute == 0) EndMinute(step / StepsPerMinute);
    }

private:
    std::ostream& out_;
    double slowestMs_ = 0;

    void EndMinute(int64_t minute);
};

}  // namespace skyrend::sim
