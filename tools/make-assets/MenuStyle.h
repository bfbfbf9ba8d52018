// tools/make-assets/MenuStyle.h — the look of the menu: glass panels with
// glowing edges, buttons, option rows and text set in DejaVu Sans.

#pragma once

#include <string>
#include <vector>

#include "tools/make-assets/Canvas.h"

namespace skyrend::assets {

// The menu's area and where its parts lie, relative to its top-left corner.
constexpr int MenuWidth = 800, MenuHeight = 600;
constexpr int PageLeft = 301, PageWidth = MenuWidth - PageLeft;
constexpr double ColumnLeft = 54, ColumnRight = 260;
// Button k (1..6) covers y in (ButtonTop(k), ButtonTop(k) + 55).
constexpr double ButtonTop(int k) { return 20.0 + 100.0 * (k - 1); }
constexpr double ButtonHeight = 55;
// The panel behind the page area, in page coordinates.
constexpr double PanelX = 2, PanelY = 6, PanelW = PageWidth - 4, PanelH = MenuHeight - 12;

const Rgb TextColour{0.86, 0.92, 1.0};
const Rgb DimText{0.60, 0.70, 0.85};
const Rgb AccentColour{0.40, 0.85, 1.0};
const Rgb KeyText{1.0, 0.85, 0.45};

// A dark, faintly starry glass panel with a glowing rim.
void GlassPanel(cairo_t* cr, double x, double y, double w, double h, unsigned seed);
// A menu button; `lit` draws it as the one under the mouse.
void Button(cairo_t* cr, double x, double y, double w, double h, const std::string& label, int icon, bool lit);
// A row of the options page.
void OptionRow(cairo_t* cr, double x, double y, double w, double h, const std::string& label, bool lit);

struct TextStyle {
    double Size = 15;
    bool Bold = false;
    Rgb Colour = TextColour;
};

// The width `text` takes in `style`.
double TextWidth(cairo_t* cr, const std::string& text, const TextStyle& style);
// Draws `text` with its baseline at y; returns the x after it.
double Text(cairo_t* cr, const std::string& text, double x, double y, const TextStyle& style);
void TextCentred(cairo_t* cr, const std::string& text, double cx, double y, const TextStyle& style);
// Text with a soft halo in `glow`.
void GlowingTextCentred(cairo_t* cr, const std::string& text, double cx, double y, const TextStyle& style,
                        Rgb glow);
// Word-wrapped paragraph from baseline y within `width`; returns the
// baseline below its last line.
double Paragraph(cairo_t* cr, const std::string& text, double x, double y, double width,
                 const TextStyle& style, double lineHeight);
// A page's title with a glowing rule under it; returns the baseline below.
double PageTitle(cairo_t* cr, const std::string& title);
// Places a picture (colour key shown as clear) with its top-left at x, y,
// scaled by `scale`; `additive` adds it as light, for glowing sprites whose
// dark surroundings were flattened over black.
void PaintPicture(cairo_t* cr, const Picture& picture, double x, double y, double scale = 1.0,
                  bool additive = false);

}  // namespace skyrend::assets
