// platform/sdl/SdlPlatform.cpp — the real back-end.

#include "platform/sdl/SdlPlatform.h"

#include <SDL.h>

#include <cstdio>
#include <ctime>
#include <stdexcept>

#include "platform/sdl/SdlJoysticks.h"
#include "platform/sdl/SdlKeys.h"
#include "platform/sdl/SdlLocale.h"
#include "platform/sdl/SdlScreen.h"
#include "platform/sdl/SdlTestControl.h"
#include "platform/sdl/SdlVideo.h"
#include "platform/sdl/StderrCapture.h"
#include "platform/common/AlSound.h"
#include "platform/common/TextRasteriser.h"

namespace skyrend::platform {

// The video subsystem, given back after the window it served is gone.
struct VideoSubsystem {
    bool started = false;
    ~VideoSubsystem() {
        if (started) SDL_QuitSubSystem(SDL_INIT_VIDEO);
    }
};

struct SdlPlatform::Impl {
    VideoSubsystem video;
    SdlJoysticks joysticks;
    // Only when a real-window test names its command file.
    std::unique_ptr<SdlTestControl> control = SdlTestControl::FromEnvironment();
    SdlScreen screen;
    TextRasteriser text;
    std::shared_ptr<AlCore> sound;
    uint32_t soundRefusedAt = 0;  // SDL ticks of the last failed open, 0 = none
    bool soundRefusalSaid = false;
    bool active = false;
    bool closed = false;
    bool hashFrames = false;
    bool haveHash = false;
    uint64_t lastHash = 0;

    void StartVideo() {
        if (video.started) return;
        StartVideoOnDisplay();
        video.started = true;
    }

    std::shared_ptr<AlCore> OpenSound();
    bool Translate(const SDL_Event& event, Message& message);
    bool TranslateKey(const SDL_KeyboardEvent& key, Message& message);
    bool TranslateWindow(const SDL_WindowEvent& window, Message& message);
    bool Activation(bool nowActive, Message& message);
};

namespace {

// A failed open is not tried again for this long: the eight sound devices of
// one new game make one attempt, and a later new game finds a device that
// has come back.
constexpr uint32_t SoundRetryMs = 2000;

// The library's own last complaint, as the reason for a failed open.
std::string LastComplaint(const std::string& said) {
    std::string last;
    size_t start = 0;
    while (start < said.size()) {
        size_t end = said.find('\n', start);
        if (end == std::string::npos) end = said.size();
        std::string line = said.substr(start, end - start);
        if (const size_t tag = line.find("(EE) "); tag != std::string::npos) line = line.substr(tag + 5);
        if (!line.empty()) last = line;
        start = end + 1;
    }
    return last;
}

}  // namespace

// Opens the one output device. The libraries' complaints while probing are
// kept back; the game says in one line, once, that it plays silently.
std::shared_ptr<AlCore> SdlPlatform::Impl::OpenSound() {
    const uint32_t now = static_cast<uint32_t>(SDL_GetTicks64()) | 1;
    if (soundRefusedAt && now - soundRefusedAt < SoundRetryMs) return nullptr;
    std::string error;
    StderrCapture capture;
    std::shared_ptr<AlCore> core = AlCore::OpenPlayback(error);
    const std::string said = capture.Release();
    if (core) {
        soundRefusedAt = 0;
        return core;
    }
    soundRefusedAt = now;
    if (!soundRefusalSaid) {
        soundRefusalSaid = true;
        const std::string why = LastComplaint(said);
        std::fprintf(stderr, "Skyrend: %s%s; the game plays silently\n", error.c_str(),
                     why.empty() ? "" : (" (" + why + ")").c_str());
    }
    return nullptr;
}

// Alt+Enter belongs to the platform: it switches full screen and a window.
bool SdlPlatform::Impl::TranslateKey(const SDL_KeyboardEvent& key, Message& message) {
    const bool enter = key.keysym.scancode == SDL_SCANCODE_RETURN || key.keysym.scancode == SDL_SCANCODE_KP_ENTER;
    if (enter && (key.keysym.mod & KMOD_ALT)) {
        if (!key.repeat) screen.ToggleFullScreen();
        return false;
    }
    const uint16_t code = MessageVirtualKey(key.keysym.scancode, key.keysym.sym);
    if (code == 0) return false;
    message = Message{.kind = MessageKind::KeyDown, .key = code};
    return true;
}

// Focus changes become activation changes, strictly alternating.
bool SdlPlatform::Impl::Activation(bool nowActive, Message& message) {
    if (nowActive == active) return false;
    active = nowActive;
    message = Message{.kind = nowActive ? MessageKind::Activate : MessageKind::Deactivate};
    return true;
}

bool SdlPlatform::Impl::TranslateWindow(const SDL_WindowEvent& window, Message& message) {
    switch (window.event) {
        case SDL_WINDOWEVENT_FOCUS_GAINED: return Activation(true, message);
        case SDL_WINDOWEVENT_FOCUS_LOST: return Activation(false, message);
        case SDL_WINDOWEVENT_CLOSE:
            if (closed) return false;
            closed = true;
            message = Message{.kind = MessageKind::Close};
            return true;
        default: return false;
    }
}

bool SdlPlatform::Impl::Translate(const SDL_Event& event, Message& message) {
    switch (event.type) {
        case SDL_KEYDOWN: return TranslateKey(event.key, message);
        case SDL_MOUSEBUTTONDOWN: {
            int button = -1;
            if (event.button.button == SDL_BUTTON_LEFT) button = 0;
            if (event.button.button == SDL_BUTTON_RIGHT) button = 1;
            if (event.button.button == SDL_BUTTON_MIDDLE) button = 2;
            if (button < 0) return false;
            // The renderer has already turned the position into display pixels.
            message = Message{.kind = MessageKind::MouseDown, .x = event.button.x, .y = event.button.y,
                              .button = button};
            return true;
        }
        case SDL_WINDOWEVENT: return TranslateWindow(event.window, message);
        case SDL_QUIT:
            if (closed) return false;
            closed = true;
            message = Message{.kind = MessageKind::Close};
            return true;
        case SDL_RENDER_TARGETS_RESET: screen.MarkLost(false); return false;
        case SDL_RENDER_DEVICE_RESET: screen.MarkLost(true); return false;
        default: return false;
    }
}

SdlPlatform::SdlPlatform() : impl_(std::make_unique<Impl>()) {
    UseUtf8CharacterType();
    // A stick the test plugs in before the start is there when the input
    // devices are set up.
    if (impl_->control) impl_->control->Run();
}

SdlPlatform::~SdlPlatform() = default;

void SdlPlatform::CreateMainWindow(const std::string& title) {
    impl_->StartVideo();
    impl_->screen.Create(title);
    // Keys arrive as key-downs only; no text composition is wanted.
    SDL_StopTextInput();
}

void SdlPlatform::ShowMainWindow() { impl_->screen.Show(); }

bool SdlPlatform::PollMessage(Message& message) {
    if (impl_->control) impl_->control->Run();
    SDL_Event event;
    while (SDL_PollEvent(&event))
        if (impl_->Translate(event, message)) return true;
    return false;
}

void SdlPlatform::WaitMessage() { SDL_WaitEvent(nullptr); }

void SdlPlatform::WaitMessageUntil(uint32_t clock) {
    constexpr int32_t PolledStretch = 1;  // milliseconds left to the caller's polling
    const int32_t left = static_cast<int32_t>(clock - TimeGetTime());
    if (left > PolledStretch) SDL_WaitEventTimeout(nullptr, left - PolledStretch);
}

bool SdlPlatform::IsForeground() { return impl_->screen.HasFocus(); }

void SdlPlatform::GetCursorPos(int& x, int& y) { impl_->screen.CursorPos(x, y); }

void SdlPlatform::GetClientSize(int& width, int& height) { impl_->screen.ClientSize(width, height); }

void SdlPlatform::ShowErrorBox(const std::string& title, const std::string& text) {
    if (SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, title.c_str(), text.c_str(), impl_->screen.Window()) != 0)
        std::fprintf(stderr, "%s: %s\n", title.c_str(), text.c_str());
}

std::vector<DisplayMode> SdlPlatform::GetDisplayModes() {
    impl_->StartVideo();
    return impl_->screen.Modes();
}

bool SdlPlatform::SetDisplayMode(const DisplayMode& mode) { return impl_->screen.SetMode(mode); }

void SdlPlatform::RestoreDisplayMode() { impl_->screen.RestoreMode(); }

// All surfaces live in main memory; "video memory" is as good as any.
bool SdlPlatform::CanMakeSurface(int width, int height, bool) { return SurfaceSizeUsable(width, height); }

bool SdlPlatform::Present(const PixelView& source, const Rect& dest, bool waitVBlank) {
    impl_->haveHash = false;
    const bool ok = impl_->screen.Present(source, dest, waitVBlank, impl_->hashFrames ? &impl_->lastHash : nullptr,
                                          impl_->haveHash);
    return ok;
}

void SdlPlatform::HashPresentedFrames(bool on) { impl_->hashFrames = on; }

bool SdlPlatform::PresentedFrameHash(uint64_t& hash) {
    if (impl_->haveHash) hash = impl_->lastHash;
    return impl_->haveHash;
}

bool SdlPlatform::SurfacesLost() {
    SDL_PumpEvents();
    // A reset waiting in the queue counts as well as one already seen.
    if (SDL_HasEvent(SDL_RENDER_DEVICE_RESET)) impl_->screen.MarkLost(true);
    if (SDL_HasEvent(SDL_RENDER_TARGETS_RESET)) impl_->screen.MarkLost(false);
    SDL_FlushEvents(SDL_RENDER_TARGETS_RESET, SDL_RENDER_DEVICE_RESET);
    return impl_->screen.Lost();
}

bool SdlPlatform::RestoreSurfaces() { return impl_->screen.Restore(); }

void SdlPlatform::DrawText(const PixelView& target, int x, int y, std::string_view utf8, const TextStyle& style,
                           int& width, int& height) {
    impl_->text.Draw(target, x, y, utf8, style, width, height);
}

uint32_t SdlPlatform::TimeGetTime() { return static_cast<uint32_t>(SDL_GetTicks64()); }

uint32_t SdlPlatform::UtcMillisecondOfDay() {
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    return static_cast<uint32_t>((now.tv_sec % 86400) * 1000 + now.tv_nsec / 1000000);
}

void SdlPlatform::SleepMs(int milliseconds) {
    if (milliseconds > 0) SDL_Delay(static_cast<Uint32>(milliseconds));
}

void SdlPlatform::GetKeyboardState(uint8_t keys[256]) {
    int count = 0;
    if (impl_->video.started) SDL_PumpEvents();
    const Uint8* state = impl_->video.started ? SDL_GetKeyboardState(&count) : nullptr;
    TranslateKeyboardState(state, count, keys);
}

int SdlPlatform::JoystickCount() { return impl_->joysticks.Count(); }

bool SdlPlatform::GetJoystickCaps(int index, JoystickCaps& caps) { return impl_->joysticks.Caps(index, caps); }

bool SdlPlatform::GetJoystickPosition(int index, JoystickPosition& position) {
    return impl_->joysticks.Position(index, position);
}

// Every sound device of the game is a logical device over the one output.
// An output that went away is let go (voices still on it keep it until they
// go) and opened again, under the same backoff as a first open.
std::unique_ptr<SoundDevice> SdlPlatform::CreateSoundDevice() {
    if (impl_->sound && !impl_->sound->Connected()) {
        impl_->sound.reset();
        impl_->soundRefusalSaid = false;
        std::fprintf(stderr, "Skyrend: the sound output went away; it is looked for again at each new game\n");
    }
    if (!impl_->sound) impl_->sound = impl_->OpenSound();
    if (!impl_->sound) return nullptr;
    return MakeAlSoundDevice(impl_->sound);
}

}  // namespace skyrend::platform
