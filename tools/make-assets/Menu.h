// tools/make-assets/Menu.h — the pieces of the menu picture file.

#pragma once

#include "tools/make-assets/Canvas.h"

namespace skyrend::assets {

// The menu's page panel with nothing on it (page coordinates, PageWidth x
// MenuHeight); item 0 and every page start from it.
void PagePanel(cairo_t* cr);

// The pages (PageWidth x MenuHeight): 1 start, 2 controls, 3 enemies,
// 4 energy, 6 about; the options page with row 0 (none) or 1..6 lit.
Picture DrawPage(int page);
Picture DrawOptionsPage(int litRow);

}  // namespace skyrend::assets
