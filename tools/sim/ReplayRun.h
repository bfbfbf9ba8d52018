// tools/sim/ReplayRun.h — skyrend-sim --replay: a recorded session run
// again on the headless back-end, through the game's own message loop, with
// the simulator's outputs (the start-up as step 0, then one trace line and
// step number per tick), a check of every frame and tick against the
// recording, and a video.

#pragma once

#include <cstdint>
#include <map>
#include <ostream>
#include <string>

namespace skyrend::sim {

struct ReplayRunOptions {
    std::string replay;
    bool verify = false;
    std::string video;
    std::ostream* trace = nullptr;
    std::map<int64_t, std::string> shots;   // tick number -> PNG file
    std::string world;
    std::string audio;
};

// The exit status: 0 when the run completed (with --verify: every frame and
// tick identical), 1 when --verify found a difference, 2 for a replay that
// cannot be played or a video that cannot be written.
int RunReplay(const ReplayRunOptions& options);

}  // namespace skyrend::sim
