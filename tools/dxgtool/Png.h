// tools/dxgtool/Png.h — the tool's pictures as PNG files, over the shared
// PNG wrapper, with the media layer's size limit and error class.

#pragma once

#include <cstdint>
#include <vector>

#include "media/Graphics.h"

namespace skyrend::dxgtool {

// Any PNG, as 0x00RRGGBB pixels (alpha composited onto black). Throws
// EInvalidGraphic with libpng's message on a bad file.
TImage32 ImageFromPng(const std::vector<uint8_t>& bytes);
// An 8-bit RGB PNG of the pixels.
std::vector<uint8_t> PngFromImage(const TImage32& image);

}  // namespace skyrend::dxgtool
