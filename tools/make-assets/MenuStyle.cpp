// tools/make-assets/MenuStyle.cpp — panels, buttons, rows and text of the
// menu.

#include "tools/make-assets/MenuStyle.h"

#include <cmath>
#include <initializer_list>
#include <utility>
#include <sstream>

#include "tools/make-assets/Noise.h"

namespace skyrend::assets {

namespace {

// A halo round a rounded rectangle: `rings` strokes in `colour`, the widest
// (rings times `step`) first.
void Halo(cairo_t* cr, double x, double y, double w, double h, double r, int rings, double step, Rgb colour,
          double alpha) {
    for (int k = rings; k >= 1; --k) {
        RoundedRect(cr, x, y, w, h, r);
        SetColour(cr, colour, alpha);
        cairo_set_line_width(cr, step * k);
        cairo_stroke(cr);
    }
}

// Fills a rounded rectangle with a gradient from its top to its bottom
// through the stops (offset, colour), and keeps its path for the rim.
void FillShaded(cairo_t* cr, double x, double y, double w, double h, double r,
                std::initializer_list<std::pair<double, Rgb>> stops) {
    RoundedRect(cr, x, y, w, h, r);
    cairo_pattern_t* g = cairo_pattern_create_linear(0, y, 0, y + h);
    for (const auto& [offset, colour] : stops) AddStop(g, offset, colour);
    cairo_set_source(cr, g);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(g);
}

}  // namespace

void GlassPanel(cairo_t* cr, double x, double y, double w, double h, unsigned seed) {
    const double r = 14;
    cairo_save(cr);
    // Halo round the rim.
    Halo(cr, x, y, w, h, r, 3, 3.0, AccentColour, 0.10);
    // Deep blue glass, darker towards the bottom.
    FillShaded(cr, x, y, w, h, r, {{0, {0.06, 0.11, 0.22}}, {0.5, {0.03, 0.06, 0.13}}, {1, {0.02, 0.04, 0.09}}});
    cairo_clip(cr);
    // Faint stars, as if seen through the glass.
    Rng rng(seed);
    int stars = static_cast<int>(w * h / 900);
    for (int i = 0; i < stars; ++i) {
        double sx = x + rng.Range(0, w), sy = y + rng.Range(0, h);
        SetColour(cr, Mix({0.6, 0.7, 1.0}, {1, 1, 1}, rng.Uniform()), rng.Range(0.10, 0.35));
        cairo_rectangle(cr, std::floor(sx), std::floor(sy), 1, 1);
        cairo_fill(cr);
    }
    // A sheen across the upper part.
    cairo_pattern_t* sheen = cairo_pattern_create_linear(x, y, x + w * 0.6, y + h * 0.5);
    AddStop(sheen, 0, {0.6, 0.8, 1.0}, 0.10);
    AddStop(sheen, 0.6, {0.6, 0.8, 1.0}, 0.02);
    AddStop(sheen, 1, {0.6, 0.8, 1.0}, 0.0);
    cairo_set_source(cr, sheen);
    cairo_paint(cr);
    cairo_pattern_destroy(sheen);
    cairo_restore(cr);
    // The rim: a bright line with a softer one inside.
    RoundedRect(cr, x + 0.5, y + 0.5, w - 1, h - 1, r);
    SetColour(cr, AccentColour, 0.9);
    cairo_set_line_width(cr, 1.5);
    cairo_stroke(cr);
    RoundedRect(cr, x + 3.5, y + 3.5, w - 7, h - 7, r - 3);
    SetColour(cr, AccentColour, 0.18);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    // Brighter corner marks.
    SetColour(cr, {0.75, 0.95, 1.0});
    cairo_set_line_width(cr, 2.5);
    const double len = 26;
    for (int corner = 0; corner < 4; ++corner) {
        bool right = corner & 1, bottom = corner & 2;
        double cx = right ? x + w - 0.5 : x + 0.5, cy = bottom ? y + h - 0.5 : y + 0.5;
        double sx = right ? -1 : 1, sy = bottom ? -1 : 1;
        cairo_move_to(cr, cx + sx * r, cy);
        cairo_line_to(cr, cx + sx * len, cy);
        cairo_move_to(cr, cx, cy + sy * r);
        cairo_line_to(cr, cx, cy + sy * len);
        cairo_stroke(cr);
    }
}

// Small pictograms beside the button labels.
static void Icon(cairo_t* cr, int icon, double cx, double cy, Rgb colour) {
    SetColour(cr, colour);
    cairo_set_line_width(cr, 2);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    switch (icon) {
    case 1:  // start: a play triangle
        cairo_move_to(cr, cx - 5, cy - 7);
        cairo_line_to(cr, cx + 7, cy);
        cairo_line_to(cr, cx - 5, cy + 7);
        cairo_close_path(cr);
        cairo_fill(cr);
        break;
    case 2:  // controls: a cross of arrows
        for (int k = 0; k < 4; ++k) {
            double a = k * M_PI / 2, ca = std::cos(a), sa = std::sin(a);
            cairo_move_to(cr, cx + ca * 8, cy + sa * 8);
            cairo_line_to(cr, cx + ca * 3 - sa * 3, cy + sa * 3 + ca * 3);
            cairo_line_to(cr, cx + ca * 3 + sa * 3, cy + sa * 3 - ca * 3);
            cairo_close_path(cr);
            cairo_fill(cr);
        }
        break;
    case 3:  // enemies: a crosshair
        cairo_arc(cr, cx, cy, 6, 0, 2 * M_PI);
        cairo_stroke(cr);
        cairo_move_to(cr, cx - 9, cy);
        cairo_line_to(cr, cx - 3, cy);
        cairo_move_to(cr, cx + 3, cy);
        cairo_line_to(cr, cx + 9, cy);
        cairo_move_to(cr, cx, cy - 9);
        cairo_line_to(cr, cx, cy - 3);
        cairo_move_to(cr, cx, cy + 3);
        cairo_line_to(cr, cx, cy + 9);
        cairo_stroke(cr);
        break;
    case 4:  // energy: a lightning bolt
        cairo_move_to(cr, cx + 2, cy - 9);
        cairo_line_to(cr, cx - 5, cy + 1);
        cairo_line_to(cr, cx, cy + 1);
        cairo_line_to(cr, cx - 2, cy + 9);
        cairo_line_to(cr, cx + 5, cy - 2);
        cairo_line_to(cr, cx, cy - 2);
        cairo_close_path(cr);
        cairo_fill(cr);
        break;
    case 5:  // options: a gear
        for (int k = 0; k < 8; ++k) {
            double a = k * M_PI / 4;
            cairo_move_to(cr, cx + std::cos(a) * 5, cy + std::sin(a) * 5);
            cairo_line_to(cr, cx + std::cos(a) * 9, cy + std::sin(a) * 9);
        }
        cairo_set_line_width(cr, 3);
        cairo_stroke(cr);
        cairo_set_line_width(cr, 2);
        cairo_arc(cr, cx, cy, 5.5, 0, 2 * M_PI);
        cairo_stroke(cr);
        break;
    case 6:  // about: an "i" in a ring
        cairo_arc(cr, cx, cy, 8.5, 0, 2 * M_PI);
        cairo_stroke(cr);
        cairo_arc(cr, cx, cy - 4, 1.5, 0, 2 * M_PI);
        cairo_fill(cr);
        cairo_move_to(cr, cx, cy - 0.5);
        cairo_line_to(cr, cx, cy + 5);
        cairo_stroke(cr);
        break;
    default:
        break;
    }
}

void Button(cairo_t* cr, double x, double y, double w, double h, const std::string& label, int icon, bool lit) {
    const double r = 9;
    cairo_save(cr);
    if (lit) {
        Halo(cr, x, y, w, h, r, 4, 2.5, AccentColour, 0.13);
        FillShaded(cr, x, y, w, h, r, {{0, {0.20, 0.45, 0.75}}, {0.5, {0.10, 0.28, 0.55}}, {1, {0.06, 0.18, 0.40}}});
    } else {
        FillShaded(cr, x, y, w, h, r, {{0, {0.10, 0.17, 0.32}}, {0.5, {0.06, 0.11, 0.22}}, {1, {0.04, 0.07, 0.15}}});
    }
    SetColour(cr, lit ? Rgb{0.8, 0.97, 1.0} : AccentColour, lit ? 1.0 : 0.65);
    cairo_set_line_width(cr, lit ? 2 : 1.2);
    cairo_stroke(cr);
    // A glassy highlight along the top edge.
    RoundedRect(cr, x + 3, y + 2.5, w - 6, h * 0.42, r - 3);
    SetColour(cr, {1, 1, 1}, lit ? 0.12 : 0.05);
    cairo_fill(cr);
    Rgb ink = lit ? Rgb{1, 1, 1} : TextColour;
    Icon(cr, icon, x + 26, y + h / 2, lit ? Rgb{1.0, 0.9, 0.5} : AccentColour);
    TextStyle style{21, true, ink};
    if (lit) {
        cairo_save(cr);
        UseFont(cr, style.Size, true);
        cairo_move_to(cr, x + 48, y + h / 2 + 7.5);
        cairo_text_path(cr, label.c_str());
        SetColour(cr, AccentColour, 0.35);
        cairo_set_line_width(cr, 4);
        cairo_stroke(cr);
        cairo_restore(cr);
    }
    Text(cr, label, x + 48, y + h / 2 + 7.5, style);
    cairo_restore(cr);
}

void OptionRow(cairo_t* cr, double x, double y, double w, double h, const std::string& label, bool lit) {
    const double r = std::min(8.0, h / 2);
    cairo_save(cr);
    if (lit) Halo(cr, x, y, w, h, r, 3, 2.5, {1.0, 0.8, 0.3}, 0.14);
    FillShaded(cr, x, y, w, h, r,
               {{0, lit ? Rgb{0.45, 0.35, 0.12} : Rgb{0.09, 0.15, 0.28}},
                {1, lit ? Rgb{0.25, 0.18, 0.05} : Rgb{0.05, 0.08, 0.17}}});
    SetColour(cr, lit ? Rgb{1.0, 0.88, 0.5} : AccentColour, lit ? 1.0 : 0.55);
    cairo_set_line_width(cr, lit ? 1.8 : 1.0);
    cairo_stroke(cr);
    TextStyle style{h > 30 ? 17.0 : 15.0, true, lit ? Rgb{1, 1, 1} : TextColour};
    TextCentred(cr, label, x + w / 2, y + h / 2 + style.Size * 0.36, style);
    if (lit) {
        // Markers either side of the chosen row.
        for (double side : {-1.0, 1.0}) {
            double mx = side < 0 ? x + 14 : x + w - 14, my = y + h / 2;
            cairo_move_to(cr, mx - side * 5, my - 5);
            cairo_line_to(cr, mx + side * 3, my);
            cairo_line_to(cr, mx - side * 5, my + 5);
            cairo_close_path(cr);
            SetColour(cr, {1.0, 0.9, 0.5});
            cairo_fill(cr);
        }
    }
    cairo_restore(cr);
}

double TextWidth(cairo_t* cr, const std::string& text, const TextStyle& style) {
    UseFont(cr, style.Size, style.Bold);
    cairo_text_extents_t e;
    cairo_text_extents(cr, text.c_str(), &e);
    return e.x_advance;
}

double Text(cairo_t* cr, const std::string& text, double x, double y, const TextStyle& style) {
    UseFont(cr, style.Size, style.Bold);
    SetColour(cr, style.Colour);
    cairo_move_to(cr, x, y);
    cairo_show_text(cr, text.c_str());
    return x + TextWidth(cr, text, style);
}

void TextCentred(cairo_t* cr, const std::string& text, double cx, double y, const TextStyle& style) {
    Text(cr, text, cx - TextWidth(cr, text, style) / 2, y, style);
}

void GlowingTextCentred(cairo_t* cr, const std::string& text, double cx, double y, const TextStyle& style,
                        Rgb glow) {
    double x = cx - TextWidth(cr, text, style) / 2;
    UseFont(cr, style.Size, style.Bold);
    for (int k = 3; k >= 1; --k) {
        cairo_move_to(cr, x, y);
        cairo_text_path(cr, text.c_str());
        SetColour(cr, glow, 0.16);
        cairo_set_line_width(cr, 3.0 * k);
        cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
        cairo_stroke(cr);
    }
    Text(cr, text, x, y, style);
}

double Paragraph(cairo_t* cr, const std::string& text, double x, double y, double width,
                 const TextStyle& style, double lineHeight) {
    std::istringstream words(text);
    std::string word, line;
    auto flush = [&]() {
        if (line.empty()) return;
        Text(cr, line, x, y, style);
        y += lineHeight;
        line.clear();
    };
    while (words >> word) {
        std::string candidate = line.empty() ? word : line + " " + word;
        if (!line.empty() && TextWidth(cr, candidate, style) > width) {
            flush();
            line = word;
        } else {
            line = candidate;
        }
    }
    flush();
    return y;
}

double PageTitle(cairo_t* cr, const std::string& title) {
    const double cx = PanelX + PanelW / 2;
    GlowingTextCentred(cr, title, cx, 62, {30, true, {0.92, 0.97, 1.0}}, AccentColour);
    cairo_pattern_t* g = cairo_pattern_create_linear(PanelX + 30, 0, PanelX + PanelW - 30, 0);
    AddStop(g, 0, AccentColour, 0);
    AddStop(g, 0.5, AccentColour, 0.9);
    AddStop(g, 1, AccentColour, 0);
    cairo_set_source(cr, g);
    cairo_rectangle(cr, PanelX + 30, 78, PanelW - 60, 1.5);
    cairo_fill(cr);
    cairo_pattern_destroy(g);
    return 112;
}

void PaintPicture(cairo_t* cr, const Picture& picture, double x, double y, double scale, bool additive) {
    // The key colour becomes transparent, everything else opaque.
    cairo_surface_t* s = PictureSurface(picture, CAIRO_FORMAT_ARGB32,
                                        [](uint32_t v) { return v == KeyColour ? 0 : (0xFF000000u | v); });
    cairo_save(cr);
    cairo_translate(cr, x, y);
    cairo_scale(cr, scale, scale);
    if (additive) cairo_set_operator(cr, CAIRO_OPERATOR_ADD);
    cairo_set_source_surface(cr, s, 0, 0);
    cairo_paint(cr);
    cairo_restore(cr);
    cairo_surface_destroy(s);
}

}  // namespace skyrend::assets
