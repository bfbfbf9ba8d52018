// platform/replay/ReplayWriter.cpp — encoding and writing a replay.

#include "platform/replay/ReplayWriter.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <stdexcept>

namespace skyrend::platform::replay {

ReplayWriter::ReplayWriter(const std::string& path) : path_(path) {
    fd_ = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd_ < 0) throw std::runtime_error(path + ": cannot be written (" + std::strerror(errno) + ")");
    buffer_.assign(Magic, Magic + sizeof Magic);
    buffer_.push_back(static_cast<uint8_t>(FormatVersion & 0xff));
    buffer_.push_back(static_cast<uint8_t>(FormatVersion >> 8));
    WriteOut();
}

ReplayWriter::~ReplayWriter() {
    FlushPending();
    WriteOut();
    if (fd_ >= 0) ::close(fd_);
}

void ReplayWriter::Clock(uint32_t now) {
    // The same reading again after nothing but empty polls: the loop is
    // waiting for the clock to move, which changes nothing.
    if (haveClock_ && now == lastClock_ && onlyPollsSinceClock_) {
        pendingPolls_ = 0;
        return;
    }
    const auto step = static_cast<int32_t>(now - lastClock_);
    if (haveClock_ && step == 1 && pendingPolls_ == 1) {
        ++idleRun_;
        pendingPolls_ = 0;
    } else {
        Answer a;
        a.number = step;   // the first reading: its step from 0
        Put(Kind::Clock, a);
    }
    haveClock_ = true;
    lastClock_ = now;
    onlyPollsSinceClock_ = true;
}

void ReplayWriter::Record(Kind kind, const Answer& answer) {
    Put(kind, answer);
    onlyPollsSinceClock_ = false;
}

void ReplayWriter::Tick(const Cues& cues) {
    Answer a;
    a.cues = cues;
    Record(Kind::Tick, a);
    WriteOut();
}

void ReplayWriter::End() {
    Record(Kind::End, {});
    WriteOut();
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
}

// Idle steps come before the polls that followed them.
void ReplayWriter::FlushPending() {
    if (idleRun_) {
        Answer a;
        a.count = idleRun_;
        idleRun_ = 0;
        Put(Kind::Idle, a);
    }
    if (pendingPolls_) {
        Answer a;
        a.count = pendingPolls_;
        pendingPolls_ = 0;
        Put(Kind::EmptyPolls, a);
    }
}

void ReplayWriter::Put(Kind kind, const Answer& answer) {
    if (kind != Kind::Idle && kind != Kind::EmptyPolls) FlushPending();
    // A run longer than a record may count goes out in pieces.
    if ((kind == Kind::Idle || kind == Kind::EmptyPolls) && answer.count > MaxCount) {
        Answer piece = answer;
        for (uint64_t left = answer.count; left; left -= piece.count) {
            piece.count = std::min(left, MaxCount);
            Put(kind, piece);
        }
        return;
    }
    payload_.clear();
    ByteSink sink(payload_);
    EncodePayload(kind, answer, sink);
    const auto k = static_cast<uint8_t>(kind);
    if (Repeatable(kind) && seen_[k] && last_[k] == payload_) {
        buffer_.push_back(k | SameFlag);
        return;
    }
    buffer_.push_back(k);
    buffer_.insert(buffer_.end(), payload_.begin(), payload_.end());
    if (Repeatable(kind)) {
        last_[k] = payload_;
        seen_[k] = true;
    }
}

void ReplayWriter::WriteOut() {
    if (fd_ < 0) {
        buffer_.clear();
        return;
    }
    size_t done = 0;
    while (done < buffer_.size()) {
        const ssize_t n = ::write(fd_, buffer_.data() + done, buffer_.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            std::fprintf(stderr, "%s: the recording stops: %s\n", path_.c_str(), std::strerror(errno));
            ::close(fd_);
            fd_ = -1;
            break;
        }
        done += static_cast<size_t>(n);
    }
    written_ += done;
    buffer_.clear();
}

}  // namespace skyrend::platform::replay
