// tests/platform/SdlKeysTest.cpp — SDL keys to virtual-key codes, for
// key-down messages and for the keyboard state.

#include <SDL_keycode.h>
#include <SDL_scancode.h>
#include <gtest/gtest.h>

#include <cstring>

#include "platform/sdl/SdlKeys.h"

namespace skyrend::platform {
namespace {

// The US layout, without asking a video driver.
SDL_Keycode UsLayout(SDL_Scancode scancode) {
    if (scancode >= SDL_SCANCODE_A && scancode <= SDL_SCANCODE_Z)
        return SDLK_a + (scancode - SDL_SCANCODE_A);
    return SDL_SCANCODE_TO_KEYCODE(scancode);
}

// A German layout swaps Y and Z and puts umlauts where US punctuation is.
SDL_Keycode GermanLayout(SDL_Scancode scancode) {
    if (scancode == SDL_SCANCODE_Z) return SDLK_y;
    if (scancode == SDL_SCANCODE_Y) return SDLK_z;
    if (scancode == SDL_SCANCODE_SEMICOLON) return 0xF6;  // ö
    return UsLayout(scancode);
}

uint16_t Message(SDL_Scancode sc) { return MessageVirtualKey(sc, UsLayout(sc)); }

TEST(SdlKeys, MessagesCarryTheDesktopCodes) {
    EXPECT_EQ(Message(SDL_SCANCODE_A), 'A');
    EXPECT_EQ(Message(SDL_SCANCODE_Z), 'Z');
    EXPECT_EQ(Message(SDL_SCANCODE_0), '0');
    EXPECT_EQ(Message(SDL_SCANCODE_9), '9');
    EXPECT_EQ(Message(SDL_SCANCODE_SPACE), 32);
    EXPECT_EQ(Message(SDL_SCANCODE_RETURN), 13);
    EXPECT_EQ(Message(SDL_SCANCODE_KP_ENTER), 13);
    EXPECT_EQ(Message(SDL_SCANCODE_ESCAPE), 27);
    EXPECT_EQ(Message(SDL_SCANCODE_BACKSPACE), 8);
    EXPECT_EQ(Message(SDL_SCANCODE_TAB), 9);
    EXPECT_EQ(Message(SDL_SCANCODE_LEFT), 37);
    EXPECT_EQ(Message(SDL_SCANCODE_UP), 38);
    EXPECT_EQ(Message(SDL_SCANCODE_RIGHT), 39);
    EXPECT_EQ(Message(SDL_SCANCODE_DOWN), 40);
    EXPECT_EQ(Message(SDL_SCANCODE_KP_0), 96);
    EXPECT_EQ(Message(SDL_SCANCODE_KP_8), 104);
    EXPECT_EQ(Message(SDL_SCANCODE_F1), 112);
    EXPECT_EQ(Message(SDL_SCANCODE_F2), 113);
    EXPECT_EQ(Message(SDL_SCANCODE_F12), 123);
    EXPECT_EQ(Message(SDL_SCANCODE_LSHIFT), 16);
    EXPECT_EQ(Message(SDL_SCANCODE_RCTRL), 17);
    EXPECT_EQ(Message(SDL_SCANCODE_LALT), 18);
    EXPECT_EQ(Message(SDL_SCANCODE_APOSTROPHE), 222);
    EXPECT_EQ(Message(SDL_SCANCODE_PERIOD), 190);
    EXPECT_EQ(Message(SDL_SCANCODE_KP_MULTIPLY), 106);
    EXPECT_EQ(Message(SDL_SCANCODE_UNKNOWN), 0);
}

TEST(SdlKeys, LettersFollowTheLayout) {
    EXPECT_EQ(MessageVirtualKey(SDL_SCANCODE_Z, GermanLayout(SDL_SCANCODE_Z)), 'Y');
    EXPECT_EQ(MessageVirtualKey(SDL_SCANCODE_Y, GermanLayout(SDL_SCANCODE_Y)), 'Z');
    // Punctuation keys keep their place whatever they print.
    EXPECT_EQ(MessageVirtualKey(SDL_SCANCODE_SEMICOLON, GermanLayout(SDL_SCANCODE_SEMICOLON)), 186);
}

// The state marks the same codes as the messages: the apostrophe is 222 here,
// not the Right arrow's 39 (only the input service's table makes it that).
TEST(SdlKeys, KeyboardStateTable) {
    Uint8 sdl[SDL_NUM_SCANCODES] = {};
    sdl[SDL_SCANCODE_APOSTROPHE] = 1;
    sdl[SDL_SCANCODE_KP_MULTIPLY] = 1;
    sdl[SDL_SCANCODE_SPACE] = 1;
    sdl[SDL_SCANCODE_RSHIFT] = 1;
    sdl[SDL_SCANCODE_Y] = 1;  // Z on a German keyboard
    uint8_t keys[256];
    std::memset(keys, 0x55, sizeof keys);
    TranslateKeyboardState(sdl, SDL_NUM_SCANCODES, keys, GermanLayout);
    for (int i = 0; i < 256; ++i) {
        const bool down = i == 222 || i == 106 || i == 32 || i == 16 || i == 161 || i == 'Z';
        EXPECT_EQ(keys[i], down ? 0x80 : 0) << i;
    }
    // No state at all: nothing is down.
    TranslateKeyboardState(nullptr, 0, keys, GermanLayout);
    for (int i = 0; i < 256; ++i) EXPECT_EQ(keys[i], 0) << i;
}

}  // namespace
}  // namespace skyrend::platform
