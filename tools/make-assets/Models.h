// tools/make-assets/Models.h — the ship models drawn at any size, for the
// menu's illustrations (the sprites themselves come from Assets.h).

#pragma once

#include "tools/make-assets/Mesh.h"

namespace skyrend::assets {

// The player's fighter, nose up, centred on the view's centre.
void RenderFighter(cairo_t* cr, const View& view);
// Enemy look 0 (raider) or 1 (warden).
void RenderEnemy(cairo_t* cr, int variant, const View& view);

}  // namespace skyrend::assets
