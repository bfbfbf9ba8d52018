// combat/EnemyMotion.cpp — the second pass over the fleet: every ship moves,
// near or far, folds back into the world, and lets its speed and turn speed
// decay when steering left them alone.
//
// This pass runs over the whole fleet every frame, and 80-bit sine and cosine
// are dear. Three things keep it cheap without changing a single result: a
// ship at rest moves by exactly nothing, so its sine and cosine are not
// needed; the ships far from the player, drifting to rest, share a few
// hundred headings (the whole degrees they were placed with, turned by the
// same decaying amount), so the values of recent headings are remembered;
// and a value that does not change is not written back, so that the lists
// of a resting fleet are only read.

#include <array>
#include <cstring>

#include "combat/Enemies.h"
#include "state/Flight.h"
#include "state/GameState.h"
#include "state/Space.h"

namespace skyrend {

namespace {

// Sine and cosine by heading, for the headings seen last: a direct-mapped
// table keyed by the heading's 80 bits.
class HeadingTrig {
public:
    void Get(long double heading, long double& sinH, long double& cosH) {
        uint64_t mantissa = 0;
        uint16_t signExponent = 0;
        std::memcpy(&mantissa, &heading, sizeof mantissa);
        std::memcpy(&signExponent, reinterpret_cast<const char*>(&heading) + sizeof mantissa, sizeof signExponent);
        uint64_t h = (mantissa ^ (static_cast<uint64_t>(signExponent) << 48)) * 0x9E3779B97F4A7C15ull;
        Entry& entry = entries_[static_cast<size_t>(h >> (64 - IndexBits))];
        if (!entry.used || entry.mantissa != mantissa || entry.signExponent != signExponent) {
            const long double radians = heading * DegToRad;
            entry = {mantissa, signExponent, true, std::sin(radians), std::cos(radians)};
        }
        sinH = entry.sinH;
        cosH = entry.cosH;
    }

private:
    static constexpr int IndexBits = 12;
    struct Entry {
        uint64_t mantissa = 0;
        uint16_t signExponent = 0;
        bool used = false;
        long double sinH = 0, cosH = 0;
    };
    std::array<Entry, size_t{1} << IndexBits> entries_{};
};

HeadingTrig headingTrig;

// Brings a value towards 0 by `step`, stopping at 0.
template <typename T>
void DecayTowardsZero(T& value, double step) {
    if (value > 0) {
        value -= step;
        if (value < 0) value = 0;
    }
    if (value < 0) {
        value += step;
        if (value > 0) value = 0;
    }
}

}  // namespace

void MoveEnemyShips(GameState& g) {
    EnemyShips& e = g.enemies;
    const int32_t count = e.EnemyShipCount;
    const WrapRing ring = MakeWrapRing(g);
    for (int32_t i = 1; i <= count; ++i) {
        const double speed = e.EnemySpeed[i];
        double x = e.EnemyX[i], y = e.EnemyY[i];
        if (speed != 0) {
            long double sinH, cosH;
            headingTrig.Get(e.EnemyHeading[i], sinH, cosH);
            StepWith(x, y, sinH, cosH, speed);
        }
        const double wrappedY = WrapCoordinate(y, ring);
        const double wrappedX = WrapCoordinate(x, ring);
        if (speed != 0 || wrappedY != y || wrappedX != x) {
            e.EnemyY[i] = wrappedY;
            e.EnemyX[i] = wrappedX;
        }
        // A speed at zero stays there; its step is not even read.
        if (e.EnemyThrustApplied[i] != 0)
            e.EnemyThrustApplied[i] = 0;
        else if (speed != 0)
            DecayTowardsZero(e.EnemySpeed[i], 2 * e.EnemySpeedStep[i]);
        long double turn = e.EnemyTurnSpeed[i];
        if (e.EnemyTurnApplied[i] != 0) {
            e.EnemyTurnApplied[i] = 0;
        } else if (turn != 0) {
            DecayTowardsZero(e.EnemyTurnSpeed[i], 2 * e.EnemyTurnStep[i]);
            turn = e.EnemyTurnSpeed[i];
        }
        // Adding a zero turn leaves a heading as it is, but for the sign of
        // a zero heading.
        if (turn != 0 || e.EnemyHeading[i] == 0) e.EnemyHeading[i] += turn;
    }
}

}  // namespace skyrend
