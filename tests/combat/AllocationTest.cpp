// tests/combat/AllocationTest.cpp — the combat steps of a frame allocate
// nothing once their scratch storage has grown. Counted by replacing the
// global allocation functions, which the address sanitizer owns in its
// builds; there the count is not taken.

#include <gtest/gtest.h>

#include "combat/Enemies.h"
#include "combat/EnemyShots.h"
#include "combat/Explosions.h"
#include "combat/PlayerShots.h"
#include "combat/ShotHits.h"
#include "tests/combat/CombatGame.h"
#include "tests/support/CountingAllocator.h"
#include "world/Radar.h"

namespace skyrend::test {
namespace {

TEST(Frame, CombatStepsAllocateNothing) {
    if (!countingAllocations) GTEST_SKIP() << "the sanitizer owns the allocation functions";
    CombatGame& game = CombatGame::Get();
    game.Reset();
    GameState& g = game.g();
    // A big fleet, the ships near the player awake but none aimed, shots
    // enough for the grid, and nothing that hits or fires.
    for (int k = 0; k < 20000; ++k) game.AddShip(1060 + (k % 150) * 120, 1050 + (k / 150) * 100);
    for (int k = 0; k < 5; ++k) game.AddShip(10300 + 10 * k, 10300, 200, 1.0, 0.1L);
    for (int k = 0; k < 20; ++k) game.AddPlayerShot(10000, 10000, 180 + k, 12);
    for (int k = 0; k < 20; ++k) game.AddEnemyShot(10000 - 5 * k, 10100, NoOwner, 0, 0);
    game.AddShip(10000, 10000);
    DestroyEnemyShip(game.g(), game.stage(), g.enemies.EnemyShipCount);
    auto combat = [&] {
        MoveEnemyShots(game.g(), game.stage());
        MovePlayerShots(game.g(), game.stage());
        SteerEnemyShips(game.g(), game.stage());
        MoveEnemyShips(g);
        DrawEnemyShips(game.g(), game.stage());
        DrawExplosions(game.g(), game.stage());
        DrawRadar(game.g(), game.stage());
    };
    ASSERT_TRUE(ShipHitScan(game.g(), game.stage(), 20).Indexed());
    combat();  // the scratch storage grows once
    const long before = AllocationCount();
    for (int frame = 0; frame < 3; ++frame) combat();
    EXPECT_EQ(AllocationCount() - before, 0);
    EXPECT_EQ(g.enemyShots.EnemyShotCount, 20);
    EXPECT_EQ(g.explosions.ExplosionCount, 1);
}

}  // namespace
}  // namespace skyrend::test
