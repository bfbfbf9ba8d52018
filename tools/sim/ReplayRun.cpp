// tools/sim/ReplayRun.cpp — playing a replay on the headless back-end.

#include "tools/sim/ReplayRun.h"

#include <chrono>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <memory>

#include "platform/headless/HeadlessPlatform.h"
#include "platform/replay/ReplayPlatform.h"
#include "shell/replay/TickHooks.h"
#include "tools/common/PngFile.h"
#include "tools/sim/Trace.h"
#include "tools/sim/VideoWriter.h"

namespace skyrend::sim {

namespace {

using namespace platform::replay;

class ReplayRun {
public:
    ReplayRun(const ReplayRunOptions& o, const ReplayFile& file) : o_(o), file_(file) {}

    int Run() {
        hp_.EnableAudio(!o_.audio.empty() || !o_.video.empty());
        hp_.KeepScreen(!o_.shots.empty() || !o_.video.empty());
        ReplayOptions options;
        options.onClock = [this](uint64_t clock) { FollowClock(clock); };
        if (!o_.video.empty()) {
            video_ = OpenVideoWriter(o_.video, platform::HeadlessPlatform::AudioRate);
            options.onPresent = [this] { VideoFrame(); };
        }
        ReplayPlatform replay(hp_, file_, options);
        replay_ = &replay;
        platform::SetCurrent(&replay);
        try {
            GameForms forms = CreateGameForms();
            Hook(*forms.main);
            Application().Run();
        } catch (const std::exception& error) {
            // As the game's entry shows what escapes its message loop.
            Application().ShowException(error);
        }
        platform::SetCurrent(nullptr);
        if (video_) {
            VideoAudio();
            video_->Finish();
            Progress(true);
        }
        if (!o_.audio.empty()) hp_.WriteAudio(o_.audio);
        return Report(replay.Player());
    }

private:
    const ReplayRunOptions& o_;
    const ReplayFile& file_;
    platform::HeadlessPlatform hp_;
    ReplayPlatform* replay_ = nullptr;
    TSkyrendMain* main_ = nullptr;
    std::unique_ptr<VideoWriter> video_;
    bool startedUp_ = false;
    bool clockFollowed_ = false;
    uint64_t startClock_ = 0;
    uint64_t presentsBefore_ = 0;
    const std::chrono::steady_clock::time_point started_ = std::chrono::steady_clock::now();


    // The headless clock (and with it the sound mix) follows the recorded one.
    void FollowClock(uint64_t clock) {
        if (!clockFollowed_) {
            clockFollowed_ = true;
            startClock_ = clock;
            hp_.SetClock(clock);
        } else if (clock > hp_.Clock()) {
            hp_.AdvanceClock(clock - hp_.Clock());
        }
    }

    void Hook(TSkyrendMain& main) {
        main_ = &main;
        TDXTimer& timer = *main.DXTimer1;
        // Before the first tick: the world as the first new game made it,
        // and the trace's line for the start-up (step 0).
        timer.OnTimer = [this, inner = timer.OnTimer](TComponent* sender, int32_t lag) {
            if (!startedUp_) StartedUp();
            if (inner) inner(sender, lag);
        };
        HookTicks(main, [this](const Cues& cues) { AfterTick(cues); });
        presentsBefore_ = hp_.PresentCount();
    }

    void StartedUp() {
        startedUp_ = true;
        if (!o_.world.empty()) {
            std::ofstream w(o_.world);
            w << WorldJson(*main_) << "\n";
        }
        Trace(0, false, {});
        presentsBefore_ = hp_.PresentCount();
    }

    void Trace(int64_t step, bool ticked, const Cues& cues) {
        if (!o_.trace) {
            hp_.TakeTexts();
            return;
        }
        StepRecord rec;
        rec.step = step;
        rec.ticked = ticked;
        rec.clock = replay_->Player().RecordedClock();
        for (const Cue& c : cues) rec.cues.emplace_back(c.device, c.item);
        for (auto& t : hp_.TakeTexts()) rec.text.push_back({t.x, t.y, t.text});
        rec.errors = hp_.TakeErrorBoxes();
        *o_.trace << TraceLine(*main_, rec) << "\n";
    }

    void AfterTick(const Cues& cues) {
        replay_->EndTick(cues);
        const auto tick = static_cast<int64_t>(replay_->Player().Ticks());
        const bool presented = hp_.PresentCount() != presentsBefore_;
        presentsBefore_ = hp_.PresentCount();
        Trace(tick, true, cues);
        if (auto shot = o_.shots.find(tick); presented && shot != o_.shots.end()) {
            const auto& img = hp_.LastPresented();
            WritePngRgb(shot->second, img.pixels.data(), img.width, img.height, img.width);
        }
        if (video_ && tick % 30 == 0) {
            VideoAudio();
            Progress(false);
        }
    }

    // One line on standard error, rewritten as the video grows.
    void Progress(bool last) {
        const uint64_t tick = replay_->Player().Ticks();
        const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started_).count();
        std::fprintf(stderr, "\rvideo: tick %llu of %llu (%d%%), %llu frames, %.1f frames/s%s",
                     static_cast<unsigned long long>(tick), static_cast<unsigned long long>(file_.ticks),
                     file_.ticks ? static_cast<int>(tick * 100 / file_.ticks) : 100,
                     static_cast<unsigned long long>(video_->Frames()),
                     seconds > 0 ? static_cast<double>(video_->Frames()) / seconds : 0.0, last ? "\n" : "");
    }

    // Each presented frame at the recorded clock, from the start of the sound.
    void VideoFrame() {
        const auto& img = hp_.LastPresented();
        video_->Frame(img.pixels.data(), img.width, img.height, static_cast<int64_t>(hp_.Clock() - startClock_));
    }

    void VideoAudio() {
        const std::vector<int16_t> samples = hp_.TakeAudio();
        video_->Audio(samples.data(), samples.size() / 2);
    }

    int Report(const ReplayPlayer& player) {
        const auto& d = player.FirstDifference();
        if (!o_.verify) return 0;
        std::string why;
        if (d) {
            why = "tick " + std::to_string(d->tick) + " differs: " + d->what;
        } else if (player.Ticks() != file_.ticks) {
            why = "tick " + std::to_string(player.Ticks() + 1) + " differs: the playback ended after tick " +
                  std::to_string(player.Ticks()) + " of " + std::to_string(file_.ticks);
        }
        if (why.empty()) {
            std::cout << player.Ticks() << " ticks, " << player.Frames() << " frames, all identical\n";
            return 0;
        }
        if (!player.DifferingFiles().empty()) why += " (the game files differ from the recording's)";
        std::cerr << "skyrend-sim: " << file_.path << ": " << why << "\n";
        return 1;
    }
};

}  // namespace

int RunReplay(const ReplayRunOptions& o) {
    ReplayFile file;
    try {
        file = LoadReplay(o.replay);
    } catch (const ReplayError& error) {
        std::cerr << "skyrend-sim: " << error.what() << "\n";
        return 2;
    }
    if (!file.early.empty()) std::cerr << "skyrend-sim: " << file.early << "\n";
    // Cut before its first tick ended: there is nothing to play.
    if (file.ticks == 0 && !file.endedNormally) {
        if (o.verify) std::cout << "0 ticks, 0 frames, all identical\n";
        return 0;
    }
    try {
        return ReplayRun(o, file).Run();
    } catch (const VideoError& error) {
        std::cerr << "skyrend-sim: " << error.what() << "\n";
        return 2;
    }
}

}  // namespace skyrend::sim
