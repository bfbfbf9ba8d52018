// shell/Menu.cpp — the overlay menu: six buttons on the left, a page on the
// right, and on the options page six rows that switch the screen profile.
//
// Every interval here excludes both ends; all coordinates are relative to the
// menu origin of the screen profile.

#include "shell/Menu.h"

#include "shell/ConfigFiles.h"
#include "shell/Skyrendunit.h"

namespace skyrend {

namespace {

constexpr int ButtonLeft = 54, ButtonRight = 260;
constexpr int OptionLeft = 385, OptionRight = 715;
constexpr int PageOffsetX = 301;

struct Band {
    int top, bottom;
};
// Button k covers (20 + 100 (k - 1), 75 + 100 (k - 1)).
constexpr Band MenuButtonBands[6] = {{20, 75}, {120, 175}, {220, 275}, {320, 375}, {420, 475}, {520, 575}};
constexpr Band OptionRows[6] = {{190, 210}, {250, 270}, {310, 330}, {370, 390}, {430, 450}, {485, 530}};

bool Inside(int v, int low, int high) { return low < v && v < high; }

void DrawMenuItem(TSkyrendMain& m, int item, int x, int y) {
    m.Menuegfx->Items.GetItem(item).Draw(m.DXDraw->Surface(), x, y, 0);
}

// The re-initialisation of the display at the chosen row's profile.
void ChooseOptionRow(TSkyrendMain& m, int row) {
    GameState& g = m.state;
    g.shell.OptionsChoice = row;
    g.config.ResolutionIndex = row - 1;
    ApplyScreenProfile(g);
    m.DXDraw->Finalize();
    m.DXDraw->Display.SetWidth(g.config.ScreenWidth);
    m.DXDraw->Display.SetHeight(g.config.ScreenHeight);
    m.DXDraw->Initialize();
}

}  // namespace

void DrawMenu(TSkyrendMain& m) {
    const GameState& g = m.state;
    const int left = g.config.MenuLeft, top = g.config.MenuTop;
    DrawMenuItem(m, 0, left, top);

    int page = -1;
    switch (g.shell.MenuPage) {
        case 1: page = 7; break;
        case 2: page = 8; break;
        case 3: page = 9; break;
        case 4: page = 10; break;
        case 5:
            if (g.shell.OptionsChoice == 0)
                page = 11;
            else if (g.shell.OptionsChoice >= 1 && g.shell.OptionsChoice <= 6)
                page = 12 + g.shell.OptionsChoice;
            else
                page = 11;  // a choice outside the rows: no highlight
            break;
        case 6: page = 12; break;
        default: break;
    }
    if (page >= 0) DrawMenuItem(m, page, left + PageOffsetX, top);

    int x = 0, y = 0;
    platform::Current().GetCursorPos(x, y);
    const int dx = x - left, dy = y - top;
    if (!Inside(dx, ButtonLeft, ButtonRight)) return;
    for (int k = 1; k <= 6; ++k)
        if (Inside(dy, MenuButtonBands[k - 1].top, MenuButtonBands[k - 1].bottom)) DrawMenuItem(m, k, left, top);
}

void TSkyrendMain::DXDrawMouseDown(TComponent*, TMouseButton, TShiftState, int x, int y) {
    GameState& g = state;
    const int dx = x - g.config.MenuLeft, dy = y - g.config.MenuTop;
    if (Inside(dx, ButtonLeft, ButtonRight)) {
        for (int k = 1; k <= 6; ++k) {
            if (!Inside(dy, MenuButtonBands[k - 1].top, MenuButtonBands[k - 1].bottom)) continue;
            if (k == 1) {
                DXTimer1->SetEnabled(false);
                NewGameSequence();
                DXTimer1->SetEnabled(true);
                g.shell.MenuOverlayShown = 0;
                g.shell.MenuPage = 1;
                g.shell.OptionsChoice = 0;
            } else if (k == 5) {
                g.shell.MenuPage = 5;
                // Wraps like the 32-bit sum for any index the file held.
                g.shell.OptionsChoice =
                    static_cast<int32_t>(static_cast<uint32_t>(g.config.ResolutionIndex) + 1u);
            } else {
                g.shell.MenuPage = k;
                g.shell.OptionsChoice = 0;
            }
            break;
        }
    }
    if (g.shell.MenuPage != 5 || !Inside(dx, OptionLeft, OptionRight)) return;
    for (int k = 1; k <= 6; ++k) {
        if (Inside(dy, OptionRows[k - 1].top, OptionRows[k - 1].bottom)) {
            ChooseOptionRow(*this, k);
            break;
        }
    }
}

}  // namespace skyrend
