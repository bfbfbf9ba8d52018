// platform/replay/ReplayPlatform.h — a recorded session played again.
//
// Every answer the game asks for comes from the replay; what the game puts
// out (frames, text on its surfaces, sounds, error boxes) goes to a real
// back-end, the window or the headless one. The back-end's own input never
// reaches the game: only a close request is taken from it, which ends the
// playback. Paced, each clock reading waits until as much real time has
// passed since the first one as had passed in the recording.

#pragma once

#include <functional>
#include <memory>
#include <string>

#include "platform/Platform.h"
#include "platform/replay/ReplayPlayer.h"

namespace skyrend::platform::replay {

struct ReplayOptions {
    bool paced = false;
    // Told each recorded clock reading, as an unbounded count of
    // milliseconds (the headless back-end's clock follows it).
    std::function<void(uint64_t clock)> onClock;
    // Told each frame after the back-end has shown it.
    std::function<void()> onPresent;
};

class ReplayPlatform final : public Platform {
public:
    ReplayPlatform(Platform& inner, const ReplayFile& file, ReplayOptions options = {});
    ~ReplayPlatform() override;
    ReplayPlatform(const ReplayPlatform&) = delete;
    ReplayPlatform& operator=(const ReplayPlatform&) = delete;

    void EndTick(const Cues& cues) { player_->EndTick(cues); }
    const ReplayPlayer& Player() const { return *player_; }

    void CreateMainWindow(const std::string& title) override { inner_.CreateMainWindow(title); }
    void ShowMainWindow() override { inner_.ShowMainWindow(); }
    bool PollMessage(Message& message) override;
    // The recording paces the playback; nothing here waits.
    void WaitMessage() override {}
    void WaitMessageUntil(uint32_t) override {}
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
    void SleepMs(int) override {}

    void GetKeyboardState(uint8_t keys[256]) override;
    int JoystickCount() override;
    bool GetJoystickCaps(int index, JoystickCaps& caps) override;
    bool GetJoystickPosition(int index, JoystickPosition& position) override;

    std::unique_ptr<SoundDevice> CreateSoundDevice() override;

private:
    bool Flag(Kind kind);
    // Takes the back-end's messages; true when one asks to close.
    bool CloseRequested();
    void Pace(uint64_t clock);

    Platform& inner_;
    ReplayOptions options_;
    std::shared_ptr<ReplayPlayer> player_;
    bool closing_ = false;
    bool paceStarted_ = false;
    uint64_t paceRecorded_ = 0;
    uint32_t paceReal_ = 0;
};

}  // namespace skyrend::platform::replay
