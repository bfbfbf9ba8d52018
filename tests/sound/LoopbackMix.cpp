// tests/sound/LoopbackMix.cpp — what a played wave sounds like, heard through
// the headless back-end's OpenAL loopback mix (44100 Hz, 16-bit stereo).
//
// A stereo 44100 Hz wave, centred and at full volume, passes through the mix
// unchanged, so its samples can be compared with what was rendered; the mix
// rounds to within one step.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <memory>
#include <numbers>
#include <string>
#include <vector>

#include "media/DXSounds.h"
#include "media/Errors.h"
#include "media/Forms.h"
#include "media/Streams.h"
#include "platform/headless/HeadlessPlatform.h"

namespace skyrend {
namespace {

constexpr int Tolerance = 1;  // rounding in the mix

// A wave's samples, interleaved by channel.
struct Samples {
    uint16_t channels = 2;
    uint32_t rate = 44100;
    std::vector<int16_t> values;
    size_t Frames() const { return values.size() / channels; }
};

// Left: a sine of period 100 frames; right: a slower, quieter one.
Samples StereoTone(size_t frames, double amplitude) {
    Samples s;
    for (size_t k = 0; k < frames; ++k) {
        s.values.push_back(static_cast<int16_t>(std::lround(amplitude * std::sin(2 * std::numbers::pi * k / 100.0))));
        s.values.push_back(static_cast<int16_t>(std::lround(-amplitude / 2 * std::sin(2 * std::numbers::pi * k / 250.0))));
    }
    return s;
}

std::vector<uint8_t> DxwOf(const Samples& s, bool looped = false) {
    TWaveCollection scratch;
    TWaveCollectionItem& item = scratch.Add();
    item.Name = "tone";
    item.SetLooped(looped);
    item.Wave.SetPCMFormat(s.channels, s.rate, 16);
    std::vector<uint8_t> bytes(s.values.size() * 2);
    for (size_t i = 0; i < s.values.size(); ++i) {
        bytes[2 * i] = static_cast<uint8_t>(s.values[i]);
        bytes[2 * i + 1] = static_cast<uint8_t>(static_cast<uint16_t>(s.values[i]) >> 8);
    }
    item.Wave.SetData(std::move(bytes));
    TMemoryStream stream;
    scratch.SaveToStream(stream);
    return stream.Bytes();
}

// One device with its wave list, as the main window holds them.
struct Channel {
    std::unique_ptr<TDXSound> sound;
    std::unique_ptr<TDXWaveList> list;
};

class LoopbackMix : public ::testing::Test {
protected:
    platform::HeadlessPlatform headless;
    std::unique_ptr<TForm> form;
    std::vector<Channel> channels;

    void SetUp() override {
        platform::SetCurrent(&headless);
        headless.EnableAudio(true);
        form = std::make_unique<TForm>(nullptr);
    }
    void TearDown() override {
        channels.clear();
        form.reset();
        platform::SetCurrent(nullptr);
    }

    TWaveCollectionItem& Open(const std::vector<uint8_t>& dxw) {
        Channel c{std::make_unique<TDXSound>(form.get()), std::make_unique<TDXWaveList>(form.get())};
        c.sound->Loaded();
        EXPECT_TRUE(c.sound->Initialized()) << "the loopback device opens";
        c.list->SetDXSound(c.sound.get());
        TMemoryStream stream(dxw);
        c.list->Items.LoadFromStream(stream);
        channels.push_back(std::move(c));
        return channels.back().list->Items.GetItem(0);
    }

    // Renders `frames` frames and returns them (interleaved left, right).
    std::vector<int16_t> Render(size_t frames) {
        headless.TakeAudio();
        headless.RenderAudio(frames);
        std::vector<int16_t> out = headless.TakeAudio();
        EXPECT_EQ(out.size(), 2 * frames);
        out.resize(2 * frames);
        return out;
    }
};

// Largest difference between rendered frames [at, at + expected frames) and
// the expected samples; the frames around must be silent.
int MaxError(const std::vector<int16_t>& rendered, size_t at, const std::vector<int32_t>& expected) {
    int worst = 0;
    for (size_t i = 0; i < rendered.size(); ++i) {
        int32_t want = 0;
        if (i >= 2 * at && i - 2 * at < expected.size()) want = expected[i - 2 * at];
        worst = std::max(worst, std::abs(rendered[i] - want));
    }
    return worst;
}

std::vector<int32_t> Widen(const Samples& s) { return {s.values.begin(), s.values.end()}; }

double Energy(const std::vector<int16_t>& v, size_t from, size_t to) {
    double sum = 0;
    for (size_t i = from; i < to && i < v.size(); ++i) sum += static_cast<double>(v[i]) * v[i];
    return sum;
}

TEST_F(LoopbackMix, AOneShotPlayRendersTheWaveAtItsTimeAndLevel) {
    const Samples tone = StereoTone(2000, 12000);
    TWaveCollectionItem& item = Open(DxwOf(tone));

    EXPECT_EQ(MaxError(Render(300), 0, {}), 0) << "silence before the play";
    item.Play(false);
    std::vector<int16_t> out = Render(300 + 2000);
    EXPECT_LE(MaxError(out, 0, Widen(tone)), Tolerance) << "the wave starts with the next rendered frame";
    ASSERT_EQ(item.PlayListCount(), 1u);
    EXPECT_FALSE(item.PlayListVoice(0).Playing()) << "a one-shot play ends with its data";

    // Played again: the finished voice starts over from the beginning.
    item.Play(false);
    EXPECT_LE(MaxError(Render(2000), 0, Widen(tone)), Tolerance);
    EXPECT_EQ(item.PlayListCount(), 1u);

    // -6 dB halves the amplitude: a quarter of the energy.
    item.Volume = -602;
    item.Play(false);
    out = Render(2000);
    const double ratio = Energy(out, 0, out.size()) / Energy(std::vector<int16_t>(tone.values), 0, tone.values.size());
    EXPECT_NEAR(ratio, 0.25, 0.01);
}

TEST_F(LoopbackMix, ARestartCutsTheVoiceBackToTheStart) {
    const Samples tone = StereoTone(2000, 10000);
    auto dxw = DxwOf(tone);
    TWaveCollectionItem& item = Open(dxw);
    item.SetMaxPlayingCount(1);
    item.Play(false);
    Render(700);
    item.Play(false);  // the only voice is busy: it restarts
    EXPECT_LE(MaxError(Render(2000), 0, Widen(tone)), Tolerance);
}

TEST_F(LoopbackMix, ALoopedItemRepeatsUntilStopped) {
    const Samples tone = StereoTone(1000, 9000);
    TWaveCollectionItem& item = Open(DxwOf(tone, true));
    item.Play(false);
    std::vector<int32_t> thrice;
    for (int i = 0; i < 3; ++i) thrice.insert(thrice.end(), tone.values.begin(), tone.values.end());
    EXPECT_LE(MaxError(Render(3000), 0, thrice), Tolerance);
    Render(500);
    item.Play(false);  // from the start again, mid-way through a round
    EXPECT_LE(MaxError(Render(2000), 0, std::vector<int32_t>(thrice.begin(), thrice.begin() + 4000)), Tolerance);
    item.SetLooped(false);
    EXPECT_EQ(MaxError(Render(500), 0, {}), 0) << "changing Looped stops the sound";
}

TEST_F(LoopbackMix, AGameWaveAtHalfTheRateSoundsOnBothSidesForTwiceItsLength) {
    // Mono, 22050 Hz, like the game's own sounds: a constant level.
    Samples mono{.channels = 1, .rate = 22050, .values = std::vector<int16_t>(1000, 8000)};
    TWaveCollectionItem& item = Open(DxwOf(mono));
    item.Play(false);
    std::vector<int16_t> out = Render(2600);
    // Frames well inside the sound: equal on both sides and clearly audible.
    for (size_t f = 100; f < 1900; f += 50) {
        EXPECT_NEAR(out[2 * f], out[2 * f + 1], Tolerance) << f;
        EXPECT_GT(out[2 * f], 4000) << f;
        EXPECT_LE(out[2 * f], 8000 + Tolerance) << f;
    }
    for (size_t f = 2100; f < 2600; ++f) EXPECT_EQ(out[2 * f], 0) << f;
}

TEST_F(LoopbackMix, WaitingLetsTheVirtualClockRunUntilTheEnd) {
    const Samples tone = StereoTone(4410, 5000);  // 100 ms
    TWaveCollectionItem& item = Open(DxwOf(tone));
    headless.TakeAudio();
    const uint64_t start = headless.Clock();
    item.Play(true);
    EXPECT_FALSE(item.PlayListVoice(0).Playing());
    EXPECT_GE(headless.Clock() - start, 100u);
    EXPECT_LE(headless.Clock() - start, 110u) << "sleeps in 10 ms steps";
    std::vector<int16_t> out = headless.TakeAudio();
    EXPECT_GE(out.size(), tone.values.size());
    EXPECT_LE(MaxError(out, 0, Widen(tone)), Tolerance);
}

TEST_F(LoopbackMix, EightDevicesMixWithoutCuttingEachOtherOff) {
    constexpr size_t Stagger = 250;
    const Samples tone = StereoTone(4000, 3000);
    const auto dxw = DxwOf(tone);
    std::vector<TWaveCollectionItem*> items;
    for (int k = 0; k < 8; ++k) items.push_back(&Open(dxw));

    std::vector<int16_t> out;
    for (int k = 0; k < 8; ++k) {
        items[static_cast<size_t>(k)]->Play(false);
        std::vector<int16_t> slice = Render(Stagger);
        out.insert(out.end(), slice.begin(), slice.end());
    }
    for (auto* item : items) EXPECT_TRUE(item->PlayListVoice(0).Playing()) << "every device still sounds";
    std::vector<int16_t> rest = Render(4000);
    out.insert(out.end(), rest.begin(), rest.end());

    // The mix is the sum of the eight plays, each starting Stagger frames
    // after the one before.
    std::vector<int32_t> expected((8 * Stagger + 4000) * 2, 0);
    for (size_t k = 0; k < 8; ++k)
        for (size_t i = 0; i < tone.values.size(); ++i) expected[2 * k * Stagger + i] += tone.values[i];
    EXPECT_LE(MaxError(out, 0, expected), 8 * Tolerance);
    for (auto* item : items) EXPECT_FALSE(item->PlayListVoice(0).Playing());
}

TEST_F(LoopbackMix, TheDevicesFormatCheckReachesTheCaller) {
    Samples odd{.channels = 3, .rate = 44100, .values = std::vector<int16_t>(300, 1)};
    try {
        Open(DxwOf(odd));
        FAIL() << "a three-channel wave cannot be played";
    } catch (const EDirectSoundBufferError& e) {
        EXPECT_STREQ(e.what(), "Sound Buffer cannot be made");
    }
}

TEST_F(LoopbackMix, NoSoundDeviceMeansSilence) {
    headless.DisableSound();
    Channel c{std::make_unique<TDXSound>(form.get()), std::make_unique<TDXWaveList>(form.get())};
    c.sound->Loaded();
    EXPECT_FALSE(c.sound->Initialized());
    c.list->SetDXSound(c.sound.get());
    TMemoryStream stream(DxwOf(StereoTone(500, 8000)));
    c.list->Items.LoadFromStream(stream);
    EXPECT_NO_THROW(c.list->Items.GetItem(0).Play(true));
    EXPECT_EQ(MaxError(Render(600), 0, {}), 0);
    channels.push_back(std::move(c));
}

}  // namespace
}  // namespace skyrend
