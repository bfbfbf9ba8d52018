// platform/common/AlCore.cpp — opening OpenAL Soft devices and rendering the loopback mix.

#include "platform/common/AlCore.h"

#include <AL/al.h>
#include <AL/alc.h>
#include <AL/alext.h>

#include <algorithm>
#include <cmath>

namespace skyrend::platform {

namespace {

// Enough sources for eight devices' worth of voices.
constexpr ALCint MonoSources = 2048;
constexpr ALCint StereoSources = 256;

// Voices are placed by direction only; nothing fades with distance.
void SetUpListener() {
    alDistanceModel(AL_NONE);
    alListener3f(AL_POSITION, 0.0f, 0.0f, 0.0f);
}

}  // namespace

struct AlCore::Impl {
    ALCdevice* device = nullptr;
    ALCcontext* context = nullptr;
    bool loopback = false;
    LPALCRENDERSAMPLESSOFT renderSamples = nullptr;
    std::vector<float> scratch;
};

AlCore::AlCore(std::unique_ptr<Impl> impl) : impl_(std::move(impl)) {}

AlCore::~AlCore() {
    if (alcGetCurrentContext() == impl_->context) alcMakeContextCurrent(nullptr);
    if (impl_->context) alcDestroyContext(impl_->context);
    if (impl_->device) alcCloseDevice(impl_->device);
}

std::shared_ptr<AlCore> AlCore::OpenPlayback(std::string& error) {
    auto impl = std::make_unique<Impl>();
    impl->device = alcOpenDevice(nullptr);
    if (!impl->device) {
        error = "no sound output device can be opened";
        return nullptr;
    }
    const ALCint attributes[] = {ALC_MONO_SOURCES, MonoSources, ALC_STEREO_SOURCES, StereoSources, 0};
    impl->context = alcCreateContext(impl->device, attributes);
    if (!impl->context) {
        error = "the sound output device refuses a mixing context";
        alcCloseDevice(impl->device);
        return nullptr;
    }
    std::shared_ptr<AlCore> core(new AlCore(std::move(impl)));
    core->MakeCurrent();
    SetUpListener();
    return core;
}

std::shared_ptr<AlCore> AlCore::OpenLoopback(int rate, std::string& error) {
    if (!alcIsExtensionPresent(nullptr, "ALC_SOFT_loopback")) {
        error = "OpenAL has no loopback device";
        return nullptr;
    }
    auto openLoopback = reinterpret_cast<LPALCLOOPBACKOPENDEVICESOFT>(
        alcGetProcAddress(nullptr, "alcLoopbackOpenDeviceSOFT"));
    auto formatSupported = reinterpret_cast<LPALCISRENDERFORMATSUPPORTEDSOFT>(
        alcGetProcAddress(nullptr, "alcIsRenderFormatSupportedSOFT"));
    auto impl = std::make_unique<Impl>();
    impl->renderSamples =
        reinterpret_cast<LPALCRENDERSAMPLESSOFT>(alcGetProcAddress(nullptr, "alcRenderSamplesSOFT"));
    if (!openLoopback || !formatSupported || !impl->renderSamples) {
        error = "OpenAL has no loopback device";
        return nullptr;
    }
    impl->device = openLoopback(nullptr);
    if (!impl->device) {
        error = "the loopback device cannot be opened";
        return nullptr;
    }
    // The mix is taken as floats and turned into 16-bit samples here: OpenAL
    // Soft would dither and limit integer output, and the mix must be exact.
    if (!formatSupported(impl->device, rate, ALC_STEREO_SOFT, ALC_FLOAT_SOFT)) {
        error = "the loopback device cannot mix the output format";
        alcCloseDevice(impl->device);
        return nullptr;
    }
    const ALCint attributes[] = {ALC_FORMAT_CHANNELS_SOFT, ALC_STEREO_SOFT,
                                 ALC_FORMAT_TYPE_SOFT,     ALC_FLOAT_SOFT,
                                 ALC_FREQUENCY,            rate,
                                 ALC_HRTF_SOFT,            ALC_FALSE,
                                 ALC_OUTPUT_LIMITER_SOFT,  ALC_FALSE,
                                 ALC_MONO_SOURCES,         MonoSources,
                                 ALC_STEREO_SOURCES,       StereoSources,
                                 0};
    impl->context = alcCreateContext(impl->device, attributes);
    if (!impl->context) {
        error = "the loopback device refuses a mixing context";
        alcCloseDevice(impl->device);
        return nullptr;
    }
    impl->loopback = true;
    std::shared_ptr<AlCore> core(new AlCore(std::move(impl)));
    core->MakeCurrent();
    SetUpListener();
    return core;
}

void AlCore::MakeCurrent() {
    if (alcGetCurrentContext() != impl_->context) alcMakeContextCurrent(impl_->context);
}

bool AlCore::IsLoopback() const { return impl_->loopback; }

bool AlCore::Connected() {
    // Without the extension nobody can tell; the device counts as there.
    if (!alcIsExtensionPresent(impl_->device, "ALC_EXT_disconnect")) return true;
    ALCint connected = ALC_TRUE;
    alcGetIntegerv(impl_->device, ALC_CONNECTED, 1, &connected);
    return connected != ALC_FALSE;
}

void AlCore::Render(size_t frames, std::vector<int16_t>& out) {
    if (!impl_->loopback || frames == 0) return;
    MakeCurrent();
    // Rendered in slices so a long span needs no huge scratch buffer.
    constexpr size_t Slice = 4096;
    impl_->scratch.resize(Slice * 2);
    out.reserve(out.size() + frames * 2);
    while (frames > 0) {
        const size_t n = std::min(frames, Slice);
        impl_->renderSamples(impl_->device, impl_->scratch.data(), static_cast<ALCsizei>(n));
        for (size_t i = 0; i < n * 2; ++i) {
            const float scaled = std::clamp(impl_->scratch[i] * 32768.0f, -32768.0f, 32767.0f);
            out.push_back(static_cast<int16_t>(std::lrint(scaled)));
        }
        frames -= n;
    }
}

}  // namespace skyrend::platform
