// tools/make-assets/Radar.cpp — the radar: its frame, blips and sweep.
//
// The frame (item 0) is drawn over everything else at (ScreenWidth - 359,
// 17), so it is a ring with an empty middle. On the 1024 x 768 screen the
// ship's own blip lands 125, 105 pixels into the frame and the reach is an
// ellipse of about 122 x 93 pixels around it; the ring sits just outside.
// Blips are 5 x 5 with six blink phases. The sweep (items 15..24) is drawn
// with its corner at 119, 98 in the frame: a small marker for the ship with
// a beam circling it.

#include <algorithm>
#include <cmath>

#include "tools/make-assets/Assets.h"

namespace skyrend::assets {

namespace {

constexpr int FrameWidth = 262, FrameHeight = 216;
// Centre of the ship's own blip within the frame.
constexpr double CentreX = 127.5, CentreY = 107.5;
// The ring just outside the reach: blips near its edge have their corners
// between 4 and 248 across and 12 and 197 down, 5 pixels more to their far
// sides; the frame's left edge leaves only a thin line there.
constexpr double RingX = 128.5, RingY = 107.0, RingRx = 127.0, RingRy = 98.0;
constexpr int BlipSize = 5;
constexpr int BlinkPhases = 6;
// The sweep picture's corner lies at (119, 98) in the frame.
constexpr int SweepWidth = 17, SweepHeight = 19;
constexpr double SweepCx = CentreX - 119, SweepCy = CentreY - 98;

void Ellipse(cairo_t* cr, double cx, double cy, double rx, double ry) {
    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    cairo_scale(cr, rx, ry);
    cairo_new_sub_path(cr);
    cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
    cairo_restore(cr);
}

Picture RadarFrame() {
    Canvas c(FrameWidth, FrameHeight);
    cairo_t* cr = c.Cr();
    const Rgb glow{0.20, 0.75, 0.55}, line{0.55, 1.0, 0.80};
    // Everything but the fine line stays outside the ring, clear of blips.
    cairo_save(cr);
    cairo_rectangle(cr, 0, 0, FrameWidth, FrameHeight);
    Ellipse(cr, RingX, RingY, RingRx, RingRy);
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
    cairo_clip(cr);
    Ellipse(cr, RingX, RingY, RingRx + 1, RingRy + 1);
    SetColour(cr, glow, 0.35);
    cairo_set_line_width(cr, 6);
    cairo_stroke(cr);
    Ellipse(cr, RingX, RingY, RingRx + 5, RingRy + 5);
    SetColour(cr, {0.12, 0.40, 0.32}, 0.9);
    cairo_set_line_width(cr, 2);
    cairo_stroke(cr);
    // Bearing ticks every 30 degrees, longer at the quarters.
    for (int k = 0; k < 12; ++k) {
        double a = k * M_PI / 6, len = k % 3 == 0 ? 8 : 4;
        double ca = std::cos(a), sa = std::sin(a);
        cairo_move_to(cr, RingX + ca * RingRx, RingY + sa * RingRy);
        cairo_line_to(cr, RingX + ca * (RingRx + len), RingY + sa * (RingRy + len));
    }
    SetColour(cr, line, 0.9);
    cairo_set_line_width(cr, 1.5);
    cairo_stroke(cr);
    cairo_restore(cr);
    Ellipse(cr, RingX, RingY, RingRx, RingRy);
    SetColour(cr, line, 0.95);
    cairo_set_line_width(cr, 1.3);
    cairo_stroke(cr);
    // A faint dotted ring at half the reach.
    double dash[] = {1.0, 5.0};
    cairo_set_dash(cr, dash, 2, 0);
    Ellipse(cr, CentreX, CentreY, 61, 46.5);
    SetColour(cr, glow, 0.6);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    cairo_set_dash(cr, nullptr, 0, 0);
    // The heading mark above the top of the ring.
    cairo_move_to(cr, RingX, RingY - RingRy - 1.5);
    cairo_line_to(cr, RingX - 5, 0.5);
    cairo_line_to(cr, RingX + 5, 0.5);
    cairo_close_path(cr);
    SetColour(cr, line);
    cairo_fill(cr);
    return c.ToPicture();
}

// One blip: a shape in `colour` at brightness `light`.
enum class BlipShape { Dot, Diamond, Square };

Picture Blip(BlipShape shape, Rgb colour, double light) {
    Canvas c(BlipSize, BlipSize);
    cairo_t* cr = c.Cr();
    Rgb body = Scale(colour, light), core = Mix(body, {1, 1, 1}, 0.6 * light);
    switch (shape) {
    case BlipShape::Dot:
        SetColour(cr, body);
        cairo_rectangle(cr, 1, 1, 3, 3);
        cairo_fill(cr);
        SetColour(cr, body, 0.6);
        cairo_rectangle(cr, 2, 0, 1, 5);
        cairo_rectangle(cr, 0, 2, 5, 1);
        cairo_fill(cr);
        break;
    case BlipShape::Diamond:
        cairo_move_to(cr, 2.5, 0);
        cairo_line_to(cr, 5, 2.5);
        cairo_line_to(cr, 2.5, 5);
        cairo_line_to(cr, 0, 2.5);
        cairo_close_path(cr);
        SetColour(cr, body);
        cairo_fill(cr);
        break;
    case BlipShape::Square:
        SetColour(cr, Scale(body, 0.7));
        cairo_rectangle(cr, 0, 0, 5, 5);
        cairo_fill(cr);
        SetColour(cr, Mix(body, {1, 1, 1}, 0.25 * light));
        cairo_rectangle(cr, 1, 1, 3, 3);
        cairo_fill(cr);
        break;
    }
    SetColour(cr, core);
    cairo_rectangle(cr, 2, 2, 1, 1);
    cairo_fill(cr);
    return c.ToPicture();
}

void Blips(std::vector<Picture>& items, BlipShape shape, Rgb colour) {
    // Full, dimming, faint, and back: one blink per six frames.
    static const double light[BlinkPhases] = {1.0, 0.85, 0.6, 0.4, 0.6, 0.85};
    for (double l : light) items.push_back(Blip(shape, colour, l));
}

Picture Sweep(int frame) {
    Canvas c(SweepWidth, SweepHeight);
    cairo_t* cr = c.Cr();
    // The beam turns clockwise, a tenth of a turn per frame, with a fading
    // wake behind it.
    double a = -M_PI / 2 + frame * 2 * M_PI / 10;
    for (int k = 0; k < 6; ++k) {
        double a0 = a - (k + 1) * 0.18, a1 = a - k * 0.18;
        cairo_move_to(cr, SweepCx, SweepCy);
        cairo_arc(cr, SweepCx, SweepCy, 8, a0, a1);
        cairo_close_path(cr);
        SetColour(cr, {0.25, 0.95, 0.6}, 0.55 * (1 - k / 6.0));
        cairo_fill(cr);
    }
    cairo_move_to(cr, SweepCx, SweepCy);
    cairo_line_to(cr, SweepCx + 8 * std::cos(a), SweepCy + 8 * std::sin(a));
    SetColour(cr, {0.7, 1.0, 0.85});
    cairo_set_line_width(cr, 1.2);
    cairo_stroke(cr);
    // The ship: a white chevron pointing ahead.
    cairo_move_to(cr, SweepCx, SweepCy - 3.5);
    cairo_line_to(cr, SweepCx + 2.8, SweepCy + 3);
    cairo_line_to(cr, SweepCx, SweepCy + 1.6);
    cairo_line_to(cr, SweepCx - 2.8, SweepCy + 3);
    cairo_close_path(cr);
    SetColour(cr, {1, 1, 1});
    cairo_fill(cr);
    return c.ToPicture();
}

}  // namespace

std::vector<Picture> DrawRadarItems() {
    std::vector<Picture> items;
    items.push_back(RadarFrame());                                // 0
    Blips(items, BlipShape::Dot, {0.35, 0.90, 1.0});              // 1..6 player shots
    Blips(items, BlipShape::Diamond, {0.30, 1.0, 0.45});          // 7..12 bonus objects
    items.push_back(Blip(BlipShape::Dot, {0.6, 0.6, 0.6}, 0.5));  // 13, 14 (unused)
    items.push_back(Blip(BlipShape::Dot, {0.6, 0.6, 0.6}, 0.5));
    for (int f = 0; f < 10; ++f) items.push_back(Sweep(f));       // 15..24
    Blips(items, BlipShape::Square, {1.0, 0.25, 0.20});           // 25..30 enemy ships
    items.push_back(Blip(BlipShape::Dot, {0.6, 0.6, 0.6}, 0.5));  // 31 (unused)
    Blips(items, BlipShape::Dot, {1.0, 0.65, 0.15});              // 32..37 enemy shots
    return items;
}

}  // namespace skyrend::assets
