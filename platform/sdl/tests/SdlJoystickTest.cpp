// platform/sdl/tests/SdlJoystickTest.cpp — the SDL back-end's joystick calls,
// driven by SDL's virtual joysticks (no display or device needed).

#include <SDL.h>
#include <gtest/gtest.h>

#include "platform/sdl/SdlPlatform.h"

namespace skyrend::platform {
namespace {

class SdlJoystick : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(SDL_Init(SDL_INIT_JOYSTICK), 0) << SDL_GetError(); }
    void TearDown() override {
        for (SDL_Joystick* stick : handles_) SDL_JoystickClose(stick);
        for (int i = SDL_NumJoysticks() - 1; i >= 0; --i)
            if (SDL_JoystickIsVirtual(i)) SDL_JoystickDetachVirtual(i);
        SDL_Quit();
    }

    // Attaches a virtual stick and returns its device number and a handle to move it.
    int Attach(int axes, int buttons, SDL_Joystick*& handle) {
        const int index = SDL_JoystickAttachVirtual(SDL_JOYSTICK_TYPE_GAMECONTROLLER, axes, buttons, 0);
        EXPECT_GE(index, 0) << SDL_GetError();
        handle = SDL_JoystickOpen(index);
        EXPECT_NE(handle, nullptr) << SDL_GetError();
        handles_.push_back(handle);
        return index;
    }

    std::vector<SDL_Joystick*> handles_;
};

TEST_F(SdlJoystick, AxesAndButtonsReadLikeTheMultimediaCalls) {
    SdlPlatform platform;
    const int before = platform.JoystickCount();
    SDL_Joystick* handle = nullptr;
    const int index = Attach(3, 6, handle);
    ASSERT_NE(handle, nullptr);
    EXPECT_EQ(platform.JoystickCount(), before + 1);

    JoystickCaps caps;
    ASSERT_TRUE(platform.GetJoystickCaps(index, caps));
    EXPECT_EQ(caps.xMin, 0);
    EXPECT_EQ(caps.xMax, 65535);
    EXPECT_EQ(caps.yMax, 65535);
    EXPECT_EQ(caps.zMax, 65535);
    EXPECT_EQ(caps.buttonCount, 6);

    JoystickPosition pos;
    ASSERT_TRUE(platform.GetJoystickPosition(index, pos));
    EXPECT_EQ(pos.x, 32768);
    EXPECT_EQ(pos.buttons, 0u);

    SDL_JoystickSetVirtualAxis(handle, 0, -32768);
    SDL_JoystickSetVirtualAxis(handle, 1, 32767);
    SDL_JoystickSetVirtualAxis(handle, 2, -1000);
    SDL_JoystickSetVirtualButton(handle, 0, SDL_PRESSED);
    SDL_JoystickSetVirtualButton(handle, 3, SDL_PRESSED);
    SDL_JoystickSetVirtualButton(handle, 5, SDL_PRESSED);
    ASSERT_TRUE(platform.GetJoystickPosition(index, pos));
    EXPECT_EQ(pos.x, 0);
    EXPECT_EQ(pos.y, 65535);
    EXPECT_EQ(pos.z, 31768);
    EXPECT_EQ(pos.buttons, 0b101001u);

    SDL_JoystickSetVirtualButton(handle, 0, SDL_RELEASED);
    ASSERT_TRUE(platform.GetJoystickPosition(index, pos));
    EXPECT_EQ(pos.buttons, 0b101000u);
}

TEST_F(SdlJoystick, MissingAxesStayCentredAndButtonsStopAt32) {
    SdlPlatform platform;
    SDL_Joystick* handle = nullptr;
    const int index = Attach(2, 40, handle);
    ASSERT_NE(handle, nullptr);
    JoystickCaps caps;
    ASSERT_TRUE(platform.GetJoystickCaps(index, caps));
    EXPECT_EQ(caps.buttonCount, 32);
    SDL_JoystickSetVirtualAxis(handle, 1, -32768);
    SDL_JoystickSetVirtualButton(handle, 31, SDL_PRESSED);
    SDL_JoystickSetVirtualButton(handle, 35, SDL_PRESSED);
    JoystickPosition pos;
    ASSERT_TRUE(platform.GetJoystickPosition(index, pos));
    EXPECT_EQ(pos.y, 0);
    EXPECT_EQ(pos.z, 32768);
    EXPECT_EQ(pos.buttons, 0x80000000u);
}

TEST_F(SdlJoystick, DetachedOrUnknownSticksAnswerNothing) {
    SdlPlatform platform;
    JoystickPosition pos;
    EXPECT_FALSE(platform.GetJoystickPosition(-1, pos));
    EXPECT_FALSE(platform.GetJoystickPosition(platform.JoystickCount(), pos));
    SDL_Joystick* handle = nullptr;
    const int index = Attach(3, 2, handle);
    ASSERT_TRUE(platform.GetJoystickPosition(index, pos));
    const int count = platform.JoystickCount();
    ASSERT_EQ(SDL_JoystickDetachVirtual(index), 0);
    EXPECT_EQ(platform.JoystickCount(), count - 1);
    if (index == count - 1) {
        EXPECT_FALSE(platform.GetJoystickPosition(index, pos));
    }
    JoystickCaps caps;
    EXPECT_FALSE(platform.GetJoystickCaps(platform.JoystickCount(), caps));

    // A stick attached at the freed number is opened afresh.
    SDL_Joystick* other = nullptr;
    const int again = Attach(3, 9, other);
    ASSERT_TRUE(platform.GetJoystickCaps(again, caps));
    EXPECT_EQ(caps.buttonCount, 9);
}

}  // namespace
}  // namespace skyrend::platform
