// tests/combat/PlacementTest.cpp — a new game's fleet: the random draws, the
// overlap shift against every other list position, and the fleet's bounds.

#include <gtest/gtest.h>

#include <memory>

#include "combat/Enemies.h"
#include "state/GameState.h"
#include "tests/combat/LiteralPlacement.h"

namespace skyrend::test {
namespace {

// Positions 1..upTo of both fleets, every field, and the generators.
void ExpectSameFleet(GameState& a, GameState& b, int32_t upTo) {
    ASSERT_EQ(a.enemies.EnemyShipCount, b.enemies.EnemyShipCount);
    ASSERT_EQ(a.world.Rng.seed, b.world.Rng.seed);
    for (int32_t i = 1; i <= upTo; ++i) {
        ASSERT_EQ(a.enemies.EnemyX[i], b.enemies.EnemyX[i]) << "ship " << i;
        ASSERT_EQ(a.enemies.EnemyY[i], b.enemies.EnemyY[i]) << "ship " << i;
        ASSERT_EQ(a.enemies.EnemyHeading[i], b.enemies.EnemyHeading[i]) << "ship " << i;
        ASSERT_EQ(a.enemies.EnemyVariant[i], b.enemies.EnemyVariant[i]) << "ship " << i;
        ASSERT_EQ(a.enemies.EnemyTurnSpeed[i], b.enemies.EnemyTurnSpeed[i]) << "ship " << i;
        ASSERT_EQ(a.enemies.EnemySpeed[i], b.enemies.EnemySpeed[i]) << "ship " << i;
    }
}

struct TwoGames {
    std::unique_ptr<GameState> fast = std::make_unique<GameState>();
    std::unique_ptr<GameState> plain = std::make_unique<GameState>();

    void Configure(uint32_t seed, int32_t worldSize, int32_t ships) {
        for (GameState* g : {fast.get(), plain.get()}) {
            g->world.Rng.seed = seed;
            g->world.WorldSize = worldSize;
            g->config.ScreenCentreX = 2;
            g->config.EnemyCount = ships;
            g->enemies.EnemyShipCount = 0;
        }
    }
    void Place() {
        PlaceEnemyShips(*fast);
        testing::PlaceByFullScan(*plain);
    }
    // A few frames of flight, so that the next game meets stale ships at
    // fractional positions.
    void Fly(int frames) {
        for (int k = 0; k < frames; ++k) {
            MoveEnemyShips(*fast);
            MoveEnemyShips(*plain);
        }
    }
};

TEST(Placement, AgreesWithTheFullScanAcrossSeedsAndGames) {
    TwoGames games;
    // A tiny world crowds the ships onto few points, so chains of shifts
    // run into each other and into the stale ships of the earlier game,
    // which sit on whole points when no frame ran in between.
    const struct {
        uint32_t seed;
        int32_t worldSize, ships, frames;
    } rounds[] = {{1, 20000, 1500, 3}, {77, 7, 60, 0}, {99, 7, 25, 0}, {5, 12, 400, 2},
                  {123456, 30, 1500, 0}, {42, 30, 700, 1}, {8, 9, 300, 0}};
    for (const auto& r : rounds) {
        games.Configure(r.seed, r.worldSize, r.ships);
        games.Place();
        ExpectSameFleet(*games.fast, *games.plain, 1500);
        games.Fly(r.frames);
    }
}

TEST(Placement, ShiftsAShipOffATakenPointAndAgainIfThatIsTaken) {
    auto g = std::make_unique<GameState>();
    g->world.WorldSize = 20000;
    g->config.EnemyCount = 3;
    // Find a seed whose first draws the stale ships can be put onto.
    g->world.Rng.seed = 2024;
    RandomGenerator probe = g->world.Rng;
    probe.Random(2);
    probe.Random(319);
    const double x = probe.Random(20000), y = probe.Random(20000);
    // Stale ships of an earlier game at positions 2 and 3 hold that point
    // and the point (63, 63) further on.
    g->enemies.EnemyX[2] = x;
    g->enemies.EnemyY[2] = y;
    g->enemies.EnemyX[3] = x + 63;
    g->enemies.EnemyY[3] = y + 63;
    g->enemies.EnemyX[4] = x + 126;  // beyond the fleet: not compared
    g->enemies.EnemyY[4] = y + 126;
    PlaceEnemyShips(*g);
    EXPECT_EQ(g->enemies.EnemyX[1], x + 126);
    EXPECT_EQ(g->enemies.EnemyY[1], y + 126);
}

TEST(Placement, FleetSizeIsBoundedByTheListAndEmptyForZeroOrLess) {
    auto g = std::make_unique<GameState>();
    g->world.WorldSize = 20000;
    for (int32_t n : {0, -5}) {
        g->config.EnemyCount = n;
        PlaceEnemyShips(*g);
        EXPECT_EQ(g->enemies.EnemyShipCount, 0);
    }
    g->config.EnemyCount = ListCapacity + 1;
    const RandomGenerator before = g->world.Rng;
    PlaceEnemyShips(*g);
    EXPECT_EQ(g->enemies.EnemyShipCount, ListCapacity);
    // Four draws per ship placed, none for the ship that did not fit.
    RandomGenerator expected = before;
    for (int32_t k = 0; k < 4 * ListCapacity; ++k) expected.Random(2);
    EXPECT_EQ(g->world.Rng.seed, expected.seed);
    EXPECT_EQ(g->enemies.EnemyTurnSpeed[ListCapacity], 0.1L);
    EXPECT_EQ(g->enemies.EnemyMinTurnSpeed[ListCapacity], -2);
}

}  // namespace
}  // namespace skyrend::test
