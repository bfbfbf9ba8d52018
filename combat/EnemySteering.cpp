// combat/EnemySteering.cpp — the first pass over the fleet: ships near the
// player turn towards it, fire when they point at it, and speed up or slow
// down depending on how close they are.
//
// Headings and bearings are compared as plain numbers: a bearing runs from
// -90 to 270 and a heading is never folded, so a ship can turn the long way
// round.

#include <cmath>

#include "combat/Enemies.h"
#include "combat/EnemyShots.h"
#include "state/GameState.h"
#include "state/Space.h"

namespace skyrend {

namespace {

constexpr long double RadToDeg = 180.0L / 3.14159265358979323846264338327950288L;
constexpr int32_t CloseRange = 400;  // nearer than this on both axes: slow down
constexpr int32_t FireRange = 800;   // nearer than this on both axes: may fire
constexpr int32_t FireCooldown = 60;
constexpr int32_t TurnBand = 5;
constexpr int32_t AimBand = 2;
constexpr double CloseSpeed = 4.0;

// Whether the rounded distance is below SteeringRange. A ship SteeringRange
// or more away on one axis is that far in all, which settles most of a big
// fleet without a square root.
bool WithinSteeringRange(double ex, double ey, double camX, double camY) {
    if (std::fabs(ex - camX) >= SteeringRange || std::fabs(ey - camY) >= SteeringRange) return false;
    return WorldDistance(ex, ey, camX, camY) < SteeringRange;
}

void TurnTowards(EnemyShips& e, int32_t i, long double bearing) {
    if (e.EnemyHeading[i] < Nearest(bearing - TurnBand)) {
        e.EnemyTurnApplied[i] = 1;
        e.EnemyTurnSpeed[i] += e.EnemyTurnStep[i];
        if (e.EnemyTurnSpeed[i] > e.EnemyMaxTurnSpeed[i]) e.EnemyTurnSpeed[i] = e.EnemyMaxTurnSpeed[i];
    }
    if (e.EnemyHeading[i] > Nearest(bearing + TurnBand)) {
        e.EnemyTurnApplied[i] = 1;
        e.EnemyTurnSpeed[i] -= e.EnemyTurnStep[i];
        if (e.EnemyTurnSpeed[i] < e.EnemyMinTurnSpeed[i]) e.EnemyTurnSpeed[i] = e.EnemyMinTurnSpeed[i];
    }
}

bool Within(double d, int32_t range) { return -range < d && d < range; }
bool Beyond(double d, int32_t range) { return d > range || d < -range; }

bool Aimed(long double heading, long double bearing, double dx, double dy) {
    return Nearest(bearing - AimBand) < heading && heading < Nearest(bearing + AimBand) &&
           Within(dy, FireRange) && Within(dx, FireRange);
}

void AdjustSpeed(EnemyShips& e, int32_t i, bool far) {
    e.EnemyThrustApplied[i] = 1;
    double& speed = e.EnemySpeed[i];
    if (far) {
        speed += e.EnemySpeedStep[i];
        if (speed > e.EnemyMaxSpeed[i]) speed = e.EnemyMaxSpeed[i];
    } else {
        speed -= 2 * e.EnemySpeedStep[i];
        if (speed < CloseSpeed) speed = CloseSpeed;
    }
}

}  // namespace

bool EnemyBearing(double dx, double dy, long double& bearing) {
    if (dy == 0) {
        // Level with the player: the limit from below, without dividing.
        if (dx == 0) return false;
        bearing = dx < 0 ? 90.0L : -90.0L;
        return true;
    }
    bearing = std::atan(static_cast<long double>(dx) / static_cast<long double>(dy)) * RadToDeg;
    if (dy > 0) bearing += 180;
    return true;
}

void SteerEnemyShips(GameState& g, const Stage& stage) {
    EnemyShips& e = g.enemies;
    const double camX = g.world.CameraX, camY = g.world.CameraY;
    for (int32_t i = 1; i <= e.EnemyShipCount; ++i) {
        if (!WithinSteeringRange(e.EnemyX[i], e.EnemyY[i], camX, camY)) continue;
        const double dx = e.EnemyX[i] - camX;
        const double dy = e.EnemyY[i] - camY;
        long double bearing = 0;
        // A ship on the player's own position has no bearing: it neither
        // turns nor fires, but still slows down.
        const bool hasBearing = EnemyBearing(dx, dy, bearing);
        if (hasBearing) TurnTowards(e, i, bearing);
        const bool far = Beyond(dy, CloseRange) || Beyond(dx, CloseRange);
        if (hasBearing && Aimed(e.EnemyHeading[i], bearing, dx, dy) && e.EnemyFireCooldown[i] == 0) {
            e.EnemyFireCooldown[i] = FireCooldown;
            FireEnemyShot(g, stage, i);
        }
        AdjustSpeed(e, i, far);
    }
}

}  // namespace skyrend
