// tests/assets/MenuPicturesTest.cpp — the menu file: buttons where the
// clicks land, highlights that touch only their button, pages that cover
// the page area and option rows lit in place.

#include "tests/assets/AssetsFixture.h"

namespace skyrend::assets_test {
namespace {

constexpr int32_t PageLeft = 301;
constexpr int32_t ButtonTop(int32_t k) { return 20 + 100 * (k - 1); }

// Pixels where two pictures of the same size differ, and how many of them
// lie outside a rectangle.
struct Difference {
    int64_t Total = 0;
    int64_t Outside = 0;
};
Difference Compare(const TImage32& a, const TImage32& b, int32_t left, int32_t top, int32_t right,
                   int32_t bottom) {
    Difference d;
    for (int32_t y = 0; y < a.Height; ++y)
        for (int32_t x = 0; x < a.Width; ++x)
            if (a.At(x, y) != b.At(x, y)) {
                ++d.Total;
                d.Outside += x < left || x >= right || y < top || y >= bottom;
            }
    return d;
}

class MenuPictures : public ::testing::Test {
protected:
    static void SetUpTestSuite() { menu = LoadPictures("startmenue.dxg").release(); }
    static void TearDownTestSuite() {
        delete menu;
        menu = nullptr;
    }
    const TImage32& Item(int32_t i) { return Pixels(*menu, i); }
    static TPictureCollection* menu;
};
TPictureCollection* MenuPictures::menu = nullptr;

TEST_F(MenuPictures, SizesFitTheMenuAreaAndThePageArea) {
    ASSERT_EQ(menu->Count(), 19);
    for (int32_t i = 0; i <= 6; ++i) {
        EXPECT_EQ(Item(i).Width, 800) << i;
        EXPECT_EQ(Item(i).Height, 600) << i;
    }
    for (int32_t i = 7; i <= 18; ++i) {
        EXPECT_LE(Item(i).Width, 800 - PageLeft) << i;
        EXPECT_LE(Item(i).Height, 600) << i;
    }
}

TEST_F(MenuPictures, ButtonsAreSolidWhereTheyAreClicked) {
    for (int32_t k = 1; k <= 6; ++k)
        EXPECT_EQ(KeyPixelsIn(Item(0), 56, ButtonTop(k) + 2, 259, ButtonTop(k) + 54), 0) << k;
}

TEST_F(MenuPictures, EachHighlightLightsOnlyItsOwnButton) {
    for (int32_t k = 1; k <= 6; ++k) {
        SCOPED_TRACE(k);
        const TImage32& lit = Item(k);
        const int32_t margin = 10;
        EXPECT_EQ(ArtPixelsOutside(lit, 54 - margin, ButtonTop(k) - margin, 260 + margin,
                                   ButtonTop(k) + 55 + margin),
                  0);
        EXPECT_EQ(KeyPixelsIn(lit, 56, ButtonTop(k) + 2, 259, ButtonTop(k) + 54), 0);
        // Laid over item 0, it changes the button itself.
        int64_t changed = 0;
        for (int32_t y = ButtonTop(k) + 2; y < ButtonTop(k) + 54; ++y)
            for (int32_t x = 56; x < 259; ++x) changed += lit.At(x, y) != Item(0).At(x, y);
        EXPECT_GT(changed, 3000);
    }
}

TEST_F(MenuPictures, PagesAreSolidPanelsThatCoverTheTitle) {
    for (int32_t i = 7; i <= 18; ++i) {
        SCOPED_TRACE(i);
        const TImage32& page = Item(i);
        EXPECT_EQ(KeyPixelsIn(page, 18, 22, page.Width - 18, 578), 0);
        // Nothing of the title panel in item 0 peeks out beside a page.
        int64_t showing = 0;
        for (int32_t y = 0; y < 600; ++y)
            for (int32_t x = PageLeft; x < 800; ++x) {
                bool covered = x - PageLeft < page.Width && y < page.Height && page.At(x - PageLeft, y) != Key;
                showing += Item(0).At(x, y) != Key && !covered;
            }
        EXPECT_EQ(showing, 0);
    }
    for (int32_t a = 7; a <= 12; ++a)
        for (int32_t b = a + 1; b <= 12; ++b) EXPECT_NE(Item(a), Item(b)) << a << " " << b;
}

// Rows in page coordinates: x (84, 414); y bands as the clicks test them.
TEST_F(MenuPictures, OptionRowsLightInsideTheirClickBands) {
    const int32_t tops[6] = {190, 250, 310, 370, 430, 485}, bottoms[6] = {210, 270, 330, 390, 450, 530};
    for (int32_t k = 1; k <= 6; ++k) {
        SCOPED_TRACE(k);
        const int32_t margin = 12;
        Difference d = Compare(Item(11), Item(12 + k), 84 - margin, tops[k - 1] - margin, 414 + margin,
                               bottoms[k - 1] + margin);
        EXPECT_GT(d.Total, 2000);
        EXPECT_EQ(d.Outside, 0);
    }
}

}  // namespace
}  // namespace skyrend::assets_test
