// tools/sim/VideoWriter.h — a replay as a video file: H.264 pictures and
// AAC sound in MP4.
//
// The video takes the size of the first frame; a later frame of another
// size (the display mode changed) is scaled to fit, its aspect kept, with
// black bars. Each frame carries its time in milliseconds from the start of
// the sound, so the pictures keep the session's own pace.
//
// The encoding lives in a module of its own (skyrend-sim-video.so, beside
// the simulator or in its library folder), loaded only when a video is
// asked for: FFmpeg and the libraries it pulls in take some 20 MB of
// resident memory once loaded, more than the rest of a plain run's code.

#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>

namespace skyrend::sim {

class VideoError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class VideoWriter {
public:
    virtual ~VideoWriter() = default;
    // A frame of 0x00RRGGBB pixels, rows packed, shown from `ms`.
    virtual void Frame(const uint32_t* pixels, int width, int height, int64_t ms) = 0;
    // Interleaved 16-bit stereo samples that follow the ones before.
    virtual void Audio(const int16_t* samples, size_t frames) = 0;
    // Writes what is left and closes the file.
    virtual void Finish() = 0;
    virtual uint64_t Frames() const = 0;
};

// Nothing is written before the first frame; throws VideoError when the
// module cannot be loaded or the encoders are missing.
std::unique_ptr<VideoWriter> OpenVideoWriter(const std::string& path, int sampleRate);

}  // namespace skyrend::sim
