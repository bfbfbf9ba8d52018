// platform/replay/ReplayWriter.h — a replay file as the session goes.
//
// Records build up in memory and go to the file at the end of every tick
// (one write, no library buffering), so a process that is killed leaves
// its file whole up to the last tick. A failing write ends the recording
// with one message on standard error; the game goes on.

#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/replay/ReplayRecords.h"

namespace skyrend::platform::replay {

class ReplayWriter {
public:
    // Creates (or empties) the file and writes the header; throws
    // std::runtime_error naming the file when it cannot.
    explicit ReplayWriter(const std::string& path);
    // Writes what is pending, without an end record: a session that did not
    // end normally.
    ~ReplayWriter();
    ReplayWriter(const ReplayWriter&) = delete;
    ReplayWriter& operator=(const ReplayWriter&) = delete;

    // A message poll that found nothing, and a clock reading: the message
    // loop's idle polling, folded as the format describes.
    void EmptyPoll() { ++pendingPolls_; }
    void Clock(uint32_t now);
    // Any other answer, or a file record.
    void Record(Kind kind, const Answer& answer);
    // The end of a tick with the cues it played; the file is written up to here.
    void Tick(const Cues& cues);
    // The session ended normally.
    void End();

    // Bytes written to the file so far.
    uint64_t Written() const { return written_; }

private:
    void FlushPending();
    void Put(Kind kind, const Answer& answer);
    void WriteOut();

    std::string path_;
    int fd_ = -1;
    std::vector<uint8_t> buffer_;
    std::vector<uint8_t> payload_;
    std::array<std::vector<uint8_t>, 64> last_;   // the last payload of each kind
    std::array<bool, 64> seen_{};
    uint64_t written_ = 0;

    bool haveClock_ = false;
    uint32_t lastClock_ = 0;
    bool onlyPollsSinceClock_ = false;
    uint64_t pendingPolls_ = 0;
    uint64_t idleRun_ = 0;
};

}  // namespace skyrend::platform::replay
