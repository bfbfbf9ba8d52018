// state/Flight.h — one straight step along a heading, as ships and shots
// fly it.
//
// The heading turns into radians through one 80-bit constant, sine and cosine
// are taken in 80 bits, and each offset is added to the double position in
// 80 bits before the sum is stored back.

#pragma once

#include <cmath>

#include "state/Space.h"

namespace skyrend {

// The step for a heading whose sine and cosine are known.
inline void StepWith(double& x, double& y, long double sinH, long double cosH, double speed) {
    const long double v = speed;
    y = static_cast<double>(static_cast<long double>(y) + cosH * v);
    x = static_cast<double>(static_cast<long double>(x) + sinH * v);
}

inline void StepAlongHeading(double& x, double& y, long double heading, double speed) {
    const long double h = heading * DegToRad;
    StepWith(x, y, std::sin(h), std::cos(h), speed);
}

// A draw angle in 1/256 turns for a heading seen from the ship: the
// difference stored as a double, times the 80-bit 256/360, rounded.
inline float ShotDrawAngle(long double heading, long double shipHeading) {
    const double difference = static_cast<double>(heading - shipHeading);
    return static_cast<float>(Nearest(static_cast<long double>(difference) * TurnsPerDegree));
}

}  // namespace skyrend
