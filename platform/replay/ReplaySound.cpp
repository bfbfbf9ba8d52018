// platform/replay/ReplaySound.cpp — recorded sound answers over real voices.

#include "platform/replay/ReplaySound.h"

namespace skyrend::platform::replay {

namespace {

bool Flag(ReplayPlayer& player, Kind kind) {
    Answer a;
    return player.Take(kind, a) && a.ok;
}

class ReplayVoice final : public SoundVoice {
public:
    ReplayVoice(std::unique_ptr<SoundVoice> inner, std::shared_ptr<ReplayPlayer> player)
        : inner_(std::move(inner)), player_(std::move(player)) {}
    void Play(bool looping) override {
        if (inner_) inner_->Play(looping);
    }
    void Stop() override {
        if (inner_) inner_->Stop();
    }
    void SetPosition(uint32_t byteOffset) override {
        if (inner_) inner_->SetPosition(byteOffset);
    }
    void SetFrequency(int hertz) override {
        if (inner_) inner_->SetFrequency(hertz);
    }
    void SetPan(int pan) override {
        if (inner_) inner_->SetPan(pan);
    }
    void SetVolume(int volume) override {
        if (inner_) inner_->SetVolume(volume);
    }
    bool IsPlaying() override { return Flag(*player_, Kind::VoicePlaying); }
    std::unique_ptr<SoundVoice> Duplicate() override {
        if (!Flag(*player_, Kind::VoiceDuplicate)) return nullptr;
        return std::make_unique<ReplayVoice>(inner_ ? inner_->Duplicate() : nullptr, player_);
    }

private:
    std::unique_ptr<SoundVoice> inner_;
    std::shared_ptr<ReplayPlayer> player_;
};

class ReplayDevice final : public SoundDevice {
public:
    ReplayDevice(std::unique_ptr<SoundDevice> inner, std::shared_ptr<ReplayPlayer> player)
        : inner_(std::move(inner)), player_(std::move(player)) {}
    bool CreatePrimaryBuffer() override {
        if (inner_) inner_->CreatePrimaryBuffer();
        return Flag(*player_, Kind::PrimaryBuffer);
    }
    void SetCooperativeLevel(bool exclusive) override {
        if (inner_) inner_->SetCooperativeLevel(exclusive);
    }
    std::unique_ptr<SoundVoice> CreateVoice(const WaveFormat& format, const uint8_t* data, size_t size,
                                            VoiceError& error) override {
        Answer a;
        if (!player_->Take(Kind::Voice, a) || !a.ok) {
            error.failure = a.number == static_cast<int64_t>(VoiceFailure::NotFilled) ? VoiceFailure::NotFilled
                                                                                      : VoiceFailure::NotMade;
            error.reason = a.text;
            return nullptr;
        }
        VoiceError ignored;
        auto voice = inner_ ? inner_->CreateVoice(format, data, size, ignored) : nullptr;
        return std::make_unique<ReplayVoice>(std::move(voice), player_);
    }
    bool Connected() override { return Flag(*player_, Kind::SoundConnected); }

private:
    std::unique_ptr<SoundDevice> inner_;
    std::shared_ptr<ReplayPlayer> player_;
};

}  // namespace

std::unique_ptr<SoundDevice> ReplaySoundDevice(std::unique_ptr<SoundDevice> inner,
                                               std::shared_ptr<ReplayPlayer> player) {
    return std::make_unique<ReplayDevice>(std::move(inner), std::move(player));
}

}  // namespace skyrend::platform::replay
