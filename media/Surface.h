// media/Surface.h — drawing surfaces: 32-bit pixel memory in the display's
// format (0x00RRGGBB), a colour key, and the text canvas of a surface.

#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "media/Graphics.h"
#include "media/RawVector.h"
#include "platform/Platform.h"

namespace skyrend {

// A surface pixel (0x00RRGGBB) of an RGB colour (0x00BBGGRR).
inline uint32_t RGBToPixel(TColor rgb) {
    return ((rgb & 0xFFu) << 16) | (rgb & 0xFF00u) | ((rgb >> 16) & 0xFFu);
}

enum class TBrushStyle { bsSolid, bsClear };

struct TFont {
    TColor Color = 0;         // clWindowText on a new canvas: black
    int Size = 8;             // points
    std::string Name = "MS Sans Serif";
};

struct TBrush {
    TBrushStyle Style = TBrushStyle::bsSolid;
    TColor Color = 0xFFFFFF;  // clWhite
};

class TDirectDrawSurface;

// The text canvas of a surface. It takes the surface lazily at its first
// drawing call and gives it back on Release.
class TDirectDrawSurfaceCanvas {
public:
    explicit TDirectDrawSurfaceCanvas(TDirectDrawSurface& surface) : surface_(surface) {}
    TFont Font;
    TBrush Brush;

    void TextOut(int x, int y, const std::string& text);
    void Release();
    bool Holding() const { return holding_; }

private:
    TDirectDrawSurface& surface_;
    bool holding_ = false;
};

class TDirectDrawSurface {
public:
    // A surface of black pixels; with `cleared` false its pixels are left
    // unset, for a surface that is written over whole at once.
    TDirectDrawSurface(int width, int height, bool systemMemory, bool cleared = true);
    ~TDirectDrawSurface();

    int Width() const { return width_; }
    int Height() const { return height_; }
    bool SystemMemory() const { return systemMemory_; }
    uint32_t* Pixels() { return pixels_.data(); }
    const uint32_t* Pixels() const { return pixels_.data(); }
    int Pitch() const { return width_; }
    uint32_t* Row(int y) { return pixels_.data() + static_cast<size_t>(y) * width_; }
    const uint32_t* Row(int y) const { return pixels_.data() + static_cast<size_t>(y) * width_; }
    platform::PixelView View();

    // Sets every pixel to the raw value. False while the canvas holds the
    // surface.
    bool Fill(uint32_t value);

    // The colour key: pixels of this value are skipped by keyed copies.
    uint32_t ColorKey() const { return colorKey_; }
    void SetColorKey(uint32_t pixel) { colorKey_ = pixel; }
    // The surface pixel of an RGB colour, as the platform converts it: the
    // colour written as one pixel and read back.
    uint32_t ColorToPixel(TColor rgb) const { return RGBToPixel(rgb); }

    TDirectDrawSurfaceCanvas& Canvas();
    // True while the canvas holds the surface: no other drawing meanwhile.
    bool Locked() const { return canvas_ && canvas_->Holding(); }

private:
    int width_;
    int height_;
    bool systemMemory_;
    uint32_t colorKey_ = 0;
    TRawVector<uint32_t> pixels_;
    std::unique_ptr<TDirectDrawSurfaceCanvas> canvas_;
};

}  // namespace skyrend
