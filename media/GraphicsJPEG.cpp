// media/GraphicsJPEG.cpp — JPEG pictures through libjpeg: decoding to 32-bit
// pixels when loaded, and encoding for the tools.
//
// libjpeg reports fatal errors through a callback that must not return; it
// jumps back to the call with longjmp, so the functions that call into it keep
// no object with a destructor between the jump point and the calls.

#include <csetjmp>
#include <cstdio>
#include <cstdlib>

#include <jpeglib.h>
#include <jerror.h>

#include "media/Errors.h"
#include "media/Graphics.h"

namespace skyrend {
namespace {

// A hostile progressive image can hold very many scans; more than this many
// is refused.
constexpr int MaxScans = 1000;

struct JpegErrorManager {
    jpeg_error_mgr base;
    jmp_buf jump;
};

void OnJpegError(j_common_ptr info) {
    longjmp(reinterpret_cast<JpegErrorManager*>(info->err)->jump, 1);
}

void OnJpegMessage(j_common_ptr, int) {}  // warnings about corrupt data are not shown

void OnJpegProgress(j_common_ptr info) {
    if (!info->is_decompressor) return;
    if (reinterpret_cast<j_decompress_ptr>(info)->input_scan_number > MaxScans) {
        info->err->msg_code = JERR_BAD_PROGRESSION;
        info->err->error_exit(info);
    }
}

void InstallErrorManager(JpegErrorManager& err) {
    jpeg_std_error(&err.base);
    err.base.error_exit = OnJpegError;
    err.base.emit_message = OnJpegMessage;
}

// Copies one decoded scanline (RGB, or Adobe's inverted CMYK) into pixels.
void StoreScanline(const uint8_t* row, int components, uint32_t* out, int32_t width) {
    for (int32_t x = 0; x < width; ++x) {
        const uint8_t* p = row + x * components;
        if (components == 4) {
            const uint32_t k = p[3];
            out[x] = ((p[0] * k / 255) << 16) | ((p[1] * k / 255) << 8) | (p[2] * k / 255);
        } else {
            out[x] = (uint32_t{p[0]} << 16) | (uint32_t{p[1]} << 8) | p[2];
        }
    }
}

// Decodes into `image`; returns 0, or libjpeg's message code on failure (-1
// for a picture beyond the size limits).
int DecodeJpeg(const std::vector<uint8_t>& jpeg, TImage32& image, std::vector<uint8_t>& row) {
    jpeg_decompress_struct info;
    JpegErrorManager err;
    jpeg_progress_mgr progress{};
    progress.progress_monitor = OnJpegProgress;
    InstallErrorManager(err);
    info.err = &err.base;
    if (setjmp(err.jump)) {
        const int code = err.base.msg_code;
        jpeg_destroy_decompress(&info);
        return code == 0 ? JERR_INPUT_EMPTY : code;
    }
    jpeg_create_decompress(&info);
    info.progress = &progress;
    jpeg_mem_src(&info, jpeg.data(), static_cast<unsigned long>(jpeg.size()));
    jpeg_read_header(&info, TRUE);
    if (!PictureSizeAllowed(info.image_width, info.image_height) ||
        !TPictureBudget::Take(info.image_width, info.image_height)) {
        jpeg_destroy_decompress(&info);
        return -1;
    }
    const bool cmyk = info.jpeg_color_space == JCS_CMYK || info.jpeg_color_space == JCS_YCCK;
    info.out_color_space = cmyk ? JCS_CMYK : JCS_RGB;
    jpeg_start_decompress(&info);
    const int32_t width = static_cast<int32_t>(info.output_width);
    const int32_t height = static_cast<int32_t>(info.output_height);
    const int components = info.output_components;
    image = TImage32(width, height);
    row.resize(static_cast<size_t>(width) * components);
    while (info.output_scanline < info.output_height) {
        JSAMPROW rows[1] = {row.data()};
        const int32_t y = static_cast<int32_t>(info.output_scanline);
        if (jpeg_read_scanlines(&info, rows, 1) != 1) break;
        StoreScanline(row.data(), components, &image.At(0, y), width);
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    return 0;
}

// Encodes RGB rows; returns false when libjpeg fails. `out` receives
// libjpeg's buffer (to be freed by the caller).
bool EncodeJpeg(const TImage32& image, int quality, std::vector<uint8_t>& row,
                unsigned char*& out, unsigned long& outSize) {
    jpeg_compress_struct info;
    JpegErrorManager err;
    InstallErrorManager(err);
    info.err = &err.base;
    if (setjmp(err.jump)) {
        jpeg_destroy_compress(&info);
        return false;
    }
    jpeg_create_compress(&info);
    jpeg_mem_dest(&info, &out, &outSize);
    info.image_width = static_cast<JDIMENSION>(image.Width);
    info.image_height = static_cast<JDIMENSION>(image.Height);
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, quality, TRUE);
    jpeg_start_compress(&info, TRUE);
    row.resize(static_cast<size_t>(image.Width) * 3);
    while (info.next_scanline < info.image_height) {
        const int32_t y = static_cast<int32_t>(info.next_scanline);
        for (int32_t x = 0; x < image.Width; ++x) {
            const uint32_t p = image.At(x, y);
            row[3 * x] = static_cast<uint8_t>(p >> 16);
            row[3 * x + 1] = static_cast<uint8_t>(p >> 8);
            row[3 * x + 2] = static_cast<uint8_t>(p);
        }
        JSAMPROW rows[1] = {row.data()};
        jpeg_write_scanlines(&info, rows, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    return true;
}

}  // namespace

std::unique_ptr<TGraphic> TJPEGImage::Clone() const { return std::make_unique<TJPEGImage>(*this); }

void TJPEGImage::LoadFromStream(TStream& stream) {
    uint8_t size[4];
    stream.ReadBuffer(size, 4);
    const uint32_t count = size[0] | (size[1] << 8) | (size[2] << 16) | (uint32_t{size[3]} << 24);
    if (count > stream.Remaining()) throw EReadError("Stream-Lesefehler");
    std::vector<uint8_t> jpeg(count);
    stream.ReadBuffer(jpeg.data(), jpeg.size());
    LoadFromJPEG(jpeg);
}

void TJPEGImage::SaveToStream(TStream& stream) const {
    const uint32_t count = static_cast<uint32_t>(jpeg_.size());
    const uint8_t size[4] = {static_cast<uint8_t>(count), static_cast<uint8_t>(count >> 8),
                             static_cast<uint8_t>(count >> 16), static_cast<uint8_t>(count >> 24)};
    stream.WriteBuffer(size, 4);
    stream.WriteBuffer(jpeg_.data(), jpeg_.size());
}

void TJPEGImage::LoadFromJPEG(const std::vector<uint8_t>& jpeg) {
    jpeg_.clear();
    image_ = TImage32();
    if (jpeg.empty()) return;
    TImage32 image;
    std::vector<uint8_t> row;
    const int code = DecodeJpeg(jpeg, image, row);
    if (code == -1) throw EInvalidGraphic(Format("JPEG error #%d", JERR_IMAGE_TOO_BIG));
    if (code != 0) throw EInvalidGraphic(Format("JPEG error #%d", code));
    image_ = std::move(image);
    jpeg_ = jpeg;
}

std::vector<uint8_t> TJPEGImage::Encode(const TImage32& image, int quality) {
    if (image.Empty()) return {};
    std::vector<uint8_t> row;
    unsigned char* out = nullptr;
    unsigned long outSize = 0;
    const bool ok = EncodeJpeg(image, quality, row, out, outSize);
    std::vector<uint8_t> bytes;
    if (ok) bytes.assign(out, out + outSize);
    std::free(out);
    if (!ok) throw EInvalidGraphic(Format("JPEG error #%d", JERR_IMAGE_TOO_BIG));
    return bytes;
}

std::unique_ptr<TJPEGImage> TJPEGImage::FromImage(const TImage32& image, int quality) {
    auto jpeg = std::make_unique<TJPEGImage>();
    jpeg->LoadFromJPEG(Encode(image, quality));
    return jpeg;
}

}  // namespace skyrend
