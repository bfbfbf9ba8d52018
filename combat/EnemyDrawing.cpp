// combat/EnemyDrawing.cpp — the third pass over the fleet: the ships inside
// the view window are drawn with the pose that shows how hard they turn; and
// the line under the status line that counts them.

#include <string>

#include "combat/Enemies.h"
#include "state/GameState.h"
#include "state/Space.h"
#include "state/Stage.h"

namespace skyrend {

namespace {

constexpr int32_t PosesPerVariant = 41;
constexpr int32_t StraightPose = 20;

// The turn speeds at which the pose changes, either way: 0.05, 0.10 .. 1.00.
constexpr long double PoseSteps[20] = {0.05L, 0.10L, 0.15L, 0.20L, 0.25L, 0.30L, 0.35L,
                                       0.40L, 0.45L, 0.50L, 0.55L, 0.60L, 0.65L, 0.70L,
                                       0.75L, 0.80L, 0.85L, 0.90L, 0.95L, 1.00L};

}  // namespace

void WriteShipCount(const Stage& stage, int32_t inView) {
    TDirectDrawSurface* surface = stage.Surface();
    if (!surface) return;
    TDirectDrawSurfaceCanvas& canvas = surface->Canvas();
    canvas.Brush.Style = TBrushStyle::bsClear;
    canvas.Font.Color = 0xFFFFFF;
    canvas.Font.Size = 12;
    canvas.TextOut(0, 50, "Anzahl der Schiffe: " + std::to_string(inView));
    canvas.Release();
}

// The ship's world heading seen from the turned view.
float EnemyDrawAngle(long double heading, long double shipHeading) {
    const double turns = static_cast<double>((heading - shipHeading) * TurnsPerDegree);
    return static_cast<float>(Nearest(turns));
}

int32_t EnemySpriteItem(long double t, int32_t variant) {
    int32_t item = StraightPose;
    if (t < -PoseSteps[0]) {
        for (long double step : PoseSteps)
            if (t < -step) --item;
    } else if (t > PoseSteps[1]) {
        for (long double step : PoseSteps)
            if (t > step) ++item;
    } else if (t == PoseSteps[1]) {
        // The turn speed a new ship starts with shows the first pose right.
        item = StraightPose + 1;
    }
    return variant == 1 ? item + PosesPerVariant : item;
}

int32_t DrawEnemyShips(const GameState& g, const Stage& stage) {
    const EnemyShips& e = g.enemies;
    const double camX = g.world.CameraX, camY = g.world.CameraY;
    const ViewWindow view = MakeViewWindow(g, camX, camY);
    const ViewRotation turn = MakeViewRotation(g);
    TDirectDrawSurface* surface = stage.Surface();
    int32_t inView = 0;
    for (int32_t i = 1; i <= e.EnemyShipCount; ++i) {
        if (!view.Contains(e.EnemyX[i], e.EnemyY[i])) continue;
        ++inView;
        const ScreenPoint p = WorldToScreen(g, turn, e.EnemyX[i], e.EnemyY[i], camX, camY);
        const float angle = EnemyDrawAngle(e.EnemyHeading[i], g.ship.ShipHeading);
        const int32_t item = EnemySpriteItem(e.EnemyTurnSpeed[i], e.EnemyVariant[i]);
        stage.Enemy->Items.GetItem(item).DrawRotated(surface, static_cast<int32_t>(p.x - 15),
                                                     static_cast<int32_t>(p.y), 50, 50, 0, 0.5, 0.5, angle);
    }
    return inView;
}

}  // namespace skyrend
