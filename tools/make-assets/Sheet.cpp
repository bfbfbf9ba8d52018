// tools/make-assets/Sheet.cpp — contact sheets of picture files.

#include "tools/make-assets/Sheet.h"

#include <algorithm>
#include <string>

namespace skyrend::assets {

namespace {

constexpr uint32_t KeyShown = 0x10141c;

void PaintItem(cairo_t* cr, const Picture& p, double x, double y, int scale) {
    cairo_surface_t* s = PictureSurface(p, CAIRO_FORMAT_RGB24, [](uint32_t v) { return v == KeyColour ? KeyShown : v; });
    cairo_save(cr);
    cairo_translate(cr, x, y);
    cairo_scale(cr, scale, scale);
    cairo_set_source_surface(cr, s, 0, 0);
    cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_NEAREST);
    cairo_paint(cr);
    cairo_restore(cr);
    cairo_surface_destroy(s);
}

}  // namespace

void WriteContactSheet(const PictureFile& file, const std::string& path) {
    if (file.Items.empty()) return;
    int cellW = 0, cellH = 0;
    for (const Picture& p : file.Items) {
        cellW = std::max(cellW, p.Width);
        cellH = std::max(cellH, p.Height);
    }
    int scale = std::max(1, std::min(4, 96 / std::max(cellW, cellH)));
    int count = static_cast<int>(file.Items.size());
    int columns = std::max(1, std::min(count, 1600 / (cellW * scale + 8)));
    int rows = (count + columns - 1) / columns;
    int pitchX = cellW * scale + 8, pitchY = cellH * scale + 22;
    Canvas sheet(columns * pitchX + 8, rows * pitchY + 8);
    cairo_t* cr = sheet.Cr();
    cairo_set_source_rgb(cr, 0.3, 0.3, 0.32);
    cairo_paint(cr);
    UseFont(cr, 11, false);
    for (int i = 0; i < count; ++i) {
        double x = 8 + (i % columns) * pitchX, y = 8 + (i / columns) * pitchY;
        PaintItem(cr, file.Items[i], x, y, scale);
        cairo_set_source_rgb(cr, 1, 1, 1);
        cairo_move_to(cr, x, y + file.Items[i].Height * scale + 12);
        std::string label = std::to_string(i) + "  " + std::to_string(file.Items[i].Width) + "x" +
                            std::to_string(file.Items[i].Height);
        cairo_show_text(cr, label.c_str());
    }
    cairo_surface_write_to_png(sheet.Surface(), path.c_str());
}

}  // namespace skyrend::assets
