// platform/sdl/StderrCapture.cpp — standard error kept in a temporary file.

#include "platform/sdl/StderrCapture.h"

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>

namespace skyrend::platform {

namespace {

// What a capture keeps at most; a probe's complaints are a few KB.
constexpr size_t KeptBytes = 64 * 1024;

}  // namespace

StderrCapture::StderrCapture() {
    std::fflush(stderr);
    file_ = std::tmpfile();
    if (!file_) return;  // nowhere to put it: leave standard error alone
    saved_ = dup(STDERR_FILENO);
    if (saved_ < 0 || dup2(fileno(file_), STDERR_FILENO) < 0) {
        if (saved_ >= 0) close(saved_);
        saved_ = -1;
    }
}

StderrCapture::~StderrCapture() {
    Release();
    if (file_) std::fclose(file_);
}

std::string StderrCapture::Release() {
    if (saved_ < 0) return {};
    std::fflush(stderr);
    dup2(saved_, STDERR_FILENO);
    close(saved_);
    saved_ = -1;
    std::string text(KeptBytes, '\0');
    const ssize_t got = pread(fileno(file_), text.data(), text.size(), 0);
    text.resize(got > 0 ? static_cast<size_t>(got) : 0);
    return text;
}

}  // namespace skyrend::platform
