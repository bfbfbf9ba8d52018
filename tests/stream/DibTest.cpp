// tests/stream/DibTest.cpp — device-independent bitmaps built by hand:
// every bit depth and layout against known pixels, RLE runs, hostile headers.

#include <climits>

#include "media/DIB.h"
#include "media/Errors.h"
#include "tests/stream/StreamTestSupport.h"

namespace skyrend::test {
namespace {

struct DibSpec {
    int32_t width = 1;
    int32_t height = 1;
    uint16_t bits = 24;
    uint32_t compression = 0;
    uint32_t imageSize = 0;
    uint32_t colorsUsed = 0;
    std::vector<uint32_t> masks{};
    std::vector<uint32_t> palette{};  // 0x00RRGGBB
    std::vector<uint8_t> pixels{};
};

std::vector<uint8_t> InfoDib(const DibSpec& s) {
    Bytes b;
    b.u32(40).u32(static_cast<uint32_t>(s.width)).u32(static_cast<uint32_t>(s.height)).u16(1).u16(s.bits)
        .u32(s.compression).u32(s.imageSize).u32(0).u32(0).u32(s.colorsUsed).u32(0);
    for (uint32_t m : s.masks) b.u32(m);
    for (uint32_t c : s.palette) b.u32(c);
    return b.raw(s.pixels).b;
}

TImage32 Decode(const std::vector<uint8_t>& bytes) {
    TBytesView view(bytes.data(), bytes.size());
    TDIB dib;
    dib.LoadFromStream(view);
    return dib.Image();
}

std::string LoadError(const std::vector<uint8_t>& bytes) {
    return ErrorOf([&] { Decode(bytes); });
}

// The image given as rows of pixels, top row first.
TImage32 Rows(const std::vector<std::vector<uint32_t>>& rows) {
    TImage32 image(static_cast<int32_t>(rows[0].size()), static_cast<int32_t>(rows.size()));
    for (size_t y = 0; y < rows.size(); ++y)
        for (size_t x = 0; x < rows[y].size(); ++x) image.At(static_cast<int32_t>(x), static_cast<int32_t>(y)) = rows[y][x];
    return image;
}

std::vector<uint32_t> Gray16() {
    std::vector<uint32_t> p;
    for (uint32_t i = 0; i < 16; ++i) p.push_back(0x100000 + i);
    return p;
}

TEST(Dib, PalettedDepths) {
    const uint32_t A = 0x102030, B = 0xA0B0C0;
    // 1 bit, 10 wide: rows padded to 4 bytes, stored bottom row first.
    DibSpec one{.width = 10, .height = 2, .bits = 1, .palette = {A, B},
                .pixels = {0xAA, 0x80, 0, 0, /* top: */ 0xC0, 0x40, 0, 0}};
    EXPECT_EQ(Decode(InfoDib(one)), Rows({{B, B, A, A, A, A, A, A, A, B},
                                          {B, A, B, A, B, A, B, A, B, A}}));
    // 4 bits, 3 wide, high nibble first; all 16 entries by default.
    DibSpec four{.width = 3, .height = 1, .bits = 4, .palette = Gray16(), .pixels = {0x1F, 0x70, 0, 0}};
    EXPECT_EQ(Decode(InfoDib(four)), Rows({{0x100001, 0x10000F, 0x100007}}));
    // 8 bits with three colours used: indexes past them are black.
    DibSpec eight{.width = 5, .height = 1, .bits = 8, .colorsUsed = 3, .palette = {A, B, 0x00FF00},
                  .pixels = {2, 1, 0, 3, 255, 0, 0, 0}};
    EXPECT_EQ(Decode(InfoDib(eight)), Rows({{0x00FF00, B, A, 0, 0}}));
    // A core header: 16-bit sizes and 3-byte palette entries.
    Bytes core;
    core.u32(12).u16(2).u16(1).u16(1).u16(4);
    for (int i = 0; i < 16; ++i) core.u8(i).u8(0x20).u8(0x30);  // blue, green, red
    core.u8(0x2F).u32(0);
    EXPECT_EQ(Decode(core.b), Rows({{0x302002, 0x30200F}}));
}

TEST(Dib, DirectColourDepths) {
    // 16 bits, 5-5-5 by default.
    DibSpec rgb555{.width = 2, .height = 1, .bits = 16, .pixels = {0x00, 0x7C, 0x10, 0x02}};
    EXPECT_EQ(Decode(InfoDib(rgb555)), Rows({{0xFF0000, 0x008484}}));
    // 16 bits with 5-6-5 bit fields.
    DibSpec rgb565{.width = 2, .height = 1, .bits = 16, .compression = 3, .masks = {0xF800, 0x07E0, 0x001F},
                   .pixels = {0xE0, 0x07, 0x21, 0x08}};
    EXPECT_EQ(Decode(InfoDib(rgb565)), Rows({{0x00FF00, 0x080408}}));
    // 24 bits, 3 wide (9 bytes padded to 12), bottom-up.
    DibSpec bgr{.width = 3, .height = 2, .bits = 24,
                .pixels = {1, 2, 3, 4, 5, 6, 7, 8, 9, 0, 0, 0, /* top: */ 0xFF, 0, 0, 0, 0xFF, 0, 0, 0, 0xFF, 0, 0, 0}};
    EXPECT_EQ(Decode(InfoDib(bgr)), Rows({{0x0000FF, 0x00FF00, 0xFF0000}, {0x030201, 0x060504, 0x090807}}));
    // The same rows top-down (negative height): the first stored row is the top.
    DibSpec topDown = bgr;
    topDown.height = -2;
    EXPECT_EQ(Decode(InfoDib(topDown)), Rows({{0x030201, 0x060504, 0x090807}, {0x0000FF, 0x00FF00, 0xFF0000}}));
    // 32 bits, 8-8-8 with the top byte ignored.
    DibSpec bgra{.width = 2, .height = 1, .bits = 32, .pixels = {0x11, 0x22, 0x33, 0xFF, 0x44, 0x55, 0x66, 0x01}};
    EXPECT_EQ(Decode(InfoDib(bgra)), Rows({{0x332211, 0x665544}}));
    // 32 bits with red and blue fields swapped.
    DibSpec swapped{.width = 1, .height = 1, .bits = 32, .compression = 3, .masks = {0xFF, 0xFF00, 0xFF0000},
                    .pixels = {0x11, 0x22, 0x33, 0}};
    EXPECT_EQ(Decode(InfoDib(swapped)), Rows({{0x112233}}));
}

TEST(Dib, RunLength8) {
    const uint32_t K = 0x000001, R = 0xFF0000, G = 0x00FF00, B = 0x0000FF;
    std::vector<uint8_t> runs = {
        0x03, 0x01,                    // three of index 1
        0x00, 0x03, 0x02, 0x03, 0x01, 0x00,  // absolute 2 3 1, padded to a word
        0x00, 0x00,                    // end of line
        0x02, 0x02,                    // two of index 2
        0x00, 0x02, 0x02, 0x01,        // delta: right 2, up 1
        0x05, 0x03,                    // five of index 3: only two fit
        0x00, 0x01,                    // end of bitmap
        0x04, 0x01,                    // after the end: ignored
    };
    DibSpec s{.width = 6, .height = 3, .bits = 8, .compression = 1, .imageSize = static_cast<uint32_t>(runs.size()),
              .colorsUsed = 4, .palette = {K, R, G, B}, .pixels = runs};
    EXPECT_EQ(Decode(InfoDib(s)), Rows({{0, 0, 0, 0, B, B},
                                        {G, G, 0, 0, 0, 0},
                                        {R, R, R, G, B, R}}));
}

TEST(Dib, RunLength4) {
    std::vector<uint8_t> runs = {
        0x05, 0x12,                    // 1 2 1 2 1
        0x00, 0x00,
        0x00, 0x03, 0x34, 0x50,        // absolute 3 4 5 (two bytes, no pad)
        0x04, 0x67,                    // 6 7 and two more past the edge
        0x00, 0x00,
        0x00, 0x05, 0xAB, 0xCD, 0xE0, 0x00,  // absolute A B C D E, padded to a word
        0x00, 0x01,
    };
    DibSpec s{.width = 5, .height = 3, .bits = 4, .compression = 2, .imageSize = static_cast<uint32_t>(runs.size()),
              .palette = Gray16(), .pixels = runs};
    auto g = [](uint32_t i) { return 0x100000 + i; };
    EXPECT_EQ(Decode(InfoDib(s)), Rows({{g(10), g(11), g(12), g(13), g(14)},
                                        {g(3), g(4), g(5), g(6), g(7)},
                                        {g(1), g(2), g(1), g(2), g(1)}}));
}

TEST(Dib, HostileRunsStayInside) {
    const std::vector<uint32_t> pal = {0x000001, 0x0000FF};
    auto decode = [&](std::vector<uint8_t> runs, int32_t w = 4, int32_t h = 2) {
        DibSpec s{.width = w, .height = h, .bits = 8, .compression = 1,
                  .imageSize = static_cast<uint32_t>(runs.size()), .colorsUsed = 2, .palette = pal, .pixels = runs};
        return Decode(InfoDib(s));
    };
    const uint32_t X = 0x0000FF;
    // Long runs clip at the right edge; a delta far up ends the picture.
    EXPECT_EQ(decode({0xFF, 0x01, 0xFF, 0x01, 0x00, 0x02, 0xFF, 0xFF, 0x01, 0x01}), Rows({{0, 0, 0, 0}, {X, X, X, X}}));
    // Many deltas to the right cannot move past the edge.
    std::vector<uint8_t> deltas;
    for (int i = 0; i < 1000; ++i) deltas.insert(deltas.end(), {0x00, 0x02, 0xFF, 0x00});
    deltas.insert(deltas.end(), {0x00, 0x00, 0x01, 0x01});
    EXPECT_EQ(decode(deltas), Rows({{X, 0, 0, 0}, {0, 0, 0, 0}}));
    // An absolute run cut short by the data's end; an odd trailing byte.
    EXPECT_EQ(decode({0x00, 0x08, 0x01, 0x00, 0x01}), Rows({{0, 0, 0, 0}, {X, 0x000001, X, 0}}));
    EXPECT_EQ(decode({0x00}), Rows({{0, 0, 0, 0}, {0, 0, 0, 0}}));
    EXPECT_EQ(decode({0x00, 0x02, 0x01}), Rows({{0, 0, 0, 0}, {0, 0, 0, 0}}));
    // Endless ends of line on a one-row picture.
    EXPECT_EQ(decode(std::vector<uint8_t>(200, 0), 2, 1), Rows({{0, 0}}));
}

TEST(Dib, EmptyAndZeroSizedPictures) {
    TBytesView none(nullptr, 0);
    TDIB dib;
    dib.LoadFromStream(none);
    EXPECT_TRUE(dib.Empty());
    EXPECT_TRUE(dib.Image().Empty());
    EXPECT_TRUE(dib.Raw().empty());

    DibSpec zero{.width = 0, .height = 5, .bits = 24};
    EXPECT_TRUE(Decode(InfoDib(zero)).Empty());
}

TEST(Dib, HostileHeaders) {
    const std::string invalid = "DIB is invalid", readError = "Stream-Lesefehler";
    EXPECT_EQ(LoadError({40}), invalid);
    EXPECT_EQ(LoadError({40, 0, 0}), invalid);
    for (uint32_t size : {0u, 11u, 13u, 41u, 52u, 108u, 124u, 0xFFFFFFFFu})
        EXPECT_EQ(LoadError(Bytes().u32(size).raw(std::string(200, '\0')).b), invalid) << size;
    EXPECT_EQ(LoadError(Bytes().u32(40).u32(1).u32(1).b), readError);  // header cut short

    auto spec = [](int32_t w, int32_t h, uint16_t bits, uint32_t compression = 0) {
        return DibSpec{.width = w, .height = h, .bits = bits, .compression = compression, .palette = {},
                       .pixels = std::vector<uint8_t>(64, 0)};
    };
    for (const DibSpec& s : {spec(16385, 1, 24), spec(-1, 1, 24), spec(1, INT_MIN, 24), spec(1, -16385, 24),
                             spec(16384, 16384, 24), spec(16384, 4097, 1), spec(2, 2, 0), spec(2, 2, 2),
                             spec(2, 2, 3), spec(2, 2, 7), spec(2, 2, 64), spec(2, 2, 24, 4), spec(2, 2, 24, 5),
                             spec(2, 2, 24, 0x80000000u), spec(2, 2, 4, 1), spec(2, 2, 8, 2), spec(2, 2, 24, 3),
                             spec(2, -2, 8, 1)})
        EXPECT_EQ(LoadError(InfoDib(s)), invalid) << s.width << "x" << s.height << " " << s.bits;
    // At the size limits the header is fine and the missing pixels are a read error.
    EXPECT_EQ(LoadError(InfoDib(DibSpec{.width = 16384, .height = 4096, .bits = 1, .palette = {0, 0}})), readError);
    EXPECT_EQ(LoadError(InfoDib(DibSpec{.width = 4, .height = -16384, .bits = 24})), readError);

    // One pixel byte short.
    EXPECT_EQ(LoadError(InfoDib(DibSpec{.width = 3, .height = 2, .bits = 24, .pixels = std::vector<uint8_t>(23)})), readError);
    // Run data longer than the block.
    EXPECT_EQ(LoadError(InfoDib(DibSpec{.width = 3, .height = 2, .bits = 8, .compression = 1, .imageSize = 0xFFFFFFFF,
                                        .colorsUsed = 1, .palette = {0}, .pixels = {0, 1}})), readError);
    // A huge colour count is capped at 256 entries.
    DibSpec many{.width = 1, .height = 1, .bits = 8, .colorsUsed = 0xFFFFFFFF,
                 .palette = std::vector<uint32_t>(256, 0x445566), .pixels = {200, 0, 0, 0}};
    EXPECT_EQ(Decode(InfoDib(many)), Rows({{0x445566}}));
    many.palette.resize(255);
    EXPECT_EQ(LoadError(InfoDib(many)), readError);
}

TEST(Dib, EncodedPicturesDecodeToTheirPixels) {
    TImage32 image(5, 3);
    for (int32_t y = 0; y < 3; ++y)
        for (int32_t x = 0; x < 5; ++x) image.At(x, y) = static_cast<uint32_t>((x * 50) << 16 | (y * 90) << 8 | (x + y));
    for (int bits : {8, 24, 32}) {
        std::unique_ptr<TDIB> dib = TDIB::FromImage(image, bits);
        EXPECT_EQ(dib->Data().BitCount, bits);
        EXPECT_EQ(dib->Image(), image) << bits;
        TMemoryStream out;
        dib->SaveToStream(out);
        EXPECT_EQ(Decode(out.Bytes()), image) << bits;
    }
    TImage32 colourful(257, 1);
    for (int32_t x = 0; x < 257; ++x) colourful.At(x, 0) = static_cast<uint32_t>(x);
    EXPECT_EQ(ErrorOf([&] { EncodeDib(colourful, 8); }), "DIB is invalid");
    EXPECT_EQ(TDIB::FromImage(colourful, 24)->Image(), colourful);
}

// A picture whose every pixel differs from its neighbours in every channel.
TImage32 Distinct(int32_t w, int32_t h) {
    TImage32 image(w, h);
    for (int32_t y = 0; y < h; ++y)
        for (int32_t x = 0; x < w; ++x)
            image.At(x, y) = static_cast<uint32_t>(((x * 37 + y * 11) & 0xFF) << 16 | ((x * 5 + y * 71) & 0xFF) << 8 |
                                                   ((x * 13 + y * 3 + 1) & 0xFF));
    return image;
}

// Copies a rectangle into a larger marked buffer and checks it against the
// picture, and that nothing around it was written.
void ExpectRectCopied(const TGraphic& graphic, const TImage32& image, int32_t x, int32_t y, int32_t w, int32_t h) {
    constexpr uint32_t Mark = 0xDEADBEEF;
    const size_t pitch = static_cast<size_t>(w) + 5;
    std::vector<uint32_t> dest(pitch * static_cast<size_t>(h + 1), Mark);
    graphic.CopyPixels(x, y, w, h, dest.data(), pitch);
    for (int32_t row = 0; row <= h; ++row)
        for (size_t col = 0; col < pitch; ++col) {
            const uint32_t got = dest[static_cast<size_t>(row) * pitch + col];
            const bool inside = row < h && col < static_cast<size_t>(w);
            const uint32_t want = inside ? image.At(x + static_cast<int32_t>(col), y + row) : Mark;
            ASSERT_EQ(got, want) << "rect " << x << "," << y << " " << w << "x" << h << " at " << col << "," << row;
        }
}

// Rectangles are decoded straight from the stored rows: every depth the
// encoder makes, both row orders, widths around the four-pixel steps of the
// wide 24-bit path and rectangles ending before the row does.
TEST(Dib, RectanglesDecodeToThePicturesPixels) {
    for (int bits : {8, 24, 32}) {
        for (int32_t w : {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 13, 17, 33}) {
            TImage32 image = Distinct(w, 3);
            if (bits == 8)
                for (uint32_t& p : image.Pixels) p &= 0x00000F;  // few enough colours for a palette
            std::vector<uint8_t> bytes = EncodeDib(image, bits);
            for (bool topDown : {false, true}) {
                std::vector<uint8_t> data = bytes;
                if (topDown) {
                    // Negative height, rows reversed.
                    const int64_t rowBytes = (int64_t{w} * bits + 31) / 32 * 4;
                    const size_t start = data.size() - static_cast<size_t>(rowBytes * 3);
                    for (int r = 0; r < 3; ++r)
                        std::copy_n(bytes.begin() + static_cast<std::ptrdiff_t>(start + (2 - r) * rowBytes), rowBytes,
                                    data.begin() + static_cast<std::ptrdiff_t>(start + r * rowBytes));
                    const uint32_t minus3 = static_cast<uint32_t>(-3);
                    for (int i = 0; i < 4; ++i) data[8 + i] = static_cast<uint8_t>(minus3 >> (8 * i));
                }
                TBytesView view(data.data(), data.size());
                TDIB dib;
                dib.LoadFromStream(view);
                SCOPED_TRACE(testing::Message() << bits << " bits, " << w << " wide, top-down " << topDown);
                ExpectRectCopied(dib, image, 0, 0, w, 3);
                ExpectRectCopied(dib, image, w / 3, 1, w - w / 3 - w / 4, 2);
                ExpectRectCopied(dib, image, w - 1, 2, 1, 1);
            }
        }
    }
}

// Every fast path of the 24-bit decoder this processor has converts what it
// claims exactly, writes nothing past it, and leaves the scalar code only a
// short tail; its loads stay inside the run (a run ending at the end of the
// buffer, so that the sanitizers see any read beyond).
TEST(Dib, WidePathsConvertTheLeadingPixelsOfARun) {
    const std::vector<WideBgrPath> paths = WideBgrPaths();
    for (const WideBgrPath& path : paths) {
        for (int32_t count = 0; count <= 40; ++count) {
            std::vector<uint8_t> src(static_cast<size_t>(3 * count));
            for (size_t i = 0; i < src.size(); ++i) src[i] = static_cast<uint8_t>(i * 29 + 7);
            std::vector<uint32_t> out(static_cast<size_t>(count) + 8, 0xDEADBEEF);
            const int32_t done = path.run(src.data(), out.data(), count);
            SCOPED_TRACE(testing::Message() << path.name << ", " << count << " pixels");
            ASSERT_GE(done, 0);
            ASSERT_LE(done, count);
            EXPECT_GE(done, count - 9);
            for (int32_t x = 0; x < done; ++x) {
                const uint8_t* p = src.data() + 3 * x;
                ASSERT_EQ(out[static_cast<size_t>(x)], uint32_t{p[2]} << 16 | uint32_t{p[1]} << 8 | p[0]) << x;
            }
            for (size_t x = static_cast<size_t>(done); x < out.size(); ++x) ASSERT_EQ(out[x], 0xDEADBEEFu) << x;
        }
    }
}

// Once the whole picture has been decoded, rectangles come from it; run-length
// pictures always do. Either way the pixels are the same.
TEST(Dib, RectanglesOfDecodedAndRunLengthPictures) {
    const TImage32 image = Distinct(11, 4);
    std::unique_ptr<TDIB> dib = TDIB::FromImage(image, 24);
    ExpectRectCopied(*dib, image, 2, 1, 9, 3);
    EXPECT_EQ(dib->Image(), image);
    ExpectRectCopied(*dib, image, 2, 1, 9, 3);

    // 4 x 2, RLE8: bottom row a run of colour 1, top row two absolute pixels
    // then the end of the line (the rest black).
    const uint32_t A = 0x102030, B = 0x405060;
    DibSpec rle{.width = 4, .height = 2, .bits = 8, .compression = 1, .imageSize = 12, .colorsUsed = 2,
                .palette = {A, B}, .pixels = {4, 1, 0, 0, 0, 3, 1, 0, 1, 0, 0, 1}};
    std::vector<uint8_t> bytes = InfoDib(rle);
    TBytesView view(bytes.data(), bytes.size());
    TDIB runs;
    runs.LoadFromStream(view);
    ExpectRectCopied(runs, Rows({{B, A, B, 0}, {B, B, B, B}}), 1, 0, 3, 2);
}

}  // namespace
}  // namespace skyrend::test
