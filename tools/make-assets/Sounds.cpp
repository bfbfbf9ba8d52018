// tools/make-assets/Sounds.cpp — the two sounds of the game, synthesised.
//
// Item 0, the plasma shot: a bright tone sweeping down fast with a few
// harmonics over a short noise click, gone in a quarter of a second. Item 1,
// a ship blowing up: noise that darkens as it dies away over a deep rumble
// that drops in pitch, with crackle in the first half, about a second long.
// 16-bit mono at 22050 Hz; the noise comes from a fixed seed.

#include <algorithm>
#include <cmath>
#include <vector>

#include "tools/make-assets/Assets.h"
#include "tools/make-assets/Noise.h"

namespace skyrend::assets {

namespace {

constexpr uint32_t Rate = 22050;

// Scales the signal so its loudest sample sits at `peak` of full scale
// (eight sounds may play at once, so they leave headroom).
std::vector<int16_t> ToPcm(const std::vector<double>& signal, double peak) {
    double loudest = 1e-9;
    for (double s : signal) loudest = std::max(loudest, std::abs(s));
    std::vector<int16_t> pcm;
    pcm.reserve(signal.size());
    for (double s : signal) pcm.push_back(static_cast<int16_t>(std::lround(s / loudest * peak * 32767.0)));
    return pcm;
}

// A one-pole low-pass filter with a cutoff that may change per sample.
class LowPass {
public:
    double Step(double input, double cutoffHz) {
        double a = 1.0 - std::exp(-2.0 * M_PI * cutoffHz / Rate);
        state_ += a * (input - state_);
        return state_;
    }

private:
    double state_ = 0;
};

}  // namespace

Sound SynthesiseShot() {
    const double length = 0.26;
    const size_t count = static_cast<size_t>(length * Rate);
    std::vector<double> signal(count);
    Rng rng(0x5407);
    LowPass click;
    double phase = 0;
    for (size_t i = 0; i < count; ++i) {
        double t = static_cast<double>(i) / Rate;
        double freq = 1700.0 * std::exp(-t / 0.045) + 230.0;
        phase += 2 * M_PI * freq / Rate;
        double tone = 0;
        for (int k = 1; k <= 5; ++k) tone += std::sin(k * phase) / std::pow(k, 1.3);
        // A slower wobble gives the shot its buzz.
        tone *= 0.75 + 0.25 * std::sin(phase * 0.5);
        double attack = std::min(1.0, t / 0.003);
        double decay = std::exp(-t / 0.075);
        double fade = std::min(1.0, (length - t) / 0.02);
        double noise = rng.Range(-1, 1);
        double hiss = (noise - click.Step(noise, 2500)) * std::exp(-t / 0.012);
        signal[i] = (std::tanh(1.6 * tone) * 0.8 + 0.5 * hiss) * attack * decay * fade;
    }
    return {"shot", Rate, ToPcm(signal, 0.7)};
}

Sound SynthesiseExplosion() {
    const double length = 1.1;
    const size_t count = static_cast<size_t>(length * Rate);
    std::vector<double> signal(count);
    Rng rng(0xB00F);
    LowPass body, body2, crackleFilter;
    double rumblePhase = 0;
    double crackle = 0;
    for (size_t i = 0; i < count; ++i) {
        double t = static_cast<double>(i) / Rate;
        // Noise whose brightness dies away with the blast.
        double cutoff = 3500.0 * std::exp(-t / 0.12) + 180.0;
        double noise = rng.Range(-1, 1);
        double roar = body2.Step(body.Step(noise, cutoff), cutoff * 1.5) * 2.2;
        // A deep thud sliding down in pitch.
        double rumbleFreq = 38.0 + 40.0 * std::exp(-t / 0.15);
        rumblePhase += 2 * M_PI * rumbleFreq / Rate;
        double rumble = std::tanh(2.0 * std::sin(rumblePhase)) * std::exp(-t / 0.32);
        // Sparse crackle while the debris burns.
        if (t < 0.6 && rng.Uniform() < 0.0025 * (1.0 - t / 0.6)) crackle = rng.Range(0.5, 1.0) * (rng.Uniform() < 0.5 ? -1 : 1);
        crackle *= 0.93;
        double crack = crackle - crackleFilter.Step(crackle, 1200);
        double attack = std::min(1.0, t / 0.004);
        double decay = 0.75 * std::exp(-t / 0.22) + 0.25 * std::exp(-t / 0.6);
        double fade = std::min(1.0, (length - t) / 0.08);
        double mix = roar * 0.9 + rumble * 0.8 + crack * 0.35;
        signal[i] = std::tanh(1.3 * mix * attack * decay) * fade;
    }
    return {"explosion", Rate, ToPcm(signal, 0.85)};
}

}  // namespace skyrend::assets
