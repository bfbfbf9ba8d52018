// tools/sim/VideoWriter.h — a replay as a video file: H.264 pictures and
// AAC sound in MP4, through FFmpeg's libraries.
//
// The video takes the size of the first frame; a later frame of another
// size (the display mode changed) is scaled to fit, its aspect kept, with
// black bars. Each frame carries its time in milliseconds from the start of
// the sound, so the pictures keep the session's own pace.

#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

struct AVFormatContext;
struct AVCodecContext;
struct AVStream;
struct AVFrame;
struct AVPacket;
struct SwsContext;
struct SwrContext;

namespace skyrend::sim {

class VideoError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class VideoWriter {
public:
    // Nothing is written before the first frame; throws VideoError when
    // the encoders are missing.
    VideoWriter(const std::string& path, int sampleRate);
    ~VideoWriter();
    VideoWriter(const VideoWriter&) = delete;
    VideoWriter& operator=(const VideoWriter&) = delete;

    // A frame of 0x00RRGGBB pixels, rows packed, shown from `ms`.
    void Frame(const uint32_t* pixels, int width, int height, int64_t ms);
    // Interleaved 16-bit stereo samples that follow the ones before.
    void Audio(const int16_t* samples, size_t frames);
    // Writes what is left and closes the file.
    void Finish();
    uint64_t Frames() const { return frames_; }

private:
    void Open(int width, int height);
    void OpenVideo(int width, int height);
    void OpenAudio();
    void EncodeAudio(bool last);
    void Send(AVCodecContext* codec, AVStream* stream, AVFrame* frame);
    [[noreturn]] void Fail(const std::string& what, int code = 0) const;

    std::string path_;
    int sampleRate_;
    AVFormatContext* format_ = nullptr;
    AVCodecContext* video_ = nullptr;
    AVCodecContext* audio_ = nullptr;
    AVStream* videoStream_ = nullptr;
    AVStream* audioStream_ = nullptr;
    AVFrame* picture_ = nullptr;
    AVFrame* sound_ = nullptr;
    AVPacket* packet_ = nullptr;
    SwsContext* scale_ = nullptr;
    SwrContext* resample_ = nullptr;
    bool open_ = false;
    bool finished_ = false;
    std::vector<int16_t> pendingAudio_;
    int64_t audioSamples_ = 0;
    int64_t lastPts_ = -1;
    uint64_t frames_ = 0;
};

}  // namespace skyrend::sim
