// platform/sdl/SdlDesktop.h — keeping the full-screen window over a desktop
// that changes size.
//
// SDL keeps the desktop size it found at start, and without a window manager
// nobody resizes a full-screen window when the desktop grows or shrinks. So
// the window system itself is asked for the desktop's size, and the window
// is moved and sized over it; SDL then learns the new size from the window
// system as for any resize. Only under X11; elsewhere nothing is done.

#pragma once

#include <SDL.h>

namespace skyrend::platform {

// Whether the window had to be fitted to the desktop anew.
bool CoverDesktop(SDL_Window* window);

}  // namespace skyrend::platform
