// world/Exhaust.cpp — the smoke puffs a thrusting ship leaves behind it.
//
// A puff stays where it was dropped and turns with the view, so that the
// trail keeps its place in the world while the ship turns. Every puff lives
// the same number of frames, so they expire in the order they were dropped.

#include "world/Exhaust.h"

#include "state/GameState.h"
#include "state/Space.h"
#include "state/Stage.h"

namespace skyrend {

// Drops a puff at the ship's position, at most every second frame. A full
// list drops the puff.
void SpawnExhaustPuff(GameState& g) {
    ExhaustPuffs& ex = g.exhaust;
    if (ex.ExhaustCooldown != 0) return;
    ex.ExhaustCooldown = 2;
    const int32_t n = AppendPosition(ex.ExhaustCount);
    if (n == 0) return;
    ex.DriftSpeed[n] = 0;
    ex.Heading[n] = g.ship.ShipHeading;
    ex.Frame[n] = 0;
    ex.Life[n] = PuffLifetime;
    ex.X[n] = g.world.CameraX;
    ex.Y[n] = g.world.CameraY;
}

// The heading difference is stored as a double before it is scaled.
int64_t PuffAngle(long double puffHeading, long double shipHeading) {
    const double turned = static_cast<double>(puffHeading - shipHeading);
    return Nearest(turned * TurnsPerDegree);
}

// Puffs in view advance one picture every third frame in which puffs exist,
// and are drawn turned by how far the ship has turned since the drop.
void DrawExhaustPuffs(GameState& g, const Stage& stage) {
    ExhaustPuffs& ex = g.exhaust;
    const bool advance = g.ticks.ExhaustTick == 3;
    const ViewWindow view = MakeViewWindow(g, g.world.CameraX, g.world.CameraY);
    const ViewRotation rotation = MakeViewRotation(g);
    TDirectDrawSurface* surface = stage.Surface();
    for (int32_t i = 1; i <= ex.ExhaustCount; ++i) {
        if (!view.Contains(ex.X[i], ex.Y[i])) continue;
        if (advance && ++ex.Frame[i] == 7) ex.Frame[i] = 0;
        const ScreenPoint p = WorldToScreen(g, rotation, ex.X[i], ex.Y[i], g.world.CameraX, g.world.CameraY);
        const int64_t angle = PuffAngle(ex.Heading[i], g.ship.ShipHeading);
        stage.abgas->Items.GetItem(ex.Frame[i])
            .DrawRotated(surface, static_cast<int32_t>(p.x) - 10, static_cast<int32_t>(p.y), 10, 10, 0, 0.5, 0.5,
                         static_cast<float>(angle));
    }
    if (advance) g.ticks.ExhaustTick = 0;
}

// Puffs drift along their heading (their drift is 0, so they stay put) and
// age by one frame; the expired ones leave the list, the rest keep order.
void MoveExhaustPuffs(GameState& g) {
    ExhaustPuffs& ex = g.exhaust;
    for (int32_t i = 1; i <= ex.ExhaustCount; ++i) {
        const long double h = ex.Heading[i] * DegToRad;
        ex.Y[i] = static_cast<double>(ex.Y[i] + std::cos(h) * ex.DriftSpeed[i]);
        ex.X[i] = static_cast<double>(ex.X[i] + std::sin(h) * ex.DriftSpeed[i]);
        --ex.Life[i];
    }
    for (int32_t i = 1; i <= ex.ExhaustCount;) {
        if (ex.Life[i] <= 0)
            RemovePosition(i, ex.ExhaustCount, ex.X, ex.Y, ex.Life, ex.DriftSpeed, ex.Heading, ex.Frame);
        else
            ++i;
    }
}

}  // namespace skyrend
