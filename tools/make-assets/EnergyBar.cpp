// tools/make-assets/EnergyBar.cpp — the energy bar of the heads-up display.
//
// Item n shows the bar filled to n per cent (0..100); the game draws it
// unrotated at (ScreenWidth - 600, 20). 220 x 28: a glowing frame, a
// lightning mark, a segmented track whose fill turns from green through
// yellow to red as the energy falls, and the value in figures.

#include <algorithm>
#include <cmath>
#include <string>

#include "tools/make-assets/Assets.h"

namespace skyrend::assets {

namespace {

constexpr int BarWidth = 220, BarHeight = 28;
constexpr double TrackX = 30, TrackY = 7, TrackW = 182, TrackH = 14;

Rgb LevelColour(double level) {
    const Rgb red{1.0, 0.18, 0.12}, yellow{1.0, 0.82, 0.15}, green{0.20, 1.0, 0.45};
    return level < 0.5 ? Mix(red, yellow, level * 2) : Mix(yellow, green, (level - 0.5) * 2);
}

void Frame(cairo_t* cr) {
    RoundedRect(cr, 1.5, 1.5, BarWidth - 3, BarHeight - 3, 6);
    SetColour(cr, {0.03, 0.06, 0.12}, 0.92);
    cairo_fill_preserve(cr);
    SetColour(cr, {0.30, 0.65, 1.0}, 0.35);
    cairo_set_line_width(cr, 3);
    cairo_stroke_preserve(cr);
    SetColour(cr, {0.55, 0.85, 1.0}, 0.95);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    // The lightning mark.
    cairo_move_to(cr, 16, 4.5);
    cairo_line_to(cr, 9, 15);
    cairo_line_to(cr, 14, 15);
    cairo_line_to(cr, 11, 23.5);
    cairo_line_to(cr, 20, 11.5);
    cairo_line_to(cr, 15, 11.5);
    cairo_close_path(cr);
    SetColour(cr, {1.0, 0.85, 0.3});
    cairo_fill(cr);
}

void Track(cairo_t* cr, int percent) {
    RoundedRect(cr, TrackX, TrackY, TrackW, TrackH, 3);
    SetColour(cr, {0.08, 0.10, 0.16});
    cairo_fill(cr);
    double level = percent / 100.0;
    double fill = TrackW * level;
    if (fill > 0) {
        Rgb c = LevelColour(level);
        cairo_save(cr);
        RoundedRect(cr, TrackX, TrackY, TrackW, TrackH, 3);
        cairo_clip(cr);
        cairo_pattern_t* g = cairo_pattern_create_linear(0, TrackY, 0, TrackY + TrackH);
        AddStop(g, 0, Mix(c, {1, 1, 1}, 0.55));
        AddStop(g, 0.45, c);
        AddStop(g, 1, Scale(c, 0.45));
        cairo_set_source(cr, g);
        cairo_rectangle(cr, TrackX, TrackY, fill, TrackH);
        cairo_fill(cr);
        cairo_pattern_destroy(g);
        // A bright leading edge.
        cairo_set_operator(cr, CAIRO_OPERATOR_ADD);
        Glow(cr, TrackX + fill - 1, TrackY + TrackH / 2, 6, Mix(c, {1, 1, 1}, 0.5), 0.6, 1.5);
        cairo_restore(cr);
    }
    // Segment marks every tenth.
    SetColour(cr, {0.02, 0.03, 0.06}, 0.7);
    cairo_set_line_width(cr, 1);
    for (int k = 1; k < 10; ++k) {
        double x = std::round(TrackX + TrackW * k / 10.0) + 0.5;
        cairo_move_to(cr, x, TrackY + 1);
        cairo_line_to(cr, x, TrackY + TrackH - 1);
    }
    cairo_stroke(cr);
    RoundedRect(cr, TrackX + 0.5, TrackY + 0.5, TrackW - 1, TrackH - 1, 3);
    SetColour(cr, {0.45, 0.60, 0.80}, 0.8);
    cairo_stroke(cr);
}

// The value in figures, outlined so it reads over any fill.
void Figures(cairo_t* cr, int percent) {
    std::string text = std::to_string(percent) + " %";
    UseFont(cr, 11, true);
    cairo_text_extents_t e;
    cairo_text_extents(cr, text.c_str(), &e);
    double x = TrackX + (TrackW - e.x_advance) / 2, y = TrackY + TrackH - 3;
    cairo_move_to(cr, x, y);
    cairo_text_path(cr, text.c_str());
    SetColour(cr, {0.02, 0.03, 0.08}, 0.9);
    cairo_set_line_width(cr, 2.5);
    cairo_stroke_preserve(cr);
    SetColour(cr, {1, 1, 1});
    cairo_fill(cr);
}

}  // namespace

std::vector<Picture> DrawEnergyBarItems() {
    std::vector<Picture> items;
    for (int n = 0; n <= 100; ++n) {
        Canvas c(BarWidth, BarHeight);
        Frame(c.Cr());
        Track(c.Cr(), n);
        Figures(c.Cr(), n);
        items.push_back(c.ToPicture());
    }
    return items;
}

}  // namespace skyrend::assets
