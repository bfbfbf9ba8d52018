// platform/common/TextRasteriser.h — text onto a 32-bit surface.
//
// The canvas face is found through fontconfig (DejaVu Sans stands in for the
// desktop's MS Sans Serif) and drawn with SDL2_ttf, anti-aliased and blended
// onto the target. Both back-ends use this one rasteriser, so text looks the
// same pixel for pixel in the game and in the simulator. It needs no window:
// SDL2_ttf runs without the video subsystem.

#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "platform/Platform.h"

namespace skyrend::platform {

class TextRasteriser {
public:
    explicit TextRasteriser(std::string family = "DejaVu Sans");
    ~TextRasteriser();
    TextRasteriser(const TextRasteriser&) = delete;
    TextRasteriser& operator=(const TextRasteriser&) = delete;

    // Draws `utf8` with its box's top-left at (x, y), clipped to the target,
    // and gives the box's size. With no usable face nothing is drawn and the
    // size is 0 x 0.
    void Draw(const PixelView& target, int x, int y, std::string_view utf8, const TextStyle& style,
              int& width, int& height);

    // The font file in use; empty when fontconfig found none or it cannot be opened.
    const std::string& FontFile();

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace skyrend::platform
