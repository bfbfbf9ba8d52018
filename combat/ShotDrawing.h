// combat/ShotDrawing.h — drawing one list of plasma shots, the player's or
// the enemies': the same sprite size, anchor and animation for both.

#pragma once

#include <cstdint>

#include "state/EntityList.h"

namespace skyrend {

class TSkyrendMain;
class TDXImageList;

// The fields of a shot list that drawing reads and animates.
struct ShotListView {
    int32_t count;
    const Column<double>& x;
    const Column<double>& y;
    const Column<long double>& heading;
    Column<int32_t>& frame;
};

// Draws the shots in view with their nine pictures, advancing each shown
// shot's picture when `tick` is 1 and then resetting it.
void DrawShotList(TSkyrendMain& m, TDXImageList& pictures, const ShotListView& shots, int32_t& tick);

}  // namespace skyrend
