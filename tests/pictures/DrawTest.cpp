// tests/pictures/DrawTest.cpp — unscaled drawing: clipping at every edge,
// the colour key, and the cases that draw nothing; the stretched, blended
// and waved forms.

#include <gtest/gtest.h>

#include <algorithm>

#include "media/SpriteDraw.h"
#include "tests/pictures/PictureTestKit.h"

namespace skyrend::test {
namespace {

constexpr uint32_t Fill = 0x123456;

struct DrawFixture : PictureFixture {
    DrawFixture() : PictureFixture(CodedImage(64, 32), 32, 32) {}
};

TEST_F(DrawFixture, ClipsAgainstEveryEdge) {
    const int W = 80, H = 60;
    auto canvas = Canvas(W, H);
    const struct { int x, y; } places[] = {{-10, -10}, {60, 40}, {-31, 5}, {5, -31}, {79, 59}, {48, -20},
                                           {-32, 0}, {80, 0}, {0, 60}, {0, -32}, {20, 10}};
    for (const auto& at : places) {
        canvas->Fill(Fill);
        item->Draw(canvas.get(), at.x, at.y, 1);  // the right half of the picture
        for (int y = 0; y < H; ++y) {
            for (int x = 0; x < W; ++x) {
                const int px = x - at.x, py = y - at.y;
                const bool inside = px >= 0 && px < 32 && py >= 0 && py < 32;
                ASSERT_EQ(At(*canvas, x, y), inside ? image.At(32 + px, py) : Fill)
                    << "drawn at " << at.x << "," << at.y << ", pixel " << x << "," << y;
            }
        }
    }
}

TEST_F(DrawFixture, DrawsTheLowerRightPartWhenPlacedAboveLeft) {
    auto canvas = Canvas(40, 40);
    item->Draw(canvas.get(), -10, -10, 0);
    EXPECT_EQ(At(*canvas, 0, 0), image.At(10, 10));
    EXPECT_EQ(At(*canvas, 21, 21), image.At(31, 31));
    EXPECT_EQ(At(*canvas, 22, 0), Fill);
    EXPECT_EQ(At(*canvas, 0, 22), Fill);
}

TEST_F(DrawFixture, NothingForBadIndexesNullOrHeldDestinations) {
    auto canvas = Canvas(40, 40);
    item->Draw(canvas.get(), 0, 0, item->PatternCount());
    item->Draw(canvas.get(), 0, 0, -1);
    item->DrawRotated(canvas.get(), 20, 20, 32, 32, 2, 0.5, 0.5, 0);
    item->Draw(nullptr, 0, 0, 0);
    item->DrawRotated(nullptr, 0, 0, 32, 32, 0, 0.5, 0.5, 0);
    EXPECT_EQ(At(*canvas, 0, 0), Fill);
    EXPECT_EQ(At(*canvas, 20, 20), Fill);

    // While its canvas holds the surface, nothing else draws into it.
    canvas->Canvas().TextOut(0, 30, "x");
    ASSERT_TRUE(canvas->Locked());
    item->Draw(canvas.get(), 0, 0, 0);
    item->DrawRotated(canvas.get(), 20, 20, 32, 32, 0, 0.5, 0.5, 0);
    EXPECT_EQ(At(*canvas, 0, 0), Fill);
    EXPECT_EQ(At(*canvas, 20, 20), Fill);
    canvas->Canvas().Release();
    item->Draw(canvas.get(), 0, 0, 0);
    EXPECT_EQ(At(*canvas, 0, 0), image.At(0, 0));
}

TEST_F(DrawFixture, NothingBeforeInitialisingOrAfterFinalising) {
    TPictureCollection fresh;
    TPictureCollectionItem& loose = AddPicture(fresh, image, 32, 32);
    auto canvas = Canvas(40, 40);
    loose.Draw(canvas.get(), 0, 0, 0);
    EXPECT_EQ(At(*canvas, 0, 0), Fill);
    collection.Finalize();
    EXPECT_FALSE(item->Initialized());
    item->Draw(canvas.get(), 0, 0, 0);
    EXPECT_EQ(At(*canvas, 0, 0), Fill);
}

TEST_F(DrawFixture, ColourKeyPixelsAreLeftOutOnlyWhenTransparent) {
    TImage32 keyed = CodedImage(8, 8);
    keyed.At(3, 4) = 0x00FF00;
    TPictureCollectionItem& green = AddPicture(collection, keyed, 0, 0);
    green.TransparentColor = 0x00FF00;
    collection.Initialize(&display.draw);
    auto canvas = Canvas(8, 8);
    green.Draw(canvas.get(), 0, 0, 0);
    EXPECT_EQ(At(*canvas, 3, 4), Fill);
    EXPECT_EQ(At(*canvas, 2, 4), keyed.At(2, 4));
    green.DrawRotated(canvas.get(), 4, 4, 8, 8, 0, 0.5, 0.5, 0);
    EXPECT_EQ(At(*canvas, 3, 4), Fill);

    green.Transparent = false;
    green.Draw(canvas.get(), 0, 0, 0);
    EXPECT_EQ(At(*canvas, 3, 4), 0x00FF00u);
    canvas->Fill(Fill);
    green.DrawRotated(canvas.get(), 4, 4, 8, 8, 0, 0.5, 0.5, 0);
    EXPECT_EQ(At(*canvas, 3, 4), 0x00FF00u);
}

TEST_F(DrawFixture, StretchedDrawingScalesIntoTheRectangle) {
    auto canvas = Canvas(100, 100);
    item->DrawStretched(canvas.get(), {10, 20, 74, 84}, 0);
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x) ASSERT_EQ(At(*canvas, 10 + x, 20 + y), image.At(x / 2, y / 2));
    EXPECT_EQ(At(*canvas, 74, 20), Fill);
    canvas->Fill(Fill);
    item->DrawStretched(canvas.get(), {50, 50, 10, 90}, 0);  // inverted: nothing
    item->DrawStretched(canvas.get(), {-1000, -1000, 2000, 2000}, 0);
    EXPECT_EQ(At(*canvas, 0, 0), image.At(10, 10));  // column 1000 of 3000
}

TEST(Blending, TheThreeBlendFormulas) {
    HeadlessDisplay display;
    TPictureCollection collection;
    TImage32 grey(4, 4, 0x808080);
    TPictureCollectionItem& item = AddPicture(collection, grey, 0, 0);
    collection.Initialize(&display.draw);
    const platform::Rect r{0, 0, 4, 4};
    auto canvas = Canvas(4, 4, 0x10F030);

    item.DrawAdditive(canvas.get(), r, 0, 128);  // + 0x80 * 128 / 255 = + 64, saturating
    EXPECT_EQ(At(*canvas, 0, 0), 0x50FF70u);

    canvas->Fill(0x10F030);
    item.DrawAlphaBlended(canvas.get(), r, 0, 0);
    EXPECT_EQ(At(*canvas, 1, 1), 0x10F030u);
    item.DrawAlphaBlended(canvas.get(), r, 0, 255);
    EXPECT_EQ(At(*canvas, 1, 1), 0x808080u);
    canvas->Fill(0x000000);
    item.DrawAlphaBlended(canvas.get(), r, 0, 51);  // 0x80 * 51 / 255 = 25
    EXPECT_EQ(At(*canvas, 2, 2), 0x191919u);

    canvas->Fill(0xFFFFFF);
    item.DrawSubtractive(canvas.get(), r, 0, 255);  // 255 - 255 * 128 / 255
    EXPECT_EQ(At(*canvas, 3, 3), 0x7F7F7Fu);

    canvas->Fill(0x10F030);
    item.DrawRotatedAdditive(canvas.get(), 2, 2, 4, 4, 0, 0.5, 0.5, 0, 128);
    EXPECT_EQ(At(*canvas, 1, 1), 0x50FF70u);
}

TEST(Waves, RowsShiftByTheSineOfTheirPosition) {
    OnePicture picture(CodedImage(16, 4), 0, 0);
    TPictureCollectionItem& item = *picture.item;
    const TImage32& image = picture.image;
    auto plain = Canvas(40, 10), waved = Canvas(40, 10), flat = Canvas(40, 10);
    item.DrawStretched(plain.get(), {10, 2, 26, 6}, 0);
    item.DrawWaved(flat.get(), 10, 2, 16, 4, 0, 3, 0, 0);  // no wave length: rows stay
    EXPECT_TRUE(std::equal(flat->Pixels(), flat->Pixels() + 400, plain->Pixels()));

    // A length of 4 rows: shifts of 0, 3, 0, -3 pixels.
    item.DrawWaved(waved.get(), 10, 2, 16, 4, 0, 3, 4, 0);
    const int shifts[4] = {0, 3, 0, -3};
    for (int row = 0; row < 4; ++row)
        for (int x = 0; x < 16; ++x)
            ASSERT_EQ(At(*waved, 10 + shifts[row] + x, 2 + row), image.At(x, row)) << row << "," << x;
}

}  // namespace
}  // namespace skyrend::test
