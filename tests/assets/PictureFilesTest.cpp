// tests/assets/PictureFilesTest.cpp — the eleven picture files: item counts,
// sizes and item settings, and that each picture sits where the game draws
// it.

#include <algorithm>
#include <cmath>
#include <set>
#include <string>
#include <vector>

#include "tests/assets/AssetsFixture.h"

namespace skyrend::assets_test {
namespace {

struct Expected {
    const char* File;
    int32_t Count;
    int32_t Width, Height;  // of every item, except the menu's pages
};

const Expected Files[] = {
    {"star1.dxg", 22, 30, 30},          {"ship2.dxg", 41, 68, 50},
    {"plasma1.dxg", 9, 50, 50},         {"enemy_plasma1.dxg", 9, 50, 50},
    {"radar.dxg", 38, 0, 0},            {"rauch.dxg", 7, 10, 10},
    {"bonus.dxg", 39, 50, 50},          {"enemy1.dxg", 82, 50, 50},
    {"explosion.dxg", 88, 100, 100},    {"energy_balken_new.dxg", 101, 220, 28},
    {"startmenue.dxg", 19, 0, 0},
};

TEST(PictureFiles, EveryFileHoldsItsItemsAsOneKeyedPatternEach) {
    std::set<std::string> names;
    for (const Expected& e : Files) {
        SCOPED_TRACE(e.File);
        auto list = LoadPictures(e.File);
        ASSERT_EQ(list->Count(), e.Count);
        for (int32_t i = 0; i < list->Count(); ++i) {
            const TPictureCollectionItem& item = list->GetItem(i);
            ASSERT_EQ(item.Picture.Graphic() ? item.Picture.Graphic()->ClassName() : "", "TDIB") << i;
            EXPECT_TRUE(item.Transparent);
            EXPECT_EQ(item.TransparentColor, 0u);
            EXPECT_EQ(item.LayoutPatternCount(), 1) << i;
            if (e.Width > 0) {
                EXPECT_EQ(item.Picture.Width(), e.Width) << i;
                EXPECT_EQ(item.Picture.Height(), e.Height) << i;
            }
            // Items with equal names would share one texture on a 3-D device.
            EXPECT_TRUE(names.insert(item.Name).second) << item.Name;
            EXPECT_FALSE(ArtBox(Pixels(*list, i)).Empty()) << i;
        }
    }
}

// A star is drawn with its picture's column 15 on the star's point.
TEST(PictureFiles, StarsAreCentredOnColumnFifteenAndFarStarsAreSmaller) {
    auto list = LoadPictures("star1.dxg");
    int32_t nearWidest = 0, farWidest = 0;
    for (int32_t i = 0; i < 22; ++i) {
        Box box = ArtBox(Pixels(*list, i));
        EXPECT_NEAR(box.CentreX(), 15.5, 1.0) << i;
        EXPECT_NE(Pixels(*list, i).At(15, 15), Key) << i;
        (i <= 12 ? nearWidest : farWidest) = std::max(i <= 12 ? nearWidest : farWidest, box.Width());
    }
    EXPECT_LT(farWidest, nearWidest);
}

// The ship is drawn at the screen centre - (34, 25): its hull must cover
// that point in every pose, and rolling must narrow the wings.
TEST(PictureFiles, ShipPosesBankAroundTheCentre) {
    auto list = LoadPictures("ship2.dxg");
    Box level = ArtBox(Pixels(*list, 20));
    EXPECT_NEAR(level.CentreX(), 34, 1.5);
    EXPECT_NEAR(level.CentreY(), 25, 3);
    for (int32_t i = 0; i < 41; ++i) EXPECT_NE(Pixels(*list, i).At(34, 25), Key) << i;
    EXPECT_LT(ArtBox(Pixels(*list, 0)).Width(), level.Width() - 10);
    EXPECT_LT(ArtBox(Pixels(*list, 40)).Width(), level.Width() - 10);
    // Banking one way mirrors banking the other way, not repeats it.
    EXPECT_NE(Pixels(*list, 0), Pixels(*list, 40));
    // Each step of the turn rate shows a different picture.
    for (int32_t i = 1; i < 41; ++i) EXPECT_NE(Pixels(*list, i - 1), Pixels(*list, i)) << i;
}

// Enemies are drawn rotated about their picture's centre.
TEST(PictureFiles, EnemiesHaveTwoLooksOfFortyOnePosesAboutTheCentre) {
    auto list = LoadPictures("enemy1.dxg");
    for (int32_t straight : {20, 61}) {
        Box box = ArtBox(Pixels(*list, straight));
        EXPECT_NEAR(box.CentreX(), 25, 1.5) << straight;
        EXPECT_NEAR(box.CentreY(), 25, 3) << straight;
    }
    for (int32_t i = 0; i < 82; ++i) EXPECT_NE(Pixels(*list, i).At(25, 25), Key) << i;
    EXPECT_NE(Pixels(*list, 20), Pixels(*list, 61));
    EXPECT_LT(ArtBox(Pixels(*list, 0)).Width(), ArtBox(Pixels(*list, 20)).Width());
    EXPECT_LT(ArtBox(Pixels(*list, 81)).Width(), ArtBox(Pixels(*list, 61)).Width());
}

// Bolts point up (the head above the middle), are drawn rotated about the
// centre and flicker from frame to frame.
TEST(PictureFiles, PlasmaBoltsPointUpAndDifferInColour) {
    auto player = LoadPictures("plasma1.dxg");
    auto enemy = LoadPictures("enemy_plasma1.dxg");
    for (int32_t i = 0; i < 9; ++i) {
        for (const auto* list : {player.get(), enemy.get()}) {
            Box box = ArtBox(Pixels(*list, i));
            EXPECT_NEAR(box.CentreX(), 25, 2) << i;
            EXPECT_LT(box.Top, 20) << i;
            EXPECT_GT(box.Bottom - box.Top, 3 * box.Width() / 2) << i;
        }
        if (i > 0) {
            EXPECT_NE(Pixels(*player, i), Pixels(*player, i - 1)) << i;
        }
    }
    // The player's bolt is blue at its heart, the enemy's red.
    uint32_t p = Pixels(*player, 0).At(25, 24), e = Pixels(*enemy, 0).At(25, 24);
    EXPECT_GT(p & 0xFF, (p >> 16) & 0xFF);
    EXPECT_GT((e >> 16) & 0xFF, e & 0xFF);
}

TEST(PictureFiles, SmokeGrowsAndFades) {
    auto list = LoadPictures("rauch.dxg");
    auto brightness = [](uint32_t c) { return ((c >> 16) & 255) + ((c >> 8) & 255) + (c & 255); };
    EXPECT_LT(ArtBox(Pixels(*list, 0)).Width(), ArtBox(Pixels(*list, 6)).Width());
    EXPECT_GT(brightness(Pixels(*list, 0).At(5, 5)), brightness(Pixels(*list, 6).At(5, 5)));
}

TEST(PictureFiles, BonusCrystalTurnsAboutTheCentre) {
    auto list = LoadPictures("bonus.dxg");
    for (int32_t i = 0; i < 39; ++i) {
        EXPECT_NE(Pixels(*list, i).At(25, 25), Key) << i;
        if (i > 0) {
            EXPECT_NE(Pixels(*list, i), Pixels(*list, i - 1)) << i;
        }
    }
}

// Kind k shows items 29 (k - 1) + 2 .. 29 k; each run starts with a bright
// centre and grows before it dies away.
TEST(PictureFiles, ExplosionsAreThreeDifferentRunsOfTwentyEightFrames) {
    auto list = LoadPictures("explosion.dxg");
    for (int32_t kind = 1; kind <= 3; ++kind) {
        SCOPED_TRACE(kind);
        int32_t first = 29 * (kind - 1) + 2, last = 29 * kind;
        uint32_t centre = Pixels(*list, first).At(50, 50);
        EXPECT_GT(((centre >> 16) & 255) + ((centre >> 8) & 255), 300u);
        EXPECT_LT(ArtBox(Pixels(*list, first)).Width(), ArtBox(Pixels(*list, first + 10)).Width());
        for (int32_t i = first + 1; i <= last; ++i) EXPECT_NE(Pixels(*list, i), Pixels(*list, i - 1)) << i;
    }
    EXPECT_NE(Pixels(*list, 2), Pixels(*list, 31));
    EXPECT_NE(Pixels(*list, 31), Pixels(*list, 60));
    // The slots no kind shows hold harmless first frames.
    EXPECT_EQ(Pixels(*list, 0), Pixels(*list, 2));
    EXPECT_EQ(Pixels(*list, 30), Pixels(*list, 31));
    EXPECT_EQ(Pixels(*list, 59), Pixels(*list, 60));
}

// Item n is filled to n per cent: along the middle of the track, beside
// the figures, the lit pixels never shrink as n grows.
TEST(PictureFiles, EnergyBarFillsWithItsItemNumber) {
    auto list = LoadPictures("energy_balken_new.dxg");
    auto lit = [&](int32_t n) {
        const TImage32& image = Pixels(*list, n);
        int32_t count = 0;
        for (int32_t x = 30; x < 212; ++x) {
            if (x >= 95 && x < 150) continue;  // the figures
            uint32_t c = image.At(x, 14);
            count += std::max({(c >> 16) & 255, (c >> 8) & 255, c & 255}) > 140;
        }
        return count;
    };
    int32_t previous = lit(0);
    EXPECT_LT(previous, 3);
    for (int32_t n = 1; n <= 100; ++n) {
        int32_t now = lit(n);
        EXPECT_GE(now, previous) << n;
        previous = now;
    }
    EXPECT_GT(previous, 110);
    EXPECT_GT(lit(50), 55);
    EXPECT_LT(lit(50), 70);
    // The frame is solid: no holes inside its border.
    for (int32_t n : {0, 37, 100}) EXPECT_EQ(KeyPixelsIn(Pixels(*list, n), 6, 4, 214, 24), 0) << n;
}

// On the 1024 x 768 screen the frame lies at (665, 17), the ship's own blip
// at (790, 122) and the sweep at (784, 115); the reach runs about 122 pixels
// across and 93 down from the ship's blip.
TEST(PictureFiles, RadarFrameLeavesTheReachClearForBlipsAndSweep) {
    auto list = LoadPictures("radar.dxg");
    const TImage32& frame = Pixels(*list, 0);
    const int32_t cx = 125, cy = 105;  // the ship's blip in frame coordinates
    EXPECT_GE(frame.Width, 254);
    EXPECT_GE(frame.Height, 203);
    // Every blip position well inside the reach is clear of the frame.
    for (int32_t a = 0; a < 360; a += 10) {
        for (double r : {0.0, 0.3, 0.6, 0.9}) {
            int32_t x = cx + static_cast<int32_t>(std::lround(std::cos(a * M_PI / 180) * 115 * r));
            int32_t y = cy + static_cast<int32_t>(std::lround(std::sin(a * M_PI / 180) * 87 * r));
            EXPECT_EQ(KeyPixelsIn(frame, x, y, x + 5, y + 5), 25) << a << " " << r;
        }
    }
    // The ring shows just outside the reach, on all four sides.
    EXPECT_LT(KeyPixelsIn(frame, 0, cy, 4, cy + 5), 20);
    EXPECT_LT(KeyPixelsIn(frame, cx, 0, cx + 5, 12), 60);
    EXPECT_LT(KeyPixelsIn(frame, 250, cy, frame.Width, cy + 5), 5 * (frame.Width - 250));
    EXPECT_LT(KeyPixelsIn(frame, cx, 203, cx + 5, frame.Height), 5 * (frame.Height - 203));

    for (int32_t b : {1, 7, 25, 32}) {
        for (int32_t phase = 0; phase < 6; ++phase) {
            const TImage32& blip = Pixels(*list, b + phase);
            EXPECT_LE(blip.Width, 6) << b + phase;
            EXPECT_LE(blip.Height, 6) << b + phase;
            EXPECT_NE(blip.At(2, 2), Key) << b + phase;
        }
        EXPECT_NE(Pixels(*list, b), Pixels(*list, b + 3)) << "blink " << b;
    }
    // The sweep's marker lands on the ship's own blip: its corner is drawn at
    // (119, 98), the blip covers (125..129, 105..109).
    for (int32_t f = 15; f <= 24; ++f) {
        const TImage32& sweep = Pixels(*list, f);
        EXPECT_NE(sweep.At(127 - 119, 107 - 98), Key) << f;
        if (f > 15) {
            EXPECT_NE(sweep, Pixels(*list, f - 1)) << f;
        }
    }
}

}  // namespace
}  // namespace skyrend::assets_test

namespace skyrend::assets_test {
namespace {

int64_t Distance(const TImage32& a, const TImage32& b) {
    int64_t sum = 0;
    for (size_t i = 0; i < a.Pixels.size(); ++i)
        for (int shift : {0, 8, 16})
            sum += std::abs(static_cast<int>((a.Pixels[i] >> shift) & 255) - static_cast<int>((b.Pixels[i] >> shift) & 255));
    return sum;
}

// Cycling animations wrap from their last picture to their first without a
// jump bigger than their ordinary steps.
TEST(PictureFiles, CyclingAnimationsWrapSmoothly) {
    struct Cycle {
        const char* File;
        int32_t First, Last;
    } cycles[] = {{"star1.dxg", 0, 12}, {"star1.dxg", 13, 21}, {"bonus.dxg", 0, 38}, {"radar.dxg", 15, 24}};
    for (const Cycle& c : cycles) {
        SCOPED_TRACE(std::string(c.File) + " " + std::to_string(c.First));
        auto list = LoadPictures(c.File);
        int64_t largestStep = 0;
        for (int32_t i = c.First + 1; i <= c.Last; ++i)
            largestStep = std::max(largestStep, Distance(Pixels(*list, i - 1), Pixels(*list, i)));
        EXPECT_GT(largestStep, 0);
        EXPECT_LE(Distance(Pixels(*list, c.Last), Pixels(*list, c.First)), largestStep * 3 / 2);
    }
}

}  // namespace
}  // namespace skyrend::assets_test
