// tests/platform/SdlSoundProbe.cpp — the SDL back-end's sound output for
// tests/scripts/platform_sound.sh.
//
// Runs only when SKYREND_SOUND_PROBE is set: "none" expects no sound device
// (OpenAL Soft given no drivers); "tone" expects one and plays a quarter of a
// second of a 1 kHz tone, full right, through two duplicated voices one after
// the other, for the script to find in OpenAL Soft's wave-file output.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <numbers>
#include <string>

#include "platform/sdl/SdlPlatform.h"

namespace skyrend::platform {
namespace {

TEST(SdlSound, Probe) {
    const char* mode = std::getenv("SKYREND_SOUND_PROBE");
    if (!mode) GTEST_SKIP() << "run by tests/scripts/platform_sound.sh";
    SdlPlatform platform;
    std::unique_ptr<SoundDevice> device = platform.CreateSoundDevice();
    if (std::string(mode) == "none") {
        EXPECT_EQ(device, nullptr);
        return;
    }
    ASSERT_NE(device, nullptr);
    // Every further device shares the one output.
    EXPECT_NE(platform.CreateSoundDevice(), nullptr);

    constexpr int Rate = 22050;
    std::vector<int16_t> tone(Rate / 4);
    for (size_t i = 0; i < tone.size(); ++i)
        tone[i] = static_cast<int16_t>(16000 * std::sin(2 * std::numbers::pi * 1000 * i / Rate));
    const WaveFormat format{.formatTag = 1, .channels = 1, .samplesPerSec = Rate, .avgBytesPerSec = Rate * 2,
                            .blockAlign = 2, .bitsPerSample = 16};
    VoiceError error;
    auto voice = device->CreateVoice(format, reinterpret_cast<const uint8_t*>(tone.data()), tone.size() * 2, error);
    ASSERT_NE(voice, nullptr) << error.reason;
    auto copy = voice->Duplicate();
    ASSERT_NE(copy, nullptr);
    for (SoundVoice* v : {voice.get(), copy.get()}) {
        v->SetPan(10000);
        v->Play(false);
        for (int waited = 0; v->IsPlaying() && waited < 3000; waited += 10) platform.SleepMs(10);
        EXPECT_FALSE(v->IsPlaying());
    }
}

}  // namespace
}  // namespace skyrend::platform
