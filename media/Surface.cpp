// media/Surface.cpp — surfaces and their text canvas.

#include "media/Surface.h"

#include <algorithm>

namespace skyrend {

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

TDirectDrawSurface::TDirectDrawSurface(int width, int height, bool systemMemory, bool cleared)
    : width_(std::max(width, 0)), height_(std::max(height, 0)), systemMemory_(systemMemory) {
    const size_t count = static_cast<size_t>(width_) * static_cast<size_t>(height_);
    if (cleared)
        pixels_.assign(count, 0u);
    else
        pixels_.resize(count);
}

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
