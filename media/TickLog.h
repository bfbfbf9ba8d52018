// media/TickLog.h — an optional log of how long the frame timer's ticks take,
// for long sessions of the real game. Off unless SKYREND_TICK_LOG names a
// file; then every SKYREND_TICK_LOG_SECONDS (default 60) seconds of wall time
// one line is appended:
//   seconds S ticks N longest_tick_ms T longest_interval_ms I
// A tick is one run of the timer's handler (the game's move, draw and flip);
// the interval is from one tick's start to the next while the timer runs
// (a pause while the window is inactive is not counted).

#pragma once

namespace skyrend {

class TickLog {
public:
    // The log the environment asks for; null when it is off.
    static TickLog* FromEnvironment();

    void TickStarts();
    void TickEnds();
    // The timer stopped and starts again: no interval across the pause.
    void Resume() { haveLastStart_ = false; }

private:
    TickLog(const char* path, double periodSeconds);
    double Now() const;
    void WriteLine(double now);

    const char* path_;
    double periodSeconds_;
    double periodStart_;
    double tickStart_ = 0;
    double lastStart_ = 0;
    bool haveLastStart_ = false;
    long ticks_ = 0;
    double longestTick_ = 0;
    double longestInterval_ = 0;
};

}  // namespace skyrend
