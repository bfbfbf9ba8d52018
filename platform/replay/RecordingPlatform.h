// platform/replay/RecordingPlatform.h — the game's platform, recorded.
//
// Wraps the real back-end: every call goes through to it unchanged, and
// every answer that can change the game's state goes into the replay file,
// with a hash of every presented frame and the files the game opened. The
// shell reports the end of each tick with its sound cues (EndTick).

#pragma once

#include <map>
#include <memory>
#include <string>
#include <utility>

#include "platform/Platform.h"
#include "platform/replay/ReplayWriter.h"

namespace skyrend::platform::replay {

class RecordingPlatform final : public Platform {
public:
    // Throws std::runtime_error when the file cannot be written.
    RecordingPlatform(Platform& inner, const std::string& path);
    ~RecordingPlatform() override;
    RecordingPlatform(const RecordingPlatform&) = delete;
    RecordingPlatform& operator=(const RecordingPlatform&) = delete;

    void EndTick(const Cues& cues) { writer_->Tick(cues); }
    // The session ended normally: the end record is written.
    void EndSession() { writer_->End(); }
    ReplayWriter& Writer() { return *writer_; }

    void CreateMainWindow(const std::string& title) override { inner_.CreateMainWindow(title); }
    void ShowMainWindow() override { inner_.ShowMainWindow(); }
    bool PollMessage(Message& message) override;
    void WaitMessage() override { inner_.WaitMessage(); }
    // Waiting answers nothing; only what the game is told is recorded.
    void WaitMessageUntil(uint32_t clock) override { inner_.WaitMessageUntil(clock); }
    bool IsForeground() override;
    void GetCursorPos(int& x, int& y) override;
    void GetClientSize(int& width, int& height) override;
    void ShowErrorBox(const std::string& title, const std::string& text) override {
        inner_.ShowErrorBox(title, text);
    }

    std::vector<DisplayMode> GetDisplayModes() override;
    bool SetDisplayMode(const DisplayMode& mode) override;
    void RestoreDisplayMode() override { inner_.RestoreDisplayMode(); }
    bool CanMakeSurface(int width, int height, bool videoMemory) override;
    bool CanMakePrimarySurface() override;
    bool Present(const PixelView& source, const Rect& dest, bool waitVBlank) override;
    bool SurfacesLost() override;
    bool RestoreSurfaces() override;

    void DrawText(const PixelView& target, int x, int y, std::string_view utf8, const TextStyle& style,
                  int& width, int& height) override {
        inner_.DrawText(target, x, y, utf8, style, width, height);
    }

    uint32_t TimeGetTime() override;
    uint32_t UtcMillisecondOfDay() override;
    void SleepMs(int milliseconds) override { inner_.SleepMs(milliseconds); }

    void GetKeyboardState(uint8_t keys[256]) override;
    int JoystickCount() override;
    bool GetJoystickCaps(int index, JoystickCaps& caps) override;
    bool GetJoystickPosition(int index, JoystickPosition& position) override;

    std::unique_ptr<SoundDevice> CreateSoundDevice() override;

private:
    bool Flag(Kind kind, bool ok);
    void NoteFile(const std::string& name);

    Platform& inner_;
    // Shared with the recorded sound devices and voices, which may outlive
    // this platform by a little at the end of the program.
    std::shared_ptr<ReplayWriter> writer_;
    std::map<std::string, std::pair<uint64_t, uint64_t>> files_;   // name -> size, hash
};

}  // namespace skyrend::platform::replay
