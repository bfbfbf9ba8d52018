// media/WaveCollection.h — named sounds with their sample data and playing
// rules, the voices they play on, and the root object of a .dxw file.
//
// A collection is bound to a sound device through its wave list: the device's
// notifications initialise it (items become playable), restore it (every item
// with sample data gets its main voice) and finalise it (all voices dropped).
// One-shot plays take voices from the item's PlayList, duplicates of the main
// voice sharing its data; looped plays use the main voice itself.

#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "media/DXWave.h"
#include "media/Persistent.h"
#include "media/Streams.h"

namespace skyrend {

namespace platform {
class SoundVoice;
}

class TComponent;
class TDXSound;
class TWaveCollection;

// A voice: a platform sound buffer of a wave's format and data. A buffer that
// has not been made yet refuses every call with EDirectSoundBufferError
// "IDirectSoundBuffer not made".
class TDirectSoundBuffer {
public:
    explicit TDirectSoundBuffer(TDXSound& sound);
    ~TDirectSoundBuffer();
    TDirectSoundBuffer(const TDirectSoundBuffer&) = delete;
    TDirectSoundBuffer& operator=(const TDirectSoundBuffer&) = delete;

    TDXSound& DXSound() const { return sound_; }
    bool Made() const { return voice_ != nullptr; }

    // Makes the buffer anew from the wave's format block and a copy of its
    // data. A device that is not initialised, or a format or buffer the
    // platform refuses: EDirectSoundBufferError "Sound Buffer cannot be made";
    // data the made buffer cannot take: "Sound Buffer cannot be locked".
    void LoadFromWave(const TWave& wave);
    // A new buffer sharing this one's data; EDirectSoundBufferError "Sound
    // Buffer cannot be made" when the platform cannot make it.
    std::unique_ptr<TDirectSoundBuffer> Duplicate() const;

    void Play(bool loop);
    void Stop();
    void SetPosition(uint32_t byteOffset);
    void SetFrequency(int32_t hertz);  // 0 = the wave's own rate
    void SetPan(int32_t pan);          // -10000 .. 10000
    void SetVolume(int32_t volume);    // hundredths of dB, 0 = full
    // Playing once or looping.
    bool Playing() const;

private:
    platform::SoundVoice& Voice() const;
    TDXSound& sound_;
    std::unique_ptr<platform::SoundVoice> voice_;
};

// One named sound: its sample data, its playing rules and, while its
// collection is initialised for a device, its voices.
class TWaveCollectionItem : public TPersistent {
public:
    explicit TWaveCollectionItem(TWaveCollection& collection);
    ~TWaveCollectionItem() override;

    std::string ClassName() const override { return "TWaveCollectionItem"; }
    bool ReadProperty(const std::string& name, TReader& reader) override;
    TPersistent* SubObject(const std::string& name) override;
    // Name, Looped, MaxPlayingCount, Wave.WAVE.
    void WriteProperties(TWriter& writer) const override;

    std::string Name;
    TWave Wave;
    // Applied to a voice at every one-shot play and at every restore;
    // 0 = the sound's own rate, centre, full volume. Not stored.
    int32_t Frequency = 0;
    int32_t Pan = 0;
    int32_t Volume = 0;

    bool Looped() const { return looped_; }
    // A different value stops every voice of the item.
    void SetLooped(bool value);
    int32_t MaxPlayingCount() const { return maxPlayingCount_; }
    // Negative values are stored as 0 (no limit); a different value frees the
    // PlayList voices while the item is initialised.
    void SetMaxPlayingCount(int32_t value);

    // Starts the sound: looped on the main voice, once on a PlayList voice.
    // With `wait`, returns when that voice has finished.
    void Play(bool wait);

    bool Initialized() const { return initialized_; }
    // Initialised for the collection's device when that device is.
    void Initialize();
    // Frees the PlayList voices and the main voice.
    void Finalize();
    // With sample data: makes or reloads the main voice and applies
    // Frequency, Pan and Volume.
    void Restore();

    TWaveCollection& Collection() const { return collection_; }
    int32_t Index() const;
    // The main voice, or null.
    TDirectSoundBuffer* Buffer() const { return buffer_.get(); }
    size_t PlayListCount() const { return playList_.size(); }
    // A PlayList voice by position, front first.
    TDirectSoundBuffer& PlayListVoice(size_t position) const { return *playList_.at(position); }

private:
    TDirectSoundBuffer* FreeOneShotVoice();
    TDirectSoundBuffer* NewOneShotVoice();
    void MakeBuffer();
    void StopAll();

    TWaveCollection& collection_;
    bool looped_ = false;
    int32_t maxPlayingCount_ = 0;
    bool initialized_ = false;
    std::unique_ptr<TDirectSoundBuffer> buffer_;
    std::vector<std::unique_ptr<TDirectSoundBuffer>> playList_;
};

// The ordered items of a wave list, and the device they are initialised for.
class TWaveCollection : public TCollection {
public:
    // `owner` is the wave list the collection belongs to (null for none).
    explicit TWaveCollection(TComponent* owner = nullptr);
    ~TWaveCollection() override;
    TWaveCollection(const TWaveCollection&) = delete;
    TWaveCollection& operator=(const TWaveCollection&) = delete;

    std::string ClassName() const override { return "TWaveCollection"; }

    // TCollection
    int32_t Count() const override { return static_cast<int32_t>(items_.size()); }
    void Clear() override;
    TPersistent& AddItem() override { return Add(); }
    const TPersistent& ItemAt(int32_t index) const override;

    // A zero-based index outside 0 .. Count() - 1 throws EListError
    // "Listenindex überschreitet das Maximum (%d)" with the index.
    TWaveCollectionItem& GetItem(int32_t index);
    const TWaveCollectionItem& GetItem(int32_t index) const;
    // The first item of that name (without regard to case), or null.
    TWaveCollectionItem* Find(const std::string& name);
    TWaveCollectionItem& Add();
    int32_t IndexOf(const TWaveCollectionItem& item) const;

    // Replaces every item with the items of a .dxw file; with an initialised
    // device the items are made ready and get their voices at once.
    void LoadFromFile(const std::string& fileName);
    void LoadFromStream(TStream& stream);
    // Writes the collection as a .dxw file image (for the tools).
    void SaveToStream(TStream& stream);
    void SaveToFile(const std::string& fileName);

    void Initialize(TDXSound* device);
    void Finalize();
    void Restore();

    TDXSound* DXSound() const { return device_; }
    TComponent* Owner() const { return owner_; }

    // Runs as a load starts: the wave list brings back a device whose output
    // went away, so that the loaded items get voices that sound.
    std::function<void()> BeforeLoad;

private:
    TComponent* owner_;
    TDXSound* device_ = nullptr;
    std::vector<std::unique_ptr<TWaveCollectionItem>> items_;
};

// The root object of a .dxw file: one published property "List", the
// collection it is read into.
class TWaveCollectionComponent : public TPersistent {
public:
    explicit TWaveCollectionComponent(TWaveCollection& list) : list_(list) {}

    std::string ClassName() const override { return "TWaveCollectionComponent"; }
    bool ReadProperty(const std::string& name, TReader& reader) override;
    void WriteProperties(TWriter& writer) const override;
    std::string Name() const override { return name_; }
    void SetName(const std::string& name) override { name_ = name; }

    TWaveCollection& List() const { return list_; }

private:
    TWaveCollection& list_;
    std::string name_;
};

}  // namespace skyrend
