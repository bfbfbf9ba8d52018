// tools/make-assets/Plasma.cpp — the plasma bolts of the player and of the
// enemy ships.
//
// A bolt is drawn rotated to its flight direction and scaled to 50 x 50, so
// each of its nine frames is 50 x 50 with the bolt pointing up: a white-hot
// head, a tapering tail, two strands of plasma twisting round it and a few
// sparks, all flickering from frame to frame.

#include <algorithm>
#include <cmath>

#include "tools/make-assets/Assets.h"
#include "tools/make-assets/Noise.h"

namespace skyrend::assets {

namespace {

constexpr int BoltSize = 50;
constexpr int BoltFrames = 9;
constexpr double HeadY = 15.0, TailY = 45.0, Axis = 25.0;

struct PlasmaColours {
    Rgb Halo, Body, Core;
    uint64_t Seed;
};

// An elliptical glow, `sx` x `sy` times a circle of `radius`.
void OvalGlow(cairo_t* cr, double x, double y, double radius, double sx, double sy, Rgb c, double alpha,
              double falloff) {
    cairo_save(cr);
    cairo_translate(cr, x, y);
    cairo_scale(cr, sx, sy);
    Glow(cr, 0, 0, radius, c, alpha, falloff);
    cairo_restore(cr);
}

void Tail(cairo_t* cr, double width, Rgb colour, double alpha) {
    cairo_pattern_t* g = cairo_pattern_create_linear(0, HeadY, 0, TailY);
    AddStop(g, 0, colour, alpha);
    AddStop(g, 0.4, colour, alpha * 0.55);
    AddStop(g, 1, colour, 0);
    cairo_set_source(cr, g);
    cairo_move_to(cr, Axis - width, HeadY);
    cairo_curve_to(cr, Axis - width, HeadY + 10, Axis - width * 0.3, TailY - 8, Axis, TailY);
    cairo_curve_to(cr, Axis + width * 0.3, TailY - 8, Axis + width, HeadY + 10, Axis + width, HeadY);
    cairo_arc_negative(cr, Axis, HeadY, width, 0, M_PI);
    cairo_close_path(cr);
    cairo_fill(cr);
    cairo_pattern_destroy(g);
}

// A strand twisting round the bolt: a sine along the tail whose amplitude
// shrinks towards the end.
void Strand(cairo_t* cr, double phase, Rgb colour, double alpha) {
    cairo_set_line_width(cr, 1.1);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    for (double y = HeadY - 2; y < TailY - 4; y += 1.0) {
        double t = (y - HeadY) / (TailY - HeadY);
        double amp = 4.2 * (1 - t) + 0.6;
        double x0 = Axis + amp * std::sin(phase + y * 0.42);
        double x1 = Axis + amp * std::sin(phase + (y + 1) * 0.42);
        SetColour(cr, colour, alpha * (1 - t) * (1 - t));
        cairo_move_to(cr, x0, y);
        cairo_line_to(cr, x1, y + 1);
        cairo_stroke(cr);
    }
}

Picture Bolt(const PlasmaColours& pc, int frame) {
    Canvas c(BoltSize, BoltSize);
    cairo_t* cr = c.Cr();
    cairo_set_operator(cr, CAIRO_OPERATOR_ADD);
    Rng rng(pc.Seed + frame * 7919);
    double phase = 2 * M_PI * frame / BoltFrames;
    double flicker = 0.85 + 0.15 * std::sin(phase * 2) + rng.Range(-0.05, 0.05);

    OvalGlow(cr, Axis, HeadY + 8, 19 * flicker, 0.55, 1.0, pc.Halo, 0.55, 2.0);
    Tail(cr, 5.2 * flicker, pc.Body, 0.75);
    Strand(cr, phase, Mix(pc.Body, {1, 1, 1}, 0.3), 0.9);
    Strand(cr, phase + M_PI, pc.Halo, 0.9);
    Tail(cr, 2.2, Mix(pc.Core, pc.Body, 0.3), 0.8);
    OvalGlow(cr, Axis, HeadY + 1, 9 * flicker, 1.0, 1.35, pc.Body, 0.9, 1.6);
    OvalGlow(cr, Axis, HeadY + 1, 4.5, 1.0, 1.3, pc.Core, 1.0, 0.8);
    // Sparks shed from the head drift back along the tail.
    for (int i = 0; i < 6; ++i) {
        double y = HeadY + rng.Range(2, 28);
        double x = Axis + std::clamp(rng.Gauss() * (1.5 + (y - HeadY) * 0.08), -6.0, 6.0);
        Glow(cr, x, y, rng.Range(1.0, 1.8), Mix(pc.Body, pc.Core, 0.5), rng.Range(0.5, 0.9), 1.0);
    }
    return c.ToPicture();
}

std::vector<Picture> Bolts(const PlasmaColours& colours) {
    std::vector<Picture> items;
    for (int i = 0; i < BoltFrames; ++i) items.push_back(Bolt(colours, i));
    return items;
}

}  // namespace

std::vector<Picture> DrawPlayerPlasmaItems() {
    return Bolts({{0.10, 0.40, 1.0}, {0.25, 0.85, 1.0}, {0.92, 1.0, 1.0}, 0x5eed0001});
}

std::vector<Picture> DrawEnemyPlasmaItems() {
    return Bolts({{1.0, 0.15, 0.05}, {1.0, 0.50, 0.12}, {1.0, 0.97, 0.80}, 0x5eed0002});
}

}  // namespace skyrend::assets
