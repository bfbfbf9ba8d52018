// tools/make-assets/Icons.cpp — the desktop icons: the player's fighter on a
// patch of night sky, at every size the desktop's icon theme asks for.
//
// Each size is drawn afresh rather than scaled from the largest, so that the
// small ones stay crisp: the stars go at the smallest sizes, and the ship
// fills more of the square there.

#include <cairo.h>

#include <cmath>
#include <filesystem>
#include <stdexcept>
#include <string>

#include "tools/make-assets/Assets.h"
#include "tools/make-assets/Canvas.h"
#include "tools/make-assets/Models.h"

namespace skyrend::assets {

namespace {

const int IconSizes[] = {16, 32, 48, 64, 128, 256};

// The fighter's span in model units, wing-tip lights included.
constexpr double ModelWidth = 66.0;

void DrawSky(cairo_t* cr, double size) {
    const double r = size * 0.18;
    RoundedRect(cr, size * 0.02, size * 0.02, size * 0.96, size * 0.96, r);
    cairo_pattern_t* sky = cairo_pattern_create_radial(size * 0.5, size * 0.42, 0, size * 0.5, size * 0.5,
                                                       size * 0.7);
    AddStop(sky, 0.0, {0.10, 0.16, 0.34});
    AddStop(sky, 1.0, {0.01, 0.02, 0.07});
    cairo_set_source(cr, sky);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(sky);
    SetColour(cr, {0.35, 0.55, 0.95}, 0.7);
    cairo_set_line_width(cr, std::max(1.0, size / 64.0));
    cairo_stroke(cr);
    if (size < 32) return;
    // A few fixed stars, placed the same at every size.
    const double stars[][3] = {{0.16, 0.22, 1.0}, {0.80, 0.16, 0.8}, {0.86, 0.70, 1.1},
                               {0.22, 0.80, 0.7}, {0.66, 0.86, 0.6}, {0.34, 0.12, 0.5}};
    for (const auto& s : stars) Glow(cr, s[0] * size, s[1] * size, s[2] * size / 40.0, {0.9, 0.95, 1.0}, 0.9, 1.5);
}

void DrawIcon(Canvas& c, int size) {
    DrawSky(c.Cr(), size);
    View view;
    const double fill = size < 32 ? 0.92 : 0.8;
    view.Scale = size * fill / ModelWidth;
    view.CentreX = size / 2.0;
    view.CentreY = size / 2.0;
    view.Roll = 0.18;  // a slight bank reads as flight
    view.Distance = 110;
    RenderFighter(c.Cr(), view);
}

}  // namespace

void WriteIcons(const std::string& dir) {
    for (int size : IconSizes) {
        const std::string sub = dir + "/" + std::to_string(size) + "x" + std::to_string(size) + "/apps";
        std::filesystem::create_directories(sub);
        Canvas icon(size, size);
        DrawIcon(icon, size);
        cairo_surface_flush(icon.Surface());
        const std::string path = sub + "/skyrend.png";
        if (cairo_surface_write_to_png(icon.Surface(), path.c_str()) != CAIRO_STATUS_SUCCESS)
            throw std::runtime_error("cannot write " + path);
    }
}

}  // namespace skyrend::assets
