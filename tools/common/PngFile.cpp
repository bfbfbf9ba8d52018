// tools/common/PngFile.cpp — PNG through libpng's simplified API.

#include "tools/common/PngFile.h"

#include <png.h>

#include <fstream>
#include <stdexcept>

namespace skyrend {

namespace {

[[noreturn]] void Fail(png_image& image, const char* what) {
    std::string message = std::string(what) + ": " + image.message;
    png_image_free(&image);
    throw std::runtime_error(message);
}

}  // namespace

std::vector<uint8_t> EncodePngRgb(const uint32_t* pixels, int width, int height, int pitch) {
    if (width <= 0 || height <= 0) throw std::runtime_error("PNG cannot be written: empty picture");
    std::vector<uint8_t> rgb(static_cast<size_t>(width) * height * 3);
    for (int y = 0; y < height; ++y) {
        const uint32_t* row = pixels + static_cast<size_t>(y) * pitch;
        uint8_t* out = rgb.data() + static_cast<size_t>(y) * width * 3;
        for (int x = 0; x < width; ++x) {
            out[3 * x] = static_cast<uint8_t>(row[x] >> 16);
            out[3 * x + 1] = static_cast<uint8_t>(row[x] >> 8);
            out[3 * x + 2] = static_cast<uint8_t>(row[x]);
        }
    }
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(width);
    image.height = static_cast<png_uint_32>(height);
    image.format = PNG_FORMAT_RGB;
    png_alloc_size_t size = 0;
    if (!png_image_write_to_memory(&image, nullptr, &size, 0, rgb.data(), 0, nullptr))
        Fail(image, "PNG cannot be written");
    std::vector<uint8_t> out(size);
    if (!png_image_write_to_memory(&image, out.data(), &size, 0, rgb.data(), 0, nullptr))
        Fail(image, "PNG cannot be written");
    out.resize(size);
    return out;
}

PngPicture DecodePng(const std::vector<uint8_t>& bytes, bool (*allowed)(int64_t width, int64_t height)) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&image, bytes.data(), bytes.size())) Fail(image, "PNG is invalid");
    const bool fits = allowed ? allowed(image.width, image.height)
                              : image.width <= PngLargestSide && image.height <= PngLargestSide;
    if (!fits) {
        png_image_free(&image);
        throw std::runtime_error("PNG is too large");
    }
    image.format = PNG_FORMAT_RGB;
    std::vector<uint8_t> rgb(PNG_IMAGE_SIZE(image));
    png_color black{0, 0, 0};
    if (!png_image_finish_read(&image, &black, rgb.data(), 0, nullptr)) Fail(image, "PNG is invalid");
    PngPicture out{static_cast<int>(image.width), static_cast<int>(image.height), {}};
    out.pixels.resize(static_cast<size_t>(out.width) * static_cast<size_t>(out.height));
    for (size_t i = 0; i < out.pixels.size(); ++i)
        out.pixels[i] = (uint32_t{rgb[3 * i]} << 16) | (uint32_t{rgb[3 * i + 1]} << 8) | rgb[3 * i + 2];
    return out;
}

bool WritePngRgb(const std::string& path, const uint32_t* pixels, int width, int height, int pitch) {
    try {
        const std::vector<uint8_t> png = EncodePngRgb(pixels, width, height, pitch);
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(png.data()), static_cast<std::streamsize>(png.size()));
        return static_cast<bool>(out);
    } catch (const std::runtime_error&) {
        return false;
    }
}

}  // namespace skyrend
