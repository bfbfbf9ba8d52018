// media/DXInput.cpp — polling the keyboard and the joystick into input states.

#include "media/DXInput.h"

#include <cstdlib>
#include <limits>

#include "media/Errors.h"
#include "platform/Platform.h"

namespace skyrend {

namespace {

// Joystick numbers the multimedia path probes.
constexpr int MultimediaJoystickSlots = 256;

// The input service reads scan codes and translates them to virtual keys,
// but gives these punctuation keys their character codes instead (so the
// apostrophe lands on 39, the Right arrow's code).
struct KeyTranslation {
    uint8_t virtualKey;
    uint8_t serviceCode;
};
constexpr KeyTranslation ServicePunctuation[] = {
    {222, 39},  // apostrophe
    {188, 44},  // comma
    {190, 46},  // full stop
    {191, 47},  // slash
    {186, 59},  // semicolon
    {187, 61},  // equals
    {219, 91},  // left bracket
    {220, 92},  // backslash
    {221, 93},  // right bracket
    {106, 42},  // numeric-pad star
};

// The key table as the input service reports it.
void TranslateForService(std::array<uint8_t, 256>& keys) {
    bool down[std::size(ServicePunctuation)];
    for (size_t k = 0; k < std::size(ServicePunctuation); ++k) {
        down[k] = (keys[ServicePunctuation[k].virtualKey] & 0x80) != 0;
        keys[ServicePunctuation[k].virtualKey] = 0;
    }
    for (size_t k = 0; k < std::size(ServicePunctuation); ++k)
        if (down[k]) keys[ServicePunctuation[k].serviceCode] |= 0x80;
}

// a * b / c rounded to nearest (halves away from zero) with a 64-bit
// intermediate; -1 when c is 0 or the result does not fit.
int32_t MulDiv(int32_t a, int32_t b, int32_t c) {
    if (c == 0) return -1;
    int64_t product = static_cast<int64_t>(a) * b;
    int64_t divisor = c;
    bool negative = (product < 0) != (divisor < 0);
    uint64_t p = static_cast<uint64_t>(product < 0 ? -product : product);
    uint64_t d = static_cast<uint64_t>(divisor < 0 ? -divisor : divisor);
    uint64_t q = (p + d / 2) / d;
    if (q > static_cast<uint64_t>(std::numeric_limits<int32_t>::max())) return -1;
    int64_t result = static_cast<int64_t>(q);
    return static_cast<int32_t>(negative ? -result : result);
}

bool HasForm(TComponent* owner) {
    for (TComponent* c = owner; c; c = c->Owner())
        if (dynamic_cast<TForm*>(c)) return true;
    return false;
}

}  // namespace

// ---------------------------------------------------------------- devices

bool TCustomInput::MayReport() const {
    if (!Enabled) return false;
    return !owner_.ActiveOnly || platform::Current().IsForeground();
}

void TKeyboard::SetAssigns(int state, const KeyAssign& keys) {
    if (state >= 0 && state < InputStateCount) Assigns[static_cast<size_t>(state)] = keys;
}

std::array<uint8_t, TKeyboard::AssignsBlockSize> TKeyboard::AssignsBlock() const {
    std::array<uint8_t, AssignsBlockSize> block{};
    size_t at = 0;
    for (const KeyAssign& keys : Assigns)
        for (int32_t code : keys) {
            auto u = static_cast<uint32_t>(code);
            for (int b = 0; b < 4; ++b) block[at++] = static_cast<uint8_t>(u >> (8 * b));
        }
    return block;
}

void TKeyboard::SetAssignsBlock(const uint8_t* data, size_t size) {
    if (!data || size != AssignsBlockSize) return;
    size_t at = 0;
    for (KeyAssign& keys : Assigns)
        for (int32_t& code : keys) {
            uint32_t u = 0;
            for (int b = 0; b < 4; ++b) u |= static_cast<uint32_t>(data[at++]) << (8 * b);
            code = static_cast<int32_t>(u);
        }
}

void TKeyboard::ReadKeys() {
    platform::Current().GetKeyboardState(Keys.data());
    if (owner_.ServiceCreated()) TranslateForService(Keys);
}

void TKeyboard::Poll() {
    Keys.fill(0);
    states_.Clear();
    if (!MayReport() || !opened_) return;
    ReadKeys();
    for (int n = 0; n < InputStateCount; ++n)
        for (int32_t code : Assigns[static_cast<size_t>(n)])
            if (KeyDown(code)) {
                states_.Include(n);
                break;
            }
}

int32_t TJoystick::AxisValue(int32_t position, int32_t min, int32_t max, int32_t deadZone, int32_t range) {
    // Computed in 64 bits so that extreme capabilities cannot overflow.
    int64_t half = (static_cast<int64_t>(max) - min) / 2;
    int64_t dz = deadZone * half / 100;
    if (half == dz) return 0;
    int64_t rel = position - half;
    if (std::llabs(rel) <= dz) return 0;
    int64_t moved = rel > 0 ? rel - dz : rel + dz;
    int64_t span = half - dz;
    if (moved < std::numeric_limits<int32_t>::min() || moved > std::numeric_limits<int32_t>::max() ||
        span < std::numeric_limits<int32_t>::min() || span > std::numeric_limits<int32_t>::max())
        return -1;
    return MulDiv(static_cast<int32_t>(moved), range, static_cast<int32_t>(span));
}

// Picks the joystick: with the input service the ID-th attached one, on the
// multimedia path the ID-th device number that answers the capability query.
void TJoystick::Open() {
    device_ = -1;
    platform::Platform& p = platform::Current();
    if (ID < 0) return;
    if (owner_.ServiceCreated()) {
        if (ID < p.JoystickCount() && p.GetJoystickCaps(ID, caps_)) device_ = ID;
        return;
    }
    int answered = 0;
    for (int number = 0; number < MultimediaJoystickSlots; ++number) {
        platform::JoystickCaps caps;
        if (!p.GetJoystickCaps(number, caps)) continue;
        if (answered++ == ID) {
            caps_ = caps;
            device_ = number;
            return;
        }
    }
}

void TJoystick::Poll() {
    X = Y = Z = 0;
    Buttons.fill(0);
    states_.Clear();
    if (!MayReport() || device_ < 0) return;
    platform::JoystickPosition pos;
    if (!platform::Current().GetJoystickPosition(device_, pos)) return;

    X = AxisValue(pos.x, caps_.xMin, caps_.xMax, deadZone_[0], range_[0]);
    Y = AxisValue(pos.y, caps_.yMin, caps_.yMax, deadZone_[1], range_[1]);
    Z = AxisValue(pos.z, caps_.zMin, caps_.zMax, deadZone_[2], range_[2]);
    int buttons = caps_.buttonCount < 0 ? 0 : caps_.buttonCount > 32 ? 32 : caps_.buttonCount;
    for (int i = 0; i < buttons; ++i)
        if (pos.buttons & (1u << i)) Buttons[static_cast<size_t>(i)] = 0x80;

    for (int i = 0; i < 32; ++i)
        if (Buttons[static_cast<size_t>(i)] & 0x80) states_.Include(isButton1 + i);
    if (X < 0) states_.Include(isLeft);
    if (X > 0) states_.Include(isRight);
    if (Y < 0) states_.Include(isUp);
    if (Y > 0) states_.Include(isDown);
}

// ---------------------------------------------------------------- component

TCustomDXInput::TCustomDXInput(TComponent* owner)
    : TComponent(owner), Joystick(*this), Keyboard(*this), Mouse(*this),
      devices_{&Joystick, &Keyboard, &Mouse} {
    if (!HasForm(owner)) throw EDXInputError("Form not found");
}

TCustomDXInput::~TCustomDXInput() {
    for (TCustomInput* device : devices_) device->Close();
}

void TCustomDXInput::SetUseDirectInput(bool value) {
    if (value == useDirectInput_) return;
    useDirectInput_ = value;
    if (!Loading()) SetupDevices();
}

void TCustomDXInput::Loaded() {
    TComponent::Loaded();
    SetupDevices();
}

void TCustomDXInput::SetupDevices() {
    for (TCustomInput* device : devices_) device->Close();
    serviceCreated_ = useDirectInput_;
    for (TCustomInput* device : devices_)
        if (device->Enabled) device->Open();
    Update();
}

void TCustomDXInput::Update() {
    TInputStates now;
    for (TCustomInput* device : devices_) {
        device->Poll();
        if (device->BindInputStates) now |= device->States();
    }
    for (int n = 0; n < InputStateCount; ++n) {
        bool held = now.Contains(n);
        bool was = previous_.Contains(n);
        if (held && !was) States.Include(n);
        if (!held && was) States.Exclude(n);
    }
    previous_ = now;
}

}  // namespace skyrend
