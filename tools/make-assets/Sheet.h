// tools/make-assets/Sheet.h — contact sheets: every item of a picture file
// side by side in one PNG, for looking the artwork over.

#pragma once

#include <string>

#include "tools/make-assets/Assets.h"

namespace skyrend::assets {

// Lays the items out in a grid (small items enlarged), each with its index;
// the colour key shows as a dark slate so the pictures' extents are visible.
void WriteContactSheet(const PictureFile& file, const std::string& path);

}  // namespace skyrend::assets
