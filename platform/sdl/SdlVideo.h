// platform/sdl/SdlVideo.h — starting SDL's video on a display a player can see.

#pragma once

namespace skyrend::platform {

// Starts SDL's video subsystem on a real display (X11, Wayland or the
// console's KMS). Left to itself SDL falls back to its off-screen driver when
// no display is there, and the game would run on unseen; here that is a
// failure. Throws std::runtime_error naming why each display could not be
// opened. A driver named in SDL_VIDEODRIVER is used as asked, off-screen ones
// included (for tests and special set-ups).
void StartVideoOnDisplay();

}  // namespace skyrend::platform
