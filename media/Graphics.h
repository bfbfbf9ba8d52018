// media/Graphics.h — pictures: a TPicture holds one graphic (or none), read
// from and written to the "Data" byte block of a component stream.
//
// The block is a length byte and a graphic class name, then the graphic's own
// data. Registered classes: TDIB (media/DIB.h), TBitmap (a bitmap file with a
// 4-byte size before it) and TJPEGImage (a JPEG image with a 4-byte size
// before it). Class names are looked up case-sensitively; an unknown name
// leaves the picture empty. Every graphic gives its pixels as a TImage32.

#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "media/ComponentStream.h"
#include "media/Persistent.h"
#include "media/Streams.h"

namespace skyrend {

// Limits on a picture from a file: at most this many pixels a side and this
// many bytes of 32-bit pixels; larger ones are refused as invalid.
constexpr int32_t MaxPictureSide = 16384;
constexpr int64_t MaxPictureBytes = int64_t{256} << 20;

// True when a picture of this size is within the limits (0 x 0 is).
bool PictureSizeAllowed(int64_t width, int64_t height);

// A file of a few bytes can declare a picture of the largest size (a
// run-length bitmap that ends at once, a cut-off JPEG), so the pictures one
// collection file declares are also bounded together: while a budget lives,
// every picture read takes its 32-bit pixels from it, and one that does not
// fit is refused like a picture too large on its own. Budgets nest; the
// innermost one counts. Only the user-interface thread reads pictures.
constexpr int64_t MaxCollectionPictureBytes = MaxPictureBytes;

class TPictureBudget {
public:
    TPictureBudget();
    ~TPictureBudget();
    TPictureBudget(const TPictureBudget&) = delete;
    TPictureBudget& operator=(const TPictureBudget&) = delete;

    // Takes a picture of this size from the innermost budget; false, taking
    // nothing, when it does not fit. Without a budget, always true.
    static bool Take(int64_t width, int64_t height);

private:
    int64_t used_ = 0;
    TPictureBudget* outer_;
};

// A decoded picture: Width x Height pixels 0x00RRGGBB, rows top-down.
struct TImage32 {
    int32_t Width = 0;
    int32_t Height = 0;
    std::vector<uint32_t> Pixels;

    TImage32() = default;
    TImage32(int32_t width, int32_t height, uint32_t fill = 0);
    bool Empty() const { return Width <= 0 || Height <= 0; }
    uint32_t At(int32_t x, int32_t y) const { return Pixels[static_cast<size_t>(y) * Width + x]; }
    uint32_t& At(int32_t x, int32_t y) { return Pixels[static_cast<size_t>(y) * Width + x]; }
    bool operator==(const TImage32&) const = default;
};

// A TColor (0x00BBGGRR) resolved to RGB: system colours through a fixed
// table of the usual desktop defaults; others as they are.
TColor ColorToRGB(TColor color);
// A TColor as a pixel 0x00RRGGBB (resolved first; the top byte dropped).
uint32_t ColorToPixel(TColor color);

class TGraphic {
public:
    virtual ~TGraphic() = default;
    virtual std::string ClassName() const = 0;
    virtual std::unique_ptr<TGraphic> Clone() const = 0;

    // Reads the graphic's data: the rest of a picture's data block.
    virtual void LoadFromStream(TStream& stream) = 0;
    // Writes the data in the form LoadFromStream reads: exactly the bytes it
    // consumed, when it was loaded from a stream (a picture relies on that to
    // write its data block back as it was read).
    virtual void SaveToStream(TStream& stream) const = 0;

    virtual int32_t Width() const = 0;
    virtual int32_t Height() const = 0;
    bool Empty() const { return Width() <= 0 || Height() <= 0; }

    // The pixels, decoded on first use (safe for any data that loaded).
    virtual const TImage32& Image() const = 0;

    // Writes the pixels of the rectangle at (x, y), width w and height h,
    // which lies within the picture, to `dest`, its rows `pitch` pixels
    // apart, each pixel 0x00RRGGBB. This one copies from Image(); a graphic
    // that can decode straight into `dest` does so without keeping the
    // decoded picture.
    virtual void CopyPixels(int32_t x, int32_t y, int32_t w, int32_t h, uint32_t* dest, size_t pitch) const;
};

// The graphic class registry: a new, empty graphic of the named class, or
// null when no class of that name (compared case-sensitively) is registered.
using TGraphicFactory = std::function<std::unique_ptr<TGraphic>()>;
std::unique_ptr<TGraphic> CreateGraphic(const std::string& className);
void RegisterGraphicClass(const std::string& className, TGraphicFactory factory);

// A graphic decoded as it is loaded: its size and pixels are those of the
// decoded image.
class TDecodedGraphic : public TGraphic {
public:
    int32_t Width() const override { return image_.Width; }
    int32_t Height() const override { return image_.Height; }
    const TImage32& Image() const override { return image_; }

protected:
    TImage32 image_;
};

// A standard bitmap file (with its 14-byte file header) in a picture, decoded
// when loaded. Its data is a 4-byte size and then the file. A bad file: EInvalidGraphic
// "Bitmap image is not valid" (bad DIB parts: "DIB is invalid").
class TBitmap : public TDecodedGraphic {
public:
    std::string ClassName() const override { return "TBitmap"; }
    std::unique_ptr<TGraphic> Clone() const override;
    void LoadFromStream(TStream& stream) override;
    void SaveToStream(TStream& stream) const override;

    // Reads a whole bitmap file; an empty one gives an empty bitmap.
    void LoadFromFileImage(const std::vector<uint8_t>& file);
    const std::vector<uint8_t>& FileImage() const { return file_; }
    // A 24-bit bitmap file of these pixels.
    static std::vector<uint8_t> EncodeFile(const TImage32& image);
    static std::unique_ptr<TBitmap> FromImage(const TImage32& image);

private:
    std::vector<uint8_t> file_;
};

// A JPEG/JFIF image in a picture, decoded with libjpeg when loaded. Its data
// is a 4-byte size and then the image. A bad image: EInvalidGraphic
// "JPEG error #%d" with libjpeg's message code.
class TJPEGImage : public TDecodedGraphic {
public:
    std::string ClassName() const override { return "TJPEGImage"; }
    std::unique_ptr<TGraphic> Clone() const override;
    void LoadFromStream(TStream& stream) override;
    void SaveToStream(TStream& stream) const override;

    // Decodes a whole JPEG image; an empty one gives an empty picture.
    void LoadFromJPEG(const std::vector<uint8_t>& jpeg);
    const std::vector<uint8_t>& JPEGImage() const { return jpeg_; }
    // A baseline JPEG of these pixels (quality 1 .. 100).
    static std::vector<uint8_t> Encode(const TImage32& image, int quality);
    static std::unique_ptr<TJPEGImage> FromImage(const TImage32& image, int quality);

private:
    std::vector<uint8_t> jpeg_;
};

// A picture: one graphic or none. Its one stored property is "Data".
class TPicture : public TPersistent {
public:
    TPicture() = default;
    TPicture(const TPicture& other);
    TPicture& operator=(const TPicture& other);
    TPicture(TPicture&&) = default;
    TPicture& operator=(TPicture&&) = default;

    std::string ClassName() const override { return "TPicture"; }
    // "Data": a byte block read through LoadData.
    bool ReadProperty(const std::string& name, TReader& reader) override;
    // Writes "Data" when HasData (as the owner's sub-property, the owner
    // writes "Picture.Data" itself with DataBlock()).
    void WriteProperties(TWriter& writer) const override;

    // Reads a data block: class name, then the graphic's data. An unknown
    // class leaves the picture empty; DataBlock gives the block back either
    // way. A block too short for its class name (an empty one too) is a read
    // error. The stream form reads the whole of `block` from its start.
    void LoadData(const std::vector<uint8_t>& block);
    void LoadData(TStream& block);
    // The data block: the bytes it was read from, or else made from the
    // graphic; empty when the picture has neither.
    std::vector<uint8_t> DataBlock() const;
    bool HasData() const { return !data_.empty() || graphic_ != nullptr; }

    // The graphic (null for none).
    TGraphic* Graphic() const { return graphic_.get(); }
    void SetGraphic(std::unique_ptr<TGraphic> graphic);
    void Clear();
    // The class name the data block named ("" when none was read).
    const std::string& DataClassName() const { return dataClass_; }

    // No graphic, or a graphic of no pixels.
    bool Empty() const { return !graphic_ || graphic_->Empty(); }
    int32_t Width() const { return graphic_ ? graphic_->Width() : 0; }
    int32_t Height() const { return graphic_ ? graphic_->Height() : 0; }
    // The pixels (an empty image when the picture is empty).
    const TImage32& Image() const;
    // Counts the changes of the graphic: what was made from one version of
    // the picture holds for as long as the count stays.
    uint64_t Version() const { return version_; }

private:
    std::unique_ptr<TGraphic> graphic_;
    uint64_t version_ = 0;
    std::vector<uint8_t> data_;  // the block as read, unless the graphic gives it back; dropped by SetGraphic/Clear
    std::string dataClass_;
};

}  // namespace skyrend
