// media/Streams.h — byte streams: memory, and files opened read-only.
//
// ReadBuffer throws the stream read error when fewer bytes are there than
// asked for; Read returns what it could get.

#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/Files.h"

namespace skyrend {

class TStream {
public:
    virtual ~TStream() = default;
    virtual size_t Read(void* buffer, size_t count) = 0;
    virtual size_t Write(const void* buffer, size_t count) = 0;
    virtual int64_t Size() const = 0;
    virtual int64_t Position() const = 0;
    virtual void SetPosition(int64_t position) = 0;

    // Reads exactly `count` bytes or throws EReadError "Stream-Lesefehler".
    void ReadBuffer(void* buffer, size_t count);
    // Writes exactly `count` bytes or throws EStreamError.
    void WriteBuffer(const void* buffer, size_t count);
    int64_t Remaining() const { return Size() - Position(); }
};

// A growable stream in memory (or a read-only view of bytes it copied).
class TMemoryStream : public TStream {
public:
    TMemoryStream() = default;
    explicit TMemoryStream(std::vector<uint8_t> bytes) : data_(std::move(bytes)) {}
    TMemoryStream(const uint8_t* bytes, size_t size) : data_(bytes, bytes + size) {}

    size_t Read(void* buffer, size_t count) override;
    size_t Write(const void* buffer, size_t count) override;
    int64_t Size() const override { return static_cast<int64_t>(data_.size()); }
    int64_t Position() const override { return position_; }
    void SetPosition(int64_t position) override;

    const std::vector<uint8_t>& Bytes() const { return data_; }
    std::vector<uint8_t>& Bytes() { return data_; }

private:
    std::vector<uint8_t> data_;
    int64_t position_ = 0;
};

// A read-only view over bytes owned elsewhere.
class TBytesView : public TStream {
public:
    TBytesView(const uint8_t* bytes, size_t size) : data_(bytes), size_(size) {}
    size_t Read(void* buffer, size_t count) override;
    size_t Write(const void* buffer, size_t count) override;
    int64_t Size() const override { return static_cast<int64_t>(size_); }
    int64_t Position() const override { return static_cast<int64_t>(position_); }
    void SetPosition(int64_t position) override;

private:
    const uint8_t* data_;
    size_t size_;
    size_t position_ = 0;
};

// A read-only window onto `size` bytes of another stream, starting at its
// position when the window is made: reads stop at the window's end, and
// positions count from its start. The other stream is left wherever the
// last read took it.
class TStreamWindow : public TStream {
public:
    TStreamWindow(TStream& base, int64_t size);
    size_t Read(void* buffer, size_t count) override;
    size_t Write(const void* buffer, size_t count) override;
    int64_t Size() const override { return size_; }
    int64_t Position() const override { return position_; }
    void SetPosition(int64_t position) override;

private:
    TStream& base_;
    int64_t start_;
    int64_t size_;
    int64_t position_ = 0;
};

// A file opened for reading, denying writers. Opening a missing or locked
// file throws EFOpenError "Datei %s kann nicht geöffnet werden" with the name
// as given (backslashes kept). Small reads (a component stream reads its
// tags and names a few bytes at a time) are served from a buffer of the
// file; large ones go straight into the caller's memory.
class TFileStream : public TStream {
public:
    explicit TFileStream(const std::string& fileName);
    size_t Read(void* buffer, size_t count) override;
    size_t Write(const void* buffer, size_t count) override;
    int64_t Size() const override;
    int64_t Position() const override { return position_; }
    void SetPosition(int64_t position) override;

private:
    static constexpr size_t BufferSize = 64 * 1024;
    std::unique_ptr<platform::ReadFile> file_;
    int64_t position_ = 0;
    std::vector<uint8_t> buffer_;  // the file's bytes from bufferStart_ on
    int64_t bufferStart_ = 0;
    size_t buffered_ = 0;
    // Reads from the file at position_ (seeking there first); -1 on an error.
    long ReadFileAt(void* buffer, size_t count);
};

// Writes a whole file (for the tools); throws EStreamError on failure.
void WriteWholeFile(const std::string& path, const std::vector<uint8_t>& bytes);
// Reads a whole file through TFileStream.
std::vector<uint8_t> ReadWholeFile(const std::string& fileName);

}  // namespace skyrend
