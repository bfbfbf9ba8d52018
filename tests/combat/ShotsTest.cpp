// tests/combat/ShotsTest.cpp — firing, flight, lifetimes and hits of the
// player's and the enemies' shots, and the removal of destroyed ships.

#include <gtest/gtest.h>

#include "combat/EnemyShots.h"
#include "combat/Explosions.h"
#include "combat/PlayerShots.h"
#include "tests/combat/CombatGame.h"

namespace skyrend::test {
namespace {

class Shots : public CombatTest {
protected:
    EnemyShots& es = g.enemyShots;
    PlayerShots& ps = g.playerShots;
};

TEST_F(Shots, ShotsStartOneStepAheadAtTheirSpeed) {
    const int32_t i = game.AddShip(3000, 4000, 0, 4.0);
    FireEnemyShot(game.g(), game.stage(), i);
    ASSERT_EQ(es.EnemyShotCount, 1);
    EXPECT_EQ(es.EnemyShotSpeed[1], 18.0);
    EXPECT_EQ(es.EnemyShotX[1], 3000);
    EXPECT_EQ(es.EnemyShotY[1], 4018);
    EXPECT_EQ(es.EnemyShotOwner[1], i);
    EXPECT_EQ(es.EnemyShotLife[1], 50);
    EXPECT_EQ(es.EnemyShotDamage[1], 5);

    g.ship.ShipHeading = 90;
    FirePlayerShot(game.g(), game.stage());
    ASSERT_EQ(ps.PlayerShotCount, 1);
    EXPECT_EQ(ps.PlayerShotSpeed[1], 12.0);
    EXPECT_EQ(ps.PlayerShotX[1], 10012);
    EXPECT_NEAR(ps.PlayerShotY[1], 10000, 1e-9);
    EXPECT_EQ(ps.PlayerFireCooldown, 10);
    FirePlayerShot(game.g(), game.stage());  // cooling down: nothing
    EXPECT_EQ(ps.PlayerShotCount, 1);
    EXPECT_EQ(game.cues, (std::vector<std::pair<int32_t, int32_t>>{{0, 0}, {1, 0}}));
}

TEST_F(Shots, LifetimesAre100And50Moves) {
    game.AddPlayerShot(0, 0);
    game.AddEnemyShot(0, 0, NoOwner);
    for (int move = 1; move <= 100; ++move) {
        MovePlayerShots(game.g(), game.stage());
        if (es.EnemyShotCount > 0) MoveEnemyShots(game.g(), game.stage());
        EXPECT_EQ(ps.PlayerShotCount, move < 100 ? 1 : 0) << move;
        EXPECT_EQ(es.EnemyShotCount, move < 50 ? 1 : 0) << move;
    }
}

TEST_F(Shots, EnemyShotSparesTheShipThatFiredItOnly) {
    game.AddShip(500, 500);
    game.AddShip(600, 600);
    const int32_t own = game.AddShip(3000, 3000);
    game.AddShip(3000, 3040);
    FireEnemyShot(game.g(), game.stage(), own);  // speed 10: after its first move 20 ahead
    MoveEnemyShots(game.g(), game.stage());
    ASSERT_EQ(e.EnemyShipCount, 3);
    EXPECT_EQ(e.EnemyY[3], 3000);  // its own ship is still there
    ASSERT_EQ(g.explosions.ExplosionCount, 1);
    EXPECT_EQ(g.explosions.ExplosionY[1], 3040);
    EXPECT_EQ(es.EnemyShotLife[1], 1);
    // The shot flies one more frame and is removed before any further test.
    MoveEnemyShots(game.g(), game.stage());
    EXPECT_EQ(es.EnemyShotCount, 0);
}

TEST_F(Shots, OwnersAfterADestroyedShip) {
    for (int k = 1; k <= 4; ++k) game.AddShip(1000 * k, 1000);
    const int32_t orphan = game.AddEnemyShot(1, 1, 2);
    const int32_t third = game.AddEnemyShot(2, 2, 3);
    DestroyEnemyShip(game.g(), game.stage(), 2);
    EXPECT_EQ(es.EnemyShotOwner[orphan], NoOwner);
    EXPECT_EQ(es.EnemyShotOwner[third], 3);  // not adjusted
    // The ship now at position 3 (formerly 4) is spared by the shot of the
    // former ship 3, which it hits instead at its new position 2.
    es.EnemyShotX[third] = 4000;
    es.EnemyShotY[third] = 990;
    es.EnemyShotSpeed[third] = 0;
    MoveEnemyShots(game.g(), game.stage());
    EXPECT_EQ(e.EnemyShipCount, 3);
    es.EnemyShotX[third] = 3000;
    es.EnemyShotLife[third] = 10;
    MoveEnemyShots(game.g(), game.stage());
    EXPECT_EQ(e.EnemyShipCount, 2);
    EXPECT_EQ(e.EnemyX[2], 4000);
}

TEST_F(Shots, RemovalMovesEveryFieldDown) {
    for (int k = 1; k <= 5; ++k) {
        game.AddShip(100 * k, 200 * k, 10 * k, k, 0.5L * k, k % 2);
        e.EnemySpeedStep[k] = 0.01 * k;
        e.EnemyMaxSpeed[k] = k;
        e.EnemyTurnStep[k] = 0.001 * k;
        e.EnemyMaxTurnSpeed[k] = 10 + k;
        e.EnemyMinTurnSpeed[k] = -k;
        e.EnemyThrustApplied[k] = k;
        e.EnemyTurnApplied[k] = 2 * k;
        e.EnemyFireCooldown[k] = 3 * k;
    }
    DestroyEnemyShip(game.g(), game.stage(), 2);
    ASSERT_EQ(e.EnemyShipCount, 4);
    for (int p = 2; p <= 4; ++p) {
        const int k = p + 1;
        EXPECT_EQ(e.EnemyX[p], 100 * k);
        EXPECT_EQ(e.EnemyY[p], 200 * k);
        EXPECT_EQ(e.EnemyHeading[p], 10 * k);
        EXPECT_EQ(e.EnemySpeed[p], k);
        EXPECT_EQ(e.EnemySpeedStep[p], 0.01 * k);
        EXPECT_EQ(e.EnemyMaxSpeed[p], k);
        EXPECT_EQ(e.EnemyTurnSpeed[p], 0.5L * k);
        EXPECT_EQ(e.EnemyTurnStep[p], 0.001 * k);
        EXPECT_EQ(e.EnemyMaxTurnSpeed[p], 10 + k);
        EXPECT_EQ(e.EnemyMinTurnSpeed[p], -k);
        EXPECT_EQ(e.EnemyThrustApplied[p], k);
        EXPECT_EQ(e.EnemyTurnApplied[p], 2 * k);
        EXPECT_EQ(e.EnemyFireCooldown[p], 3 * k);
        EXPECT_EQ(e.EnemyVariant[p], k % 2);
    }
    DestroyEnemyShip(game.g(), game.stage(), 4);  // the last: only the count falls
    EXPECT_EQ(e.EnemyShipCount, 3);
    EXPECT_EQ(e.EnemyX[3], 400);
    DestroyEnemyShip(game.g(), game.stage(), 4);  // not a live position: nothing happens
    EXPECT_EQ(e.EnemyShipCount, 3);
    EXPECT_EQ(g.explosions.ExplosionCount, 2);
}

TEST_F(Shots, PlayerShotHitsEveryShipInReachOnce) {
    // One shot destroys every ship within reach in the same frame; a ship
    // exactly 25 away on one axis is not hit.
    game.AddShip(2000, 2000);
    game.AddShip(2010, 2010);
    game.AddShip(2025, 1990);
    game.AddShip(1990, 2012);
    game.AddPlayerShot(2000, 1994, 0, 10);  // moves to (2000, 2004)
    MovePlayerShots(game.g(), game.stage());
    EXPECT_EQ(e.EnemyShipCount, 1);
    EXPECT_EQ(e.EnemyX[1], 2025);
    EXPECT_EQ(g.explosions.ExplosionCount, 3);
    EXPECT_EQ(game.cues.size(), 3u);
    // Two shots over one ship destroy it once; the second then tests the
    // ships that remain.
    game.Reset();
    game.AddShip(2000, 2000);
    game.AddShip(2000, 2030);
    game.AddPlayerShot(2000, 1990, 0, 0);
    game.AddPlayerShot(2000, 2012, 0, 0);
    MovePlayerShots(game.g(), game.stage());
    EXPECT_EQ(e.EnemyShipCount, 0);
    EXPECT_EQ(g.explosions.ExplosionCount, 2);
    EXPECT_EQ(g.explosions.ExplosionY[1], 2000);
    EXPECT_EQ(g.explosions.ExplosionY[2], 2030);
    EXPECT_EQ(ps.PlayerShotLife[1], 1);
    EXPECT_EQ(ps.PlayerShotLife[2], 1);
    // Both are removed in the next move, with one that simply ran out.
    game.AddPlayerShot(0, 0);
    ps.PlayerShotLife[3] = 1;
    MovePlayerShots(game.g(), game.stage());
    EXPECT_EQ(ps.PlayerShotCount, 0);
}

TEST_F(Shots, EnemyShotHitsAShipAndThePlayerInOneFrameAndDamagesOnce) {
    game.AddShip(10010, 10000);
    game.AddEnemyShot(10005, 9990, NoOwner, 0, 10);
    MoveEnemyShots(game.g(), game.stage());
    EXPECT_EQ(e.EnemyShipCount, 0);
    EXPECT_EQ(g.explosions.ExplosionCount, 1);
    EXPECT_EQ(g.energy.Energy, 95);
    MoveEnemyShots(game.g(), game.stage());
    EXPECT_EQ(es.EnemyShotCount, 0);
    EXPECT_EQ(g.energy.Energy, 95);
    // A hit on the player alone ends the shot too.
    game.AddEnemyShot(10000, 9990, NoOwner, 0, 10);
    MoveEnemyShots(game.g(), game.stage());
    MoveEnemyShots(game.g(), game.stage());
    EXPECT_EQ(es.EnemyShotCount, 0);
    EXPECT_EQ(g.energy.Energy, 90);
}

TEST_F(Shots, FullListsDropNewEntries) {
    const int32_t i = game.AddShip(3000, 3000);
    es.EnemyShotCount = ListCapacity;
    es.EnemyShotOwner[ListCapacity] = 7;
    FireEnemyShot(game.g(), game.stage(), i);
    EXPECT_EQ(es.EnemyShotCount, ListCapacity);
    EXPECT_EQ(es.EnemyShotOwner[ListCapacity], 7);
    ps.PlayerShotCount = ListCapacity;
    FirePlayerShot(game.g(), game.stage());
    EXPECT_EQ(ps.PlayerShotCount, ListCapacity);
    EXPECT_TRUE(game.cues.empty());
    es.EnemyShotCount = 0;
    g.explosions.ExplosionCount = ListCapacity;
    DestroyEnemyShip(game.g(), game.stage(), i);  // the ship goes; its explosion does not fit
    EXPECT_EQ(e.EnemyShipCount, 0);
    EXPECT_EQ(g.explosions.ExplosionCount, ListCapacity);
}

}  // namespace
}  // namespace skyrend::test
