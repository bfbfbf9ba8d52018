// platform/replay/ReplayReader.cpp — checking a replay from end to end.

#include "platform/replay/ReplayReader.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <iterator>

namespace skyrend::platform::replay {

namespace {

bool KnownKind(uint8_t k) {
    return (k >= static_cast<uint8_t>(Kind::Idle) && k <= static_cast<uint8_t>(Kind::SoundConnected)) ||
           (k >= static_cast<uint8_t>(Kind::File) && k <= static_cast<uint8_t>(Kind::End));
}

void CheckHeader(const std::string& name, const std::vector<uint8_t>& bytes) {
    const size_t magic = sizeof Magic;
    if (bytes.size() < magic || std::memcmp(bytes.data(), Magic, magic) != 0)
        throw ReplayError(name, "not a Skyrend replay (no SKYRPLAY mark)", 0);
    if (bytes.size() < HeaderSize) throw ReplayError(name, "the replay ends inside its header", bytes.size());
    const unsigned version = bytes[magic] | (bytes[magic + 1] << 8);
    if (version > FormatVersion)
        throw ReplayError(name,
                          "replay format version " + std::to_string(version) + " is newer than this program's (" +
                              std::to_string(FormatVersion) + ")",
                          magic);
    if (version == 0) throw ReplayError(name, "unknown replay format version 0", magic);
}

// Where a file without its end record stops, for standard error.
std::string EarlyEnd(const ReplayFile& file) {
    const std::string at = " at byte " + std::to_string(file.bytes.size());
    const std::string ticks = std::to_string(file.ticks);
    if (file.playEnd == file.bytes.size())
        return file.path + ": the recording stops after tick " + ticks + at +
               " without its end (the session did not end normally)";
    return file.path + ": the recording ends inside tick " + std::to_string(file.ticks + 1) + at +
           " (the session did not end normally); played up to tick " + ticks;
}

}  // namespace

ReplayDecoder::ReplayDecoder(const uint8_t* data, size_t begin, size_t end) : data_(data), in_(data, begin, end) {}

bool ReplayDecoder::Next(Kind& kind, Answer& answer, uint64_t& offset) {
    if (in_.AtEnd()) return false;
    in_.StartRecord();
    offset = in_.At();
    const uint8_t op = in_.Byte();
    const uint8_t k = op & KindMask;
    if ((op & ~(KindMask | SameFlag)) || !KnownKind(k)) in_.Fail("an unknown record kind " + std::to_string(op));
    kind = static_cast<Kind>(k);
    answer = Answer{};
    if (op & SameFlag) {
        if (!Repeatable(kind) || !seen_[k])
            in_.Fail(std::string("a repeat of ") + KindName(kind) + " that was never given");
        ByteSource again(data_, lastBegin_[k], lastEnd_[k]);
        DecodePayload(kind, again, answer);
        return true;
    }
    const size_t begin = in_.At();
    DecodePayload(kind, in_, answer);
    if (Repeatable(kind)) {
        lastBegin_[k] = begin;
        lastEnd_[k] = in_.At();
        seen_[k] = true;
    }
    return true;
}

ReplayFile ParseReplay(const std::string& name, std::vector<uint8_t> bytes) {
    CheckHeader(name, bytes);
    ReplayFile file;
    file.path = name;
    file.bytes = std::move(bytes);
    file.playEnd = HeaderSize;
    ReplayDecoder decoder(file.bytes.data(), HeaderSize, file.bytes.size());
    Kind kind{};
    Answer answer;
    uint64_t offset = 0;
    uint64_t frames = 0;
    try {
        while (decoder.Next(kind, answer, offset)) {
            if (kind == Kind::Present) ++frames;
            if (kind == Kind::Tick || kind == Kind::End) {
                file.playEnd = decoder.At();
                file.frames = frames;
            }
            if (kind == Kind::Tick) ++file.ticks;
            if (kind == Kind::End) {
                if (!decoder.Next(kind, answer, offset)) {
                    file.endedNormally = true;
                    return file;
                }
                throw Corrupt{"a record after the end of the session", offset};
            }
        }
    } catch (const Truncated&) {
        // Played up to the last whole tick.
    } catch (const Corrupt& c) {
        throw ReplayError(name, "corrupt replay: " + c.what, c.offset);
    }
    file.early = EarlyEnd(file);
    return file;
}

ReplayFile LoadReplay(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw ReplayError(path, std::string("cannot be read (") + std::strerror(errno) + ")", 0);
    std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) throw ReplayError(path, "cannot be read", bytes.size());
    return ParseReplay(path, std::move(bytes));
}

}  // namespace skyrend::platform::replay
