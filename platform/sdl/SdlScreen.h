// platform/sdl/SdlScreen.h — the main window and what is shown in it.
//
// The window is borderless and covers the desktop (SDL's desktop full
// screen); the monitor's own mode is never changed. The display mode the game
// asks for is the size of the picture, which is shown scaled to fit with its
// aspect kept and black bars around it, through one streaming texture
// presented with vsync. Alt+Enter switches between full screen and a window.

#pragma once

#include <SDL.h>

#include <string>
#include <vector>

#include "platform/Platform.h"
#include "platform/common/ScreenImage.h"

namespace skyrend::platform {

class SdlScreen {
public:
    SdlScreen() = default;
    ~SdlScreen();
    SdlScreen(const SdlScreen&) = delete;
    SdlScreen& operator=(const SdlScreen&) = delete;

    // Makes the (hidden) window and its renderer; throws std::runtime_error
    // with SDL's reason when it cannot.
    void Create(const std::string& title);
    void Show();
    SDL_Window* Window() const { return window_; }
    bool HasFocus() const;

    std::vector<DisplayMode> Modes();
    bool SetMode(const DisplayMode& mode);
    void RestoreMode();
    void ClientSize(int& width, int& height) const;

    // Window pixels (as SDL reports them) to display pixels.
    void ToDisplay(int windowX, int windowY, int& x, int& y) const;
    void CursorPos(int& x, int& y) const;

    // With `hash`, the frame's hash is taken as it is copied; `hashed` says
    // whether it was.
    bool Present(const PixelView& source, const Rect& dest, bool waitVBlank, uint64_t* hash, bool& hashed);
    void ToggleFullScreen();

    // The renderer dropped its textures (or its whole device); shown frames
    // stop until Restore has made them (or the renderer too) again.
    void MarkLost(bool device) {
        lost_ = true;
        deviceLost_ = deviceLost_ || device;
    }
    bool Lost() const { return lost_; }
    bool Restore();

private:
    bool MakeRenderer();
    bool MakeTexture(int width, int height);
    void FitWindowToMode();
    void FollowDesktop();

    SDL_Window* window_ = nullptr;
    SDL_Renderer* renderer_ = nullptr;
    SDL_Texture* texture_ = nullptr;
    int textureWidth_ = 0;
    int textureHeight_ = 0;
    bool hasMode_ = false;
    DisplayMode mode_;
    bool fullScreen_ = true;
    bool vsync_ = true;
    bool lost_ = false;
    Uint64 desktopCheckedAt_ = 0;
    bool deviceLost_ = false;
    bool softwareOnly_ = false;  // the GL rasterises on the processor: SDL's own renderer
    ScreenImage image_;
};

}  // namespace skyrend::platform
