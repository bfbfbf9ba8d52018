// platform/replay/RecordingSound.cpp — recorded sound devices and voices.

#include "platform/replay/RecordingSound.h"

namespace skyrend::platform::replay {

namespace {

void Note(ReplayWriter& writer, Kind kind, bool ok) {
    Answer a;
    a.ok = ok;
    writer.Record(kind, a);
}

class RecordedVoice final : public SoundVoice {
public:
    RecordedVoice(std::unique_ptr<SoundVoice> inner, std::shared_ptr<ReplayWriter> writer)
        : inner_(std::move(inner)), writer_(std::move(writer)) {}
    void Play(bool looping) override { inner_->Play(looping); }
    void Stop() override { inner_->Stop(); }
    void SetPosition(uint32_t byteOffset) override { inner_->SetPosition(byteOffset); }
    void SetFrequency(int hertz) override { inner_->SetFrequency(hertz); }
    void SetPan(int pan) override { inner_->SetPan(pan); }
    void SetVolume(int volume) override { inner_->SetVolume(volume); }
    bool IsPlaying() override {
        const bool playing = inner_->IsPlaying();
        Note(*writer_, Kind::VoicePlaying, playing);
        return playing;
    }
    std::unique_ptr<SoundVoice> Duplicate() override {
        auto copy = inner_->Duplicate();
        Note(*writer_, Kind::VoiceDuplicate, copy != nullptr);
        if (!copy) return nullptr;
        return std::make_unique<RecordedVoice>(std::move(copy), writer_);
    }

private:
    std::unique_ptr<SoundVoice> inner_;
    std::shared_ptr<ReplayWriter> writer_;
};

class RecordedDevice final : public SoundDevice {
public:
    RecordedDevice(std::unique_ptr<SoundDevice> inner, std::shared_ptr<ReplayWriter> writer)
        : inner_(std::move(inner)), writer_(std::move(writer)) {}
    bool CreatePrimaryBuffer() override {
        const bool ok = inner_->CreatePrimaryBuffer();
        Note(*writer_, Kind::PrimaryBuffer, ok);
        return ok;
    }
    void SetCooperativeLevel(bool exclusive) override { inner_->SetCooperativeLevel(exclusive); }
    std::unique_ptr<SoundVoice> CreateVoice(const WaveFormat& format, const uint8_t* data, size_t size,
                                            VoiceError& error) override {
        auto voice = inner_->CreateVoice(format, data, size, error);
        Answer a;
        a.ok = voice != nullptr;
        if (!voice) {
            a.number = static_cast<int64_t>(error.failure);
            a.text = error.reason;
        }
        writer_->Record(Kind::Voice, a);
        if (!voice) return nullptr;
        return std::make_unique<RecordedVoice>(std::move(voice), writer_);
    }
    bool Connected() override {
        const bool connected = inner_->Connected();
        Note(*writer_, Kind::SoundConnected, connected);
        return connected;
    }

private:
    std::unique_ptr<SoundDevice> inner_;
    std::shared_ptr<ReplayWriter> writer_;
};

}  // namespace

std::unique_ptr<SoundDevice> RecordSoundDevice(std::unique_ptr<SoundDevice> inner,
                                               std::shared_ptr<ReplayWriter> writer) {
    Note(*writer, Kind::SoundDevice, inner != nullptr);
    if (!inner) return nullptr;
    return std::make_unique<RecordedDevice>(std::move(inner), std::move(writer));
}

}  // namespace skyrend::platform::replay
