// tests/assets/SoundFileTest.cpp — the wave file: a short shot and a longer
// explosion, both one-shot 16-bit PCM, loud but unclipped, dying away.

#include <cmath>
#include <vector>

#include "tests/assets/AssetsFixture.h"

namespace skyrend::assets_test {
namespace {

std::vector<int16_t> Samples(const TWave& wave) {
    const std::vector<uint8_t>& d = wave.Data();
    std::vector<int16_t> s(d.size() / 2);
    for (size_t i = 0; i < s.size(); ++i)
        s[i] = static_cast<int16_t>(static_cast<uint16_t>(d[2 * i] | (d[2 * i + 1] << 8)));
    return s;
}

double Rms(const std::vector<int16_t>& s, size_t from, size_t to) {
    double sum = 0;
    for (size_t i = from; i < to; ++i) sum += static_cast<double>(s[i]) * s[i];
    return std::sqrt(sum / static_cast<double>(to - from));
}

// Sign changes per second over a stretch: a rough pitch.
double Crossings(const std::vector<int16_t>& s, size_t from, size_t to, double rate) {
    int count = 0;
    for (size_t i = from + 1; i < to; ++i) count += (s[i - 1] < 0) != (s[i] < 0);
    return count * rate / static_cast<double>(to - from);
}

class SoundFile : public ::testing::Test {
protected:
    void SetUp() override { list.LoadFromFile((AssetsDir() / "sfx" / "weapons.dxw").string()); }
    TWaveCollection list;
};

TEST_F(SoundFile, HoldsAShotAndAnExplosionAsOneShotPcm) {
    ASSERT_EQ(list.Count(), 2);
    const char* names[2] = {"shot", "explosion"};
    for (int32_t i = 0; i < 2; ++i) {
        const TWaveCollectionItem& item = list.GetItem(i);
        EXPECT_EQ(item.Name, names[i]);
        EXPECT_FALSE(item.Looped());
        EXPECT_EQ(item.MaxPlayingCount(), 16);  // bounded: 8 lists x 2 sounds x 16 voices
        TWaveFormat f = item.Wave.Format();
        EXPECT_EQ(f.FormatTag, 1);
        EXPECT_EQ(f.Channels, 1);
        EXPECT_EQ(f.BitsPerSample, 16);
        EXPECT_TRUE(f.SamplesPerSec == 22050 || f.SamplesPerSec == 44100);
    }
}

TEST_F(SoundFile, LengthsLoudnessAndDecay) {
    struct Want {
        double MinSeconds, MaxSeconds;
    } want[2] = {{0.2, 0.3}, {0.8, 1.2}};
    for (int32_t i = 0; i < 2; ++i) {
        SCOPED_TRACE(i);
        const TWave& wave = list.GetItem(i).Wave;
        std::vector<int16_t> s = Samples(wave);
        double rate = wave.Format().SamplesPerSec;
        double seconds = static_cast<double>(s.size()) / rate;
        EXPECT_GE(seconds, want[i].MinSeconds);
        EXPECT_LE(seconds, want[i].MaxSeconds);
        int peak = 0;
        for (int16_t v : s) peak = std::max(peak, std::abs(static_cast<int>(v)));
        EXPECT_GT(peak, 16000);  // loud enough
        EXPECT_LT(peak, 32000);  // headroom for eight at once, no clipping
        size_t fifth = s.size() / 5;
        EXPECT_GT(Rms(s, 0, fifth), 4 * Rms(s, s.size() - fifth, s.size()));
        // It ends in silence, so no click when it stops.
        EXPECT_LT(std::abs(static_cast<int>(s.back())), 200);
    }
}

TEST_F(SoundFile, ShotSweepsDownAndExplosionIsLow) {
    const TWave& shot = list.GetItem(0).Wave;
    std::vector<int16_t> s = Samples(shot);
    double rate = shot.Format().SamplesPerSec;
    size_t ms = static_cast<size_t>(rate / 1000);
    EXPECT_GT(Crossings(s, 5 * ms, 30 * ms, rate), 2 * Crossings(s, 120 * ms, 200 * ms, rate));

    const TWave& boom = list.GetItem(1).Wave;
    std::vector<int16_t> b = Samples(boom);
    double boomRate = boom.Format().SamplesPerSec;
    size_t half = b.size() / 2;
    EXPECT_LT(Crossings(b, half, half + static_cast<size_t>(boomRate / 5), boomRate), 1500);
}

}  // namespace
}  // namespace skyrend::assets_test
