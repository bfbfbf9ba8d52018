// tools/common/PngFile.h — 8-bit PNG in and out of the tools and tests,
// through libpng's simplified API: the one wrapper of it.

#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace skyrend {

// A decoded picture: 0x00RRGGBB pixels, top row first, alpha composited
// onto black.
struct PngPicture {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;
};

// The largest side a decoded picture may have.
constexpr uint32_t PngLargestSide = 16384;

// 32-bit 0x00RRGGBB pixels (rows `pitch` pixels apart) as an 8-bit RGB PNG.
// Throws std::runtime_error with libpng's message when it cannot be made.
std::vector<uint8_t> EncodePngRgb(const uint32_t* pixels, int width, int height, int pitch);
// Any PNG whose size `allowed` accepts (by default neither side above
// PngLargestSide). Throws std::runtime_error ("PNG is invalid: ..." with
// libpng's message, or "PNG is too large").
PngPicture DecodePng(const std::vector<uint8_t>& bytes, bool (*allowed)(int64_t width, int64_t height) = nullptr);

// The same as a file; false on any failure.
bool WritePngRgb(const std::string& path, const uint32_t* pixels, int width, int height, int pitch);

}  // namespace skyrend
