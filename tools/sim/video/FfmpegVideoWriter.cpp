// tools/sim/video/FfmpegVideoWriter.cpp — encoding and muxing with FFmpeg,
// and the module's entry.

#include "tools/sim/video/FfmpegVideoWriter.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/channel_layout.h>
#include <libavutil/error.h>
#include <libavutil/imgutils.h>
#include <libavutil/opt.h>
#include <libswresample/swresample.h>
#include <libswscale/swscale.h>
}

#include <algorithm>

namespace skyrend::sim {

namespace {
constexpr AVRational Milliseconds{1, 1000};
}

FfmpegVideoWriter::FfmpegVideoWriter(const std::string& path, int sampleRate) : path_(path), sampleRate_(sampleRate) {
    // The encoders' statistics are not ours to print; their errors are.
    av_log_set_level(AV_LOG_ERROR);
    if (!avcodec_find_encoder_by_name("libx264") && !avcodec_find_encoder(AV_CODEC_ID_H264))
        Fail("no H.264 encoder in this FFmpeg");
    if (!avcodec_find_encoder(AV_CODEC_ID_AAC)) Fail("no AAC encoder in this FFmpeg");
}

FfmpegVideoWriter::~FfmpegVideoWriter() {
    if (format_ && format_->pb && !finished_) avio_closep(&format_->pb);
    avformat_free_context(format_);
    avcodec_free_context(&video_);
    avcodec_free_context(&audio_);
    av_frame_free(&picture_);
    av_frame_free(&sound_);
    av_packet_free(&packet_);
    sws_freeContext(scale_);
    swr_free(&resample_);
}

void FfmpegVideoWriter::Fail(const std::string& what, int code) const {
    std::string text = path_ + ": " + what;
    if (code < 0) {
        char reason[AV_ERROR_MAX_STRING_SIZE] = {};
        av_strerror(code, reason, sizeof reason);
        text += std::string(" (") + reason + ")";
    }
    throw VideoError(text);
}

void FfmpegVideoWriter::Open(int width, int height) {
    int rc = avformat_alloc_output_context2(&format_, nullptr, "mp4", path_.c_str());
    if (rc < 0 || !format_) Fail("cannot make an MP4 file", rc);
    packet_ = av_packet_alloc();
    OpenVideo(width, height);
    OpenAudio();
    if ((rc = avio_open(&format_->pb, path_.c_str(), AVIO_FLAG_WRITE)) < 0) Fail("cannot be written", rc);
    if ((rc = avformat_write_header(format_, nullptr)) < 0) Fail("cannot start the video", rc);
    open_ = true;
}

void FfmpegVideoWriter::OpenVideo(int width, int height) {
    const AVCodec* codec = avcodec_find_encoder_by_name("libx264");
    if (!codec) codec = avcodec_find_encoder(AV_CODEC_ID_H264);
    videoStream_ = avformat_new_stream(format_, nullptr);
    video_ = avcodec_alloc_context3(codec);
    // 4:2:0 pictures need an even size.
    video_->width = std::max(2, width & ~1);
    video_->height = std::max(2, height & ~1);
    video_->pix_fmt = AV_PIX_FMT_YUV420P;
    video_->time_base = Milliseconds;
    video_->framerate = AVRational{30, 1};
    video_->gop_size = 60;
    // No reordering: every frame decodes as it comes, dts = pts.
    video_->max_b_frames = 0;
    av_opt_set(video_->priv_data, "preset", "veryfast", 0);
    if (format_->oformat->flags & AVFMT_GLOBALHEADER) video_->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
    int rc = avcodec_open2(video_, codec, nullptr);
    if (rc < 0) Fail("the H.264 encoder does not start", rc);
    avcodec_parameters_from_context(videoStream_->codecpar, video_);
    videoStream_->time_base = Milliseconds;
    picture_ = av_frame_alloc();
    picture_->format = video_->pix_fmt;
    picture_->width = video_->width;
    picture_->height = video_->height;
    if ((rc = av_frame_get_buffer(picture_, 0)) < 0) Fail("no memory for a picture", rc);
}

void FfmpegVideoWriter::OpenAudio() {
    const AVCodec* codec = avcodec_find_encoder(AV_CODEC_ID_AAC);
    audioStream_ = avformat_new_stream(format_, nullptr);
    audio_ = avcodec_alloc_context3(codec);
    audio_->sample_fmt = AV_SAMPLE_FMT_FLTP;
    audio_->sample_rate = sampleRate_;
    audio_->bit_rate = 160000;
    AVChannelLayout stereo = AV_CHANNEL_LAYOUT_STEREO;
    av_channel_layout_copy(&audio_->ch_layout, &stereo);
    audio_->time_base = AVRational{1, sampleRate_};
    if (format_->oformat->flags & AVFMT_GLOBALHEADER) audio_->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
    int rc = avcodec_open2(audio_, codec, nullptr);
    if (rc < 0) Fail("the AAC encoder does not start", rc);
    avcodec_parameters_from_context(audioStream_->codecpar, audio_);
    audioStream_->time_base = audio_->time_base;
    rc = swr_alloc_set_opts2(&resample_, &stereo, AV_SAMPLE_FMT_FLTP, sampleRate_, &stereo, AV_SAMPLE_FMT_S16,
                             sampleRate_, 0, nullptr);
    if (rc < 0 || (rc = swr_init(resample_)) < 0) Fail("the sound cannot be converted", rc);
    sound_ = av_frame_alloc();
    sound_->format = audio_->sample_fmt;
    sound_->sample_rate = sampleRate_;
    av_channel_layout_copy(&sound_->ch_layout, &stereo);
    sound_->nb_samples = audio_->frame_size;
    if ((rc = av_frame_get_buffer(sound_, 0)) < 0) Fail("no memory for sound", rc);
}

void FfmpegVideoWriter::Send(AVCodecContext* codec, AVStream* stream, AVFrame* frame) {
    int rc = avcodec_send_frame(codec, frame);
    if (rc < 0) Fail("the encoder refuses a frame", rc);
    while ((rc = avcodec_receive_packet(codec, packet_)) >= 0) {
        // A picture lasts until the next; the last one a frame's length,
        // so that the file's edit list keeps it.
        if (codec == video_ && packet_->duration <= 0) packet_->duration = 33;
        av_packet_rescale_ts(packet_, codec->time_base, stream->time_base);
        packet_->stream_index = stream->index;
        if ((rc = av_interleaved_write_frame(format_, packet_)) < 0) Fail("cannot be written", rc);
    }
    if (rc != AVERROR(EAGAIN) && rc != AVERROR_EOF) Fail("the encoder failed", rc);
}

void FfmpegVideoWriter::Frame(const uint32_t* pixels, int width, int height, int64_t ms) {
    if (!pixels || width <= 0 || height <= 0) return;
    if (!open_) Open(width, height);
    int rc = av_frame_make_writable(picture_);
    if (rc < 0) Fail("no memory for a picture", rc);
    // The picture's place in the video: all of it, or fitted with bars.
    const int W = video_->width, H = video_->height;
    int w = W, h = H;
    if (width != W || height != H) {
        const double s = std::min(double(W) / width, double(H) / height);
        w = std::max(2, static_cast<int>(width * s) & ~1);
        h = std::max(2, static_cast<int>(height * s) & ~1);
        std::fill_n(picture_->data[0], picture_->linesize[0] * H, 16);
        std::fill_n(picture_->data[1], picture_->linesize[1] * (H / 2), 128);
        std::fill_n(picture_->data[2], picture_->linesize[2] * (H / 2), 128);
    }
    const int x0 = ((W - w) / 2) & ~1, y0 = ((H - h) / 2) & ~1;
    scale_ = sws_getCachedContext(scale_, width, height, AV_PIX_FMT_BGR0, w, h, AV_PIX_FMT_YUV420P, SWS_BILINEAR,
                                  nullptr, nullptr, nullptr);
    if (!scale_) Fail("the picture cannot be converted");
    const uint8_t* src[1] = {reinterpret_cast<const uint8_t*>(pixels)};
    const int srcStride[1] = {width * 4};
    uint8_t* dst[3] = {picture_->data[0] + y0 * picture_->linesize[0] + x0,
                       picture_->data[1] + (y0 / 2) * picture_->linesize[1] + x0 / 2,
                       picture_->data[2] + (y0 / 2) * picture_->linesize[2] + x0 / 2};
    sws_scale(scale_, src, srcStride, 0, height, dst, picture_->linesize);
    // Two frames in the same millisecond: the later one a millisecond on.
    lastPts_ = std::max(ms, lastPts_ + 1);
    picture_->pts = lastPts_;
    Send(video_, videoStream_, picture_);
    ++frames_;
    EncodeAudio(false);
}

void FfmpegVideoWriter::Audio(const int16_t* samples, size_t frames) {
    pendingAudio_.insert(pendingAudio_.end(), samples, samples + frames * 2);
    if (open_) EncodeAudio(false);
}

// Whole encoder frames of sound; with `last`, the rest too.
void FfmpegVideoWriter::EncodeAudio(bool last) {
    const size_t frameSize = static_cast<size_t>(audio_->frame_size);
    size_t used = 0;
    while (pendingAudio_.size() / 2 - used >= frameSize || (last && pendingAudio_.size() / 2 > used)) {
        const size_t n = std::min(frameSize, pendingAudio_.size() / 2 - used);
        int rc = av_frame_make_writable(sound_);
        if (rc < 0) Fail("no memory for sound", rc);
        const uint8_t* in[1] = {reinterpret_cast<const uint8_t*>(pendingAudio_.data() + used * 2)};
        rc = swr_convert(resample_, sound_->data, static_cast<int>(n), in, static_cast<int>(n));
        if (rc < 0) Fail("the sound cannot be converted", rc);
        sound_->nb_samples = static_cast<int>(n);
        sound_->pts = audioSamples_;
        audioSamples_ += static_cast<int64_t>(n);
        Send(audio_, audioStream_, sound_);
        used += n;
    }
    pendingAudio_.erase(pendingAudio_.begin(), pendingAudio_.begin() + static_cast<std::ptrdiff_t>(used * 2));
}

void FfmpegVideoWriter::Finish() {
    if (finished_) return;
    if (!open_) Fail("the replay presents no frame");
    EncodeAudio(true);
    Send(video_, videoStream_, nullptr);
    Send(audio_, audioStream_, nullptr);
    int rc = av_write_trailer(format_);
    if (rc < 0) Fail("cannot be finished", rc);
    avio_closep(&format_->pb);
    finished_ = true;
}

}  // namespace skyrend::sim

// The module's one entry, found by name when the module is loaded.
extern "C" skyrend::sim::VideoWriter* SkyrendOpenVideoWriter(const char* path, int sampleRate) {
    return new skyrend::sim::FfmpegVideoWriter(path, sampleRate);
}
