// tools/dxgtool/Png.cpp — pictures to and from PNG bytes.

#include "tools/dxgtool/Png.h"

#include <stdexcept>

#include "media/Errors.h"
#include "tools/common/PngFile.h"

namespace skyrend::dxgtool {

TImage32 ImageFromPng(const std::vector<uint8_t>& bytes) {
    try {
        PngPicture png = DecodePng(bytes, PictureSizeAllowed);
        TImage32 image;
        image.Width = png.width;
        image.Height = png.height;
        image.Pixels = std::move(png.pixels);
        return image;
    } catch (const std::runtime_error& error) {
        throw EInvalidGraphic(error.what());
    }
}

std::vector<uint8_t> PngFromImage(const TImage32& image) {
    try {
        return EncodePngRgb(image.Pixels.data(), image.Width, image.Height, image.Width);
    } catch (const std::runtime_error& error) {
        throw EInvalidGraphic(error.what());
    }
}

}  // namespace skyrend::dxgtool
