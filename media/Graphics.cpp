// media/Graphics.cpp — pictures and their data blocks, the graphic class
// registry, bitmap files, and colour resolution.

#include "media/Graphics.h"

#include <algorithm>
#include <map>

#include "media/ByteOrder.h"
#include "media/DIB.h"
#include "media/Errors.h"

namespace skyrend {
namespace {

constexpr TColor Rgb(uint32_t r, uint32_t g, uint32_t b) { return r | (g << 8) | (b << 16); }

// The usual desktop defaults of the system colours, by index.
constexpr TColor SystemColors[] = {
    Rgb(200, 200, 200), Rgb(0, 0, 0),       Rgb(153, 180, 209), Rgb(191, 205, 219),  // 0..3
    Rgb(240, 240, 240), Rgb(255, 255, 255), Rgb(100, 100, 100), Rgb(0, 0, 0),        // 4..7
    Rgb(0, 0, 0),       Rgb(0, 0, 0),       Rgb(180, 180, 180), Rgb(244, 247, 252),  // 8..11
    Rgb(171, 171, 171), Rgb(51, 153, 255),  Rgb(255, 255, 255), Rgb(240, 240, 240),  // 12..15
    Rgb(160, 160, 160), Rgb(109, 109, 109), Rgb(0, 0, 0),       Rgb(67, 78, 84),     // 16..19
    Rgb(255, 255, 255), Rgb(105, 105, 105), Rgb(227, 227, 227), Rgb(0, 0, 0),        // 20..23
    Rgb(255, 255, 225), Rgb(181, 181, 181), Rgb(0, 102, 204),   Rgb(185, 209, 234),  // 24..27
    Rgb(215, 228, 242), Rgb(51, 153, 255),  Rgb(240, 240, 240),                      // 28..30
};

std::map<std::string, TGraphicFactory>& Registry() {
    static std::map<std::string, TGraphicFactory> registry = {
        {"TDIB", [] { return std::unique_ptr<TGraphic>(std::make_unique<TDIB>()); }},
        {"TBitmap", [] { return std::unique_ptr<TGraphic>(std::make_unique<TBitmap>()); }},
        {"TJPEGImage", [] { return std::unique_ptr<TGraphic>(std::make_unique<TJPEGImage>()); }},
    };
    return registry;
}


}  // namespace

bool PictureSizeAllowed(int64_t width, int64_t height) {
    return width >= 0 && height >= 0 && width <= MaxPictureSide && height <= MaxPictureSide &&
           width * height * 4 <= MaxPictureBytes;
}

namespace {
TPictureBudget* innermostBudget = nullptr;
}

TPictureBudget::TPictureBudget() : outer_(innermostBudget) { innermostBudget = this; }
TPictureBudget::~TPictureBudget() { innermostBudget = outer_; }

bool TPictureBudget::Take(int64_t width, int64_t height) {
    TPictureBudget* budget = innermostBudget;
    if (!budget) return true;
    if (!PictureSizeAllowed(width, height)) return false;
    const int64_t bytes = width * height * 4;
    if (bytes > MaxCollectionPictureBytes - budget->used_) return false;
    budget->used_ += bytes;
    return true;
}

TImage32::TImage32(int32_t width, int32_t height, uint32_t fill)
    : Width(width), Height(height),
      Pixels(width > 0 && height > 0 ? static_cast<size_t>(width) * static_cast<size_t>(height) : 0, fill) {}

void TGraphic::CopyPixels(int32_t x, int32_t y, int32_t w, int32_t h, uint32_t* dest, size_t pitch) const {
    const TImage32& image = Image();
    for (int32_t row = 0; row < h; ++row) {
        const uint32_t* from = &image.Pixels[static_cast<size_t>(y + row) * static_cast<size_t>(image.Width) + x];
        uint32_t* to = dest + static_cast<size_t>(row) * pitch;
        for (int32_t col = 0; col < w; ++col) to[col] = from[col] & 0x00FFFFFFu;
    }
}

TColor ColorToRGB(TColor color) {
    if ((color & clSystemColor) == 0) return color;
    const uint32_t index = color & 0xFF;
    return index < std::size(SystemColors) ? SystemColors[index] : 0;
}

uint32_t ColorToPixel(TColor color) {
    const TColor rgb = ColorToRGB(color);
    return ((rgb & 0xFF) << 16) | (rgb & 0xFF00) | ((rgb >> 16) & 0xFF);
}

std::unique_ptr<TGraphic> CreateGraphic(const std::string& className) {
    auto& registry = Registry();
    auto found = registry.find(className);
    return found == registry.end() ? nullptr : found->second();
}

void RegisterGraphicClass(const std::string& className, TGraphicFactory factory) {
    Registry()[className] = std::move(factory);
}

// ---------------------------------------------------------------- TBitmap

// A whole picture data block of 4-byte size and payload, checked against the
// stream before it is allocated.
static std::vector<uint8_t> ReadSizedBlock(TStream& stream) {
    uint8_t size[4];
    stream.ReadBuffer(size, 4);
    const uint32_t count = GetLE32(size);
    if (count > stream.Remaining()) throw EReadError("Stream-Lesefehler");
    std::vector<uint8_t> bytes(count);
    stream.ReadBuffer(bytes.data(), bytes.size());
    return bytes;
}

static void WriteSizedBlock(TStream& stream, const std::vector<uint8_t>& bytes) {
    std::vector<uint8_t> size(4);
    StoreLE32(size, 0, static_cast<uint32_t>(bytes.size()));
    stream.WriteBuffer(size.data(), 4);
    stream.WriteBuffer(bytes.data(), bytes.size());
}

std::unique_ptr<TGraphic> TBitmap::Clone() const { return std::make_unique<TBitmap>(*this); }

void TBitmap::LoadFromStream(TStream& stream) { LoadFromFileImage(ReadSizedBlock(stream)); }

void TBitmap::SaveToStream(TStream& stream) const { WriteSizedBlock(stream, file_); }

void TBitmap::LoadFromFileImage(const std::vector<uint8_t>& file) {
    file_.clear();
    image_ = TImage32();
    if (file.empty()) return;
    if (file.size() < 14 || file[0] != 'B' || file[1] != 'M') throw EInvalidGraphic("Bitmap image is not valid");
    const uint32_t pixelOffset = GetLE32(file.data() + 10);
    TBytesView view(file.data() + 14, file.size() - 14);
    DibData dib;
    if (!ReadDib(view, dib, DibHeaders::Any, pixelOffset >= 14 ? int64_t{pixelOffset} - 14 : -1))
        throw EInvalidGraphic("Bitmap image is not valid");
    image_ = DecodeDib(dib);
    file_ = file;
}

std::vector<uint8_t> TBitmap::EncodeFile(const TImage32& image) {
    std::vector<uint8_t> dib = EncodeDib(image, 24);
    std::vector<uint8_t> file(14 + dib.size(), 0);
    file[0] = 'B';
    file[1] = 'M';
    StoreLE32(file, 2, static_cast<uint32_t>(14 + dib.size()));
    StoreLE32(file, 10, 14 + 40);
    std::copy(dib.begin(), dib.end(), file.begin() + 14);
    return file;
}

std::unique_ptr<TBitmap> TBitmap::FromImage(const TImage32& image) {
    auto bitmap = std::make_unique<TBitmap>();
    bitmap->LoadFromFileImage(EncodeFile(image));
    return bitmap;
}

// ---------------------------------------------------------------- TPicture

TPicture::TPicture(const TPicture& other)
    : graphic_(other.graphic_ ? other.graphic_->Clone() : nullptr),
      data_(other.data_),
      dataClass_(other.dataClass_) {}

TPicture& TPicture::operator=(const TPicture& other) {
    if (this != &other) {
        ++version_;
        graphic_ = other.graphic_ ? other.graphic_->Clone() : nullptr;
        data_ = other.data_;
        dataClass_ = other.dataClass_;
    }
    return *this;
}

bool TPicture::ReadProperty(const std::string& name, TReader& reader) {
    if (!SameText(name, "Data")) return false;
    reader.ReadBinary([this](TStream& block) { LoadData(block); });
    return true;
}

void TPicture::WriteProperties(TWriter& writer) const {
    if (HasData()) writer.WriteBinaryProperty("Data", DataBlock());
}

void TPicture::LoadData(const std::vector<uint8_t>& block) {
    TBytesView view(block.data(), block.size());
    LoadData(view);
}

// A graphic that takes the whole block writes the same bytes back, so only
// a block it leaves bytes of (or one of an unknown class) is kept as read.
// Every block starts with the class name's length byte: an empty block is
// cut short like any other (a picture without data is not written at all).
void TPicture::LoadData(TStream& block) {
    Clear();
    block.SetPosition(0);
    uint8_t length = 0;
    block.ReadBuffer(&length, 1);
    std::string className(length, '\0');
    block.ReadBuffer(className.data(), className.size());
    std::unique_ptr<TGraphic> graphic = CreateGraphic(className);
    if (graphic) graphic->LoadFromStream(block);
    if (!graphic || block.Position() != block.Size()) {
        std::vector<uint8_t> bytes(static_cast<size_t>(block.Size()));
        block.SetPosition(0);
        block.ReadBuffer(bytes.data(), bytes.size());
        data_ = std::move(bytes);
    }
    graphic_ = std::move(graphic);
    ++version_;
    dataClass_ = className;
}

std::vector<uint8_t> TPicture::DataBlock() const {
    if (!data_.empty() || !graphic_) return data_;
    TMemoryStream out;
    const std::string name = graphic_->ClassName();
    const uint8_t length = static_cast<uint8_t>(name.size());
    out.WriteBuffer(&length, 1);
    out.WriteBuffer(name.data(), name.size());
    graphic_->SaveToStream(out);
    return out.Bytes();
}

void TPicture::SetGraphic(std::unique_ptr<TGraphic> graphic) {
    ++version_;
    data_.clear();
    dataClass_ = graphic ? graphic->ClassName() : std::string();
    graphic_ = std::move(graphic);
}

void TPicture::Clear() {
    ++version_;
    graphic_.reset();
    data_.clear();
    dataClass_.clear();
}

const TImage32& TPicture::Image() const {
    static const TImage32 none;
    return graphic_ ? graphic_->Image() : none;
}

}  // namespace skyrend
