// A platform double for media-layer tests: a settable clock, a mode list,
// surfaces that can be made to fail, and a record of presents.

#pragma once

#include <deque>
#include <string>
#include <vector>

#include "platform/Platform.h"

namespace skyrend::test {

class FakePlatform : public platform::Platform {
public:
    uint32_t clock = 0;
    std::vector<platform::DisplayMode> modes{{1024, 768, 32}, {1280, 800, 32}, {1440, 900, 32},
                                             {1680, 1050, 32}, {1920, 1200, 32}};
    platform::DisplayMode current{};
    bool failVideo = false, failSystem = false, failPrimary = false, lost = false, restoreWorks = true;
    std::vector<platform::Rect> presents;
    std::vector<std::string> errors;
    std::deque<platform::Message> queue;
    bool foreground = true;
    int setModeCalls = 0;
    int restoreModeCalls = 0;

    FakePlatform() { platform::SetCurrent(this); }
    ~FakePlatform() override { platform::SetCurrent(nullptr); }

    void CreateMainWindow(const std::string&) override {}
    void ShowMainWindow() override {}
    bool PollMessage(platform::Message& m) override {
        if (queue.empty()) return false;
        m = queue.front();
        queue.pop_front();
        return true;
    }
    void WaitMessage() override {}
    void WaitMessageUntil(uint32_t) override {}
    bool IsForeground() override { return foreground; }
    void GetCursorPos(int& x, int& y) override { x = y = 0; }
    void GetClientSize(int& w, int& h) override {
        w = current.width;
        h = current.height;
    }
    void ShowErrorBox(const std::string&, const std::string& text) override { errors.push_back(text); }
    std::vector<platform::DisplayMode> GetDisplayModes() override { return modes; }
    bool SetDisplayMode(const platform::DisplayMode& m) override {
        ++setModeCalls;
        for (const auto& x : modes)
            if (x == m) {
                current = m;
                return true;
            }
        return false;
    }
    void RestoreDisplayMode() override { ++restoreModeCalls; }
    bool CanMakeSurface(int, int, bool video) override { return video ? !failVideo : !failSystem; }
    bool CanMakePrimarySurface() override { return !failPrimary; }
    bool Present(const platform::PixelView&, const platform::Rect& dest, bool) override {
        presents.push_back(dest);
        return true;
    }
    bool SurfacesLost() override { return lost; }
    bool RestoreSurfaces() override {
        if (restoreWorks) lost = false;
        return restoreWorks;
    }
    void DrawText(const platform::PixelView&, int, int, std::string_view, const platform::TextStyle&, int& w,
                  int& h) override {
        w = h = 0;
    }
    uint32_t TimeGetTime() override { return clock; }
    uint32_t UtcMillisecondOfDay() override { return clock % 86400000u; }
    void SleepMs(int ms) override { clock += static_cast<uint32_t>(ms); }
    void GetKeyboardState(uint8_t keys[256]) override {
        for (int i = 0; i < 256; ++i) keys[i] = 0;
    }
    int JoystickCount() override { return 0; }
    bool GetJoystickCaps(int, platform::JoystickCaps&) override { return false; }
    bool GetJoystickPosition(int, platform::JoystickPosition&) override { return false; }
    std::unique_ptr<platform::SoundDevice> CreateSoundDevice() override { return nullptr; }
};

}  // namespace skyrend::test
