// platform/sdl/SdlKeys.h — SDL keys as the game's 16-bit virtual-key codes.
//
// Key-down messages and the keyboard state both carry the desktop's
// virtual-key codes. The input service's own table, which gives several
// punctuation keys their character codes, is the input component's business:
// it applies it only when it reads the keys through that service.

#pragma once

#include <SDL.h>

#include <cstdint>

namespace skyrend::platform {

// The virtual-key code of a key-down message; 0 for a key without one.
uint16_t MessageVirtualKey(SDL_Scancode scancode, SDL_Keycode keycode);

// Fills the 256-entry virtual-key table (bit 7 = down) from SDL's scancode
// state. `keycodeOf` gives the layout's key for a scancode.
void TranslateKeyboardState(const Uint8* scancodeState, int count, uint8_t keys[256],
                            SDL_Keycode (*keycodeOf)(SDL_Scancode) = SDL_GetKeyFromScancode);

}  // namespace skyrend::platform
