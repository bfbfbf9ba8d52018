// bench/combat_bench.cpp — the enemy fleet at scale: placement against the
// plain overlap scan, the motion pass while the fleet drifts to rest and at
// rest, the fleet's update and the combat steps of a frame in a running
// game, and a crowded frame full of hits.

#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>

#include "combat/Enemies.h"
#include "combat/EnemyShots.h"
#include "combat/Explosions.h"
#include "state/Flight.h"
#include "combat/PlayerShots.h"
#include "harness/HeadlessGame.h"
#include "tests/combat/LiteralPlacement.h"
#include "world/Radar.h"
#include "state/Space.h"

namespace skyrend {
namespace {

std::unique_ptr<GameState> NewWorld(int32_t ships, uint32_t seed) {
    auto g = std::make_unique<GameState>();
    g->world.WorldSize = 20000;
    g->config.ScreenCentreX = 512;
    g->config.EnemyCount = ships;
    g->world.Rng.Randomize(seed);
    return g;
}

// Each run places over the fleet the previous run left, as a new game does.
void BM_PlaceEnemyShips(benchmark::State& state) {
    auto g = NewWorld(static_cast<int32_t>(state.range(0)), 1);
    for (auto _ : state) {
        g->enemies.EnemyShipCount = 0;
        PlaceEnemyShips(*g);
        benchmark::DoNotOptimize(g->enemies.EnemyX[1]);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_PlaceEnemyShips)->Arg(1000)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_PlaceByFullScan(benchmark::State& state) {
    auto g = NewWorld(static_cast<int32_t>(state.range(0)), 1);
    for (auto _ : state) {
        g->enemies.EnemyShipCount = 0;
        testing::PlaceByFullScan(*g);
        benchmark::DoNotOptimize(g->enemies.EnemyX[1]);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_PlaceByFullScan)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

// The motion pass over a fleet n frames after its placement: moving in the
// first six, at rest from the seventh on.
void BM_MoveEnemyShips(benchmark::State& state) {
    auto g = NewWorld(static_cast<int32_t>(state.range(0)), 7);
    PlaceEnemyShips(*g);
    for (int64_t k = 0; k < state.range(1); ++k) MoveEnemyShips(*g);
    const auto start = std::make_unique<EnemyShips>(g->enemies);
    for (auto _ : state) {
        state.PauseTiming();
        g->enemies = *start;
        state.ResumeTiming();
        MoveEnemyShips(*g);
        benchmark::DoNotOptimize(g->enemies.EnemyX[1]);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_MoveEnemyShips)
    ->Args({1000, 0})
    ->Args({100000, 0})
    ->Args({100000, 1})
    ->Args({100000, 10})
    ->Unit(benchmark::kMillisecond);

// What the first frame's move would cost with sine and cosine taken for
// every ship, for comparison.
void BM_MoveEveryShipWithItsOwnTrig(benchmark::State& state) {
    auto g = NewWorld(static_cast<int32_t>(state.range(0)), 7);
    PlaceEnemyShips(*g);
    EnemyShips& e = g->enemies;
    for (auto _ : state) {
        for (int32_t i = 1; i <= e.EnemyShipCount; ++i) {
            double x = e.EnemyX[i], y = e.EnemyY[i];
            StepAlongHeading(x, y, e.EnemyHeading[i], e.EnemySpeed[i]);
            e.EnemyY[i] = WrapCoordinate(*g, y);
            e.EnemyX[i] = WrapCoordinate(*g, x);
        }
        benchmark::DoNotOptimize(e.EnemyX[1]);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_MoveEveryShipWithItsOwnTrig)->Arg(100000)->Unit(benchmark::kMillisecond);

// A running game on the headless back-end with the real pictures.
class BenchGame {
public:
    BenchGame() {
        std::filesystem::current_path(SKYREND_GAME_DIR);
        game_.hp().EnableAudio(false);
        game_.Start();
        for (TDXWaveList* list : m().WaveLists)
            for (int32_t k = 0; k < list->Items.Count(); ++k) list->Items.GetItem(k).SetMaxPlayingCount(4);
    }
    TSkyrendMain& m() { return game_.m(); }
    GameState& g() { return game_.g(); }
    const Stage& stage() { return game_.stage(); }

    // A new fleet of n ships, then `frames` whole frames so that the ships
    // near the player wake, close in and fire.
    void NewFleet(int32_t n, int frames) {
        GameState& g = m().state;
        g.enemies.EnemyShipCount = 0;
        g.enemyShots.EnemyShotCount = 0;
        g.playerShots.PlayerShotCount = 0;
        g.explosions.ExplosionCount = 0;
        g.config.EnemyCount = n;
        PlaceEnemyShips(g);
        for (int k = 0; k < frames; ++k) Frame();
    }
    // One frame with the clock moving on, so that sounds end.
    void Frame() {
        game_.hp().AdvanceClock(33);
        m().FrameStep();
    }
    // The combat steps of a frame, in the frame's order.
    void CombatSteps() {
        GameState& g = m().state;
        if (g.enemyShots.EnemyShotCount > 0) {
            ++g.ticks.EnemyShotTick;
            DrawEnemyShots(g, stage());
            MoveEnemyShots(g, stage());
        }
        if (g.playerShots.PlayerShotCount > 0) {
            ++g.ticks.PlayerShotTick;
            DrawPlayerShots(g, stage());
            MovePlayerShots(g, stage());
        }
        if (g.enemies.EnemyShipCount > 0) UpdateEnemyShips(g, stage());
        if (g.explosions.ExplosionCount > 0) DrawExplosions(g, stage());
        DrawRadar(g, stage());
        for (int32_t i = 1; i <= g.enemies.EnemyShipCount; ++i)
            if (g.enemies.EnemyFireCooldown[i] > 0) --g.enemies.EnemyFireCooldown[i];
    }

private:
    HeadlessGame game_;
};

BenchGame& Game() {
    static BenchGame game;
    return game;
}

void BM_UpdateEnemyShips(benchmark::State& state) {
    BenchGame& game = Game();
    game.NewFleet(static_cast<int32_t>(state.range(0)), 60);
    for (auto _ : state) UpdateEnemyShips(game.g(), game.stage());
    state.counters["ships"] = game.m().state.enemies.EnemyShipCount;
}
BENCHMARK(BM_UpdateEnemyShips)->Arg(1000)->Arg(100000)->Unit(benchmark::kMillisecond);

// The battle goes on between iterations: ships close in, fire and die.
void BM_CombatSteps(benchmark::State& state) {
    BenchGame& game = Game();
    game.NewFleet(static_cast<int32_t>(state.range(0)), static_cast<int>(state.range(1)));
    for (auto _ : state) game.CombatSteps();
    const GameState& g = game.m().state;
    state.counters["ships"] = g.enemies.EnemyShipCount;
    state.counters["enemyShots"] = g.enemyShots.EnemyShotCount;
    state.counters["explosions"] = g.explosions.ExplosionCount;
}
BENCHMARK(BM_CombatSteps)
    ->Args({1000, 60})
    ->Args({100000, 0})
    ->Args({100000, 300})
    ->Unit(benchmark::kMillisecond);

void BM_FrameStep(benchmark::State& state) {
    BenchGame& game = Game();
    game.NewFleet(static_cast<int32_t>(state.range(0)), 300);
    for (auto _ : state) game.Frame();
    state.counters["ships"] = game.m().state.enemies.EnemyShipCount;
}
BENCHMARK(BM_FrameStep)->Arg(1000)->Arg(100000)->Unit(benchmark::kMillisecond);

// A crowd around the player in a fleet of 100000: 2000 ships within a few
// hundred units and 600 enemy shots among them, so that one scan destroys
// hundreds of ships. Each run starts from the same crowd.
void BM_CrowdedHitScan(benchmark::State& state) {
    BenchGame& game = Game();
    GameState& g = game.m().state;
    game.NewFleet(100000, 0);
    RandomGenerator r{99};
    for (int32_t i = 1; i <= 2000; ++i) {
        g.enemies.EnemyX[i] = 9500 + r.Random(1000);
        g.enemies.EnemyY[i] = 9500 + r.Random(1000);
    }
    EnemyShots& s = g.enemyShots;
    for (int32_t n = 1; n <= 600; ++n) {
        s.EnemyShotCount = n;
        s.EnemyShotX[n] = 9500 + r.Random(1000);
        s.EnemyShotY[n] = 9500 + r.Random(1000);
        s.EnemyShotLife[n] = 50;
        s.EnemyShotSpeed[n] = 10;
        s.EnemyShotHeading[n] = r.Random(360);
        s.EnemyShotFrame[n] = 0;
        s.EnemyShotDamage[n] = 5;
        s.EnemyShotOwner[n] = 1 + r.Random(2000);
    }
    const auto ships = std::make_unique<EnemyShips>(g.enemies);
    const auto shots = std::make_unique<EnemyShots>(g.enemyShots);
    int32_t destroyed = 0;
    for (auto _ : state) {
        state.PauseTiming();
        g.enemies = *ships;
        g.enemyShots = *shots;
        g.explosions.ExplosionCount = 0;
        state.ResumeTiming();
        MoveEnemyShots(game.g(), game.stage());
        destroyed = ships->EnemyShipCount - g.enemies.EnemyShipCount;
    }
    state.counters["destroyed"] = destroyed;
}
BENCHMARK(BM_CrowdedHitScan)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace skyrend
