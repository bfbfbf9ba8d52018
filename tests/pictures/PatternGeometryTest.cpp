// tests/pictures/PatternGeometryTest.cpp — how items are cut into patterns
// and tiles, and which colour key their surfaces get.

#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "media/Errors.h"
#include "tests/pictures/PictureTestKit.h"

namespace skyrend::test {
namespace {

// Draws every pattern of the item and compares it with the picture.
void ExpectPatternsMatchPicture(TPictureCollectionItem& item, const TImage32& image) {
    const int pw = item.EffectivePatternWidth(), ph = item.EffectivePatternHeight();
    auto canvas = Canvas(pw, ph);
    for (int32_t i = 0; i < item.PatternCount(); ++i) {
        const platform::Rect r = item.PatternRect(i);
        canvas->Fill(0x123456);
        item.Draw(canvas.get(), 0, 0, i);
        for (int y = 0; y < ph; ++y)
            for (int x = 0; x < pw; ++x)
                ASSERT_EQ(At(*canvas, x, y), image.At(r.left + x, r.top + y))
                    << "pattern " << i << " at " << x << "," << y;
    }
}

TEST(PatternGrid, StripOfSquarePatterns) {
    OnePicture picture(CodedImage(320, 32), 32, 32);
    TPictureCollectionItem& item = *picture.item;
    EXPECT_EQ(item.PatternCount(), 10);
    EXPECT_EQ(item.PatternRect(3), (platform::Rect{96, 0, 128, 32}));
    EXPECT_EQ(item.PatternRect(9), (platform::Rect{288, 0, 320, 32}));
    EXPECT_EQ(item.PatternRect(10), platform::Rect{});
    EXPECT_EQ(item.PatternRect(-1), platform::Rect{});
}

TEST(PatternGrid, ZeroPatternSizeIsOnePatternOfTheWholePicture) {
    OnePicture picture(CodedImage(50, 30), 0, 0);
    TPictureCollectionItem& item = *picture.item;
    EXPECT_EQ(item.PatternCount(), 1);
    EXPECT_EQ(item.PatternRect(0), (platform::Rect{0, 0, 50, 30}));
    // Counting made patterns leaves the stored sizes alone.
    EXPECT_EQ(item.PatternWidth, 0);
    EXPECT_EQ(item.PatternHeight, 0);
}

TEST(PatternGrid, SkipsLeaveGapsBetweenColumnsAndRows) {
    OnePicture picture(CodedImage(100, 70), 32, 32, 2, 6);
    TPictureCollectionItem& item = *picture.item;
    const TImage32& image = picture.image;
    // (100 + 2) div 34 = 3 columns, (70 + 6) div 38 = 2 rows.
    EXPECT_EQ(item.PatternCount(), 6);
    EXPECT_EQ(item.PatternRect(2), (platform::Rect{68, 0, 100, 32}));
    EXPECT_EQ(item.PatternRect(4), (platform::Rect{34, 38, 66, 70}));
    ExpectPatternsMatchPicture(item, image);
}

TEST(PatternGrid, CountBeforeInitialisingUsesTheStoredSizeFormula) {
    TPictureCollection collection;
    TPictureCollectionItem& whole = AddPicture(collection, CodedImage(320, 32), 0, 0);
    EXPECT_EQ(whole.PatternCount(), 1);
    // The computation writes the picture's size into the zero sizes.
    EXPECT_EQ(whole.PatternWidth, 320);
    EXPECT_EQ(whole.PatternHeight, 32);

    // 105 = 2 * 40 + 25: the formula counts the last column only when the
    // rest is exactly one pattern wide, the grid whenever it holds one.
    TPictureCollectionItem& gaps = AddPicture(collection, CodedImage(105, 20), 20, 20, 20, 0);
    EXPECT_EQ(gaps.PatternCount(), 2);
    EXPECT_EQ(gaps.LayoutPatternCount(), 3);
    HeadlessDisplay display;
    collection.Initialize(&display.draw);
    EXPECT_EQ(gaps.PatternCount(), 3);
}

TEST(PatternGrid, DegenerateSizesGiveNoPatterns) {
    HeadlessDisplay display;
    TPictureCollection collection;
    TPictureCollectionItem& swallowed = AddPicture(collection, CodedImage(64, 32), 32, 32, -32, 0);
    TPictureCollectionItem& tooLarge = AddPicture(collection, CodedImage(64, 32), 65, 32);
    TPictureCollectionItem& none = collection.Add();
    TPictureCollectionItem& emptyDib = collection.Add();
    emptyDib.Picture.LoadData({4, 'T', 'D', 'I', 'B'});  // the class name and no data
    ASSERT_NE(emptyDib.Picture.Graphic(), nullptr);
    collection.Initialize(&display.draw);
    auto canvas = Canvas(100, 100);
    for (TPictureCollectionItem* item : {&swallowed, &tooLarge, &none, &emptyDib}) {
        EXPECT_EQ(item->PatternCount(), 0);
        EXPECT_TRUE(item->Surfaces().empty());
        item->Draw(canvas.get(), 0, 0, 0);
        item->DrawRotated(canvas.get(), 50, 50, 20, 20, 0, 0.5, 0.5, 0);
    }
    EXPECT_EQ(At(*canvas, 0, 0), 0x123456u);
    EXPECT_EQ(At(*canvas, 50, 50), 0x123456u);
}

TEST(PatternGrid, OverlappingPatternsOfANegativeSkip) {
    // Steps of 20 with 30-pixel patterns: neighbours share 10 columns.
    OnePicture picture(CodedImage(3000, 8), 30, 8, -10, 0);
    TPictureCollectionItem& item = *picture.item;
    const TImage32& image = picture.image;
    EXPECT_EQ(item.PatternCount(), 149);
    ExpectPatternsMatchPicture(item, image);
}

// Pictures wider or taller than a surface may be are split into tiles that
// hold whole patterns, in video memory.
TEST(Tiles, BigPicturesAreSplitIntoTilesThatHoldWholePatterns) {
    struct Case {
        int width, height, pattern;
        std::vector<std::pair<int, int>> tiles;  // width and height of each
        int32_t patterns;
    };
    const Case cases[] = {
        // Tiles of 30 * ceil(2048 / 30) = 2070 pixels.
        {4200, 4, 30, {{2070, 4}, {2070, 4}, {60, 4}}, 140},
        {2500, 2500, 250, {{2250, 2250}, {250, 2250}, {2250, 250}, {250, 250}}, 100},
    };
    for (const Case& c : cases) {
        OnePicture picture(CodedImage(c.width, c.height), c.pattern, c.height < c.pattern ? c.height : c.pattern);
        const TPictureCollectionItem& item = *picture.item;
        ASSERT_EQ(item.Surfaces().size(), c.tiles.size()) << c.width;
        for (size_t k = 0; k < c.tiles.size(); ++k) {
            EXPECT_EQ(item.Surfaces()[k]->Width(), c.tiles[k].first) << c.width << " tile " << k;
            EXPECT_EQ(item.Surfaces()[k]->Height(), c.tiles[k].second) << c.width << " tile " << k;
            EXPECT_FALSE(item.Surfaces()[k]->SystemMemory());
        }
        EXPECT_EQ(picture.item->PatternCount(), c.patterns);
        ExpectPatternsMatchPicture(*picture.item, picture.image);
    }
}

TEST(Tiles, SystemMemoryKeepsTheWholePictureOnOneSurface) {
    HeadlessDisplay display;
    TPictureCollection collection;
    const TImage32 image = CodedImage(4200, 4);
    TPictureCollectionItem& item = AddPicture(collection, image, 30, 4);
    item.SystemMemory = true;
    collection.Initialize(&display.draw);
    ASSERT_EQ(item.Surfaces().size(), 1u);
    EXPECT_TRUE(item.Surfaces()[0]->SystemMemory());
    EXPECT_EQ(item.Surfaces()[0]->Width(), 4200);
    ExpectPatternsMatchPicture(item, image);
}

TEST(Tiles, SurfacesFallBackToSystemMemoryAndFailWithoutAny) {
    HeadlessDisplay display;
    TPictureCollection collection;
    TPictureCollectionItem& item = AddPicture(collection, CodedImage(64, 32), 32, 32);
    display.platform.SetSurfaceMemory(false, true);
    collection.Initialize(&display.draw);
    ASSERT_FALSE(item.Surfaces().empty());
    EXPECT_TRUE(item.Surfaces()[0]->SystemMemory());

    display.platform.SetSurfaceMemory(false, false);
    try {
        collection.Initialize(&display.draw);
        FAIL() << "no surface can be made";
    } catch (const EDirectDrawSurfaceError& error) {
        EXPECT_STREQ(error.what(), "Surface cannot be made");
    }
    EXPECT_TRUE(item.Surfaces().empty());
}

TEST(ColorKey, TransparentColorResolvesToEachSurfacesKey) {
    HeadlessDisplay display;
    TPictureCollection collection;
    TPictureCollectionItem& item = AddPicture(collection, CodedImage(4200, 4), 30, 4);
    item.TransparentColor = 0x0000FF;  // red, as 0x00BBGGRR
    collection.Initialize(&display.draw);
    for (const auto& surface : item.Surfaces()) EXPECT_EQ(surface->ColorKey(), 0xFF0000u);

    item.SetTransparentColor(0x8000000F);  // a system colour, resolved first
    const uint32_t key = RGBToPixel(ColorToRGB(0x8000000F));
    EXPECT_EQ(key & 0xFF000000u, 0u);
    for (const auto& surface : item.Surfaces()) EXPECT_EQ(surface->ColorKey(), key);
}

}  // namespace
}  // namespace skyrend::test
