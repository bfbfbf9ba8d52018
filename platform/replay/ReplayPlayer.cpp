// platform/replay/ReplayPlayer.cpp — answering from the recording.

#include "platform/replay/ReplayPlayer.h"

#include <cinttypes>
#include <cstdio>

#include "platform/Files.h"
#include "platform/replay/FileHash.h"

namespace skyrend::platform::replay {

namespace {
std::string Hex(uint64_t v) {
    char text[20];
    std::snprintf(text, sizeof text, "%016" PRIx64, v);
    return text;
}
}  // namespace

ReplayPlayer::ReplayPlayer(const ReplayFile& file)
    : file_(file), decoder_(file.bytes.data(), HeaderSize, file.playEnd) {}

// The file's records were all checked when it was loaded; the decoder
// cannot fail here. File records are checked and passed over.
bool ReplayPlayer::Next(Kind& kind, Answer& answer, uint64_t& offset) {
    if (!Peek()) return false;
    kind = next_.kind;
    answer = std::move(next_.answer);
    offset = next_.offset;
    haveNext_ = false;
    return true;
}

// The file's records were all checked when it was loaded; the decoder
// cannot fail here. File records are checked and passed over.
bool ReplayPlayer::Peek() {
    while (!haveNext_ && !finished_) {
        if (!decoder_.Next(next_.kind, next_.answer, next_.offset) || next_.kind == Kind::End) {
            finished_ = true;
            break;
        }
        if (next_.kind == Kind::File)
            CheckFile(next_.answer);
        else
            haveNext_ = true;
    }
    return haveNext_;
}

void ReplayPlayer::CheckFile(const Answer& file) {
    uint64_t size = 0, hash = 0;
    const bool readable = HashFile(MapPath(file.text), size, hash);
    if ((readable && size == file.size && hash == file.hash) || differingFiles_.count(file.text)) return;
    differingFiles_.insert(file.text);
    std::fprintf(stderr, "%s: recorded with another %s than the one here%s\n", file_.path.c_str(),
                 file.text.c_str(), readable ? "" : " (which cannot be read)");
}

void ReplayPlayer::Differ(const std::string& what) {
    if (!difference_) difference_ = Difference{ticks_ + 1, what};
}

void ReplayPlayer::LeavePath(const std::string& what, uint64_t offset) {
    Differ("the game " + what + " (recording byte " + std::to_string(offset) + ")");
    finished_ = true;
}

// Empty polls change nothing, and the game's loop may make more or fewer of
// them than the recording has (the real window waits between ticks, the
// simulator steps): a poll the recording does not have finds no message, and
// recorded empty polls the game does not make again are passed over.
bool ReplayPlayer::Poll(Message& message) {
    if (finished_) {
        message = Message{.kind = MessageKind::Close};
        return true;
    }
    if (idleLeft_) {
        idleWantsClock_ = true;
        return false;
    }
    if (emptyPolls_) {
        --emptyPolls_;
        return false;
    }
    if (!Peek()) {
        message = Message{.kind = MessageKind::Close};
        return true;
    }
    switch (next_.kind) {
        case Kind::Idle:
            idleLeft_ = next_.answer.count;
            idleWantsClock_ = true;
            haveNext_ = false;
            return false;
        case Kind::EmptyPolls:
            emptyPolls_ = next_.answer.count - 1;
            haveNext_ = false;
            return false;
        case Kind::Message:
            message = next_.answer.message;
            haveNext_ = false;
            return true;
        default: return false;
    }
}

void ReplayPlayer::SkipEmptyPolls() {
    emptyPolls_ = 0;
    while (Peek() && next_.kind == Kind::EmptyPolls) haveNext_ = false;
}

uint32_t ReplayPlayer::Clock() {
    if (finished_) return clock_;
    uint32_t now = 0;
    SkipEmptyPolls();
    // An idle step's poll may be missing: an empty poll changes nothing.
    if (!idleLeft_ && Peek() && next_.kind == Kind::Idle) {
        idleLeft_ = next_.answer.count;
        haveNext_ = false;
    }
    if (idleLeft_) {
        --idleLeft_;
        idleWantsClock_ = false;
        now = clock_ + 1;
    } else {
        Answer a;
        if (!Take(Kind::Clock, a)) return clock_;
        now = clock_ + static_cast<uint32_t>(a.number);
    }
    clock64_ = clockStarted_ ? clock64_ + static_cast<uint32_t>(now - clock_) : now;
    clockStarted_ = true;
    clock_ = now;
    return now;
}

bool ReplayPlayer::Take(Kind kind, Answer& answer) {
    answer = Answer{};
    if (finished_) return false;
    // Idle steps read the clock, which the game must read again.
    SkipEmptyPolls();
    if (idleLeft_) {
        LeavePath(std::string("asked for ") + KindName(kind) + " where the recording reads the clock", decoder_.At());
        return false;
    }
    Kind got{};
    uint64_t offset = 0;
    if (!Next(got, answer, offset)) return false;
    if (got != kind) {
        LeavePath(std::string("asked for ") + KindName(kind) + " where the recording has " + KindName(got), offset);
        answer = Answer{};
        return false;
    }
    return true;
}

bool ReplayPlayer::Present(uint64_t hash) {
    Answer a;
    if (!Take(Kind::Present, a)) return false;
    ++frames_;
    if (a.hash != hash)
        Differ("frame " + std::to_string(frames_) + " differs (hash " + Hex(hash) + ", recorded " + Hex(a.hash) + ")");
    return a.ok;
}

void ReplayPlayer::EndTick(const Cues& cues) {
    Answer a;
    if (!Take(Kind::Tick, a)) return;
    if (a.cues != cues) Differ("the tick's cues " + CuesText(cues) + " differ from the recorded " + CuesText(a.cues));
    ++ticks_;
}

}  // namespace skyrend::platform::replay
