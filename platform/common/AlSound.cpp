// platform/common/AlSound.cpp — voices as AL sources over shared AL buffers.
//
// Voices behave like the buffers of the game's sound layer: Stop keeps the
// play position (the source is paused), Play on a voice that already plays
// only changes its looping, frequency is a sample rate, pan runs from -10000
// (left) to 10000 (right) and volume is an attenuation in hundredths of a
// decibel.

#include "platform/common/AlSound.h"

#include <AL/al.h>
#include <AL/alext.h>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace skyrend::platform {

namespace {

constexpr int MinFrequency = 100;
constexpr int MaxFrequency = 200000;
constexpr int Silent = -10000;
constexpr int FullRight = 10000;

// The sample data of one wave, in one AL buffer.
struct AlBuffer {
    std::shared_ptr<AlCore> core;
    ALuint name = 0;
    WaveFormat format;
    uint32_t size = 0;  // bytes, whole frames only

    ~AlBuffer() {
        core->MakeCurrent();
        alDeleteBuffers(1, &name);
    }
};

ALenum AlFormat(const WaveFormat& format) {
    if (format.channels == 1) return format.bitsPerSample == 8 ? AL_FORMAT_MONO8 : AL_FORMAT_MONO16;
    return format.bitsPerSample == 8 ? AL_FORMAT_STEREO8 : AL_FORMAT_STEREO16;
}

// The voice's settings, kept so that a duplicate starts out the same.
struct VoiceSettings {
    int frequency = 0;
    int pan = 0;
    int volume = 0;
};

class AlVoice final : public SoundVoice {
public:
    AlVoice(std::shared_ptr<AlBuffer> buffer, ALuint source, VoiceSettings settings)
        : buffer_(std::move(buffer)), source_(source), settings_(settings) {
        Use();
        alSourcei(source_, AL_SOURCE_RELATIVE, AL_TRUE);
        alSourcei(source_, AL_BUFFER, static_cast<ALint>(buffer_->name));
        ApplyFrequency();
        ApplyPan();
        ApplyVolume();
    }

    ~AlVoice() override {
        Use();
        alSourceStop(source_);
        alSourcei(source_, AL_BUFFER, 0);
        alDeleteSources(1, &source_);
    }

    void Play(bool looping) override {
        Use();
        alSourcei(source_, AL_LOOPING, looping ? AL_TRUE : AL_FALSE);
        // Playing an AL source that already plays would restart it.
        if (State() != AL_PLAYING) alSourcePlay(source_);
    }

    void Stop() override {
        Use();
        if (State() == AL_PLAYING) alSourcePause(source_);
    }

    void SetPosition(uint32_t byteOffset) override {
        const uint32_t block = std::max<uint32_t>(buffer_->format.blockAlign, 1);
        if (byteOffset >= buffer_->size) return;  // past the end: the position stays
        Use();
        alSourcei(source_, AL_BYTE_OFFSET, static_cast<ALint>(byteOffset / block * block));
    }

    void SetFrequency(int hertz) override {
        if (hertz < 0) return;
        settings_.frequency = hertz == 0 ? 0 : std::clamp(hertz, MinFrequency, MaxFrequency);
        Use();
        ApplyFrequency();
    }

    void SetPan(int pan) override {
        settings_.pan = std::clamp(pan, -FullRight, FullRight);
        Use();
        ApplyPan();
    }

    void SetVolume(int volume) override {
        settings_.volume = std::clamp(volume, Silent, 0);
        Use();
        ApplyVolume();
    }

    bool IsPlaying() override {
        Use();
        return State() == AL_PLAYING;
    }

    std::unique_ptr<SoundVoice> Duplicate() override {
        Use();
        ALuint source = 0;
        alGetError();
        alGenSources(1, &source);
        if (alGetError() != AL_NO_ERROR) return nullptr;
        return std::make_unique<AlVoice>(buffer_, source, settings_);
    }

private:
    void Use() { buffer_->core->MakeCurrent(); }

    ALint State() {
        ALint state = AL_STOPPED;
        alGetSourcei(source_, AL_SOURCE_STATE, &state);
        return state;
    }

    void ApplyFrequency() {
        const float pitch = settings_.frequency == 0
                                ? 1.0f
                                : static_cast<float>(settings_.frequency) /
                                      static_cast<float>(buffer_->format.samplesPerSec);
        alSourcef(source_, AL_PITCH, pitch);
    }

    // A mono voice sits on a circle in front of the listener: centre straight
    // ahead, full left and right at the sides. A stereo voice plays its two
    // channels as they are while centred, and turns its channel pair to the
    // side otherwise.
    void ApplyPan() {
        const float angle = static_cast<float>(settings_.pan) / FullRight * std::numbers::pi_v<float> / 2;
        if (buffer_->format.channels == 1) {
            alSource3f(source_, AL_POSITION, std::sin(angle), 0.0f, -std::cos(angle));
            return;
        }
        alSourcei(source_, AL_DIRECT_CHANNELS_SOFT, settings_.pan == 0 ? AL_TRUE : AL_FALSE);
        if (alIsExtensionPresent("AL_EXT_STEREO_ANGLES")) {
            const float half = std::numbers::pi_v<float> / 2;
            const float sixth = std::numbers::pi_v<float> / 6;
            const ALfloat angles[2] = {std::clamp(sixth - angle, -half, half),
                                       std::clamp(-sixth - angle, -half, half)};
            alSourcefv(source_, AL_STEREO_ANGLES, angles);
        }
    }

    void ApplyVolume() {
        const float gain = settings_.volume <= Silent
                               ? 0.0f
                               : static_cast<float>(std::pow(10.0, settings_.volume / 2000.0));
        alSourcef(source_, AL_GAIN, gain);
    }

    std::shared_ptr<AlBuffer> buffer_;
    ALuint source_;
    VoiceSettings settings_;
};

class AlSoundDevice final : public SoundDevice {
public:
    explicit AlSoundDevice(std::shared_ptr<AlCore> core) : core_(std::move(core)) {}

    // The mix has no separate primary buffer: the core's context plays it.
    bool CreatePrimaryBuffer() override { return true; }

    // OpenAL shares its output between programs by itself; there is no
    // exclusive use to ask for.
    void SetCooperativeLevel(bool) override {}

    // Making the buffer and the source are the "made" steps; loading the
    // samples into the buffer is the "filled" one.
    std::unique_ptr<SoundVoice> CreateVoice(const WaveFormat& format, const uint8_t* data, size_t size,
                                            VoiceError& error) override {
        auto fail = [&error](VoiceFailure failure, std::string reason) {
            error = {failure, std::move(reason)};
            return nullptr;
        };
        if (std::string why = CheckWaveFormat(format); !why.empty()) return fail(VoiceFailure::NotMade, why);
        const size_t whole = size / format.blockAlign * format.blockAlign;
        if (whole > static_cast<size_t>(INT32_MAX)) return fail(VoiceFailure::NotMade, "the wave is too large");
        core_->MakeCurrent();
        alGetError();
        auto buffer = std::make_shared<AlBuffer>();
        buffer->core = core_;
        alGenBuffers(1, &buffer->name);
        if (alGetError() != AL_NO_ERROR) {
            buffer->name = 0;
            return fail(VoiceFailure::NotMade, "no sound buffer can be made");
        }
        buffer->format = format;
        buffer->size = static_cast<uint32_t>(whole);
        if (!data && size > 0) return fail(VoiceFailure::NotFilled, "no sample data");
        static const uint8_t nothing[4] = {};
        alBufferData(buffer->name, AlFormat(format), whole ? data : nothing, static_cast<ALsizei>(whole),
                     static_cast<ALsizei>(format.samplesPerSec));
        if (alGetError() != AL_NO_ERROR) return fail(VoiceFailure::NotFilled, "the sample data cannot be loaded");
        ALuint source = 0;
        alGenSources(1, &source);
        if (alGetError() != AL_NO_ERROR) return fail(VoiceFailure::NotMade, "no more voices can be made");
        return std::make_unique<AlVoice>(std::move(buffer), source, VoiceSettings{});
    }

    bool Connected() override { return core_->Connected(); }

private:
    std::shared_ptr<AlCore> core_;
};

}  // namespace

std::string CheckWaveFormat(const WaveFormat& format) {
    const bool pcm = format.formatTag == 1;
    const bool channels = format.channels == 1 || format.channels == 2;
    const bool bits = format.bitsPerSample == 8 || format.bitsPerSample == 16;
    const bool rate = format.samplesPerSec >= 1 && format.samplesPerSec <= 384000;
    if (pcm && channels && bits && rate && format.blockAlign == format.channels * format.bitsPerSample / 8)
        return {};
    return "unsupported wave format (tag " + std::to_string(format.formatTag) + ", " +
           std::to_string(format.channels) + " channels, " + std::to_string(format.bitsPerSample) +
           " bits, " + std::to_string(format.samplesPerSec) + " Hz, block " +
           std::to_string(format.blockAlign) + ")";
}

std::unique_ptr<SoundDevice> MakeAlSoundDevice(std::shared_ptr<AlCore> core) {
    if (!core) return nullptr;
    return std::make_unique<AlSoundDevice>(std::move(core));
}

}  // namespace skyrend::platform
