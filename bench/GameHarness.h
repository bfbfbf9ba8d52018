// bench/GameHarness.h — the running game the frame, drawing and new-game
// benchmarks share: the real code on the headless back-end with the build's
// assets, started with a chosen screen profile and fleet size.
//
// The game runs in a temporary folder of its own (links to the build's gfx
// and sfx, its own configuration files), so the build's game folder keeps its
// settings. Its platform is the current one only inside a HarnessScope, and
// each scope starts a new game at a fixed clock, so every run of a benchmark
// starts from the same world.

#pragma once

#include <cstdint>
#include <filesystem>

#include "harness/HeadlessGame.h"

namespace skyrend::bench {

class GameHarness {
public:
    static GameHarness& Get();
    ~GameHarness();
    GameHarness(const GameHarness&) = delete;
    GameHarness& operator=(const GameHarness&) = delete;

    // Writes aufloesung.cfg and schiffe.cfg (ships < 0: the build folder's
    // own schiffe.cfg) for the next new game.
    void Configure(int32_t profile, int32_t ships);
    // The new-game sequence in the harness's folder, at the fixed start clock.
    void NewGame();
    // The same without its last set-up step, the display switch to the
    // profile's size: the files, start values, configuration and world.
    void NewGameWithoutDisplaySwitch();
    // Moves the virtual clock on by one timer interval (the sound mixes up to
    // it), so that the next idle call ticks.
    void AdvanceClock();
    // One idle call of the message loop: with the clock moved on, one tick
    // (FrameStep, the menu when shown, Flip).
    void Idle();
    // Both in turn.
    void Tick() {
        AdvanceClock();
        Idle();
    }

    TSkyrendMain& m() { return game_.m(); }
    GameState& g() { return game_.g(); }
    platform::HeadlessPlatform& hp() { return game_.hp(); }
    TDirectDrawSurface& surface() { return game_.surface(); }

private:
    GameHarness();
    std::filesystem::path folder_;
    HeadlessGame game_;
};

// While alive, the harness's platform is the current back-end; the one
// before comes back after. Starting a scope starts a new game with the
// profile and fleet, hides the menu unless asked not to, and runs
// `warmFrames` ticks so that the ships near the player wake and fight.
class HarnessScope {
public:
    HarnessScope(int32_t profile, int32_t ships, bool menuShown = false, int warmFrames = 60);
    ~HarnessScope();
    HarnessScope(const HarnessScope&) = delete;
    HarnessScope& operator=(const HarnessScope&) = delete;

    GameHarness& game;

private:
    platform::Platform* previous_;
};

}  // namespace skyrend::bench
