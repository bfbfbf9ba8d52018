// platform/replay/ReplayPlayer.h — the recorded answers, handed out in
// order as the game asks again.
//
// Each call takes the next record, which must be of the kind the game asks
// for. When it is not, the game has left the recorded path: the player
// notes where, and the session ends there (the next message poll answers
// "close"). Frames and cues that differ from the recorded ones are noted
// too, the first difference kept, and the session goes on. Files the
// recording read are checked against the ones here as they come up.

#pragma once

#include <cstdint>
#include <optional>
#include <set>
#include <string>

#include "platform/Platform.h"
#include "platform/replay/ReplayReader.h"

namespace skyrend::platform::replay {

struct Difference {
    uint64_t tick = 0;   // 1-based: the tick that was running (or next to run)
    std::string what;
};

class ReplayPlayer {
public:
    explicit ReplayPlayer(const ReplayFile& file);

    // ---- answers
    // False (message untouched) for an empty poll; true with the message,
    // which is Close once the recording is used up or has been left.
    bool Poll(Message& message);
    // The clock's next reading.
    uint32_t Clock();
    // The next record when it is of this kind; false (and `answer` empty)
    // when the recording is used up or has been left.
    bool Take(Kind kind, Answer& answer);
    // Compares a frame's hash with the recorded one; the recorded success.
    bool Present(uint64_t hash);
    // The end of a tick with the cues it played.
    void EndTick(const Cues& cues);

    // ---- where it stands
    bool Finished() const { return finished_; }
    uint64_t Ticks() const { return ticks_; }
    uint64_t Frames() const { return frames_; }
    // The last clock reading as an unbounded count of milliseconds.
    uint64_t RecordedClock() const { return clock64_; }
    bool ClockStarted() const { return clockStarted_; }
    const std::optional<Difference>& FirstDifference() const { return difference_; }
    const std::set<std::string>& DifferingFiles() const { return differingFiles_; }
    const ReplayFile& File() const { return file_; }

private:
    bool Next(Kind& kind, Answer& answer, uint64_t& offset);
    bool Peek();
    void SkipEmptyPolls();
    void CheckFile(const Answer& file);
    void Differ(const std::string& what);
    void LeavePath(const std::string& what, uint64_t offset);

    const ReplayFile& file_;
    ReplayDecoder decoder_;
    bool finished_ = false;
    struct {
        Kind kind{};
        Answer answer;
        uint64_t offset = 0;
    } next_;
    bool haveNext_ = false;
    uint64_t idleLeft_ = 0;       // idle steps not yet played
    bool idleWantsClock_ = false; // the current step's poll is done
    uint64_t emptyPolls_ = 0;
    bool clockStarted_ = false;
    uint32_t clock_ = 0;
    uint64_t clock64_ = 0;
    uint64_t ticks_ = 0;
    uint64_t frames_ = 0;
    std::optional<Difference> difference_;
    std::set<std::string> differingFiles_;
};

}  // namespace skyrend::platform::replay
