// tools/make-assets/Canvas.cpp — cairo drawing surfaces and their flattening
// into colour-keyed pictures.

#include "tools/make-assets/Canvas.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace skyrend::assets {

Rgb Mix(Rgb a, Rgb b, double t) {
    return {a.R + (b.R - a.R) * t, a.G + (b.G - a.G) * t, a.B + (b.B - a.B) * t};
}

Rgb Scale(Rgb c, double k) { return {c.R * k, c.G * k, c.B * k}; }

Canvas::Canvas(int width, int height)
    : width_(width), height_(height),
      surface_(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height)),
      cr_(cairo_create(surface_)) {
    if (cairo_surface_status(surface_) != CAIRO_STATUS_SUCCESS)
        throw std::runtime_error("cairo surface cannot be made");
    cairo_set_antialias(cr_, CAIRO_ANTIALIAS_GOOD);
}

Canvas::~Canvas() {
    cairo_destroy(cr_);
    cairo_surface_destroy(surface_);
}

uint32_t* Canvas::Row(int y) {
    unsigned char* data = cairo_image_surface_get_data(surface_);
    int stride = cairo_image_surface_get_stride(surface_);
    return reinterpret_cast<uint32_t*>(data + static_cast<size_t>(y) * stride);
}

void Canvas::Flush() { cairo_surface_flush(surface_); }
void Canvas::MarkDirty() { cairo_surface_mark_dirty(surface_); }

static uint32_t Channel(double v) {
    return static_cast<uint32_t>(std::lround(std::clamp(v, 0.0, 1.0) * 255.0));
}

void Canvas::BlendPixel(int x, int y, Rgb c, double a) {
    if (x < 0 || y < 0 || x >= width_ || y >= height_ || a <= 0) return;
    a = std::min(a, 1.0);
    uint32_t& p = Row(y)[x];
    double da = ((p >> 24) & 255) / 255.0, dr = ((p >> 16) & 255) / 255.0,
           dg = ((p >> 8) & 255) / 255.0, db = (p & 255) / 255.0;
    double k = 1.0 - a;
    double na = a + da * k;
    double nr = std::min(c.R * a + dr * k, na), ng = std::min(c.G * a + dg * k, na),
           nb = std::min(c.B * a + db * k, na);
    p = (Channel(na) << 24) | (Channel(nr) << 16) | (Channel(ng) << 8) | Channel(nb);
}

void Canvas::Paint(const Canvas& other, double x, double y, double alpha) {
    cairo_save(cr_);
    cairo_set_source_surface(cr_, other.surface_, x, y);
    cairo_paint_with_alpha(cr_, alpha);
    cairo_restore(cr_);
}

uint32_t FlattenPixel(uint32_t argb) {
    uint32_t a = argb >> 24;
    uint32_t r = (argb >> 16) & 255, g = (argb >> 8) & 255, b = argb & 255;
    // Premultiplied colour is the colour over black. Faint, dark pixels would
    // not show on space anyway: they become the key.
    if (a < 160 && std::max({r, g, b}) < 12) return KeyColour;
    uint32_t rgb = (r << 16) | (g << 8) | b;
    return rgb == KeyColour ? NearBlack : rgb;
}

Picture Canvas::ToPicture() {
    Flush();
    Picture p{width_, height_, std::vector<uint32_t>(static_cast<size_t>(width_) * height_)};
    for (int y = 0; y < height_; ++y) {
        const uint32_t* row = Row(y);
        for (int x = 0; x < width_; ++x) p.Pixels[static_cast<size_t>(y) * width_ + x] = FlattenPixel(row[x]);
    }
    return p;
}

void SetColour(cairo_t* cr, Rgb c, double alpha) { cairo_set_source_rgba(cr, c.R, c.G, c.B, alpha); }

void AddStop(cairo_pattern_t* p, double offset, Rgb c, double alpha) {
    cairo_pattern_add_color_stop_rgba(p, offset, c.R, c.G, c.B, alpha);
}

void Glow(cairo_t* cr, double x, double y, double radius, Rgb colour, double alpha, double falloff) {
    if (radius <= 0 || alpha <= 0) return;
    cairo_pattern_t* p = cairo_pattern_create_radial(x, y, 0, x, y, radius);
    const int steps = 8;
    for (int i = 0; i <= steps; ++i) {
        double t = static_cast<double>(i) / steps;
        AddStop(p, t, colour, alpha * std::pow(1.0 - t, falloff));
    }
    cairo_set_source(cr, p);
    cairo_new_path(cr);
    cairo_arc(cr, x, y, radius, 0, 2 * M_PI);
    cairo_fill(cr);
    cairo_pattern_destroy(p);
}

void RoundedRect(cairo_t* cr, double x, double y, double w, double h, double r) {
    cairo_new_sub_path(cr);
    cairo_arc(cr, x + w - r, y + r, r, -M_PI / 2, 0);
    cairo_arc(cr, x + w - r, y + h - r, r, 0, M_PI / 2);
    cairo_arc(cr, x + r, y + h - r, r, M_PI / 2, M_PI);
    cairo_arc(cr, x + r, y + r, r, M_PI, 3 * M_PI / 2);
    cairo_close_path(cr);
}

void UseFont(cairo_t* cr, double size, bool bold) {
    cairo_select_font_face(cr, "DejaVu Sans", CAIRO_FONT_SLANT_NORMAL,
                           bold ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
    cairo_set_font_size(cr, size);
    cairo_font_options_t* options = cairo_font_options_create();
    cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_GRAY);
    cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_SLIGHT);
    cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_ON);
    cairo_set_font_options(cr, options);
    cairo_font_options_destroy(options);
}

void WritePicturePng(const Picture& picture, const std::string& path) {
    cairo_surface_t* s = PictureSurface(picture, CAIRO_FORMAT_RGB24, [](uint32_t v) { return v; });
    cairo_surface_write_to_png(s, path.c_str());
    cairo_surface_destroy(s);
}

}  // namespace skyrend::assets
