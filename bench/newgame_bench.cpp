// bench/newgame_bench.cpp — the new-game sequence as an activation runs it:
// every picture and wave collection read from its file, the start values and
// configuration files, the display at the profile's size, both star layers,
// the bonus objects and the fleet. On the headless back-end the display
// switch is no mode change, only the surfaces made again; it is measured on
// its own as well, and so is the sequence without it. (Star generation and
// fleet placement against their quadratic scans are in stars_bench.cpp and
// combat_bench.cpp.)

#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include "bench/GameHarness.h"

namespace skyrend::bench {
namespace {

// The process's minor page faults so far: fresh memory the kernel had to
// map, which on a virtual machine costs about as much as filling it.
double MinorFaults() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_minflt);
}

// Page faults per iteration, beside the time.
class FaultCounter {
public:
    explicit FaultCounter(benchmark::State& state) : state_(state), start_(MinorFaults()) {}
    ~FaultCounter() {
        state_.counters["faults"] =
            benchmark::Counter(MinorFaults() - start_, benchmark::Counter::kAvgIterations);
    }

private:
    benchmark::State& state_;
    double start_;
};

// range(0) ships, -1 for the build folder's default fleet.
void BM_NewGameSequence(benchmark::State& state) {
    HarnessScope scope(0, static_cast<int32_t>(state.range(0)), true, 0);
    GameHarness& game = scope.game;
    FaultCounter faults(state);
    for (auto _ : state) game.NewGame();
    state.counters["ships"] = game.g().enemies.EnemyShipCount;
}
BENCHMARK(BM_NewGameSequence)->ArgName("ships")->Arg(-1)->Arg(100000)->Unit(benchmark::kMillisecond);

// The sequence without the display switch: what a new game costs beyond
// the mode change (on a real display the patterns are made again there).
void BM_NewGameWithoutDisplaySwitch(benchmark::State& state) {
    HarnessScope scope(0, -1, true, 0);
    GameHarness& game = scope.game;
    FaultCounter faults(state);
    for (auto _ : state) game.NewGameWithoutDisplaySwitch();
    state.counters["ships"] = game.g().enemies.EnemyShipCount;
}
BENCHMARK(BM_NewGameWithoutDisplaySwitch)->Unit(benchmark::kMillisecond);

// The display's part of it: Initialize at the same size, which makes the
// surfaces and every list's patterns again.
void BM_DisplayInitialize(benchmark::State& state) {
    HarnessScope scope(0, -1, true, 0);
    TSkyrendMain& m = scope.game.m();
    FaultCounter faults(state);
    for (auto _ : state) m.DXDraw->Initialize();
}
BENCHMARK(BM_DisplayInitialize)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace skyrend::bench
