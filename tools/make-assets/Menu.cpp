// tools/make-assets/Menu.cpp — the menu picture file startmenue.dxg.
//
// Item 0 is the whole 800 x 600 menu: the button column on the left and, in
// the page area, the title panel that any page covers. Items 1..6 light one
// button each and are clear everywhere else, so they can be laid over item
// 0. Items 7..10 and 12 are pages 1..4 and 6, item 11 the options page and
// 13..18 the options page with row 1..6 lit; all pages are drawn at 301, 0.

#include "tools/make-assets/Menu.h"

#include <algorithm>
#include <cmath>

#include "tools/make-assets/Assets.h"
#include "tools/make-assets/MenuStyle.h"
#include "tools/make-assets/Models.h"

namespace skyrend::assets {

namespace {

const char* const ButtonLabels[6] = {"Start", "Steuerung", "Gegner", "Energie", "Optionen", "Über"};

// The title shown in the page area while no page is open.
void TitlePanel(cairo_t* cr) {
    cairo_save(cr);
    cairo_translate(cr, PageLeft, 0);
    PagePanel(cr);
    const double cx = PanelX + PanelW / 2;
    GlowingTextCentred(cr, "SKYREND", cx, 150, {58, true, {0.92, 0.97, 1.0}}, AccentColour);
    TextCentred(cr, "Weltraum ohne Grenzen", cx, 188, {17, false, DimText});
    // The fighter, large, with its engines lit.
    View view;
    view.CentreX = cx;
    view.CentreY = 330;
    view.Scale = 3.6;
    view.Roll = -0.25;
    view.Distance = 400;
    RenderFighter(cr, view);
    TextCentred(cr, "Klicke auf  Start  und los geht's!", cx, 500, {17, true, KeyText});
    TextCentred(cr, "Escape blendet das Menü ein und aus.", cx, 530, {15, false, DimText});
    cairo_restore(cr);
}

void ButtonColumn(cairo_t* cr, int lit) {
    GlassPanel(cr, 38, 6, 238, MenuHeight - 12, 0x6A11);
    for (int k = 1; k <= 6; ++k)
        Button(cr, ColumnLeft + 1, ButtonTop(k) + 1, ColumnRight - ColumnLeft - 2, ButtonHeight - 2,
               ButtonLabels[k - 1], k, k == lit);
}

Picture WholeMenu(int lit) {
    Canvas c(MenuWidth, MenuHeight);
    ButtonColumn(c.Cr(), lit);
    TitlePanel(c.Cr());
    return c.ToPicture();
}

// Keeps only the pixels round button k, clear elsewhere.
Picture ButtonHighlight(const Picture& menu, int k) {
    Picture out = menu;
    const int margin = 9;
    int x0 = static_cast<int>(ColumnLeft) - margin, x1 = static_cast<int>(ColumnRight) + margin;
    int y0 = static_cast<int>(ButtonTop(k)) - margin, y1 = static_cast<int>(ButtonTop(k) + ButtonHeight) + margin;
    for (int y = 0; y < out.Height; ++y)
        for (int x = 0; x < out.Width; ++x)
            if (x < x0 || x >= x1 || y < y0 || y >= y1) out.Pixels[static_cast<size_t>(y) * out.Width + x] = KeyColour;
    return out;
}

}  // namespace

void PagePanel(cairo_t* cr) { GlassPanel(cr, PanelX, PanelY, PanelW, PanelH, 0x9A6E); }

std::vector<Picture> DrawMenuItems() {
    std::vector<Picture> items;
    items.push_back(WholeMenu(0));
    for (int k = 1; k <= 6; ++k) items.push_back(ButtonHighlight(WholeMenu(k), k));
    for (int page = 1; page <= 4; ++page) items.push_back(DrawPage(page));
    items.push_back(DrawOptionsPage(0));
    items.push_back(DrawPage(6));
    for (int row = 1; row <= 6; ++row) items.push_back(DrawOptionsPage(row));
    return items;
}

}  // namespace skyrend::assets
