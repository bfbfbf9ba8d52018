// media/Surface.cpp — surfaces and their text canvas.

#include "media/Surface.h"

#include <algorithm>

namespace skyrend {

namespace {

// The usual desktop defaults for the system colours 0..30 (0x00BBGGRR).
constexpr TColor SystemColors[31] = {
    0xC8C8C8,  // scroll bar
    0xA56E3A,  // background (desktop)
    0xD1B499,  // active caption
    0xDBCDBF,  // inactive caption
    0xF0F0F0,  // menu
    0xFFFFFF,  // window
    0x646464,  // window frame
    0x000000,  // menu text
    0x000000,  // window text
    0x000000,  // caption text
    0xB4B4B4,  // active border
    0xFCF7F4,  // inactive border
    0xABABAB,  // application workspace
    0xD77800,  // highlight
    0xFFFFFF,  // highlight text
    0xF0F0F0,  // button face
    0xA0A0A0,  // button shadow
    0x6D6D6D,  // gray text
    0x000000,  // button text
    0x000000,  // inactive caption text
    0xFFFFFF,  // button highlight
    0x696969,  // 3-D dark shadow
    0xE3E3E3,  // 3-D light
    0x000000,  // info text
    0xE1FFFF,  // info background
    0xB5B5B5,  // (unused slot 25)
    0xCC6600,  // hot light
    0xEAD1B9,  // gradient active caption
    0xF2E4D7,  // gradient inactive caption
    0xFF9933,  // menu highlight
    0xF0F0F0,  // menu bar
};

}  // namespace

TColor ColorToRGB(TColor color) {
    if (color & 0x80000000u) {
        uint32_t index = color & 0xFFu;
        return index < 31 ? SystemColors[index] : 0;
    }
    return color & 0x00FFFFFFu;
}

void TDirectDrawSurfaceCanvas::TextOut(int x, int y, const std::string& text) {
    holding_ = true;
    platform::TextStyle style;
    style.color = RGBToPixel(ColorToRGB(Font.Color));
    style.pointSize = Font.Size;
    style.opaque = Brush.Style != TBrushStyle::bsClear;
    style.background = RGBToPixel(ColorToRGB(Brush.Color));
    int w = 0, h = 0;
    platform::Current().DrawText(surface_.View(), x, y, text, style, w, h);
}

void TDirectDrawSurfaceCanvas::Release() { holding_ = false; }

TDirectDrawSurface::TDirectDrawSurface(int width, int height, bool systemMemory)
    : width_(std::max(width, 0)),
      height_(std::max(height, 0)),
      systemMemory_(systemMemory),
      pixels_(static_cast<size_t>(width_) * static_cast<size_t>(height_), 0u) {}

TDirectDrawSurface::~TDirectDrawSurface() = default;

platform::PixelView TDirectDrawSurface::View() {
    return {pixels_.data(), width_, height_, width_};
}

bool TDirectDrawSurface::Fill(uint32_t value) {
    if (Locked()) return false;
    std::fill(pixels_.begin(), pixels_.end(), value);
    return true;
}

TDirectDrawSurfaceCanvas& TDirectDrawSurface::Canvas() {
    if (!canvas_) canvas_ = std::make_unique<TDirectDrawSurfaceCanvas>(*this);
    return *canvas_;
}

}  // namespace skyrend
