// platform/Files.cpp — POSIX file reading for both back-ends.

#include "platform/Files.h"

#include <cerrno>
#include <utility>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace skyrend::platform {

namespace {

int RuntimeCode(int err) {
    switch (err) {
        case ENOENT:
        case ENOTDIR:
            return ErrorFileNotFound;
        case EACCES:
        case EPERM:
        case EISDIR:
            return ErrorAccessDenied;
        default:
            return err > 0 ? err : 1;
    }
}

}  // namespace

std::string MapPath(const std::string& name) {
    std::string path = name;
    for (char& c : path)
        if (c == '\\') c = '/';
    return path;
}

namespace {
std::function<void(const std::string&)>& FileOpenObserver() {
    static std::function<void(const std::string&)> observer;
    return observer;
}
}  // namespace

void SetFileOpenObserver(std::function<void(const std::string& name)> observer) {
    FileOpenObserver() = std::move(observer);
}

std::unique_ptr<ReadFile> OpenFileRead(const std::string& name, int& error) {
    error = 0;
    int fd = ::open(MapPath(name).c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        error = RuntimeCode(errno);
        return nullptr;
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0 || S_ISDIR(st.st_mode)) {
        error = S_ISDIR(st.st_mode) ? ErrorAccessDenied : RuntimeCode(errno);
        ::close(fd);
        return nullptr;
    }
    // Deny writers that honour locks; a file we cannot lock is still read.
    (void)::flock(fd, LOCK_SH | LOCK_NB);
    if (FileOpenObserver()) FileOpenObserver()(name);
    return std::unique_ptr<ReadFile>(new ReadFile(fd, static_cast<int64_t>(st.st_size)));
}

ReadFile::~ReadFile() {
    if (fd_ >= 0) ::close(fd_);
}

long ReadFile::Read(void* buffer, size_t count, int& error) {
    error = 0;
    size_t done = 0;
    auto* out = static_cast<char*>(buffer);
    while (done < count) {
        ssize_t n = ::read(fd_, out + done, count - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            error = RuntimeCode(errno);
            return -1;
        }
        if (n == 0) break;
        done += static_cast<size_t>(n);
    }
    position_ += static_cast<int64_t>(done);
    return static_cast<long>(done);
}

bool ReadFile::Seek(int64_t position) {
    if (position < 0 || ::lseek(fd_, position, SEEK_SET) < 0) return false;
    position_ = position;
    return true;
}

bool ReadFile::Close(int& error) {
    error = 0;
    if (fd_ < 0) return true;
    int fd = fd_;
    fd_ = -1;
    if (::close(fd) != 0) {
        error = RuntimeCode(errno);
        return false;
    }
    return true;
}

}  // namespace skyrend::platform
