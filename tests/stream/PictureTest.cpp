// tests/stream/PictureTest.cpp — picture data blocks: the graphic class
// lookup, bitmap files, JPEG images, and colour resolution.

#include <cstdlib>

#include "media/DIB.h"
#include "media/Errors.h"
#include "tests/stream/StreamTestSupport.h"

namespace skyrend::test {
namespace {

std::vector<uint8_t> Block(const std::string& className, const std::vector<uint8_t>& data) {
    return Bytes().str(className).raw(data).b;
}

TImage32 Checker(int32_t w, int32_t h) {
    TImage32 image(w, h);
    for (int32_t y = 0; y < h; ++y)
        for (int32_t x = 0; x < w; ++x) image.At(x, y) = ((x / 8 + y / 8) % 2) ? 0xF0F0F0 : 0x101010;
    return image;
}

std::vector<uint8_t> Sized(const std::vector<uint8_t>& bytes) {
    return Bytes().u32(static_cast<uint32_t>(bytes.size())).raw(bytes).b;
}

TEST(Picture, DataBlockNamesTheGraphicClass) {
    const TImage32 image(3, 2, 0x123456);
    const std::vector<uint8_t> dib = EncodeDib(image, 24);
    TPicture picture;
    picture.LoadData(Block("TDIB", dib));
    ASSERT_NE(picture.Graphic(), nullptr);
    EXPECT_EQ(picture.Graphic()->ClassName(), "TDIB");
    EXPECT_EQ(picture.Width(), 3);
    EXPECT_EQ(picture.Height(), 2);
    EXPECT_EQ(picture.Image(), image);
    EXPECT_EQ(picture.DataBlock(), Block("TDIB", dib));

    // Unknown (and wrongly cased) class names leave the picture empty but
    // keep the block, so that it is written back as it was.
    for (const char* name : {"TFooImage", "tdib", "TIcon"}) {
        TPicture unknown;
        unknown.LoadData(Block(name, {1, 2, 3}));
        EXPECT_EQ(unknown.Graphic(), nullptr) << name;
        EXPECT_TRUE(unknown.Empty());
        EXPECT_EQ(unknown.DataClassName(), name);
        EXPECT_EQ(unknown.DataBlock(), Block(name, {1, 2, 3}));
    }
    // A TDIB with nothing after its name: a graphic with no pixels.
    TPicture empty;
    empty.LoadData(Block("TDIB", {}));
    ASSERT_NE(empty.Graphic(), nullptr);
    EXPECT_TRUE(empty.Empty());
    EXPECT_TRUE(empty.Image().Empty());
    // A block cut inside its class name, or before its length byte.
    EXPECT_EQ(ErrorOf<EReadError>([] { TPicture p; p.LoadData({5, 'T', 'D'}); }), "Stream-Lesefehler");
    EXPECT_EQ(ErrorOf<EReadError>([] { TPicture p; p.LoadData(std::vector<uint8_t>{}); }), "Stream-Lesefehler");
}

TEST(Picture, ReadThroughDottedNameAndCopied) {
    std::vector<uint8_t> block = Block("TDIB", EncodeDib(TImage32(1, 1, 0xABCDEF), 32));
    Bytes b;
    b.header("TTESTROOT").str("TTestRoot").str("").str("List").u8(14).u8(1)
        .str("Picture.Data").u8(10).u32(static_cast<uint32_t>(block.size())).raw(block).u8(0).u8(0).u8(0).u8(0);
    TTestRoot root;
    ReadInto(b.b, root);
    ASSERT_EQ(root.List.Count(), 1);
    TPicture copy = root.List.Items[0]->Picture;
    root.List.Items.clear();
    EXPECT_EQ(copy.Image(), TImage32(1, 1, 0xABCDEF));
    EXPECT_EQ(copy.DataBlock(), block);

    TPicture made;
    made.SetGraphic(TDIB::FromImage(TImage32(2, 1, 0x010203)));
    TPicture reread;
    reread.LoadData(made.DataBlock());
    EXPECT_EQ(reread.Image(), TImage32(2, 1, 0x010203));
}

// One item whose "Picture.Data" is `block`, followed by its "Value".
std::vector<uint8_t> ItemWithBlock(const std::vector<uint8_t>& block, int32_t value) {
    Bytes b;
    b.header("TTESTROOT").str("TTestRoot").str("").str("List").u8(14).u8(1)
        .str("Picture.Data").u8(10).u32(static_cast<uint32_t>(block.size())).raw(block)
        .str("Value").u8(2).u8(static_cast<uint32_t>(value)).u8(0).u8(0).u8(0).u8(0);
    return b.b;
}

// The graphic reads its data straight from the stream, bounded by the
// block: what it leaves is skipped, what it would need beyond it is a read
// error even with bytes to spare after the block, and the block comes back
// as it was read whichever way it went.
TEST(Picture, BlocksReadFromAStreamStayWithinTheirBounds) {
    const TImage32 image(7, 3, 0x345678);
    const std::vector<uint8_t> dib = EncodeDib(image, 24);
    std::vector<uint8_t> trailing = Block("TDIB", dib);
    trailing.insert(trailing.end(), {9, 8, 7});
    for (const std::vector<uint8_t>& block : {Block("TDIB", dib), trailing, Block("TFooImage", {1, 2, 3})}) {
        TTestRoot root;
        ReadInto(ItemWithBlock(block, 42), root);
        ASSERT_EQ(root.List.Count(), 1);
        const TPicture& picture = root.List.Items[0]->Picture;
        EXPECT_EQ(root.List.Items[0]->Value, 42);
        EXPECT_EQ(picture.DataBlock(), block);
        if (picture.Graphic()) {
            EXPECT_EQ(picture.Image(), image);
        }
    }

    // The DIB's rows end two bytes inside the value that follows the block.
    std::vector<uint8_t> cut = Block("TDIB", dib);
    cut.resize(cut.size() - 2);
    EXPECT_EQ(ErrorOf<EReadError>([&] { TTestRoot root; ReadInto(ItemWithBlock(cut, 42), root); }), "Stream-Lesefehler");
    // An empty block has not even the class name's length byte.
    EXPECT_EQ(ErrorOf<EReadError>([] { TTestRoot root; ReadInto(ItemWithBlock({}, 42), root); }), "Stream-Lesefehler");
}

TEST(Picture, BitmapFiles) {
    const TImage32 image = Checker(17, 9);
    const std::vector<uint8_t> file = TBitmap::EncodeFile(image);
    TPicture picture;
    picture.LoadData(Block("TBitmap", Sized(file)));
    ASSERT_NE(picture.Graphic(), nullptr);
    EXPECT_EQ(picture.Image(), image);
    EXPECT_EQ(picture.DataBlock(), Block("TBitmap", Sized(file)));

    // A file with a 124-byte header, bit fields in it, and a gap before its pixels.
    Bytes v5;
    v5.raw("BM").u32(0).u32(0).u32(14 + 124 + 6);
    v5.u32(124).u32(2).u32(static_cast<uint32_t>(-1)).u16(1).u16(16).u32(3).u32(4).u32(0).u32(0).u32(0).u32(0)
        .u32(0xF800).u32(0x07E0).u32(0x001F).u32(0);
    v5.raw(std::string(124 - 56, '\0')).raw(std::string(6, '\x55')).u16(0xF800).u16(0x001F);
    TBitmap bitmap;
    bitmap.LoadFromFileImage(v5.b);
    EXPECT_EQ(bitmap.Image().At(0, 0), 0xFF0000u);
    EXPECT_EQ(bitmap.Image().At(1, 0), 0x0000FFu);

    EXPECT_EQ(ErrorOf<EInvalidGraphic>([] { TBitmap b; b.LoadFromFileImage({'B', 'X', 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 40}); }),
              "Bitmap image is not valid");
    EXPECT_EQ(ErrorOf<EInvalidGraphic>([] { TBitmap b; b.LoadFromFileImage({'B', 'M', 0, 0}); }),
              "Bitmap image is not valid");
    EXPECT_EQ(ErrorOf<EReadError>([&] { TPicture p; p.LoadData(Block("TBitmap", Bytes().u32(1000).raw(file).b)); }),
              "Stream-Lesefehler");
    TPicture none;
    none.LoadData(Block("TBitmap", Bytes().u32(0).b));
    EXPECT_TRUE(none.Empty());
}

TEST(Picture, JPEGImages) {
    const TImage32 image = Checker(32, 16);
    const std::vector<uint8_t> jpeg = TJPEGImage::Encode(image, 95);
    TPicture picture;
    picture.LoadData(Block("TJPEGImage", Sized(jpeg)));
    ASSERT_NE(picture.Graphic(), nullptr);
    ASSERT_EQ(picture.Width(), 32);
    ASSERT_EQ(picture.Height(), 16);
    for (int32_t y = 0; y < 16; ++y)
        for (int32_t x = 0; x < 32; ++x) {
            uint32_t got = picture.Image().At(x, y), want = image.At(x, y);
            for (int shift : {0, 8, 16})
                EXPECT_LE(std::abs(static_cast<int>((got >> shift) & 0xFF) - static_cast<int>((want >> shift) & 0xFF)), 24)
                    << x << "," << y;
        }
    EXPECT_EQ(picture.DataBlock(), Block("TJPEGImage", Sized(jpeg)));

    std::string garbage = ErrorOf<EInvalidGraphic>([] { TJPEGImage j; j.LoadFromJPEG({0xFF, 0xD8, 1, 2, 3, 4}); });
    EXPECT_EQ(garbage.rfind("JPEG error #", 0), 0u) << garbage;
    // Dimensions past the limit are refused before anything is decoded.
    std::vector<uint8_t> huge = jpeg;
    for (size_t i = 0; i + 8 < huge.size(); ++i) {
        if (huge[i] == 0xFF && huge[i + 1] == 0xC0) {
            huge[i + 5] = huge[i + 7] = 0x50;  // 0x5010 x 0x5020 pixels
            break;
        }
    }
    std::string tooBig = ErrorOf<EInvalidGraphic>([&] { TJPEGImage j; j.LoadFromJPEG(huge); });
    EXPECT_EQ(tooBig.rfind("JPEG error #", 0), 0u) << tooBig;
}

TEST(Picture, SystemColoursResolveToDesktopDefaults) {
    EXPECT_EQ(ColorToRGB(0x00123456), 0x00123456u);
    EXPECT_EQ(ColorToRGB(0x8000000F), 0xF0F0F0u);  // clBtnFace
    EXPECT_EQ(ColorToRGB(0x80000005), 0xFFFFFFu);  // clWindow
    EXPECT_EQ(ColorToRGB(0x8000000D), 0xFF9933u);  // clHighlight, stored blue-green-red
    EXPECT_EQ(ColorToRGB(0x800000FF), 0u);         // no such system colour
    EXPECT_EQ(ColorToPixel(0x0000FF), 0xFF0000u);  // clRed
    EXPECT_EQ(ColorToPixel(0x8000000D), 0x3399FFu);
}

}  // namespace
}  // namespace skyrend::test
