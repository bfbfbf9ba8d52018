// platform/sdl/SdlJoysticks.h — SDL joysticks as the multimedia joystick calls see them.
//
// Device numbers are SDL's joystick indexes. Each axis reads 0..65535 with
// the centre at 32768; X, Y and Z are the first three axes (an axis a stick
// does not have stays centred); up to 32 buttons form the button mask.

#pragma once

#include <SDL.h>

#include <vector>

#include "platform/Platform.h"

namespace skyrend::platform {

class SdlJoysticks {
public:
    SdlJoysticks();
    ~SdlJoysticks();
    SdlJoysticks(const SdlJoysticks&) = delete;
    SdlJoysticks& operator=(const SdlJoysticks&) = delete;

    int Count();
    bool Caps(int index, JoystickCaps& caps);
    bool Position(int index, JoystickPosition& position);

private:
    // The opened device at `index`, reopened when another device took the number.
    SDL_Joystick* Open(int index);

    bool ready_ = false;
    std::vector<SDL_Joystick*> open_;
};

}  // namespace skyrend::platform
