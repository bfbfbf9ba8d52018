// platform/sdl/SdlPlatform.h — the real back-end: SDL2, SDL2_ttf and OpenAL Soft.
//
// Subsystems are started when first needed: the joystick calls work without
// a display, the window needs the video subsystem, and sound opens the one
// OpenAL output device of the process on the first sound device asked for.

#pragma once

#include <memory>

#include "platform/Platform.h"

namespace skyrend::platform {

class SdlPlatform final : public Platform {
public:
    SdlPlatform();
    ~SdlPlatform() override;
    SdlPlatform(const SdlPlatform&) = delete;
    SdlPlatform& operator=(const SdlPlatform&) = delete;

    // Throws std::runtime_error when SDL cannot make the window.
    void CreateMainWindow(const std::string& title) override;
    void ShowMainWindow() override;
    bool PollMessage(Message& message) override;
    void WaitMessage() override;
    void WaitMessageUntil(uint32_t clock) override;
    bool IsForeground() override;
    void GetCursorPos(int& x, int& y) override;
    void GetClientSize(int& width, int& height) override;
    void ShowErrorBox(const std::string& title, const std::string& text) override;

    std::vector<DisplayMode> GetDisplayModes() override;
    bool SetDisplayMode(const DisplayMode& mode) override;
    void RestoreDisplayMode() override;
    bool CanMakeSurface(int width, int height, bool videoMemory) override;
    bool Present(const PixelView& source, const Rect& dest, bool waitVBlank) override;
    bool SurfacesLost() override;
    bool RestoreSurfaces() override;
    void HashPresentedFrames(bool on) override;
    bool PresentedFrameHash(uint64_t& hash) override;

    void DrawText(const PixelView& target, int x, int y, std::string_view utf8, const TextStyle& style,
                  int& width, int& height) override;

    uint32_t TimeGetTime() override;
    uint32_t UtcMillisecondOfDay() override;
    void SleepMs(int milliseconds) override;

    void GetKeyboardState(uint8_t keys[256]) override;
    int JoystickCount() override;
    bool GetJoystickCaps(int index, JoystickCaps& caps) override;
    bool GetJoystickPosition(int index, JoystickPosition& position) override;

    std::unique_ptr<SoundDevice> CreateSoundDevice() override;

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace skyrend::platform
