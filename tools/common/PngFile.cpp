// tools/common/PngFile.cpp — PNG through libpng's simplified API.

#include "tools/common/PngFile.h"

#include <png.h>

#include <cstring>

namespace skyrend {

bool WritePngRgb(const std::string& path, const uint32_t* pixels, int width, int height, int pitch) {
    if (width <= 0 || height <= 0) return false;
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
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(width);
    image.height = static_cast<png_uint_32>(height);
    image.format = PNG_FORMAT_RGB;
    return png_image_write_to_file(&image, path.c_str(), 0, rgb.data(), 0, nullptr) != 0;
}

bool ReadPng(const std::string& path, std::vector<uint32_t>& pixels, int& width, int& height) {
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, path.c_str())) return false;
    if (image.width > 16384 || image.height > 16384) {
        png_image_free(&image);
        return false;
    }
    image.format = PNG_FORMAT_BGRA;  // bytes B, G, R, A = 0xAARRGGBB little-endian
    width = static_cast<int>(image.width);
    height = static_cast<int>(image.height);
    pixels.assign(static_cast<size_t>(width) * height, 0);
    if (!png_image_finish_read(&image, nullptr, pixels.data(), 0, nullptr)) {
        png_image_free(&image);
        return false;
    }
    return true;
}

}  // namespace skyrend
