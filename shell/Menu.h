// shell/Menu.h — the menu drawn over the running game, and its mouse rules.

#pragma once

namespace skyrend {

class TSkyrendMain;

// Draws the menu, the page in force and the hover highlight.
void DrawMenu(TSkyrendMain& m);

}  // namespace skyrend
