// platform/replay/RecordingPlatform.cpp — passing calls on, noting answers.

#include "platform/replay/RecordingPlatform.h"

#include <algorithm>
#include <cstring>

#include "platform/Files.h"
#include "platform/common/FrameHash.h"
#include "platform/replay/FileHash.h"
#include "platform/replay/RecordingSound.h"

namespace skyrend::platform::replay {

namespace {

// An answer of two numbers: the cursor's position, the client area's size.
void RecordPoint(ReplayWriter& writer, Kind kind, int x, int y) {
    Answer a;
    a.x = x;
    a.y = y;
    writer.Record(kind, a);
}

// A read that may fail: whether it did, and the value it left.
template <typename T>
bool RecordRead(ReplayWriter& writer, Kind kind, bool ok, T Answer::*field, const T& value) {
    Answer a;
    a.ok = ok;
    a.*field = value;
    writer.Record(kind, a);
    return ok;
}

}  // namespace

RecordingPlatform::RecordingPlatform(Platform& inner, const std::string& path)
    : inner_(inner), writer_(std::make_shared<ReplayWriter>(path)) {
    SetFileOpenObserver([this](const std::string& name) { NoteFile(name); });
    inner_.HashPresentedFrames(true);
}

RecordingPlatform::~RecordingPlatform() {
    inner_.HashPresentedFrames(false);
    SetFileOpenObserver(nullptr);
}

bool RecordingPlatform::Flag(Kind kind, bool ok) {
    Answer a;
    a.ok = ok;
    writer_->Record(kind, a);
    return ok;
}

// Each file the game opens goes in with its size and hash, so that playing
// it back with other files can say which differ.
void RecordingPlatform::NoteFile(const std::string& name) {
    Answer a;
    a.text = name;
    if (!HashFile(MapPath(name), a.size, a.hash)) a.size = a.hash = 0;
    // A file read again as it was is noted once.
    const auto known = files_.find(name);
    if (known != files_.end() && known->second == std::make_pair(a.size, a.hash)) return;
    files_[name] = {a.size, a.hash};
    writer_->Record(Kind::File, a);
}

bool RecordingPlatform::PollMessage(Message& message) {
    if (!inner_.PollMessage(message)) {
        writer_->EmptyPoll();
        return false;
    }
    Answer a;
    a.message = message;
    writer_->Record(Kind::Message, a);
    return true;
}

bool RecordingPlatform::IsForeground() { return Flag(Kind::Foreground, inner_.IsForeground()); }

void RecordingPlatform::GetCursorPos(int& x, int& y) {
    inner_.GetCursorPos(x, y);
    RecordPoint(*writer_, Kind::Cursor, x, y);
}

void RecordingPlatform::GetClientSize(int& width, int& height) {
    inner_.GetClientSize(width, height);
    RecordPoint(*writer_, Kind::ClientSize, width, height);
}

std::vector<DisplayMode> RecordingPlatform::GetDisplayModes() {
    Answer a;
    a.modes = inner_.GetDisplayModes();
    if (a.modes.size() > MaxModes) a.modes.resize(MaxModes);
    writer_->Record(Kind::DisplayModes, a);
    return a.modes;
}

bool RecordingPlatform::SetDisplayMode(const DisplayMode& mode) {
    return Flag(Kind::SetDisplayMode, inner_.SetDisplayMode(mode));
}

bool RecordingPlatform::CanMakeSurface(int width, int height, bool videoMemory) {
    return Flag(Kind::CanMakeSurface, inner_.CanMakeSurface(width, height, videoMemory));
}

bool RecordingPlatform::CanMakePrimarySurface() { return Flag(Kind::CanMakePrimary, inner_.CanMakePrimarySurface()); }

// The back-end hashes the frame in the pass that copies it; where it cannot
// (a frame not presented, or not covering the screen), it is hashed apart.
bool RecordingPlatform::Present(const PixelView& source, const Rect& dest, bool waitVBlank) {
    Answer a;
    a.ok = inner_.Present(source, dest, waitVBlank);
    if (!inner_.PresentedFrameHash(a.hash)) a.hash = HashFrame(source);
    writer_->Record(Kind::Present, a);
    return a.ok;
}

bool RecordingPlatform::SurfacesLost() { return Flag(Kind::SurfacesLost, inner_.SurfacesLost()); }

bool RecordingPlatform::RestoreSurfaces() { return Flag(Kind::RestoreSurfaces, inner_.RestoreSurfaces()); }

uint32_t RecordingPlatform::TimeGetTime() {
    const uint32_t now = inner_.TimeGetTime();
    writer_->Clock(now);
    return now;
}

uint32_t RecordingPlatform::UtcMillisecondOfDay() {
    Answer a;
    a.number = std::min<uint32_t>(inner_.UtcMillisecondOfDay(), 86399999);
    writer_->Record(Kind::UtcTime, a);
    return static_cast<uint32_t>(a.number);
}

void RecordingPlatform::GetKeyboardState(uint8_t keys[256]) {
    inner_.GetKeyboardState(keys);
    Answer a;
    std::memcpy(a.keys.data(), keys, a.keys.size());
    writer_->Record(Kind::Keyboard, a);
}

int RecordingPlatform::JoystickCount() {
    Answer a;
    a.count = static_cast<uint64_t>(std::clamp(inner_.JoystickCount(), 0, 1024));
    writer_->Record(Kind::JoystickCount, a);
    return static_cast<int>(a.count);
}

bool RecordingPlatform::GetJoystickCaps(int index, JoystickCaps& caps) {
    const bool ok = inner_.GetJoystickCaps(index, caps);
    return RecordRead(*writer_, Kind::JoystickCaps, ok, &Answer::caps, caps);
}

bool RecordingPlatform::GetJoystickPosition(int index, JoystickPosition& position) {
    const bool ok = inner_.GetJoystickPosition(index, position);
    return RecordRead(*writer_, Kind::JoystickPosition, ok, &Answer::position, position);
}

std::unique_ptr<SoundDevice> RecordingPlatform::CreateSoundDevice() {
    return RecordSoundDevice(inner_.CreateSoundDevice(), writer_);
}

}  // namespace skyrend::platform::replay
