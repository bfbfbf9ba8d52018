// tools/make-assets/Canvas.h — cairo drawing surfaces and the colour-keyed
// pictures they turn into.
//
// Every piece of artwork is drawn with alpha on a cairo ARGB32 surface and
// then flattened over black: the game draws its sprites on black space with
// black as the colour key, so faint glow that would be nearly black anyway
// becomes transparent and nothing fringes.

#pragma once

#include <cairo.h>

#include <cstdint>
#include <string>
#include <vector>

namespace skyrend::assets {

// The colour key of every picture the asset maker writes (TColor clBlack).
constexpr uint32_t KeyColour = 0x000000;
// Opaque art that comes out exactly black is lifted to this, so that the key
// never appears inside a sprite.
constexpr uint32_t NearBlack = 0x010101;

// An opaque bitmap ready for a collection item: 0x00RRGGBB, top row first.
struct Picture {
    int32_t Width = 0;
    int32_t Height = 0;
    std::vector<uint32_t> Pixels;

    uint32_t At(int32_t x, int32_t y) const { return Pixels[static_cast<size_t>(y) * Width + x]; }
    bool operator==(const Picture&) const = default;
};

// A colour with components in 0..1.
struct Rgb {
    double R = 0, G = 0, B = 0;
};
Rgb Mix(Rgb a, Rgb b, double t);
Rgb Scale(Rgb c, double k);

// An ARGB32 cairo surface with its drawing context.
class Canvas {
public:
    Canvas(int width, int height);
    ~Canvas();
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    cairo_t* Cr() const { return cr_; }
    cairo_surface_t* Surface() const { return surface_; }
    int Width() const { return width_; }
    int Height() const { return height_; }

    // Direct access to the premultiplied pixels; call Flush before and
    // MarkDirty after writing them.
    uint32_t* Row(int y);
    void Flush();
    void MarkDirty();

    // Adds light with alpha `a` on top of what is there (premultiplied
    // "over"), for per-pixel effects.
    void BlendPixel(int x, int y, Rgb colour, double a);
    // Draws another canvas onto this one at (x, y).
    void Paint(const Canvas& other, double x, double y, double alpha = 1.0);

    // Flattens over black with the key where the art is (almost) empty.
    Picture ToPicture();

private:
    int width_;
    int height_;
    cairo_surface_t* surface_;
    cairo_t* cr_;
};

// Flattening rule for one premultiplied ARGB32 pixel.
uint32_t FlattenPixel(uint32_t argb);

// Helpers for the drawing context.
void SetColour(cairo_t* cr, Rgb c, double alpha = 1.0);
void AddStop(cairo_pattern_t* p, double offset, Rgb c, double alpha = 1.0);
// A radial glow: `core` at the centre fading to nothing at `radius`.
void Glow(cairo_t* cr, double x, double y, double radius, Rgb colour, double alpha,
          double falloff = 2.0);
void RoundedRect(cairo_t* cr, double x, double y, double w, double h, double r);

// Fixed font settings so that text renders the same on every run.
void UseFont(cairo_t* cr, double size, bool bold);

// A cairo image surface holding the picture, each pixel through `pixel`
// (0x00RRGGBB in, cairo's pixel out); the caller destroys it.
template <typename PixelMap>
cairo_surface_t* PictureSurface(const Picture& picture, cairo_format_t format, PixelMap pixel) {
    cairo_surface_t* s = cairo_image_surface_create(format, picture.Width, picture.Height);
    cairo_surface_flush(s);
    unsigned char* data = cairo_image_surface_get_data(s);
    const int stride = cairo_image_surface_get_stride(s);
    for (int y = 0; y < picture.Height; ++y) {
        auto* row = reinterpret_cast<uint32_t*>(data + static_cast<size_t>(y) * stride);
        for (int x = 0; x < picture.Width; ++x) row[x] = pixel(picture.At(x, y));
    }
    cairo_surface_mark_dirty(s);
    return s;
}

// Writes a picture as a PNG (for contact sheets and checks by eye).
void WritePicturePng(const Picture& picture, const std::string& path);

}  // namespace skyrend::assets
