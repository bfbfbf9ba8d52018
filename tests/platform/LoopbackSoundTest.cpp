// tests/platform/LoopbackSoundTest.cpp — voices mixed through the OpenAL Soft
// loopback device of the headless back-end.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <fstream>
#include <iterator>

#include "platform/headless/HeadlessPlatform.h"

namespace skyrend::platform {
namespace {

constexpr int Rate = HeadlessPlatform::AudioRate;
constexpr int FullRight = 10000;

WaveFormat Pcm(int channels, int bits, int rate = Rate) {
    return WaveFormat{.formatTag = 1,
                      .channels = static_cast<uint16_t>(channels),
                      .samplesPerSec = static_cast<uint32_t>(rate),
                      .avgBytesPerSec = static_cast<uint32_t>(rate * channels * bits / 8),
                      .blockAlign = static_cast<uint16_t>(channels * bits / 8),
                      .bitsPerSample = static_cast<uint16_t>(bits)};
}

// A mono 16-bit wave whose samples are all different and far from silence.
std::vector<int16_t> Ramp(int frames) {
    std::vector<int16_t> s(frames);
    for (int i = 0; i < frames; ++i) s[i] = static_cast<int16_t>(8000 + 7 * i);
    return s;
}

const uint8_t* Bytes(const std::vector<int16_t>& s) { return reinterpret_cast<const uint8_t*>(s.data()); }

class Loopback : public ::testing::Test {
protected:
    void SetUp() override {
        p.EnableAudio(true);
        device = p.CreateSoundDevice();
        ASSERT_NE(device, nullptr) << "OpenAL Soft loopback device";
        EXPECT_TRUE(device->CreatePrimaryBuffer());
        device->SetCooperativeLevel(false);
    }

    std::unique_ptr<SoundVoice> Voice(const WaveFormat& format, const std::vector<int16_t>& samples) {
        VoiceError error;
        auto voice = device->CreateVoice(format, Bytes(samples), samples.size() * 2, error);
        EXPECT_NE(voice, nullptr) << error.reason;
        return voice;
    }

    // Renders `frames` and returns just those, left then right.
    std::vector<int16_t> Render(size_t frames) {
        const size_t before = p.Audio().size();
        p.RenderAudio(frames);
        return {p.Audio().begin() + static_cast<long>(before), p.Audio().end()};
    }

    HeadlessPlatform p;
    std::unique_ptr<SoundDevice> device;
};

TEST_F(Loopback, VoicePlaysItsSamplesFromTheNextFrame) {
    const auto wave = Ramp(1000);
    auto voice = Voice(Pcm(1, 16), wave);
    ASSERT_NE(voice, nullptr);
    voice->SetPan(FullRight);  // all of it on the right, at full level
    EXPECT_FALSE(voice->IsPlaying());
    const auto silence = Render(100);
    for (int16_t s : silence) ASSERT_EQ(s, 0);

    voice->Play(false);
    EXPECT_TRUE(voice->IsPlaying());
    const auto out = Render(1200);
    for (int i = 0; i < 1000; ++i) {
        ASSERT_EQ(out[2 * i], 0) << i;
        ASSERT_NEAR(out[2 * i + 1], wave[i], 1) << i;
    }
    for (int i = 1000; i < 1200; ++i) ASSERT_EQ(out[2 * i + 1], 0) << i;
    EXPECT_FALSE(voice->IsPlaying());
}

TEST_F(Loopback, VolumeIsHundredthsOfADecibel) {
    const auto wave = Ramp(400);
    auto voice = Voice(Pcm(1, 16), wave);
    voice->SetPan(FullRight);
    voice->SetVolume(-600);  // -6 dB: about half
    voice->Play(false);
    const auto out = Render(400);
    const double gain = std::pow(10.0, -600 / 2000.0);
    for (int i = 0; i < 400; ++i) ASSERT_NEAR(out[2 * i + 1], wave[i] * gain, 1.5) << i;

    voice->SetVolume(-10000);
    voice->Stop();
    voice->SetPosition(0);
    voice->Play(false);
    for (int16_t s : Render(400)) ASSERT_EQ(s, 0);
}

TEST_F(Loopback, CentredMonoIsEvenOnBothSides) {
    const auto wave = Ramp(300);
    auto voice = Voice(Pcm(1, 16), wave);
    voice->Play(false);
    const auto out = Render(300);
    const double ratio = static_cast<double>(out[1]) / wave[0];
    EXPECT_GT(ratio, 0.5);
    EXPECT_LE(ratio, 1.0);
    for (int i = 0; i < 300; ++i) {
        ASSERT_EQ(out[2 * i], out[2 * i + 1]) << i;
        ASSERT_NEAR(out[2 * i], wave[i] * ratio, 1.5) << i;
    }
}

TEST_F(Loopback, StereoAndEightBitWaves) {
    std::vector<int16_t> stereo(2 * 200);
    for (int i = 0; i < 200; ++i) {
        stereo[2 * i] = static_cast<int16_t>(1000 + i);
        stereo[2 * i + 1] = static_cast<int16_t>(-3000 - 5 * i);
    }
    auto voice = Voice(Pcm(2, 16), stereo);
    voice->Play(false);
    const auto out = Render(200);
    for (int i = 0; i < 400; ++i) ASSERT_NEAR(out[i], stereo[i], 1) << i;

    // 8-bit samples are unsigned around 128.
    const std::vector<uint8_t> bytes = {128, 192, 64, 255, 0, 128};
    VoiceError error;
    auto eight = device->CreateVoice(Pcm(1, 8), bytes.data(), bytes.size(), error);
    ASSERT_NE(eight, nullptr) << error.reason;
    eight->SetPan(FullRight);
    eight->Play(false);
    const auto out8 = Render(6);
    const int expected[] = {0, 64 * 256, -64 * 256, 127 * 256, -128 * 256, 0};
    for (int i = 0; i < 6; ++i) EXPECT_NEAR(out8[2 * i + 1], expected[i], 1) << i;
}

TEST_F(Loopback, DuplicatesShareTheDataAndPlayOnTheirOwn) {
    const auto wave = Ramp(600);
    auto voice = Voice(Pcm(1, 16), wave);
    voice->SetPan(FullRight);
    voice->SetVolume(-600);
    auto copy = voice->Duplicate();
    ASSERT_NE(copy, nullptr);
    voice->Play(false);
    Render(200);
    copy->Play(false);
    EXPECT_TRUE(voice->IsPlaying());
    // The original goes away; the copy keeps the shared samples alive.
    voice.reset();
    const auto out = Render(700);
    const double gain = std::pow(10.0, -600 / 2000.0);  // the copy took the original's settings
    for (int i = 0; i < 600; ++i) ASSERT_NEAR(out[2 * i + 1], wave[i] * gain, 1.5) << i;
    EXPECT_FALSE(copy->IsPlaying());

    // Two copies started together add up.
    auto a = copy->Duplicate();
    auto b = copy->Duplicate();
    a->SetVolume(0);
    b->SetVolume(0);
    a->SetPan(FullRight);
    b->SetPan(FullRight);
    a->Play(false);
    Render(100);
    b->Play(false);
    const auto mixed = Render(100);
    for (int i = 0; i < 100; ++i) ASSERT_NEAR(mixed[2 * i + 1], wave[100 + i] + wave[i], 2) << i;
}

TEST_F(Loopback, LoopingRepeatsUntilStopped) {
    const auto wave = Ramp(100);
    auto voice = Voice(Pcm(1, 16), wave);
    voice->SetPan(FullRight);
    voice->Play(true);
    const auto out = Render(350);
    for (int i = 0; i < 350; ++i) ASSERT_NEAR(out[2 * i + 1], wave[i % 100], 1) << i;
    EXPECT_TRUE(voice->IsPlaying());
    voice->Stop();
    EXPECT_FALSE(voice->IsPlaying());
    for (int16_t s : Render(200)) ASSERT_EQ(s, 0);
}

TEST_F(Loopback, StopKeepsThePositionAndPlayingAgainGoesOn) {
    const auto wave = Ramp(1000);
    auto voice = Voice(Pcm(1, 16), wave);
    voice->SetPan(FullRight);
    voice->Play(false);
    Render(150);
    voice->Stop();
    for (int16_t s : Render(50)) ASSERT_EQ(s, 0);
    voice->Play(false);
    auto out = Render(10);
    EXPECT_NEAR(out[1], wave[150], 1);
    // Play on a voice that plays changes nothing.
    voice->Play(false);
    out = Render(10);
    EXPECT_NEAR(out[1], wave[160], 1);
    // From the start again, as the sound layer replays a voice.
    voice->Stop();
    voice->SetPosition(0);
    voice->Play(false);
    out = Render(10);
    EXPECT_NEAR(out[1], wave[0], 1);
    // A position past the end is refused.
    voice->SetPosition(5000);
    out = Render(10);
    EXPECT_NEAR(out[1], wave[10], 1);
}

// Eight devices' worth of one-shot voices can play at once.
TEST_F(Loopback, ManyVoicesAtOnce) {
    const auto wave = Ramp(100);
    auto voice = Voice(Pcm(1, 16), wave);
    std::vector<std::unique_ptr<SoundVoice>> copies;
    for (int i = 0; i < 1000; ++i) {
        copies.push_back(voice->Duplicate());
        ASSERT_NE(copies.back(), nullptr) << i;
        copies.back()->Play(false);
    }
    Render(10);
    for (auto& copy : copies) ASSERT_TRUE(copy->IsPlaying());
    Render(100);
    for (auto& copy : copies) ASSERT_FALSE(copy->IsPlaying());
}

TEST_F(Loopback, IsPlayingEndsWithTheWave) {
    const auto wave = Ramp(500);
    auto voice = Voice(Pcm(1, 16), wave);
    voice->Play(false);
    Render(499);
    EXPECT_TRUE(voice->IsPlaying());
    Render(2);
    EXPECT_FALSE(voice->IsPlaying());
}

TEST_F(Loopback, FrequencySetsTheRate) {
    const auto wave = Ramp(1000);
    auto voice = Voice(Pcm(1, 16), wave);
    voice->SetPan(FullRight);
    voice->SetFrequency(2 * Rate);
    voice->Play(false);
    const auto out = Render(400);
    for (int i = 0; i < 400; ++i) ASSERT_NEAR(out[2 * i + 1], wave[2 * i], 1) << i;
    Render(101);
    EXPECT_FALSE(voice->IsPlaying());  // done in half the time

    // A wave recorded at half the rate plays at its own rate: twice as long.
    auto slow = Voice(Pcm(1, 16, Rate / 2), wave);
    slow->SetFrequency(0);
    slow->Play(false);
    Render(1990);
    EXPECT_TRUE(slow->IsPlaying());
    Render(20);
    EXPECT_FALSE(slow->IsPlaying());
}

// A refused voice says which step failed: a format the mixer cannot play and
// a mixer out of voices mean no buffer is made; data that cannot be put into
// a made buffer means it cannot be filled.
TEST_F(Loopback, RefusedVoicesSayWhetherTheyWereNotMadeOrNotFilled) {
    const auto wave = Ramp(100);
    VoiceError error;
    WaveFormat floats = Pcm(1, 32);
    floats.formatTag = 3;
    WaveFormat misaligned = Pcm(2, 16);
    misaligned.blockAlign = 2;
    for (WaveFormat bad : {floats, Pcm(1, 24), Pcm(3, 16), Pcm(1, 16, 0), misaligned}) {
        error = {};
        EXPECT_EQ(device->CreateVoice(bad, Bytes(wave), 200, error), nullptr);
        EXPECT_EQ(error.failure, VoiceFailure::NotMade);
        EXPECT_NE(error.reason.find("unsupported wave format"), std::string::npos) << error.reason;
    }
    error = {};
    EXPECT_EQ(device->CreateVoice(Pcm(1, 16), nullptr, 200, error), nullptr);
    EXPECT_EQ(error.failure, VoiceFailure::NotFilled) << error.reason;

    auto voice = Voice(Pcm(1, 16), wave);
    std::vector<std::unique_ptr<SoundVoice>> copies;
    for (auto copy = voice->Duplicate(); copy && copies.size() < 10000; copy = voice->Duplicate())
        copies.push_back(std::move(copy));
    ASSERT_LT(copies.size(), 10000u) << "the mixer has a limit of voices";
    error = {};
    EXPECT_EQ(device->CreateVoice(Pcm(1, 16), Bytes(wave), 200, error), nullptr);
    EXPECT_EQ(error.failure, VoiceFailure::NotMade) << error.reason;
    copies.pop_back();
    EXPECT_NE(device->CreateVoice(Pcm(1, 16), Bytes(wave), 200, error), nullptr) << "a freed voice can be had again";
}

TEST_F(Loopback, EmptyAndRaggedData) {
    VoiceError error;
    auto empty = device->CreateVoice(Pcm(1, 16), nullptr, 0, error);
    ASSERT_NE(empty, nullptr) << error.reason;
    empty->Play(false);
    Render(10);
    EXPECT_FALSE(empty->IsPlaying());
    // A trailing half frame is left out.
    const auto wave = Ramp(10);
    auto ragged = device->CreateVoice(Pcm(1, 16), Bytes(wave), 19, error);
    ASSERT_NE(ragged, nullptr) << error.reason;
    ragged->SetPan(FullRight);
    ragged->Play(false);
    const auto out = Render(12);
    EXPECT_NEAR(out[2 * 8 + 1], wave[8], 1);
    EXPECT_EQ(out[2 * 9 + 1], 0);
}

TEST(LoopbackClock, AudioFollowsTheVirtualClock) {
    HeadlessPlatform p;
    p.EnableAudio(true);
    p.SetClock(5000);
    for (int step = 1; step <= 30; ++step) {
        p.AdvanceClock(33);
        EXPECT_EQ(p.AudioFramesRendered(), uint64_t(step) * 33 * 44100 / 1000);
        p.SyncAudio();  // already there: nothing more
        EXPECT_EQ(p.AudioFramesRendered(), uint64_t(step) * 33 * 44100 / 1000);
    }
    EXPECT_EQ(p.Audio().size(), 2 * HeadlessPlatform::AudioFramesAt(990));
    p.SleepMs(10);
    EXPECT_EQ(p.AudioFramesRendered(), HeadlessPlatform::AudioFramesAt(1000));
    EXPECT_EQ(p.TakeAudio().size(), 2u * 44100);
    EXPECT_TRUE(p.Audio().empty());
    // Frames rendered ahead of the clock are not rendered again.
    p.RenderAudio(100);
    p.AdvanceClock(10);
    EXPECT_EQ(p.AudioFramesRendered(), HeadlessPlatform::AudioFramesAt(1010));
    EXPECT_EQ(p.Audio().size(), 2 * (HeadlessPlatform::AudioFramesAt(1010) - 44100));
}

TEST(LoopbackClock, VoicesFinishAsTimePassesEvenWhenTheMixIsDropped) {
    HeadlessPlatform p;
    auto device = p.CreateSoundDevice();
    ASSERT_NE(device, nullptr);
    const auto wave = Ramp(4410);  // 100 ms
    VoiceError error;
    auto voice = device->CreateVoice(Pcm(1, 16), Bytes(wave), wave.size() * 2, error);
    ASSERT_NE(voice, nullptr) << error.reason;
    voice->Play(false);
    p.AdvanceClock(66);
    EXPECT_TRUE(voice->IsPlaying());
    p.AdvanceClock(66);
    EXPECT_FALSE(voice->IsPlaying());
    EXPECT_TRUE(p.Audio().empty());
    EXPECT_EQ(p.AudioFramesRendered(), HeadlessPlatform::AudioFramesAt(132));
}

TEST(LoopbackClock, WithoutSoundTheMixIsSilent) {
    HeadlessPlatform p;
    p.EnableAudio(true);
    p.DisableSound();
    EXPECT_EQ(p.CreateSoundDevice(), nullptr);
    p.RenderAudio(1455);
    ASSERT_EQ(p.Audio().size(), 2u * 1455);
    for (int16_t s : p.Audio()) ASSERT_EQ(s, 0);
}

TEST(LoopbackClock, WritesTheMixAsAWaveFile) {
    HeadlessPlatform p;
    p.EnableAudio(true);
    auto device = p.CreateSoundDevice();
    ASSERT_NE(device, nullptr);
    const auto wave = Ramp(50);
    VoiceError error;
    auto voice = device->CreateVoice(Pcm(1, 16), Bytes(wave), 100, error);
    voice->SetPan(FullRight);
    voice->Play(false);
    p.RenderAudio(1456);
    const std::string path = ::testing::TempDir() + "/skyrend_mix.wav";
    ASSERT_TRUE(p.WriteAudio(path));
    std::ifstream in(path, std::ios::binary);
    const std::vector<uint8_t> file((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::remove(path.c_str());
    ASSERT_EQ(file.size(), 44u + 1456 * 4);
    auto u32 = [&](size_t at) { return file[at] | file[at + 1] << 8 | file[at + 2] << 16 | uint32_t(file[at + 3]) << 24; };
    auto u16 = [&](size_t at) { return uint16_t(file[at] | file[at + 1] << 8); };
    EXPECT_EQ(std::string(file.begin(), file.begin() + 4), "RIFF");
    EXPECT_EQ(u32(4), 36u + 1456 * 4);
    EXPECT_EQ(std::string(file.begin() + 8, file.begin() + 16), "WAVEfmt ");
    EXPECT_EQ(u16(20), 1);      // PCM
    EXPECT_EQ(u16(22), 2);      // stereo
    EXPECT_EQ(u32(24), 44100u);
    EXPECT_EQ(u16(34), 16);     // bits
    EXPECT_EQ(std::string(file.begin() + 36, file.begin() + 40), "data");
    EXPECT_EQ(u32(40), 1456u * 4);
    EXPECT_NEAR(static_cast<int16_t>(u16(44 + 4 * 3 + 2)), wave[3], 1);  // frame 3, right
}

}  // namespace
}  // namespace skyrend::platform
