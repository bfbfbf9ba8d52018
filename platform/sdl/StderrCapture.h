// platform/sdl/StderrCapture.h — what a library says on standard error,
// kept instead of shown.

#pragma once

#include <cstdio>
#include <string>

namespace skyrend::platform {

// While alive, everything written to file descriptor 2 goes to a temporary
// file; Release() gives it back and restores the real standard error. Sound
// libraries probing for a missing device print a dozen lines at a time; the
// game reports such a failure itself, once, in one line.
class StderrCapture {
public:
    StderrCapture();
    ~StderrCapture();
    StderrCapture(const StderrCapture&) = delete;
    StderrCapture& operator=(const StderrCapture&) = delete;

    std::string Release();

private:
    std::FILE* file_ = nullptr;
    int saved_ = -1;
};

}  // namespace skyrend::platform
