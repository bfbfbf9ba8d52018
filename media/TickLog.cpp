// media/TickLog.cpp — the optional tick-length log.

#include "media/TickLog.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>

namespace skyrend {

TickLog* TickLog::FromEnvironment() {
    static TickLog* log = [] () -> TickLog* {
        const char* path = std::getenv("SKYREND_TICK_LOG");
        if (!path || !*path) return nullptr;
        const char* seconds = std::getenv("SKYREND_TICK_LOG_SECONDS");
        double period = seconds ? std::atof(seconds) : 0;
        return new TickLog(path, period > 0 ? period : 60);
    }();
    return log;
}

TickLog::TickLog(const char* path, double periodSeconds)
    : path_(path), periodSeconds_(periodSeconds), periodStart_(Now()) {}

double TickLog::Now() const {
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

void TickLog::TickStarts() {
    tickStart_ = Now();
    if (haveLastStart_ && tickStart_ - lastStart_ > longestInterval_) longestInterval_ = tickStart_ - lastStart_;
    lastStart_ = tickStart_;
    haveLastStart_ = true;
}

void TickLog::TickEnds() {
    double now = Now();
    ++ticks_;
    if (now - tickStart_ > longestTick_) longestTick_ = now - tickStart_;
    if (now - periodStart_ >= periodSeconds_) WriteLine(now);
}

void TickLog::WriteLine(double now) {
    // Opened for each line, so that the file is complete whenever the game ends.
    if (std::FILE* f = std::fopen(path_, "a")) {
        std::fprintf(f, "seconds %.1f ticks %ld longest_tick_ms %.1f longest_interval_ms %.1f\n",
                     now - periodStart_, ticks_, longestTick_ * 1000, longestInterval_ * 1000);
        std::fclose(f);
    }
    periodStart_ = now;
    ticks_ = 0;
    longestTick_ = longestInterval_ = 0;
}

}  // namespace skyrend
