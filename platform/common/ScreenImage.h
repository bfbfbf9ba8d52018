// platform/common/ScreenImage.h — the picture on the screen, as the
// primary surface holds it.
//
// Both back-ends keep the screen as a plain 32-bit image of the display mode's
// size: the real one uploads it to its texture, the headless one keeps it for
// screenshots. Presenting copies a surface into it, scaled to the destination
// rectangle and clipped to the screen.

#pragma once

#include <cstdint>
#include <vector>

#include "platform/Platform.h"

namespace skyrend::platform {

// Whether a surface of this size can be held in memory (both back-ends).
bool SurfaceSizeUsable(int width, int height);

class ScreenImage {
public:
    // A new, black image; sizes below 1 make an empty image.
    void Reset(int width, int height);
    int Width() const { return width_; }
    int Height() const { return height_; }
    const std::vector<uint32_t>& Pixels() const { return pixels_; }
    PixelView View();

    // Copies `source` into the rectangle `dest` (nearest-pixel scaling when
    // the sizes differ), clipped to the image. False for an unusable source.
    // With `hash`, also the source's frame hash (platform/common/FrameHash.h),
    // taken in the same pass when the source covers the image exactly.
    bool CopyFrom(const PixelView& source, const Rect& dest, uint64_t* hash = nullptr);

private:
    int width_ = 0;
    int height_ = 0;
    std::vector<uint32_t> pixels_;
};

}  // namespace skyrend::platform
