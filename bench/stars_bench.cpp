// bench/stars_bench.cpp — the star generation of a new game: the position
// table against the full scan of the layer it replaces, and a whole new
// game's stars and bonus objects.

#include <benchmark/benchmark.h>

#include <memory>

#include "state/GameState.h"
#include "tests/world/LiteralStarScan.h"
#include "world/Stars.h"

namespace skyrend {
namespace {

using LayerGenerator = void (*)(StarLayer&, int32_t, RandomGenerator&, int32_t, int32_t, int32_t, int32_t);

// Each run starts over the stars the previous run left, as a second game does.
void RunStarLayer(benchmark::State& state, LayerGenerator generate) {
    const auto count = static_cast<int32_t>(state.range(0));
    StarLayer layer;
    uint32_t seed = 1;
    for (auto _ : state) {
        RandomGenerator rng{seed++};
        generate(layer, count, rng, 20000, 12, 1, 3);
        benchmark::DoNotOptimize(layer.X[count]);
    }
    state.SetItemsProcessed(state.iterations() * count);
}

void BM_StarLayerTable(benchmark::State& state) { RunStarLayer(state, GenerateStarLayer); }
BENCHMARK(BM_StarLayerTable)->Arg(3000)->Arg(30000)->Unit(benchmark::kMillisecond);

// The quadratic scan: every star against every other entry of the layer.
void BM_StarLayerFullScan(benchmark::State& state) { RunStarLayer(state, testing::LiteralStarLayer<false>); }
BENCHMARK(BM_StarLayerFullScan)->Arg(3000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StarLayerFullScan)->Arg(30000)->Iterations(1)->Unit(benchmark::kMillisecond);

// Both layers and the bonus objects, as the new-game sequence makes them.
void BM_NewGameWorld(benchmark::State& state) {
    auto g = std::make_unique<GameState>();
    uint32_t seed = 1;
    for (auto _ : state) {
        g->world.Rng.Randomize(seed++);
        GenerateStarField(*g);
        GenerateBonusObjects(*g);
        benchmark::DoNotOptimize(g->bonus.X[BonusObjectCount]);
    }
}
BENCHMARK(BM_NewGameWorld)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace skyrend
