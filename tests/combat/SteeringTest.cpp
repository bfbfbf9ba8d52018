// tests/combat/SteeringTest.cpp — how enemy ships turn, speed up, slow
// down, fire and come to rest.

#include <gtest/gtest.h>

#include <cmath>

#include "combat/Enemies.h"
#include "tests/combat/CombatGame.h"

namespace skyrend::test {
namespace {

class Steering : public CombatTest {
protected:

    // A ship at offset (dx, dy) from the player.
    int32_t ShipAt(double dx, double dy, long double heading, double speed = 1.0, long double turnSpeed = 0) {
        return game.AddShip(10000 + dx, 10000 + dy, heading, speed, turnSpeed);
    }
    // -1 turning to smaller headings, +1 to larger ones, 0 not turning.
    int TurnAfterSteering(int32_t i) {
        const long double before = e.EnemyTurnSpeed[i];
        SteerEnemyShips(game.g(), game.stage());
        if (e.EnemyTurnApplied[i] == 0) return 0;
        return e.EnemyTurnSpeed[i] < before ? -1 : 1;
    }
};

TEST_F(Steering, BearingPointsFromTheShipToThePlayer) {
    long double b = 0;
    ASSERT_TRUE(EnemyBearing(300, -300, b));
    EXPECT_NEAR(static_cast<double>(b), -45.0, 1e-12);
    ASSERT_TRUE(EnemyBearing(0, -100, b));
    EXPECT_EQ(b, 0);
    ASSERT_TRUE(EnemyBearing(0, 100, b));
    EXPECT_EQ(b, 180);
    ASSERT_TRUE(EnemyBearing(-300, 300, b));
    EXPECT_NEAR(static_cast<double>(b), 135.0, 1e-12);
    // Level with the player: no division, the limit from below.
    ASSERT_TRUE(EnemyBearing(-300, 0, b));
    EXPECT_EQ(b, 90);
    ASSERT_TRUE(EnemyBearing(300, 0, b));
    EXPECT_EQ(b, -90);
    EXPECT_FALSE(EnemyBearing(0, 0, b));
}

TEST_F(Steering, CloseShipAtMinus45TurnsOutsideItsBandAndFiresInsideTheAimBand) {
    const struct {
        long double heading;
        int turn;
        bool fires;
    } cases[] = {{10, -1, false},  {300, -1, false}, {-39.9L, -1, false}, {-40, 0, false},
                 {-43, 0, false},  {-43.01L, 0, true}, {-45, 0, true},    {-46.99L, 0, true},
                 {-47, 0, false},  {-50, 0, false},  {-50.1L, 1, false}, {-200, 1, false}};
    for (const auto& c : cases) {
        game.Reset();
        const int32_t i = ShipAt(300, -300, c.heading);
        EXPECT_EQ(TurnAfterSteering(i), c.turn) << "heading " << static_cast<double>(c.heading);
        EXPECT_EQ(game.g().enemyShots.EnemyShotCount, c.fires ? 1 : 0) << static_cast<double>(c.heading);
        EXPECT_EQ(e.EnemyFireCooldown[i], c.fires ? 60 : 0);
        // Close on both axes: slows, never below 4.0.
        EXPECT_EQ(e.EnemySpeed[i], 4.0);
        EXPECT_EQ(e.EnemyThrustApplied[i], 1);
    }
}

TEST_F(Steering, BearingOf100SteersOnlyOutside95To105) {
    // Offset whose bearing is 100: 180 + atan(dx / dy) = 100.
    const double dy = 100, dx = -dy * std::tan(80.0 * M_PI / 180.0);
    const struct {
        long double heading;
        int turn;
    } cases[] = {{94, 1}, {95, 0}, {105, 0}, {106, -1}};
    for (const auto& c : cases) {
        game.Reset();
        EXPECT_EQ(TurnAfterSteering(ShipAt(dx, dy, c.heading)), c.turn) << static_cast<double>(c.heading);
    }
}

TEST_F(Steering, HeadingsAreComparedAsPlainNumbers) {
    // From 300 the ship turns down all the way to a bearing of -45, held
    // in place so that the bearing stays.
    const int32_t i = ShipAt(300, -300, 300);
    long double last = e.EnemyHeading[i];
    for (int frame = 0; frame < 400 && e.EnemyHeading[i] > -40; ++frame) {
        UpdateEnemyShips(game.g(), game.stage());
        e.EnemyX[i] = 10300;
        e.EnemyY[i] = 9700;
        ASSERT_LT(e.EnemyHeading[i], last);
        last = e.EnemyHeading[i];
    }
    EXPECT_LE(e.EnemyHeading[i], -40);
    // Bearing near 260 and heading -90 (10 degrees apart on the circle): it
    // turns up, the long way round.
    game.Reset();
    EXPECT_EQ(TurnAfterSteering(ShipAt(300, 50, -90)), 1);
}

TEST_F(Steering, ShipsLevelWithOrOnThePlayer) {
    // Level on the left: bearing 90, so heading 90 is aimed and fires.
    const int32_t left = ShipAt(-300, 0, 90);
    SteerEnemyShips(game.g(), game.stage());
    EXPECT_EQ(game.g().enemyShots.EnemyShotCount, 1);
    EXPECT_EQ(e.EnemyTurnApplied[left], 0);
    // On the player's position: no turn, no shot, but it slows to 4.0.
    game.Reset();
    const int32_t on = ShipAt(0, 0, 0, 7.0, 0.5L);
    SteerEnemyShips(game.g(), game.stage());
    EXPECT_EQ(game.g().enemyShots.EnemyShotCount, 0);
    EXPECT_EQ(e.EnemyTurnApplied[on], 0);
    EXPECT_EQ(e.EnemyTurnSpeed[on], 0.5L);
    EXPECT_EQ(e.EnemySpeed[on], 7.0 - 0.16);
    EXPECT_EQ(e.EnemyThrustApplied[on], 1);
}

TEST_F(Steering, ClampsAreAsymmetricAndFarShipsSpeedUpTo12) {
    const int32_t up = ShipAt(0, -900, -100, 11.95, 5.98L);    // far: speeds up, turns up
    const int32_t down = ShipAt(0, -900, 100, 1.0, -1.98L);    // turns down
    SteerEnemyShips(game.g(), game.stage());
    EXPECT_EQ(e.EnemyTurnSpeed[up], 6);
    EXPECT_EQ(e.EnemySpeed[up], 12);
    EXPECT_EQ(e.EnemyTurnSpeed[down], -2);
    EXPECT_EQ(e.EnemySpeed[down], 1.0 + 0.08);
    // Exactly 400 away on an axis is still close.
    game.Reset();
    const int32_t edge = ShipAt(400, -400, 0, 6.0);
    SteerEnemyShips(game.g(), game.stage());
    EXPECT_EQ(e.EnemySpeed[edge], 6.0 - 0.16);
}

TEST_F(Steering, ShipsSteerBelowARoundedDistanceOf1000) {
    const int32_t at = ShipAt(600, -800, 90);      // exactly 1000
    const int32_t inside = ShipAt(600, -799, 90);  // 999.4 rounds to 999
    const int32_t level = ShipAt(-999.5, 0, 0);    // 999.5 rounds to 1000 (even)
    SteerEnemyShips(game.g(), game.stage());
    EXPECT_EQ(e.EnemyThrustApplied[at], 0);
    EXPECT_EQ(e.EnemyThrustApplied[inside], 1);
    EXPECT_EQ(e.EnemyThrustApplied[level], 0);
}

TEST_F(Steering, DormantNewShipComesToRestInItsSeventhFrame) {
    const int32_t i = ShipAt(5000, 0, 30, 1.0, 0.1L);
    const long double heading = e.EnemyHeading[i];
    double x = e.EnemyX[i];
    for (int frame = 1; frame <= 8; ++frame) {
        UpdateEnemyShips(game.g(), game.stage());
        EXPECT_EQ(x != e.EnemyX[i], frame <= 7) << "frame " << frame;
        EXPECT_EQ(e.EnemySpeed[i] > 0, frame <= 6) << "frame " << frame;
        x = e.EnemyX[i];
    }
    EXPECT_EQ(e.EnemyTurnSpeed[i], 0);
    // One decay step of twice the turn step (a double), then none.
    EXPECT_EQ(e.EnemyHeading[i], heading + (0.1L - 2 * 0.04));
}

TEST_F(Steering, FiresEvery60FramesWhileAimed) {
    // Straight below the player, pointing up, held in place.
    const int32_t i = ShipAt(0, -300, 0);
    std::vector<int> fired;
    int32_t shots = 0;
    game.g().ship.ShipSpeed = 0;
    for (int frame = 1; frame <= 130; ++frame) {
        game.m().FrameStep();
        e.EnemyX[i] = 10000;
        e.EnemyY[i] = 9700;
        game.g().world.CameraX = game.g().world.CameraY = 10000;
        if (game.g().enemyShots.EnemyShotCount > shots) fired.push_back(frame);
        shots = game.g().enemyShots.EnemyShotCount;
    }
    EXPECT_EQ(fired, (std::vector<int>{1, 61, 121}));
}

TEST_F(Steering, PoseFollowsTheTurnSpeed) {
    const struct {
        long double t;
        int32_t variant, item;
    } cases[] = {
        {-1.2L, 1, 41}, {-1.2L, 0, 0}, {-1.0L, 0, 1}, {std::nextafter(-1.0L, -2.0L), 0, 0}, {-0.05L, 0, 20},
        {std::nextafter(-0.05L, -1.0L), 0, 19}, {0, 0, 20}, {0, 1, 61}, {0.07L, 0, 20},
        {std::nextafter(0.1L, 0.0L), 0, 20}, {0.1L, 0, 21}, {std::nextafter(0.1L, 1.0L), 0, 22}, {0.15L, 0, 22},
        {std::nextafter(0.15L, 1.0L), 0, 23}, {1.0L, 0, 39}, {std::nextafter(1.0L, 2.0L), 0, 40}, {6, 1, 81},
    };
    for (const auto& c : cases)
        EXPECT_EQ(EnemySpriteItem(c.t, c.variant), c.item) << static_cast<double>(c.t);
}

}  // namespace
}  // namespace skyrend::test
