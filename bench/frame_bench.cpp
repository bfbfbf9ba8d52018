// bench/frame_bench.cpp — whole frames of the running game beside the
// frame's memory floor.
//
// A frame is one timer tick on the headless back-end with software drawing:
// FrameStep, the menu when shown, and Flip. The floor is what any frame must
// pay however little it draws: one Fill of the drawing surface and one
// whole-surface copy, as presenting needs. The virtual clock (and with it the
// sound mix, which a real sound device does on its own thread) moves on
// outside the timed part.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

#include "bench/GameHarness.h"
#include "media/Surface.h"
#include "platform/common/FrameHash.h"
#include "platform/replay/RecordingPlatform.h"

namespace skyrend::bench {
namespace {

// The five screen profiles' surface sizes.
constexpr int ProfileWidth[] = {1024, 1280, 1440, 1680, 1920};
constexpr int ProfileHeight[] = {768, 800, 900, 1050, 1200};

void BM_FrameFloor(benchmark::State& state) {
    const auto profile = static_cast<size_t>(state.range(0));
    TDirectDrawSurface surface(ProfileWidth[profile], ProfileHeight[profile], false);
    std::vector<uint32_t> screen(static_cast<size_t>(surface.Width()) * surface.Height());
    for (auto _ : state) {
        surface.Fill(0);
        std::copy(surface.Pixels(), surface.Pixels() + screen.size(), screen.data());
        benchmark::DoNotOptimize(screen.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(screen.size()) * 4 * 3);
}
BENCHMARK(BM_FrameFloor)->ArgName("profile")->Arg(0)->Arg(4)->Unit(benchmark::kMillisecond);

// The games a tick is timed in: the smallest and the largest profile, each
// under the menu and with 0, 1000 and 100000 ships in flight.
void GameFrames(benchmark::internal::Benchmark* bench) {
    bench->ArgNames({"profile", "ships", "menu"})->Unit(benchmark::kMillisecond);
    for (int64_t profile : {0, 4}) {
        bench->Args({profile, 0, 1});
        for (int64_t ships : {0, 1000, 100000}) bench->Args({profile, ships, 0});
    }
}

// One tick of a game of range(1) ships at profile range(0); range(2) = 1
// keeps the menu on top. The floor is also taken in place before every
// tick, outside the timed part: a Fill of the game's surface and a Flip of
// it, the copy presenting makes. Both then meet the same caches and the same
// neighbours on the machine, and x_floor is their ratio.
void BM_FrameTick(benchmark::State& state) {
    HarnessScope scope(static_cast<int32_t>(state.range(0)), static_cast<int32_t>(state.range(1)),
                       state.range(2) != 0);
    GameHarness& game = scope.game;
    TSkyrendMain& m = game.m();
    using Clock = std::chrono::steady_clock;
    Clock::duration floor{}, frames{};
    for (auto _ : state) {
        state.PauseTiming();
        game.AdvanceClock();
        const auto t0 = Clock::now();
        m.DXDraw->Surface()->Fill(0);
        m.DXDraw->Flip();
        const auto t1 = Clock::now();
        floor += t1 - t0;
        state.ResumeTiming();
        game.Idle();
        frames += Clock::now() - t1;
    }
    const double n = static_cast<double>(state.iterations());
    state.counters["floor_ms"] = std::chrono::duration<double, std::milli>(floor).count() / n;
    state.counters["x_floor"] = std::chrono::duration<double>(frames) / std::chrono::duration<double>(floor);
    const GameState& g = game.g();
    state.counters["ships"] = g.enemies.EnemyShipCount;
    state.counters["shots"] = g.enemyShots.EnemyShotCount + g.playerShots.PlayerShotCount;
    state.counters["explosions"] = g.explosions.ExplosionCount;
}
BENCHMARK(BM_FrameTick)->Apply(GameFrames);

// The same ticks while the session is recorded: every answer the frame
// gets, the hash of the presented frame, and the tick's record written to
// a file, as `skyrend --record` does.
void BM_FrameTickRecording(benchmark::State& state) {
    HarnessScope scope(static_cast<int32_t>(state.range(0)), static_cast<int32_t>(state.range(1)),
                       state.range(2) != 0);
    GameHarness& game = scope.game;
    const std::string path = (std::filesystem::temp_directory_path() / "skyrend-bench-replay.skr").string();
    {
        platform::replay::RecordingPlatform recorder(game.hp(), path);
        platform::SetCurrent(&recorder);
        for (auto _ : state) {
            state.PauseTiming();
            game.AdvanceClock();
            state.ResumeTiming();
            game.Idle();
            recorder.EndTick({});
        }
        state.counters["bytes_per_tick"] =
            static_cast<double>(recorder.Writer().Written()) / static_cast<double>(state.iterations());
        platform::SetCurrent(&game.hp());
    }
    std::filesystem::remove(path);
}
BENCHMARK(BM_FrameTickRecording)->Apply(GameFrames);

// Hashing a frame apart from the copy that presenting makes (as a replay
// does when the back-end cannot hash it in that copy): one read of the
// whole surface, beside Flip's one copy of it.
void BM_FrameHash(benchmark::State& state) {
    const auto profile = static_cast<size_t>(state.range(0));
    TDirectDrawSurface surface(ProfileWidth[profile], ProfileHeight[profile], false);
    const platform::PixelView view{surface.Pixels(), surface.Width(), surface.Height(), surface.Width()};
    for (auto _ : state) benchmark::DoNotOptimize(platform::HashFrame(view));
    state.SetBytesProcessed(state.iterations() * int64_t{view.width} * view.height * 4);
}
BENCHMARK(BM_FrameHash)->ArgName("profile")->Arg(0)->Arg(4)->Unit(benchmark::kMillisecond);

// Presenting alone: what Flip costs on the headless back-end; range(1) = 1
// with the frame hashed in the same pass as its copy, as when recording.
void BM_Flip(benchmark::State& state) {
    HarnessScope scope(static_cast<int32_t>(state.range(0)), 0, false, 1);
    TSkyrendMain& m = scope.game.m();
    scope.game.hp().HashPresentedFrames(state.range(1) != 0);
    for (auto _ : state) m.DXDraw->Flip();
    scope.game.hp().HashPresentedFrames(false);
}
BENCHMARK(BM_Flip)
    ->ArgNames({"profile", "hashed"})
    ->Args({0, 0})
    ->Args({0, 1})
    ->Args({4, 0})
    ->Args({4, 1})
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace skyrend::bench
