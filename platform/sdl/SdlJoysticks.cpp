// platform/sdl/SdlJoysticks.cpp — opening and reading SDL joysticks.

#include "platform/sdl/SdlJoysticks.h"

#include <algorithm>

namespace skyrend::platform {

namespace {

constexpr int MaxButtons = 32;
constexpr int AxisCentre = 32768;

int ReadAxis(SDL_Joystick* stick, int axis) {
    if (axis >= SDL_JoystickNumAxes(stick)) return AxisCentre;
    return SDL_JoystickGetAxis(stick, axis) + AxisCentre;
}

}  // namespace

SdlJoysticks::SdlJoysticks() {
    // The input layer itself decides whether to listen while in the
    // background; SDL must not drop the stick's moves meanwhile.
    SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");
    ready_ = SDL_InitSubSystem(SDL_INIT_JOYSTICK) == 0;
}

SdlJoysticks::~SdlJoysticks() {
    for (SDL_Joystick* stick : open_)
        if (stick) SDL_JoystickClose(stick);
    if (ready_) SDL_QuitSubSystem(SDL_INIT_JOYSTICK);
}

int SdlJoysticks::Count() {
    if (!ready_) return 0;
    return std::max(SDL_NumJoysticks(), 0);
}

SDL_Joystick* SdlJoysticks::Open(int index) {
    if (!ready_ || index < 0 || index >= Count()) return nullptr;
    if (static_cast<size_t>(index) >= open_.size()) open_.resize(index + 1, nullptr);
    SDL_Joystick*& stick = open_[index];
    const SDL_JoystickID wanted = SDL_JoystickGetDeviceInstanceID(index);
    if (stick && (!SDL_JoystickGetAttached(stick) || SDL_JoystickInstanceID(stick) != wanted)) {
        SDL_JoystickClose(stick);
        stick = nullptr;
    }
    if (!stick) stick = SDL_JoystickOpen(index);
    return stick;
}

bool SdlJoysticks::Caps(int index, JoystickCaps& caps) {
    SDL_Joystick* stick = Open(index);
    if (!stick) return false;
    caps = JoystickCaps{};
    caps.buttonCount = std::clamp(SDL_JoystickNumButtons(stick), 0, MaxButtons);
    return true;
}

bool SdlJoysticks::Position(int index, JoystickPosition& position) {
    SDL_Joystick* stick = Open(index);
    if (!stick) return false;
    SDL_JoystickUpdate();
    position.x = ReadAxis(stick, 0);
    position.y = ReadAxis(stick, 1);
    position.z = ReadAxis(stick, 2);
    position.buttons = 0;
    const int buttons = std::clamp(SDL_JoystickNumButtons(stick), 0, MaxButtons);
    for (int i = 0; i < buttons; ++i)
        if (SDL_JoystickGetButton(stick, i)) position.buttons |= uint32_t{1} << i;
    return true;
}

}  // namespace skyrend::platform
