// platform/sdl/SdlKeys.h — SDL keys as the game's 16-bit virtual-key codes.
//
// Key-down messages carry the desktop's virtual-key codes. The keyboard state
// follows the input service's table instead, which gives several punctuation
// keys their character codes (apostrophe 39, comma 44, full stop 46, slash
// 47, semicolon 59, equals 61, brackets 91 and 93, backslash 92, keypad star
// 42); the apostrophe key therefore also reads as the Right arrow there.

#pragma once

#include <SDL.h>

#include <cstdint>

namespace skyrend::platform {

// The virtual-key code of a key-down message; 0 for a key without one.
uint16_t MessageVirtualKey(SDL_Scancode scancode, SDL_Keycode keycode);

// The virtual-key entry a pressed key marks in the keyboard state; 0 for none.
uint16_t StateVirtualKey(SDL_Scancode scancode, SDL_Keycode keycode);

// Fills the 256-entry virtual-key table (bit 7 = down) from SDL's scancode
// state. `keycodeOf` gives the layout's key for a scancode.
void TranslateKeyboardState(const Uint8* scancodeState, int count, uint8_t keys[256],
                            SDL_Keycode (*keycodeOf)(SDL_Scancode) = SDL_GetKeyFromScancode);

}  // namespace skyrend::platform
