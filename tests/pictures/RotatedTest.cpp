// tests/pictures/RotatedTest.cpp — the rotating rasteriser: its exact pixel
// positions, angle rounding and wrapping, scaling, and clipping.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "media/SpriteDraw.h"
#include "tests/pictures/PictureTestKit.h"

namespace skyrend::test {
namespace {

constexpr uint32_t Fill = 0x123456;

// The rasteriser as a plain per-pixel walk over the box, testing every
// pixel's source position: what the run solving must reproduce.
void ReferenceRotated(TDirectDrawSurface& dest, int x, int y, int width, int height, const TSpriteSource& s,
                      double cx, double cy, int a) {
    const auto& src = *s.Surface;
    const int64_t L = s.Rect.left, T = s.Rect.top, sw = s.Rect.Width(), sh = s.Rect.Height();
    int64_t minX = INT64_MAX, maxX = INT64_MIN, minY = INT64_MAX, maxY = INT64_MIN;
    for (int corner = 0; corner < 4; ++corner) {
        const double lx = (corner & 1) ? width : 0, ly = (corner & 2) ? height : 0;
        const double ox = std::trunc(lx - width * cx), oy = std::trunc(ly - height * cy);
        const int64_t px = static_cast<int64_t>(std::trunc(ox * Cos256(a) - oy * Sin256(a))) + x;
        const int64_t py = static_cast<int64_t>(std::trunc(ox * Sin256(a) + oy * Cos256(a))) + y;
        minX = std::min(minX, px), maxX = std::max(maxX, px), minY = std::min(minY, py), maxY = std::max(maxY, py);
    }
    minX = std::max<int64_t>(minX, 0), minY = std::max<int64_t>(minY, 0);
    maxX = std::min<int64_t>(maxX, dest.Width()), maxY = std::min<int64_t>(maxY, dest.Height());
    const int64_t u = static_cast<int64_t>(Cos256(-a) * 65536), v = static_cast<int64_t>(Sin256(-a) * 65536);
    const int64_t sxx = sw * u / width, syx = sh * v / height, sxy = sw * v / width, syy = sh * u / height;
    for (int64_t py = minY; py < maxY; ++py) {
        for (int64_t px = minX; px < maxX; ++px) {
            const int64_t sx = static_cast<int64_t>(cx * sw * 65536) + (px - x) * sxx + (y - py) * sxy + L * 65536;
            const int64_t sy = static_cast<int64_t>(cy * sh * 65536) + (px - x) * syx - (y - py) * syy + T * 65536;
            const int64_t ix = sx >> 16, iy = sy >> 16;
            if (ix < L || ix >= L + sw || iy < T || iy >= T + sh) continue;
            const uint32_t p = src.Row(static_cast<int>(iy))[ix];
            if (!s.Transparent || p != src.ColorKey()) dest.Row(static_cast<int>(py))[px] = p;
        }
    }
}

struct RotatedFixture : PictureFixture {
    RotatedFixture() : PictureFixture(CodedImage(10, 10), 0, 0) {}
    std::vector<uint32_t> Drawn(float angle, int width = 10, int height = 10, int x = 100, int y = 100) {
        auto canvas = Canvas(200, 200, Fill);
        item->DrawRotated(canvas.get(), x, y, width, height, 0, 0.5, 0.5, angle);
        return {canvas->Pixels(), canvas->Pixels() + 200 * 200};
    }
    static uint32_t Pixel(const std::vector<uint32_t>& p, int x, int y) { return p[y * 200 + x]; }
};

TEST_F(RotatedFixture, AngleZeroIsThePatternCentredOnThePivot) {
    const auto p = Drawn(0);
    for (int y = 90; y < 110; ++y)
        for (int x = 90; x < 110; ++x) {
            const bool inside = x >= 95 && x < 105 && y >= 95 && y < 105;
            ASSERT_EQ(Pixel(p, x, y), inside ? image.At(x - 95, y - 95) : Fill) << x << "," << y;
        }
}

TEST_F(RotatedFixture, QuarterTurnPutsTheTopRowAtTheRightButTheBoxCutsItOff) {
    const auto p = Drawn(64);
    // Source column = py - 95, source row = 105 - px; the box ends at 105,
    // so the source's top row (px = 105) is not drawn.
    for (int y = 90; y < 110; ++y)
        for (int x = 90; x < 110; ++x) {
            const bool inside = x >= 96 && x < 105 && y >= 95 && y < 105;
            ASSERT_EQ(Pixel(p, x, y), inside ? image.At(y - 95, 105 - x) : Fill) << x << "," << y;
        }
    // Rightmost drawn column: the pattern's second row, left end at the top.
    EXPECT_EQ(Pixel(p, 104, 95), image.At(0, 1));
    EXPECT_EQ(Pixel(p, 104, 104), image.At(9, 1));
}

TEST_F(RotatedFixture, AnglesWrapAndRoundToNearestEven) {
    EXPECT_EQ(Drawn(256), Drawn(0));
    EXPECT_EQ(Drawn(-64), Drawn(192));
    EXPECT_EQ(Drawn(64 + 256 * 1000), Drawn(64));
    // Scaled up so that neighbouring angles differ.
    auto big = [&](float angle) { return Drawn(angle, 150, 150); };
    ASSERT_NE(big(1), big(2));
    ASSERT_NE(big(0), big(1));
    EXPECT_EQ(big(1.4f), big(1));
    EXPECT_EQ(big(1.5f), big(2));
    EXPECT_EQ(big(2.5f), big(2));
    EXPECT_EQ(big(0.5f), big(0));
    EXPECT_EQ(big(-0.5f), big(0));
    EXPECT_EQ(big(-1.5f), big(254));
    int32_t rounded = 0;
    EXPECT_FALSE(RoundAngle(std::nanf(""), rounded));
    EXPECT_EQ(Drawn(INFINITY), Drawn(0, 0, 0));  // nothing drawn
}

TEST_F(RotatedFixture, TwiceTheSizeDoublesEveryPixel) {
    const auto p = Drawn(0, 20, 20);
    for (int y = 85; y < 115; ++y)
        for (int x = 85; x < 115; ++x) {
            const bool inside = x >= 90 && x < 110 && y >= 90 && y < 110;
            ASSERT_EQ(Pixel(p, x, y), inside ? image.At((x - 90) / 2, (y - 90) / 2) : Fill) << x << "," << y;
        }
}

TEST_F(RotatedFixture, NothingForZeroSizes) {
    const auto none = Drawn(0, 0, 0);
    EXPECT_EQ(Drawn(0, 0, 10), none);
    EXPECT_EQ(Drawn(0, 10, 0), none);
    EXPECT_EQ(Pixel(none, 100, 100), Fill);
}

// A pattern of a tile with a key colour inside, so that runs start and end
// mid-pattern and keyed pixels are skipped.
struct RotatedRuns : RotatedFixture {
    TSpriteSource source;
    void SetUp() override {
        TImage32 sheet = CodedImage(60, 20);
        for (int x = 0; x < 60; x += 7) sheet.At(x, x % 20) = 0;
        TPictureCollectionItem& strip = AddPicture(collection, sheet, 20, 20);
        collection.Initialize(&display.draw);
        TPictureCollectionItemPattern pattern;
        ASSERT_TRUE(strip.Pattern(1, pattern));
        source = {pattern.Surface, pattern.Rect, true};
    }
    struct Case {
        int x, y, w, h;
        double cx, cy;
    };
    // Draws every case at angles all round, by runs and by the walk, and
    // returns how many of the walk's drawings put pixels down.
    int ExpectRunsMatchWalk(const std::vector<Case>& cases) {
        int drawn = 0;
        for (const Case& c : cases) {
            for (int a = -3; a < 260; a += 5) {
                TDirectDrawSurface fast(120, 120, true), slow(120, 120, true);
                fast.Fill(Fill);
                slow.Fill(Fill);
                DrawSpriteRotated(fast, c.x, c.y, c.w, c.h, source, c.cx, c.cy, a);
                ReferenceRotated(slow, c.x, c.y, c.w, c.h, source, c.cx, c.cy, a);
                EXPECT_TRUE(std::equal(fast.Pixels(), fast.Pixels() + 120 * 120, slow.Pixels()))
                    << "at " << c.x << "," << c.y << " size " << c.w << "x" << c.h << " angle " << a;
                drawn += std::any_of(slow.Pixels(), slow.Pixels() + 120 * 120, [](uint32_t p) { return p != Fill; });
            }
        }
        return drawn;
    }
};

TEST_F(RotatedRuns, MatchAPerPixelWalkAtAnyAngleSizeAndPlace) {
    ExpectRunsMatchWalk({
        {60, 60, 20, 20, 0.5, 0.5}, {3, 60, 47, 31, 0.5, 0.5},   {60, 118, 13, 40, 0.2, 0.9},
        {0, 0, 50, 50, 0.5, 0.5},   {119, 119, 9, 9, 0.5, 0.5},  {60, 60, -20, 25, 0.5, 0.5},
        {60, 60, 33, -17, 0.3, 0.6}, {-15, 40, 60, 60, 1.5, -0.5}, {60, 60, 200, 3, 0.5, 0.5},
    });
}

// Sprites pushed off either side until the box keeps one column of the
// surface: that column is drawn, not dropped.
TEST_F(RotatedRuns, BoxesClippedToOneColumnDrawThatColumn) {
    const int drawn = ExpectRunsMatchWalk({
        {-9, 60, 20, 20, 0.5, 0.5}, {129, 60, 20, 20, 0.5, 0.5}, {-19, 30, 40, 10, 0.5, 0.5},
        {139, 90, 40, 10, 0.5, 0.5}, {-1, 60, 2, 30, 0.5, 0.5},  {120, 60, 2, 30, 0.5, 0.5},
    });
    EXPECT_GT(drawn, 0);
}

TEST_F(RotatedFixture, FarAwayPivotsAndHugeSizesDrawSafely) {
    auto canvas = Canvas(64, 64);
    item->DrawRotated(canvas.get(), INT32_MAX, INT32_MIN, INT32_MAX, INT32_MAX, 0, 1e300, -1e300, 17);
    item->DrawRotated(canvas.get(), 32, 32, INT32_MAX, INT32_MIN, 0, 0.5, 0.5, 100);
    item->DrawRotated(canvas.get(), 32, 32, 1, 1, 0, 0.5, 0.5, 33);
    item->DrawRotated(canvas.get(), 0, 0, 64, 64, 0, NAN, 0.5, 0);
    // Whatever was drawn came from the picture.
    for (int i = 0; i < 64 * 64; ++i) {
        const uint32_t p = canvas->Pixels()[i];
        ASSERT_TRUE(p == Fill || std::find(image.Pixels.begin(), image.Pixels.end(), p) != image.Pixels.end());
    }
}

}  // namespace
}  // namespace skyrend::test
