// tests/combat/HitScanTest.cpp — the grid the hit scans use for big fleets
// must destroy exactly the ships, in exactly the order, that testing every
// ship for every shot destroys.

#include <gtest/gtest.h>

#include <climits>
#include <stdexcept>

#include "combat/EnemyShots.h"
#include "combat/PlayerShots.h"
#include "combat/ShotHits.h"
#include "tests/combat/CombatGame.h"

namespace skyrend::test {
namespace {

struct Outcome {
    std::vector<std::vector<double>> ships, enemyShots, playerShots, explosions;
    int32_t energy = 0;
    std::vector<std::pair<int32_t, int32_t>> cues;
    bool operator==(const Outcome&) const = default;
};

Outcome Capture(CombatGame& game) {
    const GameState& g = game.g();
    Outcome o;
    for (int32_t i = 1; i <= g.enemies.EnemyShipCount; ++i)
        o.ships.push_back({g.enemies.EnemyX[i], g.enemies.EnemyY[i], static_cast<double>(g.enemies.EnemyHeading[i])});
    for (int32_t i = 1; i <= g.enemyShots.EnemyShotCount; ++i)
        o.enemyShots.push_back({g.enemyShots.EnemyShotX[i], g.enemyShots.EnemyShotY[i],
                                double(g.enemyShots.EnemyShotLife[i]), double(g.enemyShots.EnemyShotOwner[i])});
    for (int32_t i = 1; i <= g.playerShots.PlayerShotCount; ++i)
        o.playerShots.push_back({g.playerShots.PlayerShotX[i], g.playerShots.PlayerShotY[i],
                                 double(g.playerShots.PlayerShotLife[i])});
    for (int32_t i = 1; i <= g.explosions.ExplosionCount; ++i)
        o.explosions.push_back({g.explosions.ExplosionX[i], g.explosions.ExplosionY[i],
                                double(g.explosions.ExplosionKind[i])});
    o.energy = g.energy.Energy;
    o.cues = game.cues;
    return o;
}

// A crowd: ships packed around the player, shots among them with owners
// that are live positions, the last positions, or none.
void MakeCrowd(CombatGame& game, uint32_t seed) {
    game.Reset();
    RandomGenerator r{seed};
    const int32_t ships = 4000;
    for (int32_t k = 0; k < ships; ++k)
        game.AddShip(9700 + r.Random(600) + r.Random(100) / 100.0, 9700 + r.Random(600), r.Random(360));
    const EnemyShips& e = game.g().enemies;
    for (int32_t k = 0; k < 400; ++k) {
        const int32_t owner = k % 5 == 0 ? NoOwner : k % 5 == 1 ? ships - r.Random(50) : 1 + r.Random(ships);
        if (k % 5 == 2)  // just fired: over its own ship
            game.AddEnemyShot(e.EnemyX[owner], e.EnemyY[owner] + 10, owner, 0, 0);
        else
            game.AddEnemyShot(9700 + r.Random(600), 9700 + r.Random(600), owner, r.Random(360), r.Random(30));
    }
    for (int32_t k = 0; k < 40; ++k) game.AddPlayerShot(9700 + r.Random(600), 9700 + r.Random(600), r.Random(360));
    game.g().energy.Energy = 100000;
}

// Three frames of both scans; with failAtCue, the cue of that number fails
// as a missing sound would, which ends the frame there.
Outcome RunScans(CombatGame& game, const GameState& start, ShipGridThreshold threshold, bool expectGrid,
                 size_t failAtCue = 0) {
    game.g() = start;
    game.cues.clear();
    game.g().shell.CueDeviceIndex = 0;
    SetShipGridThreshold(threshold);
    EXPECT_EQ(ShipHitScan(game.g(), game.stage(), game.g().enemyShots.EnemyShotCount).Indexed(), expectGrid);
    auto record = game.m().OnCue;
    game.m().OnCue = [&](int32_t device, int32_t item) {
        record(device, item);
        if (game.cues.size() == failAtCue) throw std::runtime_error("no sound");
    };
    try {
        for (int frame = 0; frame < 3; ++frame) {
            MoveEnemyShots(game.g(), game.stage());
            MovePlayerShots(game.g(), game.stage());
        }
    } catch (const std::runtime_error&) {
    }
    game.m().OnCue = record;
    SetShipGridThreshold({});
    return Capture(game);
}

TEST(HitScan, GridDestroysTheSameShipsInTheSameOrder) {
    CombatGame& game = CombatGame::Get();
    for (uint32_t seed : {3u, 1000u, 77777u}) {
        MakeCrowd(game, seed);
        const GameState start = game.g();
        const Outcome plain = RunScans(game, start, {INT_MAX, INT64_MAX}, false);
        const Outcome grid = RunScans(game, start, {0, 0}, true);
        EXPECT_GT(plain.explosions.size(), 100u);
        EXPECT_TRUE(plain == grid) << "seed " << seed;
    }
    game.Reset();
}

TEST(HitScan, AFailedCueLeavesTheSameFleetBehind) {
    CombatGame& game = CombatGame::Get();
    MakeCrowd(game, 5);
    const GameState start = game.g();
    for (size_t cue : {1u, 2u, 57u}) {
        const Outcome plain = RunScans(game, start, {INT_MAX, INT64_MAX}, false, cue);
        const Outcome grid = RunScans(game, start, {0, 0}, true, cue);
        EXPECT_EQ(plain.cues.size(), cue);
        EXPECT_TRUE(plain == grid) << "cue " << cue;
    }
    game.Reset();
}

}  // namespace
}  // namespace skyrend::test
