// platform/common/ScreenImage.cpp — copying a surface onto the screen image.

#include "platform/common/ScreenImage.h"

#include <algorithm>

#include "platform/common/FrameHash.h"

namespace skyrend::platform {

bool SurfaceSizeUsable(int width, int height) {
    constexpr int MaxSide = 16384;
    return width >= 1 && height >= 1 && width <= MaxSide && height <= MaxSide;
}

void ScreenImage::Reset(int width, int height) {
    width_ = std::max(width, 0);
    height_ = std::max(height, 0);
    if (width_ == 0 || height_ == 0) width_ = height_ = 0;
    pixels_.assign(static_cast<size_t>(width_) * static_cast<size_t>(height_), 0);
}

PixelView ScreenImage::View() {
    return PixelView{pixels_.empty() ? nullptr : pixels_.data(), width_, height_, width_};
}

bool ScreenImage::CopyFrom(const PixelView& source, const Rect& dest, uint64_t* hash) {
    if (!source.pixels || source.width <= 0 || source.height <= 0 || source.pitch < source.width)
        return false;
    if (hash) {
        if (dest == Rect{0, 0, width_, height_} && source.width == width_ && source.height == height_) {
            FrameHasher hasher(width_, height_);
            for (int y = 0; y < height_; ++y)
                hasher.CopyRow(source.pixels + static_cast<size_t>(y) * source.pitch,
                               pixels_.data() + static_cast<size_t>(y) * width_);
            *hash = hasher.Finish();
            return true;
        }
        *hash = HashFrame(source);
    }
    const int destW = dest.Width();
    const int destH = dest.Height();
    if (destW <= 0 || destH <= 0) return true;

    const int left = std::max(dest.left, 0);
    const int top = std::max(dest.top, 0);
    const int right = std::min(dest.right, width_);
    const int bottom = std::min(dest.bottom, height_);
    const bool sameSize = destW == source.width && destH == source.height;
    for (int y = top; y < bottom; ++y) {
        // 64-bit products: a large destination must not overflow the scaling.
        const int64_t sy = sameSize ? y - dest.top : int64_t{y - dest.top} * source.height / destH;
        const uint32_t* srcRow = source.pixels + sy * source.pitch;
        uint32_t* dstRow = pixels_.data() + static_cast<size_t>(y) * width_;
        if (sameSize) {
            std::copy(srcRow + (left - dest.left), srcRow + (right - dest.left), dstRow + left);
            continue;
        }
        for (int x = left; x < right; ++x) {
            const int64_t sx = int64_t{x - dest.left} * source.width / destW;
            dstRow[x] = srcRow[sx];
        }
    }
    return true;
}

}  // namespace skyrend::platform
