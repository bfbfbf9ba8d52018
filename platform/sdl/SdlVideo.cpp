// platform/sdl/SdlVideo.cpp — starting SDL's video on a display a player can see.

#include "platform/sdl/SdlVideo.h"

#include <SDL.h>

#include <cstdlib>
#include <stdexcept>
#include <string>

namespace skyrend::platform {

namespace {

bool ShowsOnADisplay(const std::string& driver) {
    return driver != "offscreen" && driver != "dummy" && driver != "evdev";
}

// Why a driver is not even tried; empty when it is worth a try. Without its
// runtime folder Wayland has no socket to reach, and its client library
// would only complain on standard error.
std::string WhyNotTried(const std::string& driver) {
    if (driver == "wayland" && !std::getenv("XDG_RUNTIME_DIR") && !std::getenv("WAYLAND_DISPLAY"))
        return "wayland: neither WAYLAND_DISPLAY nor XDG_RUNTIME_DIR is set";
    return {};
}

}  // namespace

void StartVideoOnDisplay() {
    if (const char* asked = std::getenv("SDL_VIDEODRIVER"); asked && *asked) {
        if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0)
            throw std::runtime_error(std::string("no display can be opened: ") + SDL_GetError());
        return;
    }
    std::string reasons;
    auto note = [&reasons](const std::string& reason) { reasons += (reasons.empty() ? "" : "; ") + reason; };
    for (int i = 0; i < SDL_GetNumVideoDrivers(); ++i) {
        const std::string driver = SDL_GetVideoDriver(i);
        if (!ShowsOnADisplay(driver)) continue;
        if (std::string why = WhyNotTried(driver); !why.empty()) {
            note(why);
            continue;
        }
        SDL_SetHint(SDL_HINT_VIDEODRIVER, driver.c_str());
        const bool started = SDL_InitSubSystem(SDL_INIT_VIDEO) == 0;
        SDL_ResetHint(SDL_HINT_VIDEODRIVER);
        if (started) return;
        note(SDL_GetError());
    }
    throw std::runtime_error("no display can be opened (" + reasons + ")");
}

}  // namespace skyrend::platform
