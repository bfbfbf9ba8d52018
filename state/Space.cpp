// state/Space.cpp — the wrap rule, distances, the view window and the
// world-to-screen mapping.
//
// The arithmetic runs in extended precision and is stored at the width of
// the value it updates, so that every routine rounds the same way.

#include "state/Space.h"

#include "state/GameState.h"

namespace skyrend {

WrapRing MakeWrapRing(const GameState& g) {
    const long double m = g.config.ScreenCentreX, w = g.world.WorldSize;
    return {.m = m, .w = w, .lo = static_cast<double>(m), .hi = static_cast<double>(w - m)};
}

// Each axis is a ring over [ScreenCentreX, WorldSize).
double WrapCoordinate(const GameState& g, double v) { return WrapCoordinate(v, MakeWrapRing(g)); }

int32_t WorldDistance(double x1, double y1, double x2, double y2) {
    const long double dx = std::fabs(x1 - x2);
    const long double dy = std::fabs(y1 - y2);
    return static_cast<int32_t>(Nearest(std::sqrt(dx * dx + dy * dy)));
}

ViewWindow MakeViewWindow(const GameState& g, double camX, double camY) {
    const int64_t range = g.config.ViewRange;
    const int64_t cx = Nearest(camX);
    const int64_t cy = Nearest(camY);
    return {.loX = cx - range, .hiX = cx + range, .loY = cy - range, .hiY = cy + range};
}

ViewRotation MakeViewRotation(const GameState& g) {
    const long double h = g.ship.ShipHeading * DegToRad;
    return {.cosH = std::cos(h), .sinH = std::sin(h)};
}

// Rotates the camera offset by minus the heading: what lies straight ahead
// of the ship lands straight above the screen centre.
ScreenPoint WorldToScreen(const GameState& g, const ViewRotation& r, double px, double py, double camX,
                          double camY) {
    const long double dx = px - camX;
    const long double dy = py - camY;
    const long double rx = dx * r.cosH - dy * r.sinH;
    const long double ry = dx * r.sinH + dy * r.cosH;
    return {.x = g.config.ScreenCentreX + Nearest(rx), .y = g.config.ScreenCentreY - Nearest(ry)};
}

ScreenPoint WorldToScreen(const GameState& g, double px, double py, double camX, double camY) {
    return WorldToScreen(g, MakeViewRotation(g), px, py, camX, camY);
}

}  // namespace skyrend
