// platform/replay/ReplayBytes.cpp — the replay file's number and string codes.

#include "platform/replay/ReplayBytes.h"

#include <limits>

namespace skyrend::platform::replay {

ReplayError::ReplayError(const std::string& file, const std::string& what, uint64_t offset)
    : std::runtime_error(file + ": " + what + " at byte " + std::to_string(offset)), offset_(offset) {}

void ByteSink::Unsigned(uint64_t v) {
    while (v >= 0x80) {
        out_.push_back(static_cast<uint8_t>(v | 0x80));
        v >>= 7;
    }
    out_.push_back(static_cast<uint8_t>(v));
}

void ByteSink::Hash(uint64_t h) {
    for (int i = 0; i < 8; ++i) out_.push_back(static_cast<uint8_t>(h >> (8 * i)));
}

void ByteSink::Text(const std::string& s) {
    Unsigned(s.size());
    out_.insert(out_.end(), s.begin(), s.end());
}

void ByteSource::Fail(const std::string& what) const { throw Corrupt{what, record_}; }

uint8_t ByteSource::Byte() {
    if (at_ >= end_) throw Truncated{record_};
    return data_[at_++];
}

bool ByteSource::Flag() {
    const uint8_t b = Byte();
    if (b > 1) Fail("a yes/no byte of " + std::to_string(b));
    return b != 0;
}

uint64_t ByteSource::Unsigned(uint64_t max) {
    uint64_t v = 0;
    for (int shift = 0;; shift += 7) {
        const uint8_t b = Byte();
        if (shift == 63 && b > 1) Fail("a number too long");
        v |= static_cast<uint64_t>(b & 0x7f) << shift;
        if (!(b & 0x80)) break;
    }
    if (v > max) Fail("a number out of range (" + std::to_string(v) + ")");
    return v;
}

int32_t ByteSource::Signed32() {
    const int64_t v = UnZigZag(Unsigned(std::numeric_limits<uint64_t>::max()));
    if (v < std::numeric_limits<int32_t>::min() || v > std::numeric_limits<int32_t>::max())
        Fail("a number out of range (" + std::to_string(v) + ")");
    return static_cast<int32_t>(v);
}

uint64_t ByteSource::Hash() {
    uint64_t h = 0;
    for (int i = 0; i < 8; ++i) h |= static_cast<uint64_t>(Byte()) << (8 * i);
    return h;
}

std::string ByteSource::Text(uint64_t maxLength) {
    const auto length = static_cast<size_t>(Unsigned(maxLength));
    if (end_ - at_ < length) throw Truncated{record_};
    std::string s(reinterpret_cast<const char*>(data_ + at_), length);
    at_ += length;
    return s;
}

}  // namespace skyrend::platform::replay
