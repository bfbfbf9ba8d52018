// platform/headless/HeadlessPlatform.h — the back-end for tests and the simulator.
//
// Nothing here touches the machine's window system or clock. The clock is
// virtual, messages, held keys, the cursor and joysticks are scripted, the
// screen is an image in memory that keeps the last presented picture, error
// boxes and text output are recorded, and sound is mixed by an OpenAL Soft
// loopback device one requested slice at a time, so every run is exactly
// repeatable. Text is drawn by the same rasteriser as the real back-end.

#pragma once

#include <cstdint>
#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "platform/Platform.h"
#include "platform/common/ScreenImage.h"
#include "platform/common/TextRasteriser.h"

namespace skyrend::platform {

class AlCore;

struct TextRecord {
    int x = 0;
    int y = 0;
    std::string text;
};

// The last picture presented: display-mode size, 0x00RRGGBB, rows packed.
struct PresentedImage {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;
};

class HeadlessPlatform final : public Platform {
public:
    static constexpr int AudioRate = 44100;

    HeadlessPlatform();
    ~HeadlessPlatform() override;
    HeadlessPlatform(const HeadlessPlatform&) = delete;
    HeadlessPlatform& operator=(const HeadlessPlatform&) = delete;

    // ------------------------------------------------ scripting
    // The virtual clock in milliseconds. Setting it restarts the sound's
    // timeline there; advancing it mixes the sound that is due (SyncAudio),
    // so voices play on and finish as virtual time passes.
    void SetClock(uint64_t milliseconds);
    void AdvanceClock(uint64_t milliseconds);
    uint64_t Clock() const { return clock_; }

    void Push(const Message& message);
    size_t PendingMessages() const { return messages_.size(); }
    // From now on exactly these virtual keys are down (codes 1..255 count).
    void SetHeldKeys(const std::vector<uint16_t>& keys);
    void SetCursor(int x, int y);
    void SetForeground(bool foreground);

    // The modes the display offers (default: the five profile sizes at 32 bits).
    void SetDisplayModes(const std::vector<DisplayMode>& modes);
    // The client size while no display mode is in force (default 1024 x 768).
    void SetDesktopSize(int width, int height);
    // Whether presenting keeps the picture for LastPresented (on at first).
    // Off, a present is checked and hashed as before but copies nothing: a
    // run that never looks at the screen spares its memory (9 MB at
    // 1920 x 1200) and the copy. Set it before the display is used.
    void KeepScreen(bool on);
    // Whether surfaces can be made in video memory and in system memory.
    void SetSurfaceMemory(bool video, bool system);
    // The surfaces are lost until RestoreSurfaces; `restorable` false makes
    // restoring fail.
    void LoseSurfaces(bool restorable = true);

    // Fake joysticks, numbered from 0 in the order added.
    int AddJoystick(const JoystickCaps& caps, const JoystickPosition& position = {});
    void SetJoystickPosition(int index, const JoystickPosition& position);
    void RemoveJoysticks();

    // ------------------------------------------------ what happened
    const std::string& WindowTitle() const { return title_; }
    bool WindowShown() const { return shown_; }
    bool HasDisplayMode() const { return hasMode_; }
    const DisplayMode& CurrentMode() const { return mode_; }
    // Taken from the screen image when asked for, so that presenting costs
    // one copy, as on a real screen.
    const PresentedImage& LastPresented() const;
    uint64_t PresentCount() const { return presentCount_; }

    // Error box texts in the order shown, and the title of the last one.
    const std::vector<std::string>& ErrorBoxes() const { return errors_; }
    std::vector<std::string> TakeErrorBoxes();
    const std::string& LastErrorTitle() const { return errorTitle_; }
    // Every DrawText call, in order.
    const std::vector<TextRecord>& Texts() const { return texts_; }
    std::vector<TextRecord> TakeTexts();

    // ------------------------------------------------ sound
    // Mixes exactly `frames` more stereo frames at 44100 Hz (silence while no
    // sound device exists); voices advance, and the samples are appended to
    // the audio buffer while keeping audio is enabled.
    void RenderAudio(size_t frames);
    // Mixes up to the clock, if behind: AudioFramesRendered() becomes
    // AudioFramesAt(clock - the clock's value at the last SetClock).
    void SyncAudio();
    uint64_t AudioFramesRendered() const { return audioFramesSinceStart_; }
    static uint64_t AudioFramesAt(uint64_t milliseconds) { return milliseconds * AudioRate / 1000; }
    // Whether mixed samples are kept in the audio buffer (default false: the
    // voices still play, the samples are dropped).
    void EnableAudio(bool keep) { keepAudio_ = keep; }
    // Interleaved 16-bit samples, left then right.
    const std::vector<int16_t>& Audio() const { return audio_; }
    std::vector<int16_t> TakeAudio();
    // The audio buffer as a 16-bit stereo 44100 Hz RIFF WAVE file.
    bool WriteAudio(const std::string& path) const;
    // Makes sound devices fail as if no loopback device could be opened.
    void DisableSound() { soundDisabled_ = true; }

    // ------------------------------------------------ Platform
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
    void HashPresentedFrames(bool on) override { hashFrames_ = on; }
    bool PresentedFrameHash(uint64_t& hash) override;

    void DrawText(const PixelView& target, int x, int y, std::string_view utf8, const TextStyle& style,
                  int& width, int& height) override;

    uint32_t TimeGetTime() override;
    uint32_t UtcMillisecondOfDay() override;
    // Sleeping advances the virtual clock at once.
    void SleepMs(int milliseconds) override;

    void GetKeyboardState(uint8_t keys[256]) override;
    int JoystickCount() override;
    bool GetJoystickCaps(int index, JoystickCaps& caps) override;
    bool GetJoystickPosition(int index, JoystickPosition& position) override;

    std::unique_ptr<SoundDevice> CreateSoundDevice() override;

private:
    // Brings presented_ up to the screen before the screen changes.
    void KeepPresented() const;
    // A black screen of the mode in force (the desktop without one).
    void ResetScreen();

    struct FakeJoystick {
        JoystickCaps caps;
        JoystickPosition position;
    };

    uint64_t clock_ = 0;
    uint64_t audioStart_ = 0;
    uint64_t audioFramesSinceStart_ = 0;

    std::deque<Message> messages_;
    uint8_t keys_[256] = {};
    int cursorX_ = 0, cursorY_ = 0;
    bool foreground_ = true;

    std::string title_;
    bool shown_ = false;
    std::vector<DisplayMode> modes_;
    int desktopWidth_ = 1024, desktopHeight_ = 768;
    bool hasMode_ = false;
    DisplayMode mode_;
    bool videoSurfaces_ = true, systemSurfaces_ = true;
    bool lost_ = false, restorable_ = true;
    ScreenImage screen_;  // empty while the screen is not kept
    bool keepScreen_ = true;
    mutable PresentedImage presented_;
    mutable bool presentedBehind_ = false;  // the screen holds a newer picture
    uint64_t presentCount_ = 0;
    bool hashFrames_ = false;
    bool haveHash_ = false;
    uint64_t lastHash_ = 0;

    std::vector<std::string> errors_;
    std::string errorTitle_;
    std::vector<TextRecord> texts_;
    TextRasteriser text_;
    std::vector<FakeJoystick> joysticks_;

    std::shared_ptr<AlCore> sound_;
    bool soundDisabled_ = false;
    bool keepAudio_ = false;
    std::vector<int16_t> discarded_;
    std::vector<int16_t> audio_;
};

}  // namespace skyrend::platform
