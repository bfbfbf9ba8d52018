// platform/common/AlCore.h — one OpenAL Soft device with its context.
//
// The real back-end opens the default playback device once for the process;
// the headless back-end opens a loopback device and pulls the mix out step by
// step, so that sound follows its virtual clock exactly. Everything made on a
// core (buffers, sources) keeps the core alive.

#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace skyrend::platform {

class AlCore {
public:
    // The default output device; null with `error` set when none can be opened.
    static std::shared_ptr<AlCore> OpenPlayback(std::string& error);
    // A loopback device mixing stereo at `rate` frames per second; null with
    // `error` set when OpenAL Soft cannot make one.
    static std::shared_ptr<AlCore> OpenLoopback(int rate, std::string& error);

    ~AlCore();
    AlCore(const AlCore&) = delete;
    AlCore& operator=(const AlCore&) = delete;

    // Makes this core's context the current one; every AL call on its objects
    // goes through here first, so several cores can live side by side.
    void MakeCurrent();
    bool IsLoopback() const;
    // False once OpenAL reports the output device disconnected.
    bool Connected();

    // Loopback only: mixes the next `frames` stereo frames and appends them to
    // `out` as 16-bit samples, left then right.
    void Render(size_t frames, std::vector<int16_t>& out);

private:
    struct Impl;
    explicit AlCore(std::unique_ptr<Impl> impl);
    std::unique_ptr<Impl> impl_;
};

}  // namespace skyrend::platform
