// media/Streams.cpp — memory and file streams.

#include "media/Streams.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "media/Errors.h"

namespace skyrend {

void TStream::ReadBuffer(void* buffer, size_t count) {
    if (count != 0 && Read(buffer, count) != count) throw EReadError("Stream-Lesefehler");
}

void TStream::WriteBuffer(const void* buffer, size_t count) {
    if (count != 0 && Write(buffer, count) != count) throw EStreamError("Stream-Schreibfehler");
}

size_t TMemoryStream::Read(void* buffer, size_t count) {
    if (count == 0 || position_ >= Size()) return 0;
    size_t n = std::min(count, static_cast<size_t>(Size() - position_));
    std::memcpy(buffer, data_.data() + position_, n);
    position_ += static_cast<int64_t>(n);
    return n;
}

size_t TMemoryStream::Write(const void* buffer, size_t count) {
    size_t end = static_cast<size_t>(position_) + count;
    if (end > data_.size()) data_.resize(end);
    if (count) std::memcpy(data_.data() + position_, buffer, count);
    position_ = static_cast<int64_t>(end);
    return count;
}

void TMemoryStream::SetPosition(int64_t position) { position_ = std::max<int64_t>(position, 0); }

size_t TBytesView::Read(void* buffer, size_t count) {
    if (count == 0 || position_ >= size_) return 0;
    size_t n = std::min(count, size_ - position_);
    std::memcpy(buffer, data_ + position_, n);
    position_ += n;
    return n;
}

size_t TBytesView::Write(const void*, size_t) { return 0; }

void TBytesView::SetPosition(int64_t position) {
    position_ = static_cast<size_t>(std::clamp<int64_t>(position, 0, static_cast<int64_t>(size_)));
}

TStreamWindow::TStreamWindow(TStream& base, int64_t size)
    : base_(base), start_(base.Position()), size_(std::max<int64_t>(size, 0)) {}

size_t TStreamWindow::Read(void* buffer, size_t count) {
    if (count == 0 || position_ >= size_) return 0;
    const size_t n = std::min(count, static_cast<size_t>(size_ - position_));
    if (base_.Position() != start_ + position_) base_.SetPosition(start_ + position_);
    const size_t got = base_.Read(buffer, n);
    position_ += static_cast<int64_t>(got);
    return got;
}

size_t TStreamWindow::Write(const void*, size_t) { return 0; }

void TStreamWindow::SetPosition(int64_t position) { position_ = std::clamp<int64_t>(position, 0, size_); }

TFileStream::TFileStream(const std::string& fileName) {
    int error = 0;
    file_ = platform::OpenFileRead(fileName, error);
    if (!file_) throw EFOpenError(Format("Datei %s kann nicht geöffnet werden", fileName));
}

long TFileStream::ReadFileAt(void* buffer, size_t count) {
    if (file_->Position() != position_ && !file_->Seek(position_)) return -1;
    int error = 0;
    return file_->Read(buffer, count, error);
}

size_t TFileStream::Read(void* buffer, size_t count) {
    // An empty read may come with no buffer at all.
    if (count == 0) return 0;
    auto* out = static_cast<uint8_t*>(buffer);
    size_t done = 0;
    // What the buffer holds of the requested bytes.
    if (position_ >= bufferStart_ && position_ < bufferStart_ + static_cast<int64_t>(buffered_)) {
        const size_t at = static_cast<size_t>(position_ - bufferStart_);
        done = std::min(count, buffered_ - at);
        std::memcpy(out, buffer_.data() + at, done);
        position_ += static_cast<int64_t>(done);
    }
    if (done == count) return done;
    if (count - done >= BufferSize) {
        const long n = ReadFileAt(out + done, count - done);
        if (n > 0) position_ += n, done += static_cast<size_t>(n);
        return done;
    }
    buffer_.resize(BufferSize);
    const long n = ReadFileAt(buffer_.data(), BufferSize);
    bufferStart_ = position_;
    buffered_ = n > 0 ? static_cast<size_t>(n) : 0;
    const size_t more = std::min(count - done, buffered_);
    std::memcpy(out + done, buffer_.data(), more);
    position_ += static_cast<int64_t>(more);
    return done + more;
}

size_t TFileStream::Write(const void*, size_t) { return 0; }
int64_t TFileStream::Size() const { return file_->Size(); }

// Like a seek of the file: a negative position is refused.
void TFileStream::SetPosition(int64_t position) {
    if (position >= 0) position_ = position;
}

void WriteWholeFile(const std::string& path, const std::vector<uint8_t>& bytes) {
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) throw EStreamError("Datei " + path + " kann nicht erstellt werden");
    size_t n = bytes.empty() ? 0 : std::fwrite(bytes.data(), 1, bytes.size(), f);
    bool ok = n == bytes.size();
    ok = (std::fclose(f) == 0) && ok;
    if (!ok) throw EStreamError("Stream-Schreibfehler");
}

std::vector<uint8_t> ReadWholeFile(const std::string& fileName) {
    TFileStream stream(fileName);
    std::vector<uint8_t> bytes(static_cast<size_t>(std::max<int64_t>(stream.Size(), 0)));
    bytes.resize(stream.Read(bytes.data(), bytes.size()));
    return bytes;
}

}  // namespace skyrend
