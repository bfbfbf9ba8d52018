// tools/sim/video/FfmpegVideoWriter.h — the video writer of the loadable
// module: H.264 pictures and AAC sound in MP4, through FFmpeg's libraries.

#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tools/sim/VideoWriter.h"

struct AVFormatContext;
struct AVCodecContext;
struct AVStream;
struct AVFrame;
struct AVPacket;
struct SwsContext;
struct SwrContext;

namespace skyrend::sim {

class FfmpegVideoWriter final : public VideoWriter {
public:
    // Throws VideoError when the encoders are missing.
    FfmpegVideoWriter(const std::string& path, int sampleRate);
    ~FfmpegVideoWriter() override;

    void Frame(const uint32_t* pixels, int width, int height, int64_t ms) override;
    void Audio(const int16_t* samples, size_t frames) override;
    void Finish() override;
    uint64_t Frames() const override { return frames_; }

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
