// tests/platform/TextRasteriserTest.cpp — text drawn onto 32-bit surfaces.

#include <gtest/gtest.h>

#include "platform/headless/HeadlessPlatform.h"
#include "platform/common/TextRasteriser.h"

namespace skyrend::platform {
namespace {

struct Canvas {
    int width, height;
    std::vector<uint32_t> pixels;
    Canvas(int w, int h, uint32_t fill = 0) : width(w), height(h), pixels(static_cast<size_t>(w) * h, fill) {}
    PixelView View() { return {pixels.data(), width, height, width}; }
    uint32_t At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};

// The bounding box of the pixels that differ from `background`.
struct Ink {
    int left = 1 << 30, top = 1 << 30, right = -1, bottom = -1;
    int count = 0;
    int white = 0;
};

Ink FindInk(const Canvas& c, uint32_t background) {
    Ink ink;
    for (int y = 0; y < c.height; ++y)
        for (int x = 0; x < c.width; ++x) {
            const uint32_t p = c.At(x, y);
            if (p == background) continue;
            ++ink.count;
            if (p == 0xFFFFFF) ++ink.white;
            ink.left = std::min(ink.left, x);
            ink.right = std::max(ink.right, x);
            ink.top = std::min(ink.top, y);
            ink.bottom = std::max(ink.bottom, y);
        }
    return ink;
}

TEST(TextRasteriser, FindsTheStandInFace) {
    TextRasteriser text;
    EXPECT_NE(text.FontFile().find("DejaVuSans"), std::string::npos) << text.FontFile();
}

// The status line as the game writes it: white, 12 points, no background.
TEST(TextRasteriser, StatusLineInkLiesInItsBox) {
    TextRasteriser text;
    Canvas c(400, 60);
    int w = 0, h = 0;
    text.Draw(c.View(), 10, 5, "FPS: 0, Explosions0", {.color = 0xFFFFFF, .pointSize = 12}, w, h);
    // 12 points at 96 dpi is a 16-pixel em: a line of about 19 pixels, and
    // the nineteen characters span well over a hundred pixels.
    EXPECT_GE(h, 17);
    EXPECT_LE(h, 22);
    EXPECT_GT(w, 120);
    EXPECT_LT(w, 200);
    const Ink ink = FindInk(c, 0);
    ASSERT_GT(ink.count, 200);
    EXPECT_GT(ink.white, 50);  // solid stems are pure white
    EXPECT_GE(ink.left, 10);
    EXPECT_LE(ink.left, 13);  // "F" starts at the left edge
    EXPECT_LT(ink.right, 10 + w);
    EXPECT_GT(ink.right, 10 + w - 5);
    EXPECT_GE(ink.top, 5);
    EXPECT_LT(ink.bottom, 5 + h);
    // Anti-aliased edges stay grey on black: white blended over black.
    for (uint32_t p : c.pixels) {
        const uint32_t r = p >> 16, g = (p >> 8) & 0xFF, b = p & 0xFF;
        EXPECT_TRUE(r == g && g == b) << std::hex << p;
        EXPECT_EQ(p >> 24, 0u);
    }
}

TEST(TextRasteriser, LargerSizesDrawLarger) {
    TextRasteriser text;
    Canvas c(600, 100);
    int w8 = 0, h8 = 0, w24 = 0, h24 = 0;
    text.Draw(c.View(), 0, 0, "Explosions", {.color = 0xFFFFFF, .pointSize = 8}, w8, h8);
    text.Draw(c.View(), 0, 0, "Explosions", {.color = 0xFFFFFF, .pointSize = 24}, w24, h24);
    EXPECT_NEAR(static_cast<double>(w24) / w8, 3.0, 0.4);
    EXPECT_NEAR(static_cast<double>(h24) / h8, 3.0, 0.4);
}

TEST(TextRasteriser, ColourBlendsOverWhatIsThere) {
    TextRasteriser text;
    Canvas c(200, 40, 0x0000FF);
    int w = 0, h = 0;
    text.Draw(c.View(), 0, 0, "Energy", {.color = 0xFF0000, .pointSize = 12}, w, h);
    bool solidRed = false;
    for (uint32_t p : c.pixels) {
        // Between pure red and the blue underneath, nothing green.
        EXPECT_EQ((p >> 8) & 0xFF, 0u);
        EXPECT_EQ(((p >> 16) & 0xFF) + (p & 0xFF), 255u) << std::hex << p;
        solidRed |= p == 0xFF0000;
    }
    EXPECT_TRUE(solidRed);
}

TEST(TextRasteriser, OpaqueBackgroundFillsTheBox) {
    TextRasteriser text;
    Canvas c(200, 40, 0x123456);
    int w = 0, h = 0;
    text.Draw(c.View(), 4, 3, "Menu", {.color = 0xFFFFFF, .pointSize = 12, .opaque = true, .background = 0x000080},
              w, h);
    ASSERT_GT(w, 0);
    EXPECT_EQ(c.At(4, 3), 0x000080u);
    EXPECT_EQ(c.At(4 + w - 1, 3 + h - 1), 0x000080u);
    EXPECT_EQ(c.At(3, 3), 0x123456u);
    EXPECT_EQ(c.At(4 + w, 3), 0x123456u);
    EXPECT_EQ(c.At(4, 3 + h), 0x123456u);
}

TEST(TextRasteriser, ClipsToTheTarget) {
    TextRasteriser text;
    Canvas c(30, 10);
    int w = 0, h = 0;
    // Partly above and left of the target, and mostly past its right edge.
    text.Draw(c.View(), -6, -4, "WWWWWWWW", {.color = 0xFFFFFF, .pointSize = 12, .opaque = true, .background = 0x010101},
              w, h);
    EXPECT_GT(w, 30);
    EXPECT_GT(FindInk(c, 0).count, 0);
    Canvas far(30, 10);
    text.Draw(far.View(), 40, 40, "W", {.color = 0xFFFFFF, .pointSize = 12, .opaque = true}, w, h);
    EXPECT_EQ(FindInk(far, 0).count, 0);
    EXPECT_GT(w, 0);  // the size is still that of the whole text
}

TEST(TextRasteriser, EmptyTextHasLineHeightOnly) {
    TextRasteriser text;
    Canvas c(30, 30);
    int w = -1, h = -1;
    text.Draw(c.View(), 0, 0, "", {.color = 0xFFFFFF, .pointSize = 12, .opaque = true, .background = 0xFFFFFF}, w, h);
    EXPECT_EQ(w, 0);
    EXPECT_GT(h, 0);
    EXPECT_EQ(FindInk(c, 0).count, 0);
}

TEST(TextRasteriser, HeadlessDrawsTheSamePixels) {
    TextRasteriser text;
    HeadlessPlatform p;
    Canvas a(300, 40), b(300, 40);
    int wa = 0, ha = 0, wb = 0, hb = 0;
    const TextStyle style{.color = 0xFFFFFF, .pointSize = 12};
    text.Draw(a.View(), 0, 0, "FPS: 0, Explosions0", style, wa, ha);
    p.DrawText(b.View(), 0, 0, "FPS: 0, Explosions0", style, wb, hb);
    EXPECT_EQ(wa, wb);
    EXPECT_EQ(ha, hb);
    EXPECT_EQ(a.pixels, b.pixels);
}

}  // namespace
}  // namespace skyrend::platform
