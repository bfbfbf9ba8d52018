// tests/sound/SoundFixture.h — a form with one sound device and one wave
// list bound to it, over the recording platform, and a maker of .dxw images.

#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "media/DXSounds.h"
#include "media/Forms.h"
#include "media/Streams.h"
#include "tests/sound/FakeSound.h"

namespace skyrend::testing {

struct WaveSpec {
    std::string name;
    bool looped = false;
    int32_t maxPlayingCount = 0;
    size_t frames = 100;      // 16-bit mono frames; 0 = no sample data
    uint16_t formatTag = 1;
    uint16_t bits = 16;
};

// A .dxw file image holding the given items; sample k of an item is k.
inline std::vector<uint8_t> MakeDxw(const std::vector<WaveSpec>& specs) {
    TWaveCollection scratch;
    for (const auto& spec : specs) {
        TWaveCollectionItem& item = scratch.Add();
        item.Name = spec.name;
        item.SetLooped(spec.looped);
        item.SetMaxPlayingCount(spec.maxPlayingCount);
        item.Wave.SetPCMFormat(1, 22050, spec.bits);
        if (spec.formatTag != 1) {
            TWaveFormat f = item.Wave.Format();
            f.FormatTag = spec.formatTag;
            item.Wave.SetFormatBlock(MakeWaveFormat(f));
        }
        std::vector<uint8_t> data(spec.frames * 2);
        for (size_t k = 0; k < spec.frames; ++k) {
            data[2 * k] = static_cast<uint8_t>(k);
            data[2 * k + 1] = static_cast<uint8_t>(k >> 8);
        }
        item.Wave.SetData(std::move(data));
    }
    TMemoryStream stream;
    scratch.SaveToStream(stream);
    return stream.Bytes();
}

class SoundFixture : public ::testing::Test {
protected:
    ScopedFakePlatform platform;
    FakeSoundWorld& world = platform.fake.sound;
    // What the listeners and events heard; it outlives the device, which
    // still speaks while it is destroyed.
    std::vector<std::string> log;
    TForm form{nullptr};
    TDXSound sound{&form};
    TDXWaveList list{&form};

    void Load(const std::vector<WaveSpec>& specs) {
        TMemoryStream stream(MakeDxw(specs));
        list.Items.LoadFromStream(stream);
    }
    // Initialises the device, binds the list and loads the items.
    void Ready(const std::vector<WaveSpec>& specs) {
        sound.Initialize();
        list.SetDXSound(&sound);
        Load(specs);
    }
    TWaveCollectionItem& Item(int32_t index) { return list.Items.GetItem(index); }
    // The fake voice made n-th (from 1) since the test began.
    FakeVoiceState& Voice(int serial) { return *world.voices.at(static_cast<size_t>(serial - 1)); }
};

}  // namespace skyrend::testing
