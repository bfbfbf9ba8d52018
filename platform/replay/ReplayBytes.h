// platform/replay/ReplayBytes.h — varints, zig-zag numbers, strings and
// hashes as a replay file holds them: appended by the writer, taken by the
// reader, which checks every value against its limits.

#pragma once

#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

namespace skyrend::platform::replay {

// A file that cannot be a replay of ours, or cannot be read as one. The
// text is one line: "FILE: what at byte OFFSET".
class ReplayError : public std::runtime_error {
public:
    ReplayError(const std::string& file, const std::string& what, uint64_t offset);
    uint64_t Offset() const { return offset_; }

private:
    uint64_t offset_;
};

// Bytes end in the middle of a record; the offset is where the record began.
struct Truncated {
    uint64_t offset = 0;
};

// Bytes are not a valid record: what is wrong, and where.
struct Corrupt {
    std::string what;
    uint64_t offset = 0;
};

inline uint64_t ZigZag(int64_t v) { return (static_cast<uint64_t>(v) << 1) ^ static_cast<uint64_t>(v >> 63); }
inline int64_t UnZigZag(uint64_t v) { return static_cast<int64_t>(v >> 1) ^ -static_cast<int64_t>(v & 1); }

class ByteSink {
public:
    explicit ByteSink(std::vector<uint8_t>& out) : out_(out) {}
    void Byte(uint8_t b) { out_.push_back(b); }
    void Unsigned(uint64_t v);
    void Signed(int64_t v) { Unsigned(ZigZag(v)); }
    void Hash(uint64_t h);
    void Text(const std::string& s);

private:
    std::vector<uint8_t>& out_;
};

// Reads from bytes [begin, end); throws Truncated past the end and Corrupt
// for a value outside its limits.
class ByteSource {
public:
    ByteSource(const uint8_t* data, size_t begin, size_t end) : data_(data), at_(begin), end_(end) {}
    size_t At() const { return at_; }
    bool AtEnd() const { return at_ >= end_; }
    // Where the record being read began, for the errors.
    void StartRecord() { record_ = at_; }

    uint8_t Byte();
    bool Flag();
    uint64_t Unsigned(uint64_t max);
    int32_t Signed32();
    uint64_t Hash();
    std::string Text(uint64_t maxLength);
    [[noreturn]] void Fail(const std::string& what) const;

private:
    const uint8_t* data_;
    size_t at_;
    size_t end_;
    size_t record_ = 0;
};

}  // namespace skyrend::platform::replay
