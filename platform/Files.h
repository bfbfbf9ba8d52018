// platform/Files.h — reading files by relative path.
//
// Names keep the game's backslashes; they are mapped to slashes here, and
// looked up relative to the working directory. Errors carry the runtime's
// I/O error codes: 2 = file not found, 5 = access denied, others as given.

#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace skyrend::platform {

constexpr int ErrorFileNotFound = 2;
constexpr int ErrorAccessDenied = 5;

class ReadFile {
public:
    ~ReadFile();
    ReadFile(const ReadFile&) = delete;
    ReadFile& operator=(const ReadFile&) = delete;

    // Reads up to `count` bytes; returns how many were read, -1 on an error
    // (its code in `error`).
    long Read(void* buffer, size_t count, int& error);
    int64_t Size() const { return size_; }
    int64_t Position() const { return position_; }
    bool Seek(int64_t position);
    // Closes the file; false with `error` set when closing fails.
    bool Close(int& error);

private:
    friend std::unique_ptr<ReadFile> OpenFileRead(const std::string&, int&);
    ReadFile(int fd, int64_t size) : fd_(fd), size_(size) {}
    int fd_ = -1;
    int64_t size_ = 0;
    int64_t position_ = 0;
};

// Opens for reading, denying writers where the system can (an advisory
// lock); null with `error` set when the file cannot be opened. A directory
// gives ErrorAccessDenied.
std::unique_ptr<ReadFile> OpenFileRead(const std::string& name, int& error);

// Told the name (as the game gives it) of every file opened for reading;
// a recorded replay notes which files the session read. Empty: nobody.
void SetFileOpenObserver(std::function<void(const std::string& name)> observer);

// The name with every backslash turned into a slash.
std::string MapPath(const std::string& name);

}  // namespace skyrend::platform
