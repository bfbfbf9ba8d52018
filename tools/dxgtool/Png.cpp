// tools/dxgtool/Png.cpp — PNG through libpng's simplified API.

#include "tools/dxgtool/Png.h"

#include <png.h>

#include <string>

#include "media/Errors.h"

namespace skyrend::dxgtool {

namespace {

[[noreturn]] void Fail(png_image& image, const char* what) {
    std::string message = std::string(what) + ": " + image.message;
    png_image_free(&image);
    throw EInvalidGraphic(message);
}

}  // namespace

TImage32 DecodePng(const std::vector<uint8_t>& bytes) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&image, bytes.data(), bytes.size())) Fail(image, "PNG is invalid");
    if (!PictureSizeAllowed(image.width, image.height)) {
        png_image_free(&image);
        throw EInvalidGraphic("PNG is too large");
    }
    image.format = PNG_FORMAT_RGB;
    std::vector<uint8_t> rgb(PNG_IMAGE_SIZE(image));
    png_color black{0, 0, 0};
    if (!png_image_finish_read(&image, &black, rgb.data(), 0, nullptr)) Fail(image, "PNG is invalid");
    TImage32 out(static_cast<int32_t>(image.width), static_cast<int32_t>(image.height));
    for (size_t i = 0; i < out.Pixels.size(); ++i)
        out.Pixels[i] = (uint32_t{rgb[3 * i]} << 16) | (uint32_t{rgb[3 * i + 1]} << 8) | rgb[3 * i + 2];
    return out;
}

std::vector<uint8_t> EncodePng(const TImage32& source) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(source.Width);
    image.height = static_cast<png_uint_32>(source.Height);
    image.format = PNG_FORMAT_RGB;
    std::vector<uint8_t> rgb(source.Pixels.size() * 3);
    for (size_t i = 0; i < source.Pixels.size(); ++i) {
        rgb[3 * i] = static_cast<uint8_t>(source.Pixels[i] >> 16);
        rgb[3 * i + 1] = static_cast<uint8_t>(source.Pixels[i] >> 8);
        rgb[3 * i + 2] = static_cast<uint8_t>(source.Pixels[i]);
    }
    png_alloc_size_t size = 0;
    if (!png_image_write_to_memory(&image, nullptr, &size, 0, rgb.data(), 0, nullptr))
        Fail(image, "PNG cannot be written");
    std::vector<uint8_t> out(size);
    if (!png_image_write_to_memory(&image, out.data(), &size, 0, rgb.data(), 0, nullptr))
        Fail(image, "PNG cannot be written");
    out.resize(size);
    return out;
}

}  // namespace skyrend::dxgtool
