// tools/make-assets/Explosion.cpp — the three explosion animations.
//
// An explosion is drawn rotated, scaled to 100 x 100, with frames 2..29 of
// its kind: items 2..29 are a rolling fireball, 31..58 a plasma shock ring,
// 60..87 a burst of sparks and burning debris. The items no explosion shows
// (0, 1, 30, 59) repeat the first frame of the kind that follows them.

#include <algorithm>
#include <cmath>

#include "tools/make-assets/Assets.h"
#include "tools/make-assets/Noise.h"

namespace skyrend::assets {

namespace {

constexpr int Size = 100;
constexpr int Frames = 28;
constexpr double Centre = 50.0;

double Smoothstep(double a, double b, double x) {
    double t = std::clamp((x - a) / (b - a), 0.0, 1.0);
    return t * t * (3 - 2 * t);
}

// Colour of burning gas by temperature 0..1: smoke, dark red, orange,
// yellow, white.
Rgb Fire(double heat) {
    static const Rgb ramp[] = {{0.30, 0.27, 0.25}, {0.55, 0.10, 0.03}, {0.95, 0.38, 0.05},
                               {1.00, 0.75, 0.20}, {1.00, 0.97, 0.80}, {1.00, 1.00, 1.00}};
    double x = std::clamp(heat, 0.0, 1.0) * 5.0;
    int i = std::min(4, static_cast<int>(x));
    return Mix(ramp[i], ramp[i + 1], x - i);
}

// Kind 1: a turbulent fireball that swells, cools and rolls into smoke.
Picture Fireball(int frame) {
    double t = frame / (Frames - 1.0);
    Canvas c(Size, Size);
    c.Flush();
    double radius = 12 + 32 * (1 - std::pow(1 - t, 2.0));
    double heat = std::pow(1 - t, 1.1);
    double fade = 1 - 0.7 * Smoothstep(0.6, 1.0, t);
    for (int y = 0; y < Size; ++y) {
        for (int x = 0; x < Size; ++x) {
            double dx = x + 0.5 - Centre, dy = y + 0.5 - Centre;
            double d = std::sqrt(dx * dx + dy * dy) / radius;
            double n = Fbm(x * 0.07, y * 0.07, t * 2.5, 4, 11);
            double edge = 1 - d + (n - 0.5) * 0.9;
            double density = Smoothstep(0.0, 0.35, edge);
            if (density <= 0) continue;
            // Hottest in the middle and in the noise's bright streaks.
            double core = Smoothstep(0.1, 0.9, edge) * (0.55 + 0.6 * n);
            double h = heat * (0.35 + 0.9 * core) - 0.1 * t;
            double alpha = density * (0.55 + 0.45 * Smoothstep(0.0, 0.4, h)) * fade;
            c.BlendPixel(x, y, Fire(h), alpha);
        }
    }
    c.MarkDirty();
    // The first frames flash white over everything.
    double flash = std::max(0.0, 1 - frame / 4.0);
    cairo_set_operator(c.Cr(), CAIRO_OPERATOR_ADD);
    Glow(c.Cr(), Centre, Centre, 22 + 20 * (1 - flash), {1, 0.95, 0.8}, 0.9 * flash, 1.5);
    return c.ToPicture();
}

// Kind 2: a blue-white shock ring racing outwards from a collapsing core.
Picture ShockRing(int frame) {
    double t = frame / (Frames - 1.0);
    Canvas c(Size, Size);
    c.Flush();
    double ringRadius = 4 + 38 * (1 - std::pow(1 - t, 1.6));
    double width = 2.0 + 3.5 * t;
    double ringLight = 0.14 + 0.86 * std::pow(1 - t, 1.2);
    double coreRadius = 14 * (1 - t) + 2;
    double coreLight = std::pow(1 - t, 2.0);
    for (int y = 0; y < Size; ++y) {
        for (int x = 0; x < Size; ++x) {
            double dx = x + 0.5 - Centre, dy = y + 0.5 - Centre;
            double d = std::sqrt(dx * dx + dy * dy);
            double angle = std::atan2(dy, dx);
            double n = ValueNoise3(std::cos(angle) * 3 + 5, std::sin(angle) * 3 + 5, t * 4, 23);
            double band = (d - ringRadius) / width;
            double ring = std::exp(-band * band) * ringLight * (0.55 + 0.7 * n);
            // A faint trailing wash inside the ring.
            double wash = d < ringRadius ? 0.25 * ringLight * std::exp(-(ringRadius - d) / 10.0) : 0.0;
            double core = coreLight * std::exp(-(d * d) / (coreRadius * coreRadius));
            double light = std::min(1.0, ring + wash + core);
            if (light < 0.02) continue;
            Rgb colour = Mix({0.35, 0.25, 0.95}, {0.55, 0.85, 1.0}, std::min(1.0, ring * 1.5));
            colour = Mix(colour, {1, 1, 1}, std::min(1.0, core * 1.2 + ring * 0.4));
            c.BlendPixel(x, y, colour, light);
        }
    }
    c.MarkDirty();
    // Sparks riding the ring.
    cairo_t* cr = c.Cr();
    cairo_set_operator(cr, CAIRO_OPERATOR_ADD);
    Rng rng(0xB0003);
    for (int k = 0; k < 18; ++k) {
        double a = rng.Range(0, 2 * M_PI), lag = rng.Range(0.75, 1.05);
        double r = ringRadius * lag;
        Glow(cr, Centre + r * std::cos(a), Centre + r * std::sin(a), 2.5, {0.8, 0.95, 1.0},
             0.9 * ringLight, 1.2);
    }
    return c.ToPicture();
}

// Kind 3: sparks streaking outwards and burning fragments tumbling away,
// over a short-lived orange burst.
Picture Debris(int frame) {
    double t = frame / (Frames - 1.0);
    Canvas c(Size, Size);
    cairo_t* cr = c.Cr();
    cairo_set_operator(cr, CAIRO_OPERATOR_ADD);
    double burst = std::pow(1 - t, 2.2);
    Glow(cr, Centre, Centre, 20 + 18 * t, {1.0, 0.50, 0.12}, 0.95 * burst, 1.5);
    Glow(cr, Centre, Centre, 9 + 6 * t, {1.0, 0.95, 0.7}, burst, 1.1);

    Rng rng(0xDEB415);
    // Sparks: straight streaks, fast ones fading first.
    for (int k = 0; k < 40; ++k) {
        double a = rng.Range(0, 2 * M_PI), speed = rng.Range(26, 48), life = rng.Range(0.5, 1.05);
        if (t > life) continue;
        double s = speed * (1 - std::pow(1 - t, 1.5));
        double tail = std::max(0.0, s - 5 - 12 * (1 - t));
        double light = 1 - t / life;
        double x0 = Centre + tail * std::cos(a), y0 = Centre + tail * std::sin(a);
        double x1 = Centre + s * std::cos(a), y1 = Centre + s * std::sin(a);
        cairo_pattern_t* g = cairo_pattern_create_linear(x0, y0, x1, y1);
        AddStop(g, 0, {1.0, 0.4, 0.1}, 0);
        AddStop(g, 1, Mix({1.0, 0.6, 0.2}, {1, 1, 0.85}, light), light);
        cairo_set_source(cr, g);
        cairo_set_line_width(cr, 1.2);
        cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
        cairo_move_to(cr, x0, y0);
        cairo_line_to(cr, x1, y1);
        cairo_stroke(cr);
        cairo_pattern_destroy(g);
    }
    // Fragments: small tumbling shards, glowing hot and then cooling, each
    // trailing a little fire.
    cairo_set_operator(cr, CAIRO_OPERATOR_OVER);
    for (int k = 0; k < 11; ++k) {
        double a = rng.Range(0, 2 * M_PI), speed = rng.Range(14, 34), spin = rng.Range(-0.5, 0.5);
        double size = rng.Range(1.4, 2.8);
        double s = speed * (1 - std::pow(1 - t, 1.3));
        double x = Centre + s * std::cos(a), y = Centre + s * std::sin(a);
        double hot = std::pow(1 - t, 1.5);
        double fade = 1 - 0.75 * Smoothstep(0.7, 1.0, t);
        cairo_save(cr);
        cairo_set_operator(cr, CAIRO_OPERATOR_ADD);
        Glow(cr, x, y, size * 2.5, {1.0, 0.45, 0.1}, 0.7 * hot * fade, 1.5);
        cairo_restore(cr);
        cairo_save(cr);
        cairo_translate(cr, x, y);
        cairo_rotate(cr, spin * frame + a);
        cairo_move_to(cr, -size, -size * 0.4);
        cairo_line_to(cr, size * 0.7, -size * 0.7);
        cairo_line_to(cr, size, size * 0.5);
        cairo_line_to(cr, -size * 0.3, size * 0.6);
        cairo_close_path(cr);
        SetColour(cr, Mix({0.30, 0.29, 0.30}, {0.85, 0.45, 0.15}, hot), fade);
        cairo_fill_preserve(cr);
        SetColour(cr, {1.0, 0.6, 0.2}, fade * (0.3 + 0.7 * hot));
        cairo_set_line_width(cr, 0.6);
        cairo_stroke(cr);
        cairo_restore(cr);
    }
    // Drifting smoke where the burst was.
    c.Flush();
    double smoke = Smoothstep(0.15, 0.5, t) * (1 - 0.6 * Smoothstep(0.7, 1.0, t));
    for (int y = 0; y < Size && smoke > 0; ++y) {
        for (int x = 0; x < Size; ++x) {
            double dx = x + 0.5 - Centre, dy = y + 0.5 - Centre;
            double d = std::sqrt(dx * dx + dy * dy) / (10 + 20 * t);
            double n = Fbm(x * 0.09, y * 0.09, t * 2, 3, 37);
            double density = Smoothstep(0.0, 0.5, 1 - d + (n - 0.5));
            if (density > 0) c.BlendPixel(x, y, {0.34, 0.31, 0.29}, 0.4 * density * smoke);
        }
    }
    c.MarkDirty();
    return c.ToPicture();
}

}  // namespace

std::vector<Picture> DrawExplosionItems() {
    std::vector<std::vector<Picture>> kinds(3);
    for (int f = 0; f < Frames; ++f) {
        kinds[0].push_back(Fireball(f));
        kinds[1].push_back(ShockRing(f));
        kinds[2].push_back(Debris(f));
    }
    // Kind k shows items 29 (k - 1) + 2 .. 29 k; the slots before each run
    // hold that kind's first frame.
    std::vector<Picture> items;
    items.push_back(kinds[0][0]);
    for (int k = 0; k < 3; ++k) {
        items.push_back(kinds[k][0]);
        for (const Picture& p : kinds[k]) items.push_back(p);
    }
    return items;
}

}  // namespace skyrend::assets
