// platform/replay/ReplayPlatform.cpp — answers from the replay, output to
// the back-end.

#include "platform/replay/ReplayPlatform.h"

#include <algorithm>
#include <cstring>

#include "platform/common/FrameHash.h"
#include "platform/replay/ReplaySound.h"

namespace skyrend::platform::replay {

ReplayPlatform::ReplayPlatform(Platform& inner, const ReplayFile& file, ReplayOptions options)
    : inner_(inner), options_(std::move(options)), player_(std::make_shared<ReplayPlayer>(file)) {
    inner_.HashPresentedFrames(true);
}

ReplayPlatform::~ReplayPlatform() { inner_.HashPresentedFrames(false); }

bool ReplayPlatform::Flag(Kind kind) {
    Answer a;
    return player_->Take(kind, a) && a.ok;
}

bool ReplayPlatform::CloseRequested() {
    Message m;
    while (!closing_ && inner_.PollMessage(m))
        if (m.kind == MessageKind::Close) closing_ = true;
    return closing_;
}

bool ReplayPlatform::PollMessage(Message& message) {
    if (CloseRequested()) {
        message = Message{.kind = MessageKind::Close};
        return true;
    }
    return player_->Poll(message);
}

// Waits (taking the window's messages, so a close request is seen) until
// the real clock has moved on as far as the recorded one.
void ReplayPlatform::Pace(uint64_t clock) {
    if (!paceStarted_) {
        paceStarted_ = true;
        paceRecorded_ = clock;
        paceReal_ = inner_.TimeGetTime();
        return;
    }
    const uint64_t due = clock - paceRecorded_;
    for (;;) {
        const uint32_t real = inner_.TimeGetTime() - paceReal_;
        if (real >= due || CloseRequested()) return;
        inner_.SleepMs(static_cast<int>(std::min<uint64_t>(due - real, 5)));
    }
}

uint32_t ReplayPlatform::TimeGetTime() {
    const uint32_t now = player_->Clock();
    if (player_->ClockStarted()) {
        if (options_.paced) Pace(player_->RecordedClock());
        if (options_.onClock) options_.onClock(player_->RecordedClock());
    }
    return now;
}

uint32_t ReplayPlatform::UtcMillisecondOfDay() {
    Answer a;
    player_->Take(Kind::UtcTime, a);
    return static_cast<uint32_t>(a.number);
}

bool ReplayPlatform::IsForeground() { return Flag(Kind::Foreground); }

void ReplayPlatform::GetCursorPos(int& x, int& y) {
    Answer a;
    player_->Take(Kind::Cursor, a);
    x = a.x;
    y = a.y;
}

void ReplayPlatform::GetClientSize(int& width, int& height) {
    Answer a;
    player_->Take(Kind::ClientSize, a);
    width = a.x;
    height = a.y;
}

std::vector<DisplayMode> ReplayPlatform::GetDisplayModes() {
    Answer a;
    player_->Take(Kind::DisplayModes, a);
    return a.modes;
}

// The back-end follows, so that its screen has the recorded size.
bool ReplayPlatform::SetDisplayMode(const DisplayMode& mode) {
    const bool ok = Flag(Kind::SetDisplayMode);
    if (ok) inner_.SetDisplayMode(mode);
    return ok;
}

bool ReplayPlatform::CanMakeSurface(int, int, bool) { return Flag(Kind::CanMakeSurface); }

bool ReplayPlatform::CanMakePrimarySurface() { return Flag(Kind::CanMakePrimary); }

bool ReplayPlatform::Present(const PixelView& source, const Rect& dest, bool waitVBlank) {
    if (!inner_.Present(source, dest, waitVBlank) && inner_.SurfacesLost()) inner_.RestoreSurfaces();
    uint64_t hash = 0;
    if (!inner_.PresentedFrameHash(hash)) hash = HashFrame(source);
    const bool ok = player_->Present(hash);
    if (options_.onPresent) options_.onPresent();
    return ok;
}

bool ReplayPlatform::SurfacesLost() { return Flag(Kind::SurfacesLost); }

bool ReplayPlatform::RestoreSurfaces() { return Flag(Kind::RestoreSurfaces); }

void ReplayPlatform::GetKeyboardState(uint8_t keys[256]) {
    Answer a;
    player_->Take(Kind::Keyboard, a);
    std::memcpy(keys, a.keys.data(), a.keys.size());
}

int ReplayPlatform::JoystickCount() {
    Answer a;
    player_->Take(Kind::JoystickCount, a);
    return static_cast<int>(a.count);
}

bool ReplayPlatform::GetJoystickCaps(int, JoystickCaps& caps) {
    Answer a;
    if (!player_->Take(Kind::JoystickCaps, a) || !a.ok) return false;
    caps = a.caps;
    return true;
}

bool ReplayPlatform::GetJoystickPosition(int, JoystickPosition& position) {
    Answer a;
    if (!player_->Take(Kind::JoystickPosition, a) || !a.ok) return false;
    position = a.position;
    return true;
}

std::unique_ptr<SoundDevice> ReplayPlatform::CreateSoundDevice() {
    if (!Flag(Kind::SoundDevice)) return nullptr;
    return ReplaySoundDevice(inner_.CreateSoundDevice(), player_);
}

}  // namespace skyrend::platform::replay
