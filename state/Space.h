// state/Space.h — the wrapping world, distances, the view window and the
// mapping from world to screen that every drawing routine uses.

#pragma once

#include <cmath>
#include <cstdint>

namespace skyrend {

struct GameState;

// Rounds to the nearest integer, ties to even. rintl rounds exactly as
// nearbyintl does in the rounding mode the program runs in (it never changes
// it); unlike nearbyintl it may raise the inexact flag, which nothing reads,
// and so it needs no save and restore of the floating-point state: one
// instruction instead of a library call.
inline int64_t Nearest(long double x) { return static_cast<int64_t>(std::rintl(x)); }

// Folds one coordinate back into the ring [ScreenCentreX, WorldSize).
double WrapCoordinate(const GameState& g, double v);

// The same with the ring worked out once, for a loop over a whole list. Its
// ends are whole numbers, held exactly as doubles, so the tests can be made
// in doubles with the same outcome; the folding itself is made in 80 bits.
struct WrapRing {
    long double m = 0, w = 0;  // ScreenCentreX, WorldSize
    double lo = 0, hi = 0;     // m and w - m
};
WrapRing MakeWrapRing(const GameState& g);
// The second test sees the result of the first, so a value in (W - M, W)
// goes out and comes back.
inline double WrapCoordinate(double v, const WrapRing& r) {
    if (v > r.hi) v = static_cast<double>(v + r.m - r.w);
    if (v < r.lo) v = static_cast<double>(v - r.m + r.w);
    return v;
}

// The rounded straight-line distance (no wrap-around).
int32_t WorldDistance(double x1, double y1, double x2, double y2);

// The unrotated square around the rounded camera; bounds are exclusive.
// The four tests are all made, and joined without branching: a scan of a
// whole list then branches once per entry, and that branch is almost always
// taken the same way.
struct ViewWindow {
    int64_t loX = 0, hiX = 0, loY = 0, hiY = 0;
    bool Contains(double px, double py) const {
        return (loX < px) & (px < hiX) & (loY < py) & (py < hiY);
    }
    bool Contains(int32_t px, int32_t py) const {
        return (loX < px) & (px < hiX) & (loY < py) & (py < hiY);
    }
};
ViewWindow MakeViewWindow(const GameState& g, double camX, double camY);

// The screen point of a world point seen from a camera, rotated by the
// ship's heading about the screen centre.
struct ScreenPoint {
    int64_t x = 0, y = 0;
};
ScreenPoint WorldToScreen(const GameState& g, double px, double py, double camX, double camY);

// The view's rotation for the current heading, worked out once per drawing
// routine; WorldToScreen with it gives the same points as without.
struct ViewRotation {
    long double cosH = 1, sinH = 0;
};
ViewRotation MakeViewRotation(const GameState& g);
ScreenPoint WorldToScreen(const GameState& g, const ViewRotation& r, double px, double py, double camX,
                          double camY);

// Degrees to radians as one 80-bit constant.
constexpr long double DegToRad = 3.14159265358979323846264338327950288L / 180.0L;
// A heading difference in 1/256 turns: the difference stored as a double,
// then multiplied by the 80-bit value of 256/360.
constexpr long double TurnsPerDegree = 256.0L / 360.0L;

}  // namespace skyrend
