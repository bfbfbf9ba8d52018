// combat/ShotDrawing.cpp — drawing a list of plasma shots.
//
// A shot's sprite is turned by its heading relative to the ship's, so it
// keeps pointing along its flight while the view turns.

#include "combat/ShotDrawing.h"

#include "state/Flight.h"
#include "shell/Skyrendunit.h"
#include "state/Space.h"

namespace skyrend {

namespace {
constexpr int32_t ShotPictures = 9;
}

void DrawShotList(TSkyrendMain& m, TDXImageList& pictures, const ShotListView& shots, int32_t& tick) {
    GameState& g = m.state;
    const double camX = g.world.CameraX, camY = g.world.CameraY;
    const ViewWindow view = MakeViewWindow(g, camX, camY);
    const ViewRotation turn = MakeViewRotation(g);
    TDirectDrawSurface* surface = m.DXDraw->Surface();
    const bool advance = tick == 1;
    for (int32_t i = 1; i <= shots.count; ++i) {
        if (!view.Contains(shots.x[i], shots.y[i])) continue;
        if (advance && ++shots.frame[i] == ShotPictures) shots.frame[i] = 0;
        const ScreenPoint p = WorldToScreen(g, turn, shots.x[i], shots.y[i], camX, camY);
        const float angle = ShotDrawAngle(shots.heading[i], g.ship.ShipHeading);
        pictures.Items.GetItem(shots.frame[i])
            .DrawRotated(surface, static_cast<int32_t>(p.x - 10), static_cast<int32_t>(p.y), 50, 50, 0, 0.5, 0.5,
                         angle);
    }
    if (advance) tick = 0;
}

}  // namespace skyrend
