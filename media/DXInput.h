// media/DXInput.h — input states: the keyboard and a joystick turned into one
// small set of abstract states (four directions and 32 buttons).
//
// Each device rebuilds its own state set at every poll; Update merges the
// sets of the bound devices and changes States only where a state starts or
// stops.

#pragma once

#include <array>
#include <cstdint>

#include "media/Forms.h"

namespace skyrend {

// The input states with their fixed ordinals.
enum InputState : int {
    isUp = 0, isDown, isLeft, isRight,
    isButton1, isButton2, isButton3, isButton4, isButton5, isButton6, isButton7, isButton8,
    isButton9, isButton10, isButton11, isButton12, isButton13, isButton14, isButton15, isButton16,
    isButton17, isButton18, isButton19, isButton20, isButton21, isButton22, isButton23, isButton24,
    isButton25, isButton26, isButton27, isButton28, isButton29, isButton30, isButton31, isButton32,
};
constexpr int InputStateCount = 36;

// A set of input states: state n is bit (n mod 8) of byte (n div 8).
// Ordinals outside 0..35 are never members and are ignored.
class TInputStates {
public:
    bool Contains(int state) const {
        return Valid(state) && (bytes_[state >> 3] & (1u << (state & 7))) != 0;
    }
    void Include(int state) {
        if (Valid(state)) bytes_[state >> 3] = static_cast<uint8_t>(bytes_[state >> 3] | (1u << (state & 7)));
    }
    void Exclude(int state) {
        if (Valid(state)) bytes_[state >> 3] = static_cast<uint8_t>(bytes_[state >> 3] & ~(1u << (state & 7)));
    }
    uint8_t Byte(int index) const { return index >= 0 && index < 5 ? bytes_[index] : 0; }
    bool Empty() const { return *this == TInputStates{}; }
    void Clear() { bytes_ = {}; }
    TInputStates& operator|=(const TInputStates& other) {
        for (int k = 0; k < 5; ++k) bytes_[k] = static_cast<uint8_t>(bytes_[k] | other.bytes_[k]);
        return *this;
    }
    bool operator==(const TInputStates&) const = default;

private:
    static bool Valid(int state) { return state >= 0 && state < InputStateCount; }
    std::array<uint8_t, 5> bytes_{};
};

class TCustomDXInput;

// What every device has: its own state set, rebuilt at each poll.
class TCustomInput {
public:
    virtual ~TCustomInput() = default;
    bool BindInputStates = false;
    bool Enabled = false;
    bool ForceFeedback = false;
    const TInputStates& States() const { return states_; }

protected:
    friend class TCustomDXInput;
    explicit TCustomInput(TCustomDXInput& owner) : owner_(owner) {}
    // Opens the device for the current input path; called at device set-up.
    virtual void Open() {}
    virtual void Close() {}
    // Rebuilds the device's state set.
    virtual void Poll() = 0;
    // Whether the device may report at all: enabled, and the window in the
    // foreground when the component asks for that.
    bool MayReport() const;

    TCustomDXInput& owner_;
    TInputStates states_;
};

// The keyboard: a 256-entry key table (bit 7 = down) and, per state, up to
// three assigned virtual-key codes (0 = none).
class TKeyboard : public TCustomInput {
public:
    using KeyAssign = std::array<int32_t, 3>;
    static constexpr size_t AssignsBlockSize = InputStateCount * 3 * 4;

    std::array<uint8_t, 256> Keys{};
    std::array<KeyAssign, InputStateCount> Assigns{};

    void SetAssigns(int state, const KeyAssign& keys);
    // A key code is down when it is in 1..255 and its entry has bit 7 set.
    bool KeyDown(int32_t code) const { return code >= 1 && code <= 255 && (Keys[static_cast<size_t>(code)] & 0x80); }

    // The assignment table as it is stored in a form: 36 x 3 little-endian
    // 32-bit codes, state 0 first. A block of another size is ignored.
    std::array<uint8_t, AssignsBlockSize> AssignsBlock() const;
    void SetAssignsBlock(const uint8_t* data, size_t size);

protected:
    friend class TCustomDXInput;
    explicit TKeyboard(TCustomDXInput& owner) : TCustomInput(owner) {}
    void Open() override { opened_ = true; }
    void Close() override { opened_ = false; }
    void Poll() override;

private:
    bool opened_ = false;
    void ReadKeys();
};

// A joystick: three axes in -Range..+Range after the dead zone, 32 buttons.
class TJoystick : public TCustomInput {
public:
    int32_t ID = 0;
    bool AutoCenter = true;

    int32_t X = 0, Y = 0, Z = 0;
    std::array<uint8_t, 32> Buttons{};  // bit 7 = pressed

    int32_t DeadZoneX() const { return deadZone_[0]; }
    int32_t DeadZoneY() const { return deadZone_[1]; }
    int32_t DeadZoneZ() const { return deadZone_[2]; }
    void SetDeadZoneX(int32_t v) { deadZone_[0] = ClampDeadZone(v); }
    void SetDeadZoneY(int32_t v) { deadZone_[1] = ClampDeadZone(v); }
    void SetDeadZoneZ(int32_t v) { deadZone_[2] = ClampDeadZone(v); }
    int32_t RangeX() const { return range_[0]; }
    int32_t RangeY() const { return range_[1]; }
    int32_t RangeZ() const { return range_[2]; }
    void SetRangeX(int32_t v) { range_[0] = v < 0 ? 0 : v; }
    void SetRangeY(int32_t v) { range_[1] = v < 0 ? 0 : v; }
    void SetRangeZ(int32_t v) { range_[2] = v < 0 ? 0 : v; }

    // The platform joystick in use, or -1 when none was found at set-up.
    int DeviceIndex() const { return device_; }

    // One axis reading turned into -range..+range with the dead zone (in
    // percent of the half travel) taken out.
    static int32_t AxisValue(int32_t position, int32_t min, int32_t max, int32_t deadZone, int32_t range);

protected:
    friend class TCustomDXInput;
    explicit TJoystick(TCustomDXInput& owner) : TCustomInput(owner) {}
    void Open() override;
    void Close() override { device_ = -1; }
    void Poll() override;

private:
    static int32_t ClampDeadZone(int32_t v) { return v < 0 ? 0 : v > 100 ? 100 : v; }
    std::array<int32_t, 3> deadZone_{50, 50, 50};
    std::array<int32_t, 3> range_{1000, 1000, 1000};
    int device_ = -1;
    platform::JoystickCaps caps_{};
};

// The mouse device. The platform offers no mouse-state query to this layer,
// so it reports no states; the game leaves it disabled and unbound.
class TMouse : public TCustomInput {
protected:
    friend class TCustomDXInput;
    explicit TMouse(TCustomDXInput& owner) : TCustomInput(owner) {}
    void Poll() override { states_.Clear(); }
};

class TCustomDXInput : public TComponent {
public:
    // Throws EDXInputError "Form not found" when the owner chain has no form.
    explicit TCustomDXInput(TComponent* owner);
    ~TCustomDXInput() override;

    // Devices report nothing while the window is not in the foreground.
    bool ActiveOnly = true;
    bool UseDirectInput() const { return useDirectInput_; }
    // A change sets the devices up again (once loading has finished).
    void SetUseDirectInput(bool value);

    TJoystick Joystick;
    TKeyboard Keyboard;
    TMouse Mouse;

    // What the game reads after Update.
    TInputStates States;
    const TInputStates& PreviousStates() const { return previous_; }

    void Loaded() override;
    // Polls every device and refreshes States where a state starts or stops.
    void Update();

    // Whether the platform input service is in use (set at device set-up).
    bool ServiceCreated() const { return serviceCreated_; }

private:
    bool useDirectInput_ = true;
    bool serviceCreated_ = false;
    TInputStates previous_;
    std::array<TCustomInput*, 3> devices_;

    void SetupDevices();
};

class TDXInput : public TCustomDXInput {
public:
    using TCustomDXInput::TCustomDXInput;
};

}  // namespace skyrend
