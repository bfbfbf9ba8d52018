// harness/HeadlessGame.h — the game started on the headless back-end, as
// the program entry starts it: the forms are made, the main window is shown
// (the display initialises) and the application is activated (the new-game
// sequence runs). The tests, the benchmarks and the simulator all start
// their games here.

#pragma once

#include <cstdint>

#include "platform/headless/HeadlessPlatform.h"
#include "shell/Skyrendunit.h"

namespace skyrend {

class HeadlessGame {
public:
    // Makes its back-end the current one, its virtual clock at `clock`.
    explicit HeadlessGame(uint64_t clock = 0);
    // Drops the forms, then gives the platform before it back.
    ~HeadlessGame();
    HeadlessGame(const HeadlessGame&) = delete;
    HeadlessGame& operator=(const HeadlessGame&) = delete;

    // The forms alone: the main window with its components, not yet shown.
    TSkyrendMain& Create();
    // Shows the main window and activates the application, whose timer then
    // runs the new-game sequence. An error while showing ends up in the
    // error box, as the message loop would show it. When the application is
    // already active (another game of the process activated it), this
    // game's new-game sequence runs directly.
    void ShowAndActivate();
    // Both in turn.
    TSkyrendMain& Start() {
        Create();
        ShowAndActivate();
        return m();
    }
    // Deactivates the application (the next game's activation then runs its
    // new game) and drops the forms.
    void Stop();

    // `n` steps of the message loop: the clock moves on by one timer
    // interval, then one idle call (which ticks when the timer is due).
    void Frames(int n);

    platform::HeadlessPlatform& hp() { return hp_; }
    // The back-end that was current when this game was made.
    platform::Platform* Previous() const { return previous_; }
    GameForms& forms() { return forms_; }
    TSkyrendMain& m() { return *forms_.main; }
    GameState& g() { return forms_.main->state; }
    const Stage& stage() { return forms_.main->stage; }
    TDirectDrawSurface& surface() { return *forms_.main->DXDraw->Surface(); }

private:
    platform::HeadlessPlatform hp_;
    platform::Platform* previous_ = nullptr;
    GameForms forms_;
};

// The current back-end, or null when none is set.
platform::Platform* CurrentPlatformOrNull();

}  // namespace skyrend
