// platform/sdl/SdlDesktop.cpp — the desktop's size from X11, and the window over it.

// The X11 parts of SDL's window-system information are declared only when
// this is set; the library itself is built with X11.
#define SDL_VIDEO_DRIVER_X11 1

#include "platform/sdl/SdlDesktop.h"

#include <SDL_syswm.h>
#include <X11/Xlib.h>

namespace skyrend::platform {

bool CoverDesktop(SDL_Window* window) {
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (!window || !SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11) return false;
    Display* display = info.info.x11.display;
    XWindowAttributes root{}, own{};
    if (!XGetWindowAttributes(display, DefaultRootWindow(display), &root) ||
        !XGetWindowAttributes(display, info.info.x11.window, &own))
        return false;
    if (own.x == 0 && own.y == 0 && own.width == root.width && own.height == root.height) return false;
    XMoveResizeWindow(display, info.info.x11.window, 0, 0, static_cast<unsigned>(root.width),
                      static_cast<unsigned>(root.height));
    XFlush(display);
    return true;
}

}  // namespace skyrend::platform
