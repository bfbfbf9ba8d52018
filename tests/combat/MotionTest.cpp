// tests/combat/MotionTest.cpp — the fleet's motion pass skips the sine and
// cosine of ships at rest and remembers those of recent headings; neither
// may change a single bit of where the ships go.

#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "combat/Enemies.h"
#include "state/GameState.h"
#include "state/Space.h"

namespace skyrend::test {
namespace {

// The motion pass as plainly described, every ship with its own sine and
// cosine.
void MoveByHand(GameState& g) {
    EnemyShips& e = g.enemies;
    for (int32_t i = 1; i <= e.EnemyShipCount; ++i) {
        const long double h = e.EnemyHeading[i] * DegToRad;
        const long double v = e.EnemySpeed[i];
        e.EnemyY[i] = static_cast<double>(e.EnemyY[i] + std::cos(h) * v);
        e.EnemyX[i] = static_cast<double>(e.EnemyX[i] + std::sin(h) * v);
        e.EnemyY[i] = WrapCoordinate(g, e.EnemyY[i]);
        e.EnemyX[i] = WrapCoordinate(g, e.EnemyX[i]);
        const double speedStep = 2 * e.EnemySpeedStep[i];
        if (e.EnemyThrustApplied[i] == 0) {
            if (e.EnemySpeed[i] > 0 && (e.EnemySpeed[i] -= speedStep) < 0) e.EnemySpeed[i] = 0;
            if (e.EnemySpeed[i] < 0 && (e.EnemySpeed[i] += speedStep) > 0) e.EnemySpeed[i] = 0;
        }
        e.EnemyThrustApplied[i] = 0;
        const double turnStep = 2 * e.EnemyTurnStep[i];
        if (e.EnemyTurnApplied[i] == 0) {
            if (e.EnemyTurnSpeed[i] > 0 && (e.EnemyTurnSpeed[i] -= turnStep) < 0) e.EnemyTurnSpeed[i] = 0;
            if (e.EnemyTurnSpeed[i] < 0 && (e.EnemyTurnSpeed[i] += turnStep) > 0) e.EnemyTurnSpeed[i] = 0;
        }
        e.EnemyHeading[i] += e.EnemyTurnSpeed[i];
        e.EnemyTurnApplied[i] = 0;
    }
}

TEST(Motion, MatchesEveryShipMovedWithItsOwnSineAndCosine) {
    auto fast = std::make_unique<GameState>();
    fast->world.WorldSize = 20000;
    fast->config.ScreenCentreX = 512;
    fast->config.EnemyCount = 5000;
    fast->world.Rng.seed = 31;
    PlaceEnemyShips(*fast);
    // Some ships steered hard, fast, or backwards, the others drifting to rest.
    EnemyShips& e = fast->enemies;
    for (int32_t i = 1; i <= e.EnemyShipCount; i += 7) {
        e.EnemySpeed[i] = (i % 3 == 0) ? -3.5 : 11.0;
        e.EnemyTurnSpeed[i] = (i % 2 == 0) ? 5.5L : -1.7L;
        e.EnemyX[i] = 19990 + (i % 20);  // some across the seam
    }
    for (int32_t i = 13; i <= e.EnemyShipCount; i += 13) e.EnemyY[i] = 19995.25;  // coming to rest there
    auto plain = std::make_unique<GameState>(*fast);
    for (int frame = 0; frame < 12; ++frame) {
        for (int32_t i = 1; i <= e.EnemyShipCount; i += 11)
            e.EnemyThrustApplied[i] = plain->enemies.EnemyThrustApplied[i] = 1;
        MoveEnemyShips(*fast);
        MoveByHand(*plain);
        for (int32_t i = 1; i <= e.EnemyShipCount; ++i) {
            ASSERT_EQ(e.EnemyX[i], plain->enemies.EnemyX[i]) << "ship " << i << " frame " << frame;
            ASSERT_EQ(e.EnemyY[i], plain->enemies.EnemyY[i]) << "ship " << i << " frame " << frame;
            ASSERT_EQ(e.EnemyHeading[i], plain->enemies.EnemyHeading[i]) << "ship " << i;
            ASSERT_EQ(e.EnemySpeed[i], plain->enemies.EnemySpeed[i]) << "ship " << i;
        }
    }
}

}  // namespace
}  // namespace skyrend::test
