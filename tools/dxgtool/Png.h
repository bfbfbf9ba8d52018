// tools/dxgtool/Png.h — PNG files in and out of the tool, through libpng.

#pragma once

#include <cstdint>
#include <vector>

#include "media/Graphics.h"

namespace skyrend::dxgtool {

// Any PNG, as 0x00RRGGBB pixels (alpha composited onto black). Throws
// EInvalidGraphic with libpng's message on a bad file.
TImage32 DecodePng(const std::vector<uint8_t>& bytes);
// An 8-bit RGB PNG of the pixels.
std::vector<uint8_t> EncodePng(const TImage32& image);

}  // namespace skyrend::dxgtool
