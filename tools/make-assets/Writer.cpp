// tools/make-assets/Writer.cpp — collection files from pictures and sounds.

#include "tools/make-assets/Writer.h"

#include "media/ComponentStream.h"
#include "media/DIB.h"
#include "media/PictureCollection.h"
#include "media/Streams.h"
#include "media/WaveCollection.h"

namespace skyrend::assets {

namespace {

std::string Stem(const std::string& fileName) {
    size_t dot = fileName.rfind('.');
    return dot == std::string::npos ? fileName : fileName.substr(0, dot);
}

void FillWave(TWave& wave, const Sound& sound) {
    std::vector<uint8_t> data;
    data.reserve(sound.Samples.size() * 2);
    for (int16_t s : sound.Samples) {
        auto u = static_cast<uint16_t>(s);
        data.push_back(static_cast<uint8_t>(u & 0xFF));
        data.push_back(static_cast<uint8_t>(u >> 8));
    }
    wave.SetPCMFormat(1, sound.SampleRate, 16);
    wave.SetData(std::move(data));
}

}  // namespace

std::vector<uint8_t> PictureFileImage(const PictureFile& file) {
    TPictureCollection list;
    const std::string stem = Stem(file.FileName);
    for (size_t i = 0; i < file.Items.size(); ++i) {
        const Picture& picture = file.Items[i];
        TImage32 image(picture.Width, picture.Height);
        image.Pixels = picture.Pixels;
        TPictureCollectionItem& item = list.Add();
        item.Name = stem + "_" + std::to_string(i);
        item.PatternWidth = 0;
        item.PatternHeight = 0;
        item.Picture.SetGraphic(TDIB::FromImage(image, 24));
        item.Transparent = true;
        item.TransparentColor = clBlack;
    }
    TPictureCollectionComponent root(list);
    TMemoryStream stream;
    WriteComponentResource(stream, root, root.ClassName());
    return stream.Bytes();
}

constexpr int32_t MaxVoicesPerSound = 16;

std::vector<uint8_t> WaveFileImage(const std::vector<Sound>& sounds) {
    TWaveCollection list;
    for (const Sound& sound : sounds) {
        TWaveCollectionItem& item = list.Add();
        item.Name = sound.Name;
        item.SetLooped(false);
        // Each of the eight lists plays a sound at most this many times at
        // once; a crowded fight reuses the oldest voice instead of asking the
        // mixer for ever more voices.
        item.SetMaxPlayingCount(MaxVoicesPerSound);
        FillWave(item.Wave, sound);
    }
    TWaveCollectionComponent root(list);
    TMemoryStream stream;
    WriteComponentResource(stream, root, root.ClassName());
    return stream.Bytes();
}

std::vector<uint8_t> WaveImage(const Sound& sound) {
    TWave wave;
    FillWave(wave, sound);
    return wave.RiffImage();
}

}  // namespace skyrend::assets
