// tests/input/InputStatesTest.cpp — the keyboard and joystick turned into
// input states on the headless back-end.

#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "media/DXInput.h"
#include "media/Errors.h"
#include "platform/headless/HeadlessPlatform.h"

namespace skyrend {
namespace {

using platform::HeadlessPlatform;
using platform::JoystickCaps;
using platform::JoystickPosition;

// A form with the game's input component: keyboard and joystick bound, the
// game's key table, the game's joystick settings.
class InputTest : public ::testing::Test {
protected:
    HeadlessPlatform platform_;
    TForm form_{nullptr};
    std::unique_ptr<TDXInput> input_;

    void SetUp() override {
        platform::SetCurrent(&platform_);
        input_ = std::make_unique<TDXInput>(&form_);
        input_->BeginLoading();
        TKeyboard& kb = input_->Keyboard;
        kb.Enabled = true;
        kb.BindInputStates = true;
        // The game's bindings: K, J, H, L with the arrows and the numeric
        // pad; Z and Space; X and Enter; F2.
        const std::pair<int, TKeyboard::KeyAssign> bindings[] = {
            {isUp, {75, 38, 104}}, {isDown, {74, 40, 98}}, {isLeft, {72, 37, 100}}, {isRight, {76, 39, 102}},
            {isButton1, {90, 32, 0}}, {isButton2, {88, 13, 0}}, {isButton9, {113, 0, 0}}};
        for (const auto& [state, keys] : bindings) kb.SetAssigns(state, keys);
        TJoystick& js = input_->Joystick;
        js.Enabled = js.BindInputStates = true;
        js.ID = 0;
        js.SetDeadZoneX(50);
        js.SetDeadZoneY(50);
        js.SetRangeX(1000);
        js.SetRangeY(1000);
    }
    void TearDown() override {
        input_.reset();
        platform::SetCurrent(nullptr);
    }

    void Hold(const std::vector<uint16_t>& keys) {
        platform_.SetHeldKeys(keys);
        input_->Update();
    }
    std::vector<int> Members() const {
        std::vector<int> out;
        for (int n = 0; n < InputStateCount; ++n)
            if (input_->States.Contains(n)) out.push_back(n);
        return out;
    }
};

constexpr JoystickCaps StandardStick{.buttonCount = 4};
constexpr int Centre = 32767;

TEST_F(InputTest, KeysGiveTheirStates) {
    input_->Loaded();
    Hold({32, 38});  // Space + Up arrow
    EXPECT_EQ(input_->States.Byte(0), 17);
    EXPECT_EQ(Members(), (std::vector<int>{isUp, isButton1}));

    Hold({75, 38});  // K and Up arrow: Up once
    EXPECT_EQ(Members(), std::vector<int>{isUp});
    Hold({38});  // K released, Up arrow still held
    EXPECT_EQ(Members(), std::vector<int>{isUp});
    Hold({113, 13});  // F2 and Enter
    EXPECT_EQ(Members(), (std::vector<int>{isButton2, isButton9}));
    Hold({});
    EXPECT_TRUE(input_->States.Empty());
}

TEST_F(InputTest, OnlyCodesOneTo255CanBeDown) {
    input_->Keyboard.SetAssigns(isButton3, {0, 256, -1});
    input_->Keyboard.SetAssigns(isButton4, {0, 0, 255});
    input_->Loaded();
    std::vector<uint16_t> all;
    for (uint16_t k = 1; k <= 255; ++k) all.push_back(k);
    Hold(all);
    EXPECT_FALSE(input_->States.Contains(isButton3));
    EXPECT_TRUE(input_->States.Contains(isButton4));
    EXPECT_FALSE(input_->Keyboard.KeyDown(0));
}

TEST_F(InputTest, LosingTheForegroundClearsStatesWhileKeysStayHeld) {
    input_->Loaded();
    Hold({37, 90});
    EXPECT_EQ(Members(), (std::vector<int>{isLeft, isButton1}));
    platform_.SetForeground(false);
    input_->Update();
    EXPECT_TRUE(input_->States.Empty());
    platform_.SetForeground(true);
    input_->Update();
    EXPECT_EQ(Members(), (std::vector<int>{isLeft, isButton1}));

    // Without ActiveOnly the background window still reads the keys.
    input_->ActiveOnly = false;
    platform_.SetForeground(false);
    input_->Update();
    EXPECT_EQ(Members(), (std::vector<int>{isLeft, isButton1}));
}

TEST_F(InputTest, StatesChangeOnlyWhereAStateStartsOrStops) {
    input_->Loaded();
    Hold({38});
    input_->States.Exclude(isUp);  // someone clears a held state
    input_->Update();
    EXPECT_FALSE(input_->States.Contains(isUp));  // no start: stays cleared
    Hold({});
    Hold({38});
    EXPECT_TRUE(input_->States.Contains(isUp));
    EXPECT_TRUE(input_->PreviousStates().Contains(isUp));
}

TEST_F(InputTest, DisabledOrUnboundDevicesAddNothing) {
    input_->Keyboard.BindInputStates = false;
    input_->Loaded();
    Hold({38});
    EXPECT_TRUE(input_->States.Empty());
    EXPECT_TRUE(input_->Keyboard.States().Contains(isUp));  // polled all the same

    input_->Keyboard.BindInputStates = true;
    input_->Keyboard.Enabled = false;
    input_->Update();
    EXPECT_TRUE(input_->States.Empty());
    EXPECT_EQ(input_->Keyboard.Keys[38], 0);
}

TEST_F(InputTest, TheInputServiceGivesPunctuationItsCharacterCodes) {
    input_->Loaded();
    Hold({222});  // apostrophe: through the service it reads as 39, the Right arrow
    EXPECT_EQ(Members(), std::vector<int>{isRight});

    input_->SetUseDirectInput(false);  // the plain keyboard-state query
    Hold({222});
    EXPECT_TRUE(input_->States.Empty());
    Hold({39});
    EXPECT_EQ(Members(), std::vector<int>{isRight});
}

TEST_F(InputTest, StickDirectionsAndButtons) {
    platform_.AddJoystick(StandardStick, {.x = 0, .y = Centre, .z = Centre});
    input_->Loaded();
    EXPECT_EQ(Members(), std::vector<int>{isLeft});  // the set-up's own Update
    EXPECT_EQ(input_->Joystick.X, -1000);

    platform_.SetJoystickPosition(0, {.x = Centre, .y = 65535, .z = Centre, .buttons = 0b10001});
    input_->Update();
    // Button 4 lies beyond the stick's four buttons.
    EXPECT_EQ(Members(), (std::vector<int>{isDown, isButton1}));
    EXPECT_EQ(input_->Joystick.Y, 1000);

    platform_.SetJoystickPosition(0, {.x = Centre + 16383, .y = Centre - 16383, .z = Centre});
    input_->Update();  // within the dead zone on both axes
    EXPECT_TRUE(input_->States.Empty());
    EXPECT_EQ(input_->Joystick.X, 0);
    EXPECT_EQ(input_->Joystick.Y, 0);

    platform_.SetForeground(false);
    platform_.SetJoystickPosition(0, {.x = 0, .y = 0, .z = 0, .buttons = 1});
    input_->Update();
    EXPECT_TRUE(input_->States.Empty());
}

TEST_F(InputTest, JoystickChoiceFollowsTheInputPath) {
    platform_.AddJoystick(StandardStick, {.x = Centre, .y = Centre, .z = Centre});
    platform_.AddJoystick(StandardStick, {.x = 65535, .y = Centre, .z = Centre});
    input_->Joystick.ID = 1;
    input_->Loaded();
    EXPECT_EQ(input_->Joystick.DeviceIndex(), 1);
    EXPECT_EQ(Members(), std::vector<int>{isRight});

    input_->Joystick.ID = 2;  // no third stick: reports nothing
    input_->SetUseDirectInput(false);
    EXPECT_EQ(input_->Joystick.DeviceIndex(), -1);
    EXPECT_TRUE(input_->States.Empty());

    // A disabled device is not opened at set-up and stays silent when
    // enabled later.
    input_->Joystick.ID = 0;
    input_->Joystick.Enabled = false;
    input_->SetUseDirectInput(true);
    input_->Joystick.Enabled = true;
    input_->Update();
    EXPECT_EQ(input_->Joystick.DeviceIndex(), -1);
}

TEST(JoystickAxis, DeadZoneAndRounding) {
    // Half travel 32767, dead zone 50 % = 16383.
    EXPECT_EQ(TJoystick::AxisValue(0, 0, 65535, 50, 1000), -1000);
    EXPECT_EQ(TJoystick::AxisValue(65535, 0, 65535, 50, 1000), 1000);
    EXPECT_EQ(TJoystick::AxisValue(Centre + 16383, 0, 65535, 50, 1000), 0);
    EXPECT_EQ(TJoystick::AxisValue(Centre - 16383, 0, 65535, 50, 1000), 0);
    // Just past the dead zone the scaled value still rounds to 0 or 1.
    EXPECT_EQ(TJoystick::AxisValue(Centre + 16384, 0, 65535, 50, 1000), 0);
    EXPECT_EQ(TJoystick::AxisValue(Centre + 16392, 0, 65535, 50, 1000), 1);
    // Halves round away from zero: 8192 * 1 / 16384.
    EXPECT_EQ(TJoystick::AxisValue(Centre + 16383 + 8192, 0, 65535, 50, 1), 1);
    EXPECT_EQ(TJoystick::AxisValue(Centre - 16383 - 8192, 0, 65535, 50, 1), -1);
    // A full dead zone, or no travel at all, reads 0.
    EXPECT_EQ(TJoystick::AxisValue(0, 0, 65535, 100, 1000), 0);
    EXPECT_EQ(TJoystick::AxisValue(5, 7, 7, 0, 1000), 0);
    // No dead zone: 0..100 maps onto -1000..1000 about 50.
    EXPECT_EQ(TJoystick::AxisValue(0, 0, 100, 0, 1000), -1000);
    EXPECT_EQ(TJoystick::AxisValue(75, 0, 100, 0, 1000), 500);
}

TEST(JoystickSettings, ClampedOnAssignment) {
    HeadlessPlatform p;
    platform::SetCurrent(&p);
    TForm form(nullptr);
    TDXInput input(&form);
    input.Joystick.SetDeadZoneX(-5);
    input.Joystick.SetDeadZoneY(150);
    input.Joystick.SetDeadZoneZ(30);
    input.Joystick.SetRangeX(-1);
    input.Joystick.SetRangeZ(7);
    EXPECT_EQ(input.Joystick.DeadZoneX(), 0);
    EXPECT_EQ(input.Joystick.DeadZoneY(), 100);
    EXPECT_EQ(input.Joystick.DeadZoneZ(), 30);
    EXPECT_EQ(input.Joystick.RangeX(), 0);
    EXPECT_EQ(input.Joystick.RangeZ(), 7);
    platform::SetCurrent(nullptr);
}

TEST(InputComponent, NeedsAFormUpItsOwnerChain) {
    HeadlessPlatform p;
    platform::SetCurrent(&p);
    try {
        TDXInput orphan(nullptr);
        FAIL() << "created without a form";
    } catch (const EDXInputError& e) {
        EXPECT_STREQ(e.what(), "Form not found");
    }
    TComponent loose(nullptr);
    EXPECT_THROW(TDXInput{&loose}, EDXInputError);

    TForm form(nullptr);
    TComponent holder(&form);
    EXPECT_NO_THROW(TDXInput{&holder});
    platform::SetCurrent(nullptr);
}

TEST(InputStateSet, BitsAndStoredKeyBlock) {
    TInputStates s;
    s.Include(isButton9);  // state 12: byte 1, bit 4
    s.Include(isButton32);  // state 35: byte 4, bit 3
    s.Include(36);          // no such state
    EXPECT_EQ(s.Byte(1), 16);
    EXPECT_EQ(s.Byte(4), 8);
    EXPECT_FALSE(s.Contains(36));
    s.Exclude(isButton9);
    EXPECT_EQ(s.Byte(1), 0);

    HeadlessPlatform p;
    platform::SetCurrent(&p);
    TForm form(nullptr);
    TDXInput a(&form), b(&form);
    a.Keyboard.SetAssigns(isUp, {75, 38, 104});
    a.Keyboard.SetAssigns(isButton32, {-2, 0, 113});
    const auto block = a.Keyboard.AssignsBlock();
    EXPECT_EQ(block.size(), 432u);
    EXPECT_EQ(block[0], 75);
    EXPECT_EQ(block[4], 38);
    EXPECT_EQ(block[35 * 12], 0xFE);
    EXPECT_EQ(block[35 * 12 + 3], 0xFF);
    b.Keyboard.SetAssignsBlock(block.data(), block.size());
    EXPECT_EQ(b.Keyboard.Assigns, a.Keyboard.Assigns);
    b.Keyboard.SetAssignsBlock(block.data(), 431);  // wrong size: ignored
    EXPECT_EQ(b.Keyboard.Assigns, a.Keyboard.Assigns);
    platform::SetCurrent(nullptr);
}

}  // namespace
}  // namespace skyrend
