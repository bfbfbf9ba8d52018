// tests/sound/FakeSound.h — a platform whose sound voices only record what
// they are told, so that the playing rules can be watched call by call.
//
// A voice plays until the test lets it finish (FinishAll) or until the
// platform's SleepMs has let enough milliseconds pass. Everything but sound
// and sleeping is inert.

#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/Platform.h"

namespace skyrend::testing {

struct FakeVoiceState {
    int serial = 0;                 // order of making, from 1
    std::shared_ptr<std::vector<uint8_t>> data;  // shared by duplicates
    platform::WaveFormat format;
    bool playing = false;
    bool looping = false;
    uint32_t position = 0;
    int frequency = 0, pan = 0, volume = 0;
    int starts = 0, stops = 0;
    int remainingMs = 0;            // time left of the current one-shot play
    bool destroyed = false;
    std::vector<std::string> calls; // "stop", "pos 0", "freq 0", "play once" ...
};

struct FakeSoundWorld {
    std::vector<std::shared_ptr<FakeVoiceState>> voices;
    std::vector<bool> cooperativeLevels;  // every SetCooperativeLevel, in order
    int devicesMade = 0;
    int devicesAlive = 0;
    bool noDevice = false;
    bool noPrimaryBuffer = false;
    bool refuseDuplicates = false;
    bool refuseData = false;        // voices are made but cannot take their data
    bool outputGone = false;        // devices report their output lost
    int playLengthMs = 50;          // how long a one-shot play lasts
    int sleptMs = 0;
    int sleeps = 0;

    void FinishAll() {
        for (auto& v : voices)
            if (!v->looping) v->playing = false;
    }
    int Playing() const {
        int n = 0;
        for (auto& v : voices) n += (!v->destroyed && v->playing) ? 1 : 0;
        return n;
    }
    int Alive() const {
        int n = 0;
        for (auto& v : voices) n += v->destroyed ? 0 : 1;
        return n;
    }
};

class FakeVoice : public platform::SoundVoice {
public:
    FakeVoice(FakeSoundWorld& world, std::shared_ptr<FakeVoiceState> state) : world_(world), s_(std::move(state)) {}
    ~FakeVoice() override { s_->destroyed = true; }
    void Play(bool looping) override {
        s_->playing = true;
        s_->looping = looping;
        s_->remainingMs = world_.playLengthMs;
        ++s_->starts;
        s_->calls.push_back(looping ? "play loop" : "play once");
    }
    void Stop() override {
        s_->playing = false;
        ++s_->stops;
        s_->calls.push_back("stop");
    }
    // Keeps a setting and notes the call with its value.
    template <typename T>
    void Record(T& field, T value, const char* call) {
        field = value;
        s_->calls.push_back(call + (" " + std::to_string(value)));
    }
    void SetPosition(uint32_t offset) override { Record(s_->position, offset, "pos"); }
    void SetFrequency(int hz) override { Record(s_->frequency, hz, "freq"); }
    void SetPan(int pan) override { Record(s_->pan, pan, "pan"); }
    void SetVolume(int volume) override { Record(s_->volume, volume, "vol"); }
    bool IsPlaying() override { return s_->playing; }
    std::unique_ptr<platform::SoundVoice> Duplicate() override;

private:
    FakeSoundWorld& world_;
    std::shared_ptr<FakeVoiceState> s_;
};

inline std::unique_ptr<platform::SoundVoice> MakeFakeVoice(FakeSoundWorld& world, platform::WaveFormat format,
                                                           std::shared_ptr<std::vector<uint8_t>> data) {
    auto state = std::make_shared<FakeVoiceState>();
    state->serial = static_cast<int>(world.voices.size()) + 1;
    state->format = format;
    state->data = std::move(data);
    world.voices.push_back(state);
    return std::make_unique<FakeVoice>(world, state);
}

inline std::unique_ptr<platform::SoundVoice> FakeVoice::Duplicate() {
    if (world_.refuseDuplicates) return nullptr;
    return MakeFakeVoice(world_, s_->format, s_->data);
}

class FakeDevice : public platform::SoundDevice {
public:
    explicit FakeDevice(FakeSoundWorld& world) : world_(world) { ++world_.devicesAlive; }
    ~FakeDevice() override { --world_.devicesAlive; }
    bool CreatePrimaryBuffer() override { return !world_.noPrimaryBuffer; }
    void SetCooperativeLevel(bool exclusive) override { world_.cooperativeLevels.push_back(exclusive); }
    std::unique_ptr<platform::SoundVoice> CreateVoice(const platform::WaveFormat& format, const uint8_t* data,
                                                      size_t size, platform::VoiceError& error) override {
        bool pcm = format.formatTag == 1 && (format.channels == 1 || format.channels == 2) &&
                   (format.bitsPerSample == 8 || format.bitsPerSample == 16);
        if (!pcm) {
            error = {platform::VoiceFailure::NotMade, "unsupported wave format"};
            return nullptr;
        }
        if (world_.refuseData) {
            error = {platform::VoiceFailure::NotFilled, "the data cannot be copied"};
            return nullptr;
        }
        return MakeFakeVoice(world_, format, std::make_shared<std::vector<uint8_t>>(data, data + size));
    }
    bool Connected() override { return !world_.outputGone; }

private:
    FakeSoundWorld& world_;
};

class FakePlatform : public platform::Platform {
public:
    FakeSoundWorld sound;

    void CreateMainWindow(const std::string&) override {}
    void ShowMainWindow() override {}
    bool PollMessage(platform::Message&) override { return false; }
    void WaitMessage() override {}
    void WaitMessageUntil(uint32_t) override {}
    bool IsForeground() override { return true; }
    void GetCursorPos(int& x, int& y) override { x = y = 0; }
    void GetClientSize(int& w, int& h) override { w = h = 0; }
    void ShowErrorBox(const std::string&, const std::string&) override {}
    std::vector<platform::DisplayMode> GetDisplayModes() override { return {}; }
    bool SetDisplayMode(const platform::DisplayMode&) override { return false; }
    void RestoreDisplayMode() override {}
    bool CanMakeSurface(int, int, bool) override { return false; }
    bool Present(const platform::PixelView&, const platform::Rect&, bool) override { return false; }
    bool SurfacesLost() override { return false; }
    bool RestoreSurfaces() override { return true; }
    void DrawText(const platform::PixelView&, int, int, std::string_view, const platform::TextStyle&, int& w,
                  int& h) override {
        w = h = 0;
    }
    uint32_t TimeGetTime() override { return static_cast<uint32_t>(sound.sleptMs); }
    uint32_t UtcMillisecondOfDay() override { return 0; }
    // Time passes only here: one-shot plays run down by the slept time.
    void SleepMs(int ms) override {
        sound.sleptMs += ms;
        ++sound.sleeps;
        for (auto& v : sound.voices) {
            if (!v->playing || v->looping) continue;
            v->remainingMs -= ms;
            if (v->remainingMs <= 0) v->playing = false;
        }
    }
    void GetKeyboardState(uint8_t keys[256]) override {
        for (int i = 0; i < 256; ++i) keys[i] = 0;
    }
    int JoystickCount() override { return 0; }
    bool GetJoystickCaps(int, platform::JoystickCaps&) override { return false; }
    bool GetJoystickPosition(int, platform::JoystickPosition&) override { return false; }
    std::unique_ptr<platform::SoundDevice> CreateSoundDevice() override {
        if (sound.noDevice) return nullptr;
        ++sound.devicesMade;
        return std::make_unique<FakeDevice>(sound);
    }
};

// Installs a fresh fake platform for one test and removes it afterwards.
class ScopedFakePlatform {
public:
    ScopedFakePlatform() { platform::SetCurrent(&fake); }
    ~ScopedFakePlatform() { platform::SetCurrent(nullptr); }
    FakePlatform fake;
};

}  // namespace skyrend::testing
