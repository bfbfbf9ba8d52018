// tools/make-assets/Writer.h — turns the artwork and sounds into the game's
// collection files, with the media layer's own component-resource writer.

#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tools/make-assets/Assets.h"

namespace skyrend::assets {

// A .dxg image: one item per picture, each a 24-bit TDIB with one pattern
// (pattern size 0), transparent with the black colour key. Items are named
// "<stem>_<index>" so no two items of the game share a name.
std::vector<uint8_t> PictureFileImage(const PictureFile& file);
// A .dxw image: one one-shot item per sound, no limit on simultaneous plays.
std::vector<uint8_t> WaveFileImage(const std::vector<Sound>& sounds);
// A RIFF WAVE image of one sound (for checking it with other tools).
std::vector<uint8_t> WaveImage(const Sound& sound);

}  // namespace skyrend::assets
