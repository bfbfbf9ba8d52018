// media/DIB.h — device-independent bitmaps: the layer's own picture class
// TDIB, and the decoder of bitmap headers, palettes and pixel data that the
// bitmap-file class shares.
//
// A TDIB's data is a bitmap without the file header: a core (12) or info (40)
// header, bit-field masks for compression 3, the palette, the pixels (rows
// padded to 4 bytes, bottom-up or top-down) or the RLE8/RLE4 runs, which are
// kept compressed and decoded on first use. Every size, count and run is
// checked: bad data is EInvalidGraphic "DIB is invalid" or, when the data
// ends early, EReadError "Stream-Lesefehler".
//
// Decoding rules where the data leaves a pixel open: a palette index beyond
// the palette gives black, and so do pixels the runs of an RLE picture skip
// (delta, early end of line or bitmap, data ending early); run pixels past the
// right edge are dropped.

#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "media/Graphics.h"
#include "media/RawVector.h"
#include "media/Streams.h"

namespace skyrend {

enum class DibCompression : uint32_t { RGB = 0, RLE8 = 1, RLE4 = 2, BitFields = 3 };

// A parsed bitmap: what the header says, plus its palette and pixel bytes.
struct DibData {
    uint32_t HeaderSize = 0;
    int32_t Width = 0;
    int32_t Height = 0;     // always positive here; see TopDown
    bool TopDown = false;
    uint16_t BitCount = 0;
    DibCompression Compression = DibCompression::RGB;
    uint32_t ImageSize = 0;
    uint32_t ColorsUsed = 0;           // as the header says (0 for a core header)
    std::array<uint32_t, 3> Masks{};   // red, green, blue (16 and 32 bits)
    std::vector<uint32_t> Palette;     // 0x00RRGGBB
    TRawVector<uint8_t> Bits;          // padded rows, or the RLE runs

    // Bytes of one padded row of uncompressed pixels.
    int64_t RowBytes() const;
};

// How much of the bitmap header family a reader takes.
enum class DibHeaders {
    CoreAndInfo,  // TDIB data: 12 or 40 only
    Any,          // bitmap files: also the 52/56/108/124-byte headers
};

// Reads header, masks, palette and pixel data from the stream. `pixelOffset`,
// when >= 0, is where the pixels start, relative to the header's first byte
// (a bitmap file's offset); otherwise they follow the palette. Returns false
// when no byte at all is left (an empty picture).
bool ReadDib(TStream& stream, DibData& dib, DibHeaders headers, int64_t pixelOffset = -1);

// Decodes a parsed bitmap to 32-bit pixels, top-down. Never fails on data that
// ReadDib accepted.
TImage32 DecodeDib(const DibData& dib);
// Decodes the rectangle at (x, y), width w and height h (within the picture)
// of an uncompressed or bit-field bitmap to `dest`, its rows `pitch` pixels
// apart, top-down.
void DecodeDibRect(const DibData& dib, int32_t x, int32_t y, int32_t w, int32_t h, uint32_t* dest, size_t pitch);

// The fast paths of the 24-bit decoder this processor can take, widest
// (the one used) first. Each converts the leading pixels of a run of
// `count` 24-bit pixels (blue, green, red) to 0x00RRGGBB, as many as it can
// while its loads stay within the run's bytes, and returns how many.
using WideBgrRun = int32_t (*)(const uint8_t* src, uint32_t* out, int32_t count);
struct WideBgrPath {
    const char* name;
    WideBgrRun run;
};
std::vector<WideBgrPath> WideBgrPaths();

// Makes TDIB data of these pixels: 24 or 32 bits, or 8 bits with a palette of
// the picture's colours (EInvalidGraphic "DIB is invalid" when it has more
// than 256). Rows are stored bottom-up with an info header.
std::vector<uint8_t> EncodeDib(const TImage32& image, int bitCount);

class TDIB : public TGraphic {
public:
    std::string ClassName() const override { return "TDIB"; }
    std::unique_ptr<TGraphic> Clone() const override;
    void LoadFromStream(TStream& stream) override;
    void SaveToStream(TStream& stream) const override;
    int32_t Width() const override { return dib_.Width; }
    int32_t Height() const override { return dib_.Height; }
    const TImage32& Image() const override;
    void CopyPixels(int32_t x, int32_t y, int32_t w, int32_t h, uint32_t* dest, size_t pitch) const override;

    const DibData& Data() const { return dib_; }
    // The bytes LoadFromStream consumed (written back as they were).
    std::vector<uint8_t> Raw() const;

    // A TDIB of these pixels (bit counts as EncodeDib).
    static std::unique_ptr<TDIB> FromImage(const TImage32& image, int bitCount = 24);

private:
    DibData dib_;
    std::vector<uint8_t> head_;  // the consumed bytes in front of the pixels
    mutable std::shared_ptr<const TImage32> image_;  // decoded on first use
};

}  // namespace skyrend
