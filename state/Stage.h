// state/Stage.h — what the game's routines see of the media: the drawing
// surface, the picture lists by their names and the sound cue.
//
// The shell fills it from the main window's components; the world and the
// combat code draw and play through it and never see the window itself.

#pragma once

#include <cstdint>
#include <functional>

#include "media/DXDraws.h"
#include "media/DXImageList.h"

namespace skyrend {

struct Stage {
    TDXDraw* DXDraw = nullptr;
    TDXImageList* Stars1 = nullptr;
    TDXImageList* Ship1 = nullptr;
    TDXImageList* Weapons = nullptr;
    TDXImageList* radar = nullptr;
    TDXImageList* abgas = nullptr;
    TDXImageList* Bonus = nullptr;
    TDXImageList* Enemy = nullptr;
    TDXImageList* Explosion = nullptr;
    TDXImageList* Energy = nullptr;
    TDXImageList* enemy_weapons = nullptr;
    // Plays sound item N on the next of the sound devices.
    std::function<void(int32_t n)> Cue;

    // The display's drawing surface; null while it is not initialised. The
    // display makes a new one at every initialisation, so it is asked each
    // time.
    TDirectDrawSurface* Surface() const { return DXDraw ? DXDraw->Surface() : nullptr; }
    void PlayCue(int32_t n) const {
        if (Cue) Cue(n);
    }
};

}  // namespace skyrend
