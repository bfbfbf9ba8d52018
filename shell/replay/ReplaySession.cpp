// shell/replay/ReplaySession.cpp — recording or playing back the game.

#include "shell/replay/ReplaySession.h"

#include <cstdio>
#include <cstring>
#include <stdexcept>

#include "shell/replay/TickHooks.h"

namespace skyrend {

using namespace platform::replay;

int ReplaySession::Open(int argc, char** argv, platform::Platform& backEnd, std::unique_ptr<ReplaySession>& session) {
    if (argc < 2) return -1;
    const bool record = std::strcmp(argv[1], "--record") == 0;
    const bool replay = std::strcmp(argv[1], "--replay") == 0;
    if (!(record || replay) || argc != 3) {
        std::fprintf(stderr, "usage: skyrend [--record FILE | --replay FILE]\n");
        return 2;
    }
    auto s = std::make_unique<ReplaySession>();
    try {
        if (record) {
            s->recording_ = std::make_unique<RecordingPlatform>(backEnd, argv[2]);
        } else {
            s->file_ = LoadReplay(argv[2]);
            if (!s->file_.early.empty()) std::fprintf(stderr, "skyrend: %s\n", s->file_.early.c_str());
            // Cut before its first tick ended: there is nothing to show.
            if (s->file_.ticks == 0 && !s->file_.endedNormally) return 0;
            ReplayOptions options;
            options.paced = true;
            s->playback_ = std::make_unique<ReplayPlatform>(backEnd, s->file_, options);
        }
    } catch (const std::exception& error) {
        std::fprintf(stderr, "skyrend: %s\n", error.what());
        return 2;
    }
    session = std::move(s);
    return -1;
}

platform::Platform& ReplaySession::Platform() {
    if (recording_) return *recording_;
    return *playback_;
}

void ReplaySession::Attach(TSkyrendMain& main) {
    if (recording_)
        HookTicks(main, [r = recording_.get()](const Cues& cues) { r->EndTick(cues); });
    else
        HookTicks(main, [p = playback_.get()](const Cues& cues) { p->EndTick(cues); });
}

int ReplaySession::Finish() {
    if (recording_) {
        recording_->EndSession();
        return 0;
    }
    const ReplayPlayer& player = playback_->Player();
    std::fprintf(stderr, "skyrend: played %llu of %llu ticks\n", static_cast<unsigned long long>(player.Ticks()),
                 static_cast<unsigned long long>(file_.ticks));
    if (const auto& d = player.FirstDifference())
        std::fprintf(stderr, "skyrend: the playback differs from the recording from tick %llu: %s\n",
                     static_cast<unsigned long long>(d->tick), d->what.c_str());
    return 0;
}

}  // namespace skyrend
