// platform/sdl/SdlKeys.cpp — the key translation tables.

#include "platform/sdl/SdlKeys.h"

#include <cstring>

namespace skyrend::platform {

namespace {

// Keys whose code does not depend on the layout, by physical position.
uint16_t PositionKey(SDL_Scancode sc) {
    if (sc >= SDL_SCANCODE_F1 && sc <= SDL_SCANCODE_F12) return static_cast<uint16_t>(112 + (sc - SDL_SCANCODE_F1));
    if (sc >= SDL_SCANCODE_F13 && sc <= SDL_SCANCODE_F24) return static_cast<uint16_t>(124 + (sc - SDL_SCANCODE_F13));
    if (sc >= SDL_SCANCODE_KP_1 && sc <= SDL_SCANCODE_KP_9) return static_cast<uint16_t>(97 + (sc - SDL_SCANCODE_KP_1));
    switch (sc) {
        case SDL_SCANCODE_KP_0: return 96;
        case SDL_SCANCODE_KP_PLUS: return 107;
        case SDL_SCANCODE_KP_MINUS: return 109;
        case SDL_SCANCODE_KP_PERIOD: return 110;
        case SDL_SCANCODE_KP_DIVIDE: return 111;
        case SDL_SCANCODE_KP_ENTER: return 13;
        case SDL_SCANCODE_RETURN: return 13;
        case SDL_SCANCODE_ESCAPE: return 27;
        case SDL_SCANCODE_BACKSPACE: return 8;
        case SDL_SCANCODE_TAB: return 9;
        case SDL_SCANCODE_SPACE: return 32;
        case SDL_SCANCODE_LEFT: return 37;
        case SDL_SCANCODE_UP: return 38;
        case SDL_SCANCODE_RIGHT: return 39;
        case SDL_SCANCODE_DOWN: return 40;
        case SDL_SCANCODE_PAGEUP: return 33;
        case SDL_SCANCODE_PAGEDOWN: return 34;
        case SDL_SCANCODE_END: return 35;
        case SDL_SCANCODE_HOME: return 36;
        case SDL_SCANCODE_INSERT: return 45;
        case SDL_SCANCODE_DELETE: return 46;
        case SDL_SCANCODE_PRINTSCREEN: return 44;
        case SDL_SCANCODE_PAUSE: return 19;
        case SDL_SCANCODE_CAPSLOCK: return 20;
        case SDL_SCANCODE_NUMLOCKCLEAR: return 144;
        case SDL_SCANCODE_SCROLLLOCK: return 145;
        case SDL_SCANCODE_LSHIFT: case SDL_SCANCODE_RSHIFT: return 16;
        case SDL_SCANCODE_LCTRL: case SDL_SCANCODE_RCTRL: return 17;
        case SDL_SCANCODE_LALT: case SDL_SCANCODE_RALT: return 18;
        case SDL_SCANCODE_LGUI: return 91;
        case SDL_SCANCODE_RGUI: return 92;
        case SDL_SCANCODE_APPLICATION: return 93;
        case SDL_SCANCODE_MINUS: return 189;
        case SDL_SCANCODE_GRAVE: return 192;
        default: return 0;
    }
}

// The punctuation keys keep the desktop's codes of their place, whatever
// character the layout prints on them.
struct Punctuation {
    SDL_Scancode scancode;
    uint16_t code;
};

constexpr Punctuation PunctuationKeys[] = {
    {SDL_SCANCODE_APOSTROPHE, 222},   {SDL_SCANCODE_COMMA, 188},
    {SDL_SCANCODE_PERIOD, 190},       {SDL_SCANCODE_SLASH, 191},
    {SDL_SCANCODE_SEMICOLON, 186},    {SDL_SCANCODE_EQUALS, 187},
    {SDL_SCANCODE_LEFTBRACKET, 219},  {SDL_SCANCODE_BACKSLASH, 220},
    {SDL_SCANCODE_RIGHTBRACKET, 221}, {SDL_SCANCODE_KP_MULTIPLY, 106},
    {SDL_SCANCODE_NONUSBACKSLASH, 226},
};

// Letters and digits follow the layout (the key labelled A gives 'A').
uint16_t CharacterKey(SDL_Keycode keycode) {
    if (keycode >= SDLK_a && keycode <= SDLK_z) return static_cast<uint16_t>('A' + (keycode - SDLK_a));
    if (keycode >= SDLK_0 && keycode <= SDLK_9) return static_cast<uint16_t>('0' + (keycode - SDLK_0));
    return 0;
}

uint16_t Translate(SDL_Scancode scancode, SDL_Keycode keycode) {
    for (const Punctuation& p : PunctuationKeys)
        if (p.scancode == scancode) return p.code;
    if (uint16_t key = PositionKey(scancode)) return key;
    if (uint16_t key = CharacterKey(keycode)) return key;
    // A letter key that the layout gives a non-letter (é, ü ...) keeps the
    // code of its position.
    if (scancode >= SDL_SCANCODE_A && scancode <= SDL_SCANCODE_Z)
        return static_cast<uint16_t>('A' + (scancode - SDL_SCANCODE_A));
    if (scancode >= SDL_SCANCODE_1 && scancode <= SDL_SCANCODE_9)
        return static_cast<uint16_t>('1' + (scancode - SDL_SCANCODE_1));
    if (scancode == SDL_SCANCODE_0) return '0';
    return 0;
}

// The left and right variants the desktop's keyboard state also marks.
uint16_t SideKey(SDL_Scancode scancode) {
    switch (scancode) {
        case SDL_SCANCODE_LSHIFT: return 160;
        case SDL_SCANCODE_RSHIFT: return 161;
        case SDL_SCANCODE_LCTRL: return 162;
        case SDL_SCANCODE_RCTRL: return 163;
        case SDL_SCANCODE_LALT: return 164;
        case SDL_SCANCODE_RALT: return 165;
        default: return 0;
    }
}

}  // namespace

uint16_t MessageVirtualKey(SDL_Scancode scancode, SDL_Keycode keycode) { return Translate(scancode, keycode); }

void TranslateKeyboardState(const Uint8* scancodeState, int count, uint8_t keys[256],
                            SDL_Keycode (*keycodeOf)(SDL_Scancode)) {
    std::memset(keys, 0, 256);
    if (!scancodeState) return;
    for (int i = 0; i < count && i < SDL_NUM_SCANCODES; ++i) {
        if (!scancodeState[i]) continue;
        const auto scancode = static_cast<SDL_Scancode>(i);
        const uint16_t key = Translate(scancode, keycodeOf(scancode));
        if (key > 0 && key < 256) keys[key] = 0x80;
        if (const uint16_t side = SideKey(scancode)) keys[side] = 0x80;
    }
}

}  // namespace skyrend::platform
