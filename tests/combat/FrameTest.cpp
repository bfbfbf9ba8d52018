// tests/combat/FrameTest.cpp — combat inside whole frames: the order of the
// cues, a busy frame on the real pictures, and frames that allocate nothing.

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>

#include "combat/Enemies.h"
#include "combat/EnemyShots.h"
#include "combat/Explosions.h"
#include "combat/PlayerShots.h"
#include "combat/ShotHits.h"
#include "tests/combat/CombatGame.h"
#include "world/Radar.h"

namespace {
std::atomic<long> allocations{0};
}

void* operator new(size_t size) {
    ++allocations;
    if (void* p = std::malloc(size ? size : 1)) return p;
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, size_t) noexcept { std::free(p); }

namespace skyrend::test {
namespace {

TEST(Frame, DestroyedShipsCueBeforeThePlayersShot) {
    CombatGame& game = CombatGame::Get();
    game.Reset();
    game.hp().SetForeground(true);
    game.hp().SetHeldKeys({32});  // Space: fire
    game.AddShip(10000, 10100);
    game.AddPlayerShot(10000, 10100, 0, 0);
    game.m().FrameStep();
    game.hp().SetHeldKeys({});
    EXPECT_EQ(game.cues, (std::vector<std::pair<int32_t, int32_t>>{{0, 1}, {1, 0}}));
    EXPECT_EQ(game.g().playerShots.PlayerShotCount, 2);
}

TEST(Frame, BusyFramesOnTheRealPictures) {
    CombatGame& game = CombatGame::Get();
    game.Reset();
    game.LoadRealPictures();
    // Ships of both looks around the player, shots, explosions of every
    // kind: every picture these draw must exist.
    for (int k = 0; k < 30; ++k) game.AddShip(9700 + 20 * k, 9800 + 15 * k, 12 * k, 4, -2 + 0.3L * k, k % 2);
    for (int k = 0; k < 9; ++k) game.AddEnemyShot(9800 + 40 * k, 10150, NoOwner, 40 * k);
    for (int kind = 1; kind <= 3; ++kind) {
        DestroyEnemyShip(game.m(), 1);
        game.g().explosions.ExplosionKind[kind] = kind;
    }
    try {
        for (int frame = 0; frame < 40; ++frame) game.m().FrameStep();
    } catch (const std::exception& e) {
        ADD_FAILURE() << e.what();
    }
    game.InstallProbes();
}

TEST(Frame, CombatStepsAllocateNothing) {
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
    DestroyEnemyShip(game.m(), g.enemies.EnemyShipCount);
    auto combat = [&] {
        MoveEnemyShots(game.m());
        MovePlayerShots(game.m());
        SteerEnemyShips(game.m());
        MoveEnemyShips(g);
        DrawEnemyShips(game.m());
        DrawExplosions(game.m());
        DrawRadar(game.m());
    };
    ASSERT_TRUE(ShipHitScan(game.m(), 20).Indexed());
    combat();  // the scratch storage grows once
    const long before = allocations;
    for (int frame = 0; frame < 3; ++frame) combat();
    EXPECT_EQ(allocations - before, 0);
    EXPECT_EQ(g.enemyShots.EnemyShotCount, 20);
    EXPECT_EQ(g.explosions.ExplosionCount, 1);
}

}  // namespace
}  // namespace skyrend::test
