// media/DIB.cpp — reading bitmap headers, palettes and pixel data, decoding
// them to 32-bit pixels, and writing simple bitmaps for the tools.
//
// Everything taken from the data is checked before it is used: the header
// size and bit count against the known ones, the size against the picture
// limits, and every byte count against what the stream still holds, so that
// nothing is allocated for data that is not there.

#include "media/DIB.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <map>

#if defined(__SSE2__)
#include <immintrin.h>
#endif

#include "media/ByteOrder.h"
#include "media/Errors.h"

namespace skyrend {
namespace {

constexpr char InvalidText[] = "DIB is invalid";
[[noreturn]] void Invalid() { throw EInvalidGraphic(InvalidText); }


bool HeaderSizeAccepted(uint32_t size, DibHeaders headers) {
    if (size == 12 || size == 40) return true;
    return headers == DibHeaders::Any && (size == 52 || size == 56 || size == 108 || size == 124);
}

bool BitCountAccepted(uint16_t bits) {
    return bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
}

bool CompressionFits(DibCompression compression, uint16_t bits) {
    switch (compression) {
    case DibCompression::RGB: return true;
    case DibCompression::RLE8: return bits == 8;
    case DibCompression::RLE4: return bits == 4;
    case DibCompression::BitFields: return bits == 16 || bits == 32;
    }
    return false;
}

// Reads the core or info header (and the larger ones' masks) into `dib`.
void ReadHeader(TStream& stream, uint32_t headerSize, DibData& dib) {
    if (headerSize == 12) {
        uint8_t h[8];
        stream.ReadBuffer(h, sizeof h);
        dib.Width = GetLE16(h);
        dib.Height = GetLE16(h + 2);
        dib.BitCount = GetLE16(h + 6);
        return;
    }
    uint8_t h[120] = {};
    stream.ReadBuffer(h, headerSize - 4);
    dib.Width = static_cast<int32_t>(GetLE32(h));
    int32_t height = static_cast<int32_t>(GetLE32(h + 4));
    dib.BitCount = GetLE16(h + 10);
    uint32_t compression = GetLE32(h + 12);
    if (compression > 3) Invalid();
    dib.Compression = static_cast<DibCompression>(compression);
    dib.ImageSize = GetLE32(h + 16);
    dib.ColorsUsed = GetLE32(h + 28);
    if (height == INT32_MIN || dib.Width < 0) Invalid();
    dib.TopDown = height < 0;
    dib.Height = height < 0 ? -height : height;
    if (headerSize >= 52) dib.Masks = {GetLE32(h + 36), GetLE32(h + 40), GetLE32(h + 44)};
}

void ReadMasks(TStream& stream, DibData& dib, uint32_t headerSize) {
    if (dib.Compression == DibCompression::BitFields) {
        if (headerSize == 40) {
            uint8_t m[12];
            stream.ReadBuffer(m, sizeof m);
            dib.Masks = {GetLE32(m), GetLE32(m + 4), GetLE32(m + 8)};
        }
        return;
    }
    if (dib.BitCount == 16) dib.Masks = {0x7C00, 0x03E0, 0x001F};
    if (dib.BitCount == 32) dib.Masks = {0xFF0000, 0x00FF00, 0x0000FF};
}

void ReadPalette(TStream& stream, DibData& dib, bool core) {
    uint32_t count = dib.ColorsUsed;
    if (count == 0 && dib.BitCount <= 8) count = 1u << dib.BitCount;
    count = std::min<uint32_t>(count, 256);
    const size_t entry = core ? 3 : 4;
    std::vector<uint8_t> bytes(count * entry);
    stream.ReadBuffer(bytes.data(), bytes.size());
    dib.Palette.resize(count);
    for (uint32_t i = 0; i < count; ++i) {
        const uint8_t* e = bytes.data() + i * entry;
        dib.Palette[i] = (uint32_t{e[2]} << 16) | (uint32_t{e[1]} << 8) | e[0];
    }
}

// One channel of a bit-field pixel, scaled to 0..255.
struct Channel {
    uint32_t mask = 0;
    int shift = 0;
    uint64_t max = 0;

    explicit Channel(uint32_t m) : mask(m) {
        if (m == 0) return;
        shift = std::countr_zero(m);
        max = m >> shift;
    }
    uint32_t operator()(uint32_t pixel) const {
        if (max == 0) return 0;
        uint64_t v = (pixel & mask) >> shift;
        return static_cast<uint32_t>((v * 255 + max / 2) / max);
    }
};

#if defined(__SSE2__)
// Four pixels from sixteen bytes: each moved up into its lane and masked.
int32_t WideBgrRunSse2(const uint8_t* src, uint32_t* out, int32_t count) {
    const __m128i lane0 = _mm_setr_epi32(0xFFFFFF, 0, 0, 0), lane1 = _mm_setr_epi32(0, 0xFFFFFF, 0, 0),
                  lane2 = _mm_setr_epi32(0, 0, 0xFFFFFF, 0), lane3 = _mm_setr_epi32(0, 0, 0, 0xFFFFFF);
    int32_t x = 0;
    for (; x + 6 <= count; x += 4) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(src + 3 * x));
        const __m128i low = _mm_or_si128(_mm_and_si128(v, lane0), _mm_and_si128(_mm_slli_si128(v, 1), lane1));
        const __m128i high =
            _mm_or_si128(_mm_and_si128(_mm_slli_si128(v, 2), lane2), _mm_and_si128(_mm_slli_si128(v, 3), lane3));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + x), _mm_or_si128(low, high));
    }
    return x;
}
#endif

#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
#define SKYREND_WIDE_BGR_AVX2 1
// Eight pixels from two twelve-byte groups, one byte shuffle for all.
__attribute__((target("avx2"))) int32_t WideBgrRunAvx2(const uint8_t* src, uint32_t* out, int32_t count) {
    const __m256i spread = _mm256_setr_epi8(0, 1, 2, -1, 3, 4, 5, -1, 6, 7, 8, -1, 9, 10, 11, -1,  //
                                            0, 1, 2, -1, 3, 4, 5, -1, 6, 7, 8, -1, 9, 10, 11, -1);
    int32_t x = 0;
    for (; x + 10 <= count; x += 8) {
        const __m128i first = _mm_loadu_si128(reinterpret_cast<const __m128i*>(src + 3 * x));
        const __m128i second = _mm_loadu_si128(reinterpret_cast<const __m128i*>(src + 3 * x + 12));
        const __m256i v = _mm256_inserti128_si256(_mm256_castsi128_si256(first), second, 1);
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(out + x), _mm256_shuffle_epi8(v, spread));
    }
    return x;
}
#endif

// The widest path the processor has, chosen at first use.
WideBgrRun WideBgr() {
    static const WideBgrRun run = [] {
        const std::vector<WideBgrPath> paths = WideBgrPaths();
        return paths.empty() ? WideBgrRun{[](const uint8_t*, uint32_t*, int32_t) { return int32_t{0}; }}
                             : paths.front().run;
    }();
    return run;
}

uint32_t PaletteColor(const DibData& dib, uint32_t index) {
    return index < dib.Palette.size() ? dib.Palette[index] : 0;
}

// Pixels x0 .. x1 - 1 of one row, written from out[0] on; the bit count is
// settled once per row, not per pixel.
void DecodeRow(const DibData& dib, const uint8_t* src, uint32_t* out, int32_t x0, int32_t x1,
               const Channel& r, const Channel& g, const Channel& b) {
    switch (dib.BitCount) {
    case 1:
        for (int32_t x = x0; x < x1; ++x) out[x - x0] = PaletteColor(dib, (src[x >> 3] >> (7 - (x & 7))) & 1);
        break;
    case 4:
        for (int32_t x = x0; x < x1; ++x) out[x - x0] = PaletteColor(dib, (src[x >> 1] >> ((x & 1) ? 0 : 4)) & 0xF);
        break;
    case 8:
        for (int32_t x = x0; x < x1; ++x) out[x - x0] = PaletteColor(dib, src[x]);
        break;
    case 16:
        for (int32_t x = x0; x < x1; ++x) {
            const uint32_t v = GetLE16(src + 2 * x);
            out[x - x0] = (r(v) << 16) | (g(v) << 8) | b(v);
        }
        break;
    case 24: {
        // The processor's widest path first; then four bytes at a time, the
        // fourth (the next pixel's) masked off; the last pixel of the row
        // alone, so that nothing past it is read.
        int32_t x = x0 + WideBgr()(src + 3 * x0, out, x1 - x0);
        if constexpr (std::endian::native == std::endian::little) {
            const int32_t wide = std::min(x1, dib.Width - 1);
            for (; x < wide; ++x) {
                uint32_t v;
                std::memcpy(&v, src + 3 * x, 4);
                out[x - x0] = v & 0xFFFFFFu;
            }
        }
        for (; x < x1; ++x) {
            const uint8_t* p = src + 3 * x;
            out[x - x0] = (uint32_t{p[2]} << 16) | (uint32_t{p[1]} << 8) | p[0];
        }
        break;
    }
    default:
        for (int32_t x = x0; x < x1; ++x) {
            const uint32_t v = GetLE32(src + 4 * x);
            out[x - x0] = (r(v) << 16) | (g(v) << 8) | b(v);
        }
        break;
    }
}

// The standard run-length rules: a count > 0 repeats a byte (RLE4: two
// alternating nibbles); a 0 escape is followed by 0 end of line, 1 end of
// bitmap, 2 a delta (dx, dy), or n >= 3 absolute pixels padded to a word.
// Rows run bottom-up.
void DecodeRle(const DibData& dib, TImage32& image) {
    const bool four = dib.Compression == DibCompression::RLE4;
    const int64_t w = dib.Width, h = dib.Height;
    const uint8_t* p = dib.Bits.data();
    const uint8_t* end = p + dib.Bits.size();
    int64_t x = 0, y = 0;
    auto put = [&](uint32_t index) {
        if (x < w) image.At(static_cast<int32_t>(x), static_cast<int32_t>(h - 1 - y)) = PaletteColor(dib, index);
        x = std::min(x + 1, w);
    };
    while (y < h && end - p >= 2) {
        const uint8_t count = p[0], value = p[1];
        p += 2;
        if (count > 0) {
            for (int i = 0; i < count; ++i) put(four ? ((i & 1) ? value & 0xF : value >> 4) : value);
            continue;
        }
        if (value == 0) {
            x = 0;
            ++y;
        } else if (value == 1) {
            return;
        } else if (value == 2) {
            if (end - p < 2) return;
            x = std::min(x + p[0], w);
            y += p[1];
            p += 2;
        } else {
            const int64_t bytes = four ? (value + 1) / 2 : value;
            const int64_t have = std::min<int64_t>(bytes, end - p);
            for (int i = 0; i < value && (four ? i / 2 : i) < have; ++i)
                put(four ? ((i & 1) ? p[i / 2] & 0xF : p[i / 2] >> 4) : p[i]);
            p += std::min<int64_t>(bytes + (bytes & 1), end - p);
        }
    }
}

}  // namespace

std::vector<WideBgrPath> WideBgrPaths() {
    std::vector<WideBgrPath> paths;
#if defined(SKYREND_WIDE_BGR_AVX2)
    __builtin_cpu_init();
    if (__builtin_cpu_supports("avx2")) paths.push_back({"avx2", WideBgrRunAvx2});
#endif
#if defined(__SSE2__)
    paths.push_back({"sse2", WideBgrRunSse2});
#endif
    return paths;
}

int64_t DibData::RowBytes() const { return (int64_t{Width} * BitCount + 31) / 32 * 4; }

bool ReadDib(TStream& stream, DibData& dib, DibHeaders headers, int64_t pixelOffset) {
    dib = DibData{};
    const int64_t start = stream.Position();
    if (stream.Remaining() <= 0) return false;
    uint8_t sizeBytes[4];
    if (stream.Read(sizeBytes, 4) != 4) Invalid();
    const uint32_t headerSize = GetLE32(sizeBytes);
    if (!HeaderSizeAccepted(headerSize, headers)) Invalid();
    dib.HeaderSize = headerSize;
    ReadHeader(stream, headerSize, dib);
    if (!BitCountAccepted(dib.BitCount) || !CompressionFits(dib.Compression, dib.BitCount)) Invalid();
    const bool rle = dib.Compression == DibCompression::RLE8 || dib.Compression == DibCompression::RLE4;
    if (rle && dib.TopDown) Invalid();
    if (!PictureSizeAllowed(dib.Width, dib.Height) || !TPictureBudget::Take(dib.Width, dib.Height)) Invalid();
    ReadMasks(stream, dib, headerSize);
    ReadPalette(stream, dib, headerSize == 12);

    // A bitmap file says where its pixels start; an offset that points back
    // into the header or palette, or past the end, is not trusted.
    if (pixelOffset >= 0 && start + pixelOffset >= stream.Position() && start + pixelOffset <= stream.Size())
        stream.SetPosition(start + pixelOffset);

    int64_t count = rle ? int64_t{dib.ImageSize} : dib.RowBytes() * dib.Height;
    if (rle && count == 0 && headers == DibHeaders::Any) count = stream.Remaining();
    if (count > stream.Remaining()) throw EReadError("Stream-Lesefehler");
    dib.Bits.resize(static_cast<size_t>(count));
    stream.ReadBuffer(dib.Bits.data(), dib.Bits.size());
    return true;
}

TImage32 DecodeDib(const DibData& dib) {
    TImage32 image(dib.Width, dib.Height);
    if (image.Empty()) return image;
    if (dib.Compression == DibCompression::RLE8 || dib.Compression == DibCompression::RLE4) {
        DecodeRle(dib, image);
        return image;
    }
    DecodeDibRect(dib, 0, 0, dib.Width, dib.Height, image.Pixels.data(), static_cast<size_t>(dib.Width));
    return image;
}

void DecodeDibRect(const DibData& dib, int32_t x, int32_t y, int32_t w, int32_t h, uint32_t* dest, size_t pitch) {
    const Channel r(dib.Masks[0]), g(dib.Masks[1]), b(dib.Masks[2]);
    const int64_t rowBytes = dib.RowBytes();
    // The stored rows are taken in the order they lie in memory (for a
    // bottom-up bitmap, the picture's last row first), which the processor
    // fetches ahead far better than rows stepping backwards.
    for (int32_t k = 0; k < h; ++k) {
        const int32_t row = dib.TopDown ? k : h - 1 - k;
        const int32_t line = dib.TopDown ? y + row : dib.Height - 1 - (y + row);
        DecodeRow(dib, dib.Bits.data() + line * rowBytes, dest + static_cast<size_t>(row) * pitch, x, x + w, r, g, b);
    }
}

std::vector<uint8_t> EncodeDib(const TImage32& image, int bitCount) {
    if (bitCount != 8 && bitCount != 24 && bitCount != 32) Invalid();
    if (!PictureSizeAllowed(image.Width, image.Height)) Invalid();
    std::vector<uint32_t> palette;
    std::map<uint32_t, uint8_t> indexOf;
    if (bitCount == 8) {
        for (uint32_t pixel : image.Pixels) {
            pixel &= 0xFFFFFF;
            if (indexOf.count(pixel)) continue;
            if (palette.size() == 256) Invalid();
            indexOf[pixel] = static_cast<uint8_t>(palette.size());
            palette.push_back(pixel);
        }
    }
    DibData layout;
    layout.Width = image.Width;
    layout.BitCount = static_cast<uint16_t>(bitCount);
    const int64_t rowBytes = layout.RowBytes();

    std::vector<uint8_t> out;
    AppendLE32(out, 40);
    AppendLE32(out, static_cast<uint32_t>(image.Width));
    AppendLE32(out, static_cast<uint32_t>(image.Height));
    AppendLE16(out, 1);
    AppendLE16(out, static_cast<uint32_t>(bitCount));
    AppendLE32(out, 0);
    AppendLE32(out, static_cast<uint32_t>(rowBytes * image.Height));
    AppendLE32(out, 2835);  // 72 dpi
    AppendLE32(out, 2835);
    AppendLE32(out, static_cast<uint32_t>(palette.size()));
    AppendLE32(out, 0);
    for (uint32_t color : palette) AppendLE32(out, color);  // blue, green, red, 0
    for (int32_t y = image.Height - 1; y >= 0; --y) {
        const size_t rowStart = out.size();
        for (int32_t x = 0; x < image.Width; ++x) {
            const uint32_t pixel = image.At(x, y) & 0xFFFFFF;
            if (bitCount == 8) {
                out.push_back(indexOf[pixel]);
            } else {
                out.push_back(static_cast<uint8_t>(pixel));
                out.push_back(static_cast<uint8_t>(pixel >> 8));
                out.push_back(static_cast<uint8_t>(pixel >> 16));
                if (bitCount == 32) out.push_back(0);
            }
        }
        out.resize(rowStart + static_cast<size_t>(rowBytes), 0);
    }
    return out;
}

// ---------------------------------------------------------------- TDIB

std::unique_ptr<TGraphic> TDIB::Clone() const { return std::make_unique<TDIB>(*this); }

// The pixel bytes follow the header, masks and palette directly, so the
// bytes consumed are those in front of the pixels and the pixels themselves;
// only the ones in front are kept apart.
void TDIB::LoadFromStream(TStream& stream) {
    dib_ = DibData{};
    head_.clear();
    image_.reset();
    const int64_t start = stream.Position();
    DibData dib;
    if (!ReadDib(stream, dib, DibHeaders::CoreAndInfo)) return;
    const int64_t end = stream.Position();
    std::vector<uint8_t> head(static_cast<size_t>(end - start) - dib.Bits.size());
    stream.SetPosition(start);
    stream.ReadBuffer(head.data(), head.size());
    stream.SetPosition(end);
    dib_ = std::move(dib);
    head_ = std::move(head);
}

std::vector<uint8_t> TDIB::Raw() const {
    std::vector<uint8_t> raw(head_);
    raw.insert(raw.end(), dib_.Bits.begin(), dib_.Bits.end());
    return raw;
}

void TDIB::SaveToStream(TStream& stream) const {
    stream.WriteBuffer(head_.data(), head_.size());
    stream.WriteBuffer(dib_.Bits.data(), dib_.Bits.size());
}

const TImage32& TDIB::Image() const {
    if (!image_) image_ = std::make_shared<const TImage32>(DecodeDib(dib_));
    return *image_;
}

// Uncompressed rows decode straight into the destination, so that making
// surfaces needs no decoded copy of the whole picture; run-length data is
// decoded whole (once) and copied.
void TDIB::CopyPixels(int32_t x, int32_t y, int32_t w, int32_t h, uint32_t* dest, size_t pitch) const {
    const bool rle = dib_.Compression == DibCompression::RLE8 || dib_.Compression == DibCompression::RLE4;
    if (rle || image_) return TGraphic::CopyPixels(x, y, w, h, dest, pitch);
    DecodeDibRect(dib_, x, y, w, h, dest, pitch);
}

std::unique_ptr<TDIB> TDIB::FromImage(const TImage32& image, int bitCount) {
    std::vector<uint8_t> bytes = EncodeDib(image, bitCount);
    TBytesView view(bytes.data(), bytes.size());
    auto dib = std::make_unique<TDIB>();
    dib->LoadFromStream(view);
    return dib;
}

}  // namespace skyrend
