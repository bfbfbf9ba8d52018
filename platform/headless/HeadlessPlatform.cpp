// platform/headless/HeadlessPlatform.cpp — the scripted, deterministic back-end.

#include "platform/headless/HeadlessPlatform.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "platform/headless/WaveFile.h"
#include "platform/common/AlCore.h"
#include "platform/common/AlSound.h"

namespace skyrend::platform {

namespace {

const std::vector<DisplayMode> ProfileModes = {
    {1024, 768, 32}, {1280, 800, 32}, {1440, 900, 32}, {1680, 1050, 32}, {1920, 1200, 32}};

constexpr uint64_t MillisecondsPerDay = 86400000;

}  // namespace

HeadlessPlatform::HeadlessPlatform() : modes_(ProfileModes) { ResetScreen(); }

HeadlessPlatform::~HeadlessPlatform() = default;

// ---------------------------------------------------------------- scripting

void HeadlessPlatform::SetClock(uint64_t milliseconds) {
    clock_ = milliseconds;
    audioStart_ = milliseconds;
    audioFramesSinceStart_ = 0;
}

void HeadlessPlatform::AdvanceClock(uint64_t milliseconds) {
    clock_ += milliseconds;
    SyncAudio();
}

void HeadlessPlatform::Push(const Message& message) { messages_.push_back(message); }

void HeadlessPlatform::SetHeldKeys(const std::vector<uint16_t>& keys) {
    std::memset(keys_, 0, sizeof keys_);
    for (uint16_t key : keys)
        if (key >= 1 && key <= 255) keys_[key] = 0x80;
}

void HeadlessPlatform::SetCursor(int x, int y) {
    cursorX_ = x;
    cursorY_ = y;
}

void HeadlessPlatform::SetForeground(bool foreground) { foreground_ = foreground; }

void HeadlessPlatform::SetDisplayModes(const std::vector<DisplayMode>& modes) { modes_ = modes; }

void HeadlessPlatform::SetDesktopSize(int width, int height) {
    desktopWidth_ = std::max(width, 1);
    desktopHeight_ = std::max(height, 1);
    if (hasMode_) return;
    KeepPresented();
    ResetScreen();
}

void HeadlessPlatform::KeepScreen(bool on) {
    keepScreen_ = on;
    ResetScreen();
}

void HeadlessPlatform::SetSurfaceMemory(bool video, bool system) {
    videoSurfaces_ = video;
    systemSurfaces_ = system;
}

void HeadlessPlatform::LoseSurfaces(bool restorable) {
    lost_ = true;
    restorable_ = restorable;
}

int HeadlessPlatform::AddJoystick(const JoystickCaps& caps, const JoystickPosition& position) {
    joysticks_.push_back({caps, position});
    return static_cast<int>(joysticks_.size()) - 1;
}

void HeadlessPlatform::SetJoystickPosition(int index, const JoystickPosition& position) {
    if (index >= 0 && index < JoystickCount()) joysticks_[index].position = position;
}

void HeadlessPlatform::RemoveJoysticks() { joysticks_.clear(); }

std::vector<std::string> HeadlessPlatform::TakeErrorBoxes() { return std::exchange(errors_, {}); }

std::vector<TextRecord> HeadlessPlatform::TakeTexts() { return std::exchange(texts_, {}); }

// ---------------------------------------------------------------- sound

void HeadlessPlatform::RenderAudio(size_t frames) {
    std::vector<int16_t>& out = keepAudio_ ? audio_ : discarded_;
    if (sound_)
        sound_->Render(frames, out);
    else
        out.insert(out.end(), frames * 2, 0);
    discarded_.clear();
    audioFramesSinceStart_ += frames;
}

void HeadlessPlatform::SyncAudio() {
    const uint64_t due = AudioFramesAt(clock_ - audioStart_);
    if (due > audioFramesSinceStart_) RenderAudio(static_cast<size_t>(due - audioFramesSinceStart_));
}

std::vector<int16_t> HeadlessPlatform::TakeAudio() { return std::exchange(audio_, {}); }

bool HeadlessPlatform::WriteAudio(const std::string& path) const {
    return WriteWaveFile(path, audio_, 2, AudioRate);
}

// One loopback mix for all of this platform's sound devices, opened with the first.
std::unique_ptr<SoundDevice> HeadlessPlatform::CreateSoundDevice() {
    if (soundDisabled_) return nullptr;
    if (!sound_) {
        std::string error;
        sound_ = AlCore::OpenLoopback(AudioRate, error);
        if (!sound_) return nullptr;
    }
    return MakeAlSoundDevice(sound_);
}

// ---------------------------------------------------------------- window and messages

void HeadlessPlatform::CreateMainWindow(const std::string& title) { title_ = title; }

void HeadlessPlatform::ShowMainWindow() { shown_ = true; }

bool HeadlessPlatform::PollMessage(Message& message) {
    if (messages_.empty()) return false;
    message = messages_.front();
    messages_.pop_front();
    return true;
}

// The script is the only source of messages; waiting for more would never end.
void HeadlessPlatform::WaitMessage() {}
// Nor does the virtual clock move while the loop waits.
void HeadlessPlatform::WaitMessageUntil(uint32_t) {}

bool HeadlessPlatform::IsForeground() { return foreground_; }

void HeadlessPlatform::GetCursorPos(int& x, int& y) {
    x = cursorX_;
    y = cursorY_;
}

void HeadlessPlatform::GetClientSize(int& width, int& height) {
    width = hasMode_ ? mode_.width : desktopWidth_;
    height = hasMode_ ? mode_.height : desktopHeight_;
}

void HeadlessPlatform::ShowErrorBox(const std::string& title, const std::string& text) {
    errors_.push_back(text);
    errorTitle_ = title;
}

// ---------------------------------------------------------------- display

std::vector<DisplayMode> HeadlessPlatform::GetDisplayModes() { return modes_; }

bool HeadlessPlatform::SetDisplayMode(const DisplayMode& mode) {
    if (std::find(modes_.begin(), modes_.end(), mode) == modes_.end()) return false;
    if (mode.width <= 0 || mode.height <= 0) return false;
    hasMode_ = true;
    mode_ = mode;
    KeepPresented();
    ResetScreen();
    return true;
}

void HeadlessPlatform::RestoreDisplayMode() {
    if (!hasMode_) return;
    hasMode_ = false;
    KeepPresented();
    ResetScreen();
}

bool HeadlessPlatform::CanMakeSurface(int width, int height, bool videoMemory) {
    return SurfaceSizeUsable(width, height) && (videoMemory ? videoSurfaces_ : systemSurfaces_);
}

bool HeadlessPlatform::Present(const PixelView& source, const Rect& dest, bool) {
    haveHash_ = false;
    if (lost_) return false;
    if (!screen_.CopyFrom(source, dest, hashFrames_ ? &lastHash_ : nullptr)) return false;
    haveHash_ = hashFrames_;
    presentedBehind_ = true;
    ++presentCount_;
    return true;
}

// Presenting onto an empty screen image still checks the source and takes
// its hash, and copies nothing.
void HeadlessPlatform::ResetScreen() {
    const int width = hasMode_ ? mode_.width : desktopWidth_;
    const int height = hasMode_ ? mode_.height : desktopHeight_;
    if (keepScreen_)
        screen_.Reset(width, height);
    else
        screen_ = ScreenImage();
}

void HeadlessPlatform::KeepPresented() const {
    if (!presentedBehind_) return;
    presentedBehind_ = false;
    presented_.width = screen_.Width();
    presented_.height = screen_.Height();
    presented_.pixels = screen_.Pixels();
}

const PresentedImage& HeadlessPlatform::LastPresented() const {
    KeepPresented();
    return presented_;
}

bool HeadlessPlatform::PresentedFrameHash(uint64_t& hash) {
    if (haveHash_) hash = lastHash_;
    return haveHash_;
}

bool HeadlessPlatform::SurfacesLost() { return lost_; }

bool HeadlessPlatform::RestoreSurfaces() {
    if (lost_ && !restorable_) return false;
    lost_ = false;
    return true;
}

void HeadlessPlatform::DrawText(const PixelView& target, int x, int y, std::string_view utf8,
                                const TextStyle& style, int& width, int& height) {
    texts_.push_back({x, y, std::string(utf8)});
    text_.Draw(target, x, y, utf8, style, width, height);
}

// ---------------------------------------------------------------- clock and input

uint32_t HeadlessPlatform::TimeGetTime() { return static_cast<uint32_t>(clock_); }

uint32_t HeadlessPlatform::UtcMillisecondOfDay() { return static_cast<uint32_t>(clock_ % MillisecondsPerDay); }

void HeadlessPlatform::SleepMs(int milliseconds) {
    if (milliseconds <= 0) return;
    AdvanceClock(static_cast<uint64_t>(milliseconds));
}

void HeadlessPlatform::GetKeyboardState(uint8_t keys[256]) { std::memcpy(keys, keys_, sizeof keys_); }

int HeadlessPlatform::JoystickCount() { return static_cast<int>(joysticks_.size()); }

bool HeadlessPlatform::GetJoystickCaps(int index, JoystickCaps& caps) {
    if (index < 0 || index >= JoystickCount()) return false;
    caps = joysticks_[index].caps;
    return true;
}

bool HeadlessPlatform::GetJoystickPosition(int index, JoystickPosition& position) {
    if (index < 0 || index >= JoystickCount()) return false;
    position = joysticks_[index].position;
    return true;
}

}  // namespace skyrend::platform
