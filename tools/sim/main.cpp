// tools/sim/main.cpp — skyrend-sim: the real game on the headless back-end,
// step by step from a virtual clock and an input script, with a JSON trace,
// screenshots, the world dump and the mixed sound.

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <sstream>

#include "harness/HeadlessGame.h"
#include "platform/replay/RecordingPlatform.h"
#include "shell/replay/TickHooks.h"
#include "tools/common/PngFile.h"
#include "tools/sim/InputScript.h"
#include "tools/sim/ReplayRun.h"
#include "tools/sim/SoakReport.h"
#include "tools/sim/Trace.h"

namespace skyrend::sim {

namespace {

constexpr int StepMilliseconds = 33;

struct Options {
    std::string dir = ".";
    int64_t frames = 0;
    uint64_t clock = 0;
    std::string input;
    std::string trace;
    std::map<int64_t, std::string> shots;
    std::string world;
    std::vector<platform::DisplayMode> modes;
    std::string audio;
    std::string record;   // the run written as a replay
    std::string replay;   // a replay run instead of a script
    bool verify = false;
    std::string video;
    int64_t soak = 0;     // steps between memory and step-time lines; 0: none
};

int Usage(const std::string& why) {
    std::cerr << "skyrend-sim: " << why << "\n"
              << "usage: skyrend-sim [--dir DIR] [--frames N] [--clock MS] [--input FILE]\n"
              << "                   [--trace FILE|-] [--shot STEP:FILE.png]... [--world FILE]\n"
              << "                   [--modes WxHxBITS,...] [--audio FILE.wav] [--record FILE] [--soak STEPS]\n"
              << "       skyrend-sim --replay FILE [--verify] [--video OUT.mp4] [--dir DIR]\n"
              << "                   [--trace FILE|-] [--shot TICK:FILE.png]... [--world FILE] [--audio FILE.wav]\n";
    return 2;
}

bool ParseU64(const std::string& s, uint64_t& v) {
    if (s.empty() || s[0] == '-') return false;
    char* end = nullptr;
    errno = 0;
    v = std::strtoull(s.c_str(), &end, 10);
    return errno == 0 && end && *end == 0;
}

bool ParseModes(const std::string& text, std::vector<platform::DisplayMode>& modes) {
    std::stringstream in(text);
    for (std::string item; std::getline(in, item, ',');) {
        int w = 0, h = 0, b = 0;
        char x1 = 0, x2 = 0;
        std::istringstream m(item);
        if (!(m >> w >> x1 >> h >> x2 >> b) || x1 != 'x' || x2 != 'x' || w <= 0 || h <= 0 || b <= 0) return false;
        if (m.peek() != std::char_traits<char>::eof()) return false;  // nothing may follow the bit count
        modes.push_back({w, h, b});
    }
    return !modes.empty();
}

bool ParseArgs(int argc, char** argv, Options& o, std::string& error) {
    for (int i = 1; i < argc; ++i) {
        std::string a = argv[i];
        auto value = [&](std::string& out) {
            if (i + 1 >= argc) return false;
            out = argv[++i];
            return true;
        };
        std::string v;
        if (a == "--dir" && value(o.dir)) continue;
        if (a == "--input" && value(o.input)) continue;
        if (a == "--trace" && value(o.trace)) continue;
        if (a == "--world" && value(o.world)) continue;
        if (a == "--audio" && value(o.audio)) continue;
        if (a == "--record" && value(o.record)) continue;
        if (a == "--replay" && value(o.replay)) continue;
        if (a == "--video" && value(o.video)) continue;
        if (a == "--verify") {
            o.verify = true;
            continue;
        }
        uint64_t n = 0;
        if (a == "--frames" && value(v) && ParseU64(v, n) && n <= (1ull << 40)) {
            o.frames = static_cast<int64_t>(n);
            continue;
        }
        if (a == "--soak" && value(v) && ParseU64(v, n) && n >= 1 && n <= (1ull << 40)) {
            o.soak = static_cast<int64_t>(n);
            continue;
        }
        if (a == "--clock" && value(v) && ParseU64(v, n)) {
            o.clock = n;
            continue;
        }
        if (a == "--shot" && value(v)) {
            auto colon = v.find(':');
            if (colon != std::string::npos && ParseU64(v.substr(0, colon), n) && colon + 1 < v.size()) {
                o.shots[static_cast<int64_t>(n)] = v.substr(colon + 1);
                continue;
            }
        }
        if (a == "--modes" && value(v) && ParseModes(v, o.modes)) continue;
        error = "bad argument '" + a + "'";
        return false;
    }
    if (o.replay.empty() && (o.verify || !o.video.empty())) {
        error = "--verify and --video play a --replay";
        return false;
    }
    if (!o.replay.empty() && (o.frames || o.clock || !o.input.empty() || !o.modes.empty() || !o.record.empty())) {
        error = "a --replay brings its own frames, clock, input and modes";
        return false;
    }
    if (!o.replay.empty() && o.soak) {
        error = "--soak times a scripted run, not a --replay";
        return false;
    }
    return true;
}

bool ReadText(const std::string& path, std::string& text) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    std::ostringstream s;
    s << in.rdbuf();
    text = s.str();
    return true;
}

class Simulator {
public:
    // The script's lines need not come in step order: each step takes its
    // own events, in the order the file gives them.
    Simulator(const Options& o, std::vector<ScriptEvent> events, std::ostream* trace)
        : o_(o), events_(std::move(events)), trace_(trace) {
        std::stable_sort(events_.begin(), events_.end(),
                         [](const ScriptEvent& a, const ScriptEvent& b) { return a.step < b.step; });
    }

    void Run() {
        if (!o_.modes.empty()) hp_.SetDisplayModes(o_.modes);
        // The mix always runs, so that voices finish as they would with
        // --audio; its samples are kept only when asked for.
        hp_.EnableAudio(!o_.audio.empty());
        // Only screenshots look at the presented picture.
        hp_.KeepScreen(!o_.shots.empty());
        if (!o_.record.empty()) {
            recorder_ = std::make_unique<platform::replay::RecordingPlatform>(hp_, o_.record);
            platform::SetCurrent(recorder_.get());
        }
        StartUp();
        if (o_.soak) {
            SoakReport report(std::cerr, o_.soak);
            for (int64_t step = 1; step <= o_.frames; ++step) report.Time(step, [&] { Step(step); });
        } else {
            for (int64_t step = 1; step <= o_.frames; ++step) Step(step);
        }
        if (recorder_) recorder_->EndSession();
        if (!o_.audio.empty()) hp_.WriteAudio(o_.audio);
    }

private:
    const Options& o_;
    std::vector<ScriptEvent> events_;
    std::ostream* trace_;
    std::string line_;  // the trace line's storage, kept from step to step
    EnemyRowCache enemyRows_;
    HeadlessGame game_{o_.clock};
    platform::HeadlessPlatform& hp_ = game_.hp();
    StepRecord rec_;
    size_t nextEvent_ = 0;
    std::unique_ptr<platform::replay::RecordingPlatform> recorder_;

    void StartUp() {
        TSkyrendMain& main = game_.Create();
        main.OnCue = [this](int32_t device, int32_t item) { rec_.cues.emplace_back(device, item); };
        // Count ticks as they start, so a frame that fails still counts.
        TDXTimer& timer = *main.DXTimer1;
        timer.OnTimer = [this, inner = timer.OnTimer](TComponent* s, int32_t lag) {
            ++tickCounter_;
            inner(s, lag);
        };
        if (recorder_)
            HookTicks(main, [this](const platform::replay::Cues& cues) { recorder_->EndTick(cues); });
        game_.ShowAndActivate();
        if (!o_.world.empty()) {
            std::ofstream w(o_.world);
            w << WorldJson(main) << "\n";
        }
        Finish(0, false);
    }

    void Step(int64_t step) {
        while (nextEvent_ < events_.size() && events_[nextEvent_].step < step) ++nextEvent_;
        for (; nextEvent_ < events_.size() && events_[nextEvent_].step == step; ++nextEvent_) Deliver(events_[nextEvent_]);
        Application().ProcessMessages();
        hp_.AdvanceClock(StepMilliseconds);
        uint64_t presentsBefore = hp_.PresentCount();
        Application().Idle();
        Finish(step, hp_.PresentCount() != presentsBefore);
    }

    void Deliver(const ScriptEvent& e) {
        switch (e.kind) {
            case EventKind::Hold:
                hp_.SetHeldKeys(e.keys);
                break;
            case EventKind::Key: {
                platform::Message m{platform::MessageKind::KeyDown};
                m.key = e.keys.at(0);
                hp_.Push(m);
                break;
            }
            case EventKind::Mouse:
                hp_.SetCursor(e.x, e.y);
                break;
            case EventKind::Click: {
                hp_.SetCursor(e.x, e.y);
                platform::Message m{platform::MessageKind::MouseDown};
                m.x = e.x;
                m.y = e.y;
                hp_.Push(m);
                break;
            }
            case EventKind::Activate:
                hp_.Push({platform::MessageKind::Activate});
                break;
            case EventKind::Deactivate:
                hp_.Push({platform::MessageKind::Deactivate});
                break;
        }
    }

    void Finish(int64_t step, bool presented) {
        rec_.step = step;
        rec_.clock = hp_.Clock();
        rec_.ticked = tickCounter_ != lastTicks_;
        lastTicks_ = tickCounter_;
        for (auto& t : hp_.TakeTexts()) rec_.text.push_back({t.x, t.y, t.text});
        rec_.errors = hp_.TakeErrorBoxes();
        hp_.SyncAudio();
        if (trace_) {
            WriteTraceLine(line_, game_.m(), rec_, &enemyRows_);
            line_ += '\n';
            trace_->write(line_.data(), static_cast<std::streamsize>(line_.size()));
        }
        if (presented) {
            if (auto shot = o_.shots.find(step); shot != o_.shots.end()) {
                const auto& img = hp_.LastPresented();
                WritePngRgb(shot->second, img.pixels.data(), img.width, img.height, img.width);
            }
        }
        rec_ = StepRecord{};
    }

    uint64_t lastTicks_ = 0;
    uint64_t tickCounter_ = 0;
};

// A replay's run: outputs named relative to where the tool was started,
// the game in --dir.
int Replay(Options& o) {
    ReplayRunOptions r;
    std::ofstream traceFile;
    if (o.trace == "-") {
        r.trace = &std::cout;
    } else if (!o.trace.empty()) {
        traceFile.open(o.trace);
        if (!traceFile) return Usage("cannot write the trace " + o.trace);
        r.trace = &traceFile;
    }
    auto absolute = [](const std::string& path) {
        return path.empty() ? path : std::filesystem::absolute(path).string();
    };
    r.replay = absolute(o.replay);
    r.verify = o.verify;
    r.video = absolute(o.video);
    r.world = absolute(o.world);
    r.audio = absolute(o.audio);
    for (auto& [tick, path] : o.shots) r.shots[tick] = absolute(path);
    if (chdir(o.dir.c_str()) != 0) return Usage("cannot enter " + o.dir);
    return RunReplay(r);
}

}  // namespace

int Main(int argc, char** argv) {
    Options o;
    std::string error;
    if (!ParseArgs(argc, argv, o, error)) return Usage(error);
    if (!o.replay.empty()) return Replay(o);
    std::vector<ScriptEvent> events;
    if (!o.input.empty()) {
        std::string text;
        if (!ReadText(o.input, text)) return Usage("cannot read the input script " + o.input);
        if (!ParseInputScript(text, events, error)) return Usage(o.input + ": " + error);
    }
    std::ofstream traceFile;
    std::ostream* trace = nullptr;
    if (o.trace == "-") {
        trace = &std::cout;
    } else if (!o.trace.empty()) {
        traceFile.open(o.trace);
        if (!traceFile) return Usage("cannot write the trace " + o.trace);
        trace = &traceFile;
    }
    // Output files are named relative to where the tool was started.
    for (std::string* path : {&o.world, &o.audio, &o.record})
        if (!path->empty()) *path = std::filesystem::absolute(*path).string();
    for (auto& [step, path] : o.shots) path = std::filesystem::absolute(path).string();
    if (chdir(o.dir.c_str()) != 0) return Usage("cannot enter " + o.dir);
    Simulator sim(o, std::move(events), trace);
    sim.Run();
    return 0;
}

}  // namespace skyrend::sim

int main(int argc, char** argv) { return skyrend::sim::Main(argc, argv); }
