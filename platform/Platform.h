// platform/Platform.h — the seam below the media layer.
//
// The media layer reaches the machine only through this interface: the
// window and its messages, the display, text rasterising, the clock, the
// keyboard and joystick, and sound voices. Two back-ends implement it:
// platform/sdl (SDL2, SDL2_ttf, OpenAL Soft) for the real game, and
// platform/headless (memory surfaces, a virtual clock, scripted messages and
// an OpenAL loopback mix) for tests and the simulator. Files are plain POSIX
// and live in platform/Files.h.

#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace skyrend::platform {

// ---------------------------------------------------------------- messages

enum class MessageKind {
    KeyDown,     // key: a 16-bit virtual-key code
    MouseDown,   // x, y in display (surface) pixels; button 0 left, 1 right, 2 middle
    Activate,    // the application has become the active application
    Deactivate,  // the application has lost the active state
    Close,       // the window system closes the main window
};

struct Message {
    MessageKind kind = MessageKind::KeyDown;
    uint16_t key = 0;
    int x = 0;
    int y = 0;
    int button = 0;
};

// ---------------------------------------------------------------- display

struct DisplayMode {
    int width = 0;
    int height = 0;
    int bitCount = 0;
    bool operator==(const DisplayMode&) const = default;
};

// A rectangle as left, top, right, bottom (right and bottom exclusive).
struct Rect {
    int left = 0, top = 0, right = 0, bottom = 0;
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool operator==(const Rect&) const = default;
};

// A view of 32-bit pixels, 0x00RRGGBB, rows `pitch` pixels apart.
struct PixelView {
    uint32_t* pixels = nullptr;
    int width = 0;
    int height = 0;
    int pitch = 0;
};

// Which way a text is drawn onto a surface.
struct TextStyle {
    uint32_t color = 0;        // 0x00RRGGBB
    int pointSize = 8;         // points at 96 dpi
    bool opaque = false;       // fill the text's box with `background` first
    uint32_t background = 0;   // 0x00RRGGBB
};

// ---------------------------------------------------------------- input

// A joystick's raw state as the multimedia joystick calls report it: each
// axis in min..max, and a button mask.
struct JoystickCaps {
    int xMin = 0, xMax = 65535;
    int yMin = 0, yMax = 65535;
    int zMin = 0, zMax = 65535;
    int buttonCount = 0;
};

struct JoystickPosition {
    int x = 0, y = 0, z = 0;
    uint32_t buttons = 0;
};

// ---------------------------------------------------------------- sound

// The "fmt " chunk of a wave, as far as a voice needs it.
struct WaveFormat {
    uint16_t formatTag = 0;      // 1 = PCM
    uint16_t channels = 0;
    uint32_t samplesPerSec = 0;
    uint32_t avgBytesPerSec = 0;
    uint16_t blockAlign = 0;
    uint16_t bitsPerSample = 0;
};

// One playing voice over shared sample data.
class SoundVoice {
public:
    virtual ~SoundVoice() = default;
    virtual void Play(bool looping) = 0;
    virtual void Stop() = 0;
    virtual void SetPosition(uint32_t byteOffset) = 0;
    virtual void SetFrequency(int hertz) = 0;   // 0 = the wave's own rate
    virtual void SetPan(int pan) = 0;           // -10000 (left) .. 10000 (right)
    virtual void SetVolume(int volume) = 0;     // hundredths of dB, 0 = full, -10000 = silent
    virtual bool IsPlaying() = 0;
    // A new voice sharing this voice's sample data; null when it cannot be made.
    virtual std::unique_ptr<SoundVoice> Duplicate() = 0;
};

// Why no voice came: the buffer could not be had at all (a format the mixer
// cannot play, a size it cannot hold, no buffer or voice left), or it was
// made but its sample data could not be put into it.
enum class VoiceFailure { None, NotMade, NotFilled };

struct VoiceError {
    VoiceFailure failure = VoiceFailure::None;
    std::string reason;  // for people; not part of any error text
};

class SoundDevice {
public:
    virtual ~SoundDevice() = default;
    virtual bool CreatePrimaryBuffer() = 0;
    virtual void SetCooperativeLevel(bool exclusive) = 0;
    // Null with `error` set when no voice can be had.
    virtual std::unique_ptr<SoundVoice> CreateVoice(const WaveFormat& format, const uint8_t* data,
                                                    size_t size, VoiceError& error) = 0;
    // False once the output behind the device has gone away (unplugged, its
    // sink failing); its voices then play silently and never come back.
    virtual bool Connected() = 0;
};

// ---------------------------------------------------------------- platform

class Platform {
public:
    virtual ~Platform() = default;

    // Window and messages.
    virtual void CreateMainWindow(const std::string& title) = 0;
    virtual void ShowMainWindow() = 0;
    virtual bool PollMessage(Message& message) = 0;   // false when the queue is empty
    virtual void WaitMessage() = 0;                   // blocks until a message is queued
    // Blocks until a message is queued or the clock (as TimeGetTime counts)
    // is a moment short of `clock`, so that polling takes the last stretch.
    // The back-end reads its own clock for this; the game is given nothing.
    virtual void WaitMessageUntil(uint32_t clock) = 0;
    virtual bool IsForeground() = 0;                  // the main window has the focus
    virtual void GetCursorPos(int& x, int& y) = 0;    // display pixels
    virtual void GetClientSize(int& width, int& height) = 0;
    virtual void ShowErrorBox(const std::string& title, const std::string& text) = 0;

    // Display. The primary surface is the size of the mode in force.
    virtual std::vector<DisplayMode> GetDisplayModes() = 0;
    virtual bool SetDisplayMode(const DisplayMode& mode) = 0;
    virtual void RestoreDisplayMode() = 0;
    // Whether a surface of this size can be made (in video memory or not).
    virtual bool CanMakeSurface(int width, int height, bool videoMemory) = 0;
    // Whether the screen's own surface can be made.
    virtual bool CanMakePrimarySurface() { return true; }
    // Copies `source` to the primary surface at `dest` (scaled when the sizes
    // differ, clipped to the screen) and shows it, after the vertical blank
    // when asked to.
    virtual bool Present(const PixelView& source, const Rect& dest, bool waitVBlank) = 0;
    virtual bool SurfacesLost() = 0;
    virtual bool RestoreSurfaces() = 0;
    // A recording asks the back-end to hash every frame in the pass in which
    // Present copies it (platform/common/FrameHash.h), and then takes the
    // last presented frame's hash; false when the back-end has none for it.
    virtual void HashPresentedFrames(bool on) { (void)on; }
    virtual bool PresentedFrameHash(uint64_t& hash) {
        (void)hash;
        return false;
    }

    // Text onto a surface; returns the size of the drawn box.
    virtual void DrawText(const PixelView& target, int x, int y, std::string_view utf8,
                          const TextStyle& style, int& width, int& height) = 0;

    // Clock.
    virtual uint32_t TimeGetTime() = 0;          // milliseconds, wraps at 2^32
    virtual uint32_t UtcMillisecondOfDay() = 0;  // 0 .. 86399999
    virtual void SleepMs(int milliseconds) = 0;

    // Keyboard: 256 virtual-key entries, bit 7 set = down.
    virtual void GetKeyboardState(uint8_t keys[256]) = 0;
    // Joysticks, numbered from 0.
    virtual int JoystickCount() = 0;
    virtual bool GetJoystickCaps(int index, JoystickCaps& caps) = 0;
    virtual bool GetJoystickPosition(int index, JoystickPosition& position) = 0;

    // Sound: null when no device can be opened. A device asked for after the
    // output went away is made on the output opened anew.
    virtual std::unique_ptr<SoundDevice> CreateSoundDevice() = 0;
};

// The back-end in use; set once by the program (or a test) before the media
// layer is used.
Platform& Current();
void SetCurrent(Platform* platform);

}  // namespace skyrend::platform
