// tools/make-assets/Stars.cpp — the twinkling stars of both parallax layers.
//
// The game draws a star with its picture's column 15 on the star's point, so
// the pictures are 30 pixels wide with the star in the middle. Near stars
// (items 0..12) are bright with spikes that flare and fade through the cycle;
// far stars (items 13..21) are smaller and dimmer and only shimmer.

#include <cmath>
#include <utility>

#include "tools/make-assets/Assets.h"

namespace skyrend::assets {

namespace {

constexpr int StarSize = 30;
constexpr double Cx = 15.5, Cy = 15.5;

// A thin ray from the centre fading out along its length.
void Spike(cairo_t* cr, double angle, double length, double width, Rgb colour, double alpha) {
    double dx = std::cos(angle), dy = std::sin(angle);
    cairo_pattern_t* p = cairo_pattern_create_linear(Cx, Cy, Cx + dx * length, Cy + dy * length);
    AddStop(p, 0, colour, alpha);
    AddStop(p, 0.35, colour, alpha * 0.45);
    AddStop(p, 1, colour, 0);
    cairo_set_source(cr, p);
    cairo_move_to(cr, Cx - dy * width, Cy + dx * width);
    cairo_line_to(cr, Cx + dx * length, Cy + dy * length);
    cairo_line_to(cr, Cx + dy * width, Cy - dx * width);
    cairo_close_path(cr);
    cairo_fill(cr);
    cairo_pattern_destroy(p);
}

// One star: brightness 0..1 sets glow, core and spike length.
Picture Star(double brightness, double spikes, Rgb tint, double coreRadius, double glowRadius) {
    Canvas c(StarSize, StarSize);
    cairo_t* cr = c.Cr();
    cairo_set_operator(cr, CAIRO_OPERATOR_ADD);
    Glow(cr, Cx, Cy, glowRadius * (0.7 + 0.3 * brightness), tint, 0.55 * brightness, 2.2);
    if (spikes > 0) {
        double len = spikes * (0.55 + 0.45 * brightness);
        for (int k = 0; k < 4; ++k) Spike(cr, k * M_PI / 2, len, 0.7, tint, 0.8 * brightness);
        for (int k = 0; k < 4; ++k)
            Spike(cr, M_PI / 4 + k * M_PI / 2, len * 0.45, 0.5, tint, 0.45 * brightness);
    }
    Glow(cr, Cx, Cy, coreRadius * 2.0, Mix(tint, {1, 1, 1}, 0.7), 0.9 * brightness, 1.2);
    SetColour(cr, {1, 1, 1}, std::min(1.0, 0.25 + 0.85 * brightness));
    cairo_arc(cr, Cx, Cy, coreRadius * (0.8 + 0.2 * brightness), 0, 2 * M_PI);
    cairo_fill(cr);
    return c.ToPicture();
}

}  // namespace

std::vector<Picture> DrawStarItems() {
    std::vector<Picture> items;
    // A layer's frames run once round a cycle; `at(t)` gives the star's
    // brightness and tint at the cycle's angle t.
    auto layer = [&items](int frames, auto at, double spikes, double coreRadius, double glowRadius) {
        for (int i = 0; i < frames; ++i) {
            const auto [brightness, tint] = at(2 * M_PI * i / frames);
            items.push_back(Star(brightness, spikes, tint, coreRadius, glowRadius));
        }
    };
    // Near layer: one slow swell with a quicker flicker on top, and a faint
    // colour shimmer as real stars show through air.
    layer(
        13,
        [](double t) {
            return std::pair{0.72 + 0.22 * std::cos(t) + 0.08 * std::cos(3 * t + 0.7),
                             Mix({0.70, 0.82, 1.0}, {1.0, 0.92, 0.75}, 0.5 + 0.5 * std::sin(t + 0.4))};
        },
        13.0, 1.5, 7.5);
    // Far layer: smaller, dimmer, no long spikes.
    layer(
        9,
        [](double t) {
            return std::pair{0.48 + 0.16 * std::cos(t) + 0.06 * std::cos(2 * t + 1.1),
                             Mix({0.65, 0.75, 1.0}, {0.95, 0.85, 0.8}, 0.5 + 0.5 * std::cos(t + 2.0))};
        },
        4.5, 0.9, 4.0);
    return items;
}

}  // namespace skyrend::assets
