// media/WaveCollection.cpp — wave items, their voices and playing rules, and
// the collection that loads them from a .dxw file.

#include "media/WaveCollection.h"

#include <algorithm>
#include <utility>

#include "media/ComponentStream.h"
#include "media/DXSounds.h"
#include "media/Errors.h"
#include "platform/Platform.h"

namespace skyrend {

namespace {

constexpr char SoundBuffer[] = "Sound Buffer";

// The platform's own reason is not part of the text.
[[noreturn]] void CannotMakeBuffer() { throw EDirectSoundBufferError(Format("%s cannot be made", SoundBuffer)); }

// A buffer that was made but could not take the wave's data cannot be locked.
[[noreturn]] void VoiceRefused(const platform::VoiceError& error) {
    if (error.failure == platform::VoiceFailure::NotFilled)
        throw EDirectSoundBufferError(Format("%s cannot be locked", SoundBuffer));
    CannotMakeBuffer();
}

platform::WaveFormat PlatformFormat(const TWaveFormat& f) {
    return {.formatTag = f.FormatTag,
            .channels = f.Channels,
            .samplesPerSec = f.SamplesPerSec,
            .avgBytesPerSec = f.AvgBytesPerSec,
            .blockAlign = f.BlockAlign,
            .bitsPerSample = f.BitsPerSample};
}

}  // namespace

// ---------------------------------------------------------------- voice

TDirectSoundBuffer::TDirectSoundBuffer(TDXSound& sound) : sound_(sound) {}
TDirectSoundBuffer::~TDirectSoundBuffer() = default;

platform::SoundVoice& TDirectSoundBuffer::Voice() const {
    if (!voice_) throw EDirectSoundBufferError(Format("%s not made", "IDirectSoundBuffer"));
    return *voice_;
}

void TDirectSoundBuffer::LoadFromWave(const TWave& wave) {
    platform::SoundDevice* device = sound_.Device();
    if (!device) CannotMakeBuffer();
    platform::VoiceError error;
    const auto& data = wave.Data();
    auto voice = device->CreateVoice(PlatformFormat(wave.Format()), data.data(), data.size(), error);
    if (!voice) VoiceRefused(error);
    voice_ = std::move(voice);
}

std::unique_ptr<TDirectSoundBuffer> TDirectSoundBuffer::Duplicate() const {
    auto copy = std::make_unique<TDirectSoundBuffer>(sound_);
    copy->voice_ = Voice().Duplicate();
    if (!copy->voice_) CannotMakeBuffer();
    return copy;
}

void TDirectSoundBuffer::Play(bool loop) { Voice().Play(loop); }
void TDirectSoundBuffer::Stop() { Voice().Stop(); }
void TDirectSoundBuffer::SetPosition(uint32_t byteOffset) { Voice().SetPosition(byteOffset); }
void TDirectSoundBuffer::SetFrequency(int32_t hertz) { Voice().SetFrequency(hertz); }
void TDirectSoundBuffer::SetPan(int32_t pan) { Voice().SetPan(pan); }
void TDirectSoundBuffer::SetVolume(int32_t volume) { Voice().SetVolume(volume); }
bool TDirectSoundBuffer::Playing() const { return Voice().IsPlaying(); }

// ---------------------------------------------------------------- item

TWaveCollectionItem::TWaveCollectionItem(TWaveCollection& collection) : collection_(collection) {}
TWaveCollectionItem::~TWaveCollectionItem() = default;

bool TWaveCollectionItem::ReadProperty(const std::string& name, TReader& reader) {
    if (SameText(name, "Name")) {
        Name = reader.ReadString();
    } else if (SameText(name, "Looped")) {
        SetLooped(reader.ReadBoolean());
    } else if (SameText(name, "MaxPlayingCount")) {
        SetMaxPlayingCount(reader.ReadInteger());
    } else {
        return false;
    }
    return true;
}

TPersistent* TWaveCollectionItem::SubObject(const std::string& name) {
    return SameText(name, "Wave") ? &Wave : nullptr;
}

void TWaveCollectionItem::WriteProperties(TWriter& writer) const {
    writer.WriteStringProperty("Name", Name);
    writer.WriteBooleanProperty("Looped", looped_);
    writer.WriteIntegerProperty("MaxPlayingCount", maxPlayingCount_);
    writer.WriteBinaryProperty("Wave.WAVE", Wave.RiffImage());
}

int32_t TWaveCollectionItem::Index() const { return collection_.IndexOf(*this); }

void TWaveCollectionItem::StopAll() {
    if (buffer_) buffer_->Stop();
    for (auto& voice : playList_) voice->Stop();
}

void TWaveCollectionItem::SetLooped(bool value) {
    if (value == looped_) return;
    StopAll();
    looped_ = value;
}

void TWaveCollectionItem::SetMaxPlayingCount(int32_t value) {
    value = std::max(value, 0);
    if (value == maxPlayingCount_) return;
    if (initialized_) playList_.clear();
    maxPlayingCount_ = value;
}

void TWaveCollectionItem::Initialize() {
    if (initialized_) return;
    TDXSound* device = collection_.DXSound();
    initialized_ = device && device->Initialized();
}

void TWaveCollectionItem::Finalize() {
    playList_.clear();
    buffer_.reset();
    initialized_ = false;
}

// The main voice, made from the wave; only a complete voice is kept.
void TWaveCollectionItem::MakeBuffer() {
    TDXSound* device = collection_.DXSound();
    if (!device) CannotMakeBuffer();
    auto buffer = std::make_unique<TDirectSoundBuffer>(*device);
    buffer->LoadFromWave(Wave);
    buffer_ = std::move(buffer);
}

void TWaveCollectionItem::Restore() {
    if (Wave.Empty()) return;
    Initialize();
    if (!initialized_) return;
    MakeBuffer();
    buffer_->SetFrequency(Frequency);
    buffer_->SetPan(Pan);
    buffer_->SetVolume(Volume);
}

// The first PlayList voice, front to back, that has finished.
TDirectSoundBuffer* TWaveCollectionItem::FreeOneShotVoice() {
    for (auto& voice : playList_)
        if (!voice->Playing()) return voice.get();
    return nullptr;
}

// Every PlayList voice is busy: a new duplicate while under the limit,
// otherwise the oldest voice, which moves to the back.
TDirectSoundBuffer* TWaveCollectionItem::NewOneShotVoice() {
    if (maxPlayingCount_ == 0 || playList_.size() < static_cast<size_t>(maxPlayingCount_)) {
        if (!buffer_) return nullptr;
        playList_.push_back(buffer_->Duplicate());
    } else {
        std::rotate(playList_.begin(), playList_.begin() + 1, playList_.end());
    }
    return playList_.back().get();
}

void TWaveCollectionItem::Play(bool wait) {
    if (!initialized_) return;
    if (looped_) {
        // An empty wave makes no voice; the calls below then report it.
        if (!buffer_ && !Wave.Empty()) MakeBuffer();
        if (!buffer_) throw EDirectSoundBufferError(Format("%s not made", "IDirectSoundBuffer"));
        buffer_->Stop();
        buffer_->SetPosition(0);
        buffer_->Play(true);
        return;
    }
    TDirectSoundBuffer* voice = FreeOneShotVoice();
    if (!voice) voice = NewOneShotVoice();
    if (!voice) return;
    voice->Stop();
    voice->SetPosition(0);
    voice->SetFrequency(Frequency);
    voice->SetPan(Pan);
    voice->SetVolume(Volume);
    voice->Play(false);
    if (wait)
        while (voice->Playing()) platform::Current().SleepMs(10);
}

// ---------------------------------------------------------------- collection

TWaveCollection::TWaveCollection(TComponent* owner) : owner_(owner) {}
TWaveCollection::~TWaveCollection() = default;

void TWaveCollection::Clear() { items_.clear(); }

const TPersistent& TWaveCollection::ItemAt(int32_t index) const { return GetItem(index); }

const TWaveCollectionItem& TWaveCollection::GetItem(int32_t index) const {
    if (index < 0 || index >= Count())
        throw EListError(Format("Listenindex überschreitet das Maximum (%d)", static_cast<long long>(index)));
    return *items_[static_cast<size_t>(index)];
}

TWaveCollectionItem& TWaveCollection::GetItem(int32_t index) {
    return const_cast<TWaveCollectionItem&>(std::as_const(*this).GetItem(index));
}

TWaveCollectionItem* TWaveCollection::Find(const std::string& name) {
    for (auto& item : items_)
        if (SameText(item->Name, name)) return item.get();
    return nullptr;
}

TWaveCollectionItem& TWaveCollection::Add() {
    items_.push_back(std::make_unique<TWaveCollectionItem>(*this));
    return *items_.back();
}

int32_t TWaveCollection::IndexOf(const TWaveCollectionItem& item) const {
    for (size_t i = 0; i < items_.size(); ++i)
        if (items_[i].get() == &item) return static_cast<int32_t>(i);
    return -1;
}

void TWaveCollection::LoadFromFile(const std::string& fileName) {
    TFileStream stream(fileName);
    LoadFromStream(stream);
}

void TWaveCollection::LoadFromStream(TStream& stream) {
    if (BeforeLoad) BeforeLoad();
    Clear();
    {
        TWaveCollectionComponent root(*this);
        ReadComponentResource(stream, root);
    }
    if (device_ && device_->Initialized()) {
        Initialize(device_);
        Restore();
    }
}

void TWaveCollection::SaveToStream(TStream& stream) {
    TWaveCollectionComponent root(*this);
    WriteComponentResource(stream, root, root.ClassName());
}

void TWaveCollection::SaveToFile(const std::string& fileName) {
    TMemoryStream stream;
    SaveToStream(stream);
    WriteWholeFile(fileName, stream.Bytes());
}

void TWaveCollection::Initialize(TDXSound* device) {
    Finalize();
    device_ = device;
    for (auto& item : items_) {
        item->Finalize();
        item->Initialize();
    }
}

void TWaveCollection::Finalize() {
    for (auto& item : items_) item->Finalize();
    device_ = nullptr;
}

void TWaveCollection::Restore() {
    for (auto& item : items_)
        if (!item->Wave.Empty()) item->Restore();
}

// ---------------------------------------------------------------- root

bool TWaveCollectionComponent::ReadProperty(const std::string& name, TReader& reader) {
    if (!SameText(name, "List")) return false;
    reader.ReadCollection(list_);
    return true;
}

void TWaveCollectionComponent::WriteProperties(TWriter& writer) const {
    writer.WriteCollectionProperty("List", list_);
}

}  // namespace skyrend
