// tools/common/PngFile.h — writing and reading 8-bit RGB(A) PNG files for the
// tools and tests.

#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace skyrend {

// Writes 32-bit 0x00RRGGBB pixels (rows `pitch` pixels apart) as 8-bit RGB.
bool WritePngRgb(const std::string& path, const uint32_t* pixels, int width, int height, int pitch);

// Reads a PNG into 0xAARRGGBB pixels, top row first.
bool ReadPng(const std::string& path, std::vector<uint32_t>& pixels, int& width, int& height);

}  // namespace skyrend
