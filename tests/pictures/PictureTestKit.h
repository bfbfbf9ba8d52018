// tests/pictures/PictureTestKit.h — a headless display to draw on, and
// pictures whose every pixel tells where it came from.

#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <utility>

#include "media/DIB.h"
#include "media/DXDraws.h"
#include "media/Forms.h"
#include "media/PictureCollection.h"
#include "platform/headless/HeadlessPlatform.h"

namespace skyrend::test {

// A picture whose pixels name their position (unique while width x height
// stays below 2^23); none is black.
inline TImage32 CodedImage(int width, int height) {
    TImage32 image(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) image.At(x, y) = 0x800000u | ((uint32_t(y) * width + x) & 0x7FFFFF);
    return image;
}

// An initialised display on the headless platform (1024 x 768 surface).
struct HeadlessDisplay {
    platform::HeadlessPlatform platform;
    TForm form{nullptr};
    TDXDraw draw{&form};

    explicit HeadlessDisplay(bool initialize = true) {
        platform::SetCurrent(&platform);
        if (initialize) draw.Initialize();
    }
    ~HeadlessDisplay() { draw.Finalize(); }
};

inline TPictureCollectionItem& AddPicture(TPictureCollection& collection, const TImage32& image,
                                          int32_t patternWidth, int32_t patternHeight, int32_t skipWidth = 0,
                                          int32_t skipHeight = 0) {
    TPictureCollectionItem& item = collection.Add();
    item.Picture.SetGraphic(TDIB::FromImage(image, 24));
    item.PatternWidth = patternWidth;
    item.PatternHeight = patternHeight;
    item.SkipWidth = skipWidth;
    item.SkipHeight = skipHeight;
    return item;
}

// A collection with one picture, initialised on a headless display.
struct OnePicture {
    HeadlessDisplay display;
    TPictureCollection collection;
    TImage32 image;
    TPictureCollectionItem* item = nullptr;

    OnePicture(TImage32 picture, int32_t patternWidth, int32_t patternHeight, int32_t skipWidth = 0,
               int32_t skipHeight = 0)
        : image(std::move(picture)) {
        item = &AddPicture(collection, image, patternWidth, patternHeight, skipWidth, skipHeight);
        collection.Initialize(&display.draw);
    }
};

struct PictureFixture : ::testing::Test, OnePicture {
    using OnePicture::OnePicture;
};

// A surface filled with one value.
inline std::unique_ptr<TDirectDrawSurface> Canvas(int width, int height, uint32_t fill = 0x123456) {
    auto surface = std::make_unique<TDirectDrawSurface>(width, height, true);
    surface->Fill(fill);
    return surface;
}

inline uint32_t At(const TDirectDrawSurface& s, int x, int y) { return s.Row(y)[x]; }

}  // namespace skyrend::test
