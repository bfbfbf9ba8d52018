// platform/sdl/SdlScreen.cpp — window, renderer and the presented picture.

#include "platform/sdl/SdlScreen.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

#include "platform/common/FrameHash.h"
#include "platform/sdl/SdlDesktop.h"

namespace skyrend::platform {

namespace {

// The screen profiles' sizes are always offered, whatever the monitor has.
constexpr DisplayMode ProfileModes[] = {
    {1024, 768, 32}, {1280, 800, 32}, {1440, 900, 32}, {1680, 1050, 32}, {1920, 1200, 32}};

constexpr int FallbackWidth = 1024;
constexpr int FallbackHeight = 768;

// Whether the renderer draws through an OpenGL that rasterises on the
// processor (Mesa's llvmpipe, softpipe or swrast, as on a virtual X server).
// Such a GL spends a core's worth of threads on what SDL's own software
// renderer does with one copy, and keeps tens of megabytes for its compiler.
bool OnSoftwareGl(SDL_Renderer* renderer) {
    SDL_RendererInfo info{};
    if (SDL_GetRendererInfo(renderer, &info) != 0 || std::string(info.name).rfind("opengl", 0) != 0) return false;
    using GetString = const unsigned char* (*)(unsigned int);
    auto getString = reinterpret_cast<GetString>(SDL_GL_GetProcAddress("glGetString"));
    constexpr unsigned int GlRenderer = 0x1F01;
    const unsigned char* name = getString ? getString(GlRenderer) : nullptr;
    if (!name) return false;
    const std::string renderer_name(reinterpret_cast<const char*>(name));
    for (const char* soft : {"llvmpipe", "softpipe", "swrast", "Software Rasterizer"})
        if (renderer_name.find(soft) != std::string::npos) return true;
    return false;
}

}  // namespace

SdlScreen::~SdlScreen() {
    if (texture_) SDL_DestroyTexture(texture_);
    if (renderer_) SDL_DestroyRenderer(renderer_);
    if (window_) SDL_DestroyWindow(window_);
}

void SdlScreen::Create(const std::string& title) {
    if (window_) return;
    SDL_DisplayMode desktop{};
    int width = FallbackWidth, height = FallbackHeight;
    if (SDL_GetDesktopDisplayMode(0, &desktop) == 0) {
        width = desktop.w;
        height = desktop.h;
    }
    SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "linear");
    window_ = SDL_CreateWindow(title.c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, width, height,
                               SDL_WINDOW_HIDDEN | SDL_WINDOW_BORDERLESS | SDL_WINDOW_FULLSCREEN_DESKTOP |
                                   SDL_WINDOW_RESIZABLE);
    if (!window_) throw std::runtime_error(std::string("the main window cannot be made: ") + SDL_GetError());
    if (!MakeRenderer()) throw std::runtime_error(std::string("the main window cannot draw: ") + SDL_GetError());
}

// Once the GL was found to rasterise on the processor it is not tried again:
// a GL renderer would make the window anew, at the size SDL last knew.
bool SdlScreen::MakeRenderer() {
    if (!softwareOnly_) renderer_ = SDL_CreateRenderer(window_, -1, SDL_RENDERER_PRESENTVSYNC);
    if (renderer_ && OnSoftwareGl(renderer_)) {
        SDL_DestroyRenderer(renderer_);
        renderer_ = nullptr;
        softwareOnly_ = true;
        // The window's own pixels go to the X server as they are, not through
        // that GL again.
        SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    }
    if (!renderer_) renderer_ = SDL_CreateRenderer(window_, -1, SDL_RENDERER_SOFTWARE);
    if (!renderer_) return false;
    SDL_SetRenderDrawColor(renderer_, 0, 0, 0, 255);
    vsync_ = true;
    return true;
}

void SdlScreen::Show() {
    if (!window_) return;
    SDL_ShowWindow(window_);
    SDL_RaiseWindow(window_);
    // Without a window manager nobody hands out the focus; take it.
    SDL_SetWindowInputFocus(window_);
}

bool SdlScreen::HasFocus() const {
    return window_ && (SDL_GetWindowFlags(window_) & SDL_WINDOW_INPUT_FOCUS) != 0;
}

std::vector<DisplayMode> SdlScreen::Modes() {
    std::vector<DisplayMode> modes;
    auto add = [&modes](const DisplayMode& mode) {
        if (std::find(modes.begin(), modes.end(), mode) == modes.end()) modes.push_back(mode);
    };
    const int display = window_ ? std::max(SDL_GetWindowDisplayIndex(window_), 0) : 0;
    const int count = SDL_GetNumDisplayModes(display);
    for (int i = 0; i < count; ++i) {
        SDL_DisplayMode mode{};
        if (SDL_GetDisplayMode(display, i, &mode) != 0) continue;
        // Bits per pixel as the desktop counts them: 32 for a 4-byte pixel.
        add({mode.w, mode.h, static_cast<int>(SDL_BYTESPERPIXEL(mode.format)) * 8});
    }
    for (const DisplayMode& mode : ProfileModes) add(mode);
    return modes;
}

bool SdlScreen::SetMode(const DisplayMode& mode) {
    if (!renderer_ || mode.width <= 0 || mode.height <= 0) return false;
    const std::vector<DisplayMode> modes = Modes();
    if (std::find(modes.begin(), modes.end(), mode) == modes.end()) return false;
    if (!MakeTexture(mode.width, mode.height)) return false;
    if (SDL_RenderSetLogicalSize(renderer_, mode.width, mode.height) != 0) return false;
    hasMode_ = true;
    mode_ = mode;
    image_.Reset(0, 0);  // made again, black, when a frame needs it
    if (!fullScreen_) FitWindowToMode();
    return true;
}

void SdlScreen::RestoreMode() {
    // The monitor was never switched; the picture goes back to window size.
    hasMode_ = false;
    if (renderer_) SDL_RenderSetLogicalSize(renderer_, 0, 0);
}

void SdlScreen::ClientSize(int& width, int& height) const {
    if (hasMode_) {
        width = mode_.width;
        height = mode_.height;
    } else if (window_) {
        SDL_GetWindowSize(window_, &width, &height);
    } else {
        width = FallbackWidth;
        height = FallbackHeight;
    }
}

void SdlScreen::ToDisplay(int windowX, int windowY, int& x, int& y) const {
    x = windowX;
    y = windowY;
    if (!renderer_ || !hasMode_) return;
    float lx = 0, ly = 0;
    SDL_RenderWindowToLogical(renderer_, windowX, windowY, &lx, &ly);
    x = static_cast<int>(std::floor(lx));
    y = static_cast<int>(std::floor(ly));
}

void SdlScreen::CursorPos(int& x, int& y) const {
    int gx = 0, gy = 0, wx = 0, wy = 0;
    // Over our window the event-tracked position is current, also after
    // the pointer is warped; the global query is cached and can lag then.
    if (window_ && SDL_GetMouseFocus() == window_) {
        SDL_GetMouseState(&gx, &gy);
        ToDisplay(gx, gy, x, y);
        return;
    }
    SDL_GetGlobalMouseState(&gx, &gy);
    if (window_) SDL_GetWindowPosition(window_, &wx, &wy);
    ToDisplay(gx - wx, gy - wy, x, y);
}

bool SdlScreen::MakeTexture(int width, int height) {
    if (texture_ && textureWidth_ == width && textureHeight_ == height) return true;
    if (texture_) SDL_DestroyTexture(texture_);
    texture_ = SDL_CreateTexture(renderer_, SDL_PIXELFORMAT_RGB888, SDL_TEXTUREACCESS_STREAMING, width, height);
    textureWidth_ = texture_ ? width : 0;
    textureHeight_ = texture_ ? height : 0;
    return texture_ != nullptr;
}

bool SdlScreen::Present(const PixelView& source, const Rect& dest, bool waitVBlank, uint64_t* hash, bool& hashed) {
    hashed = false;
    if (!renderer_ || lost_) return false;
    FollowDesktop();
    int width = 0, height = 0;
    ClientSize(width, height);
    if (!MakeTexture(width, height)) return false;
    // A picture that covers the screen exactly goes to the texture as it is;
    // any other is laid onto the screen image first.
    const uint32_t* pixels = source.pixels;
    int pitch = source.pitch * 4;
    const bool whole = dest == Rect{0, 0, width, height} && source.width == width && source.height == height &&
                       source.pixels && source.pitch >= source.width;
    if (whole) {
        if (hash) *hash = HashFrame(source);
    } else {
        if (image_.Width() != width || image_.Height() != height) image_.Reset(width, height);
        if (!image_.CopyFrom(source, dest, hash)) return false;
        pixels = image_.Pixels().data();
        pitch = width * 4;
    }
    hashed = hash != nullptr;
    if (waitVBlank != vsync_) {
        SDL_RenderSetVSync(renderer_, waitVBlank ? 1 : 0);
        vsync_ = waitVBlank;
    }
    if (SDL_UpdateTexture(texture_, nullptr, pixels, pitch) != 0) return false;
    SDL_RenderClear(renderer_);
    SDL_RenderCopy(renderer_, texture_, nullptr, nullptr);
    SDL_RenderPresent(renderer_);
    return true;
}

// Full screen covers the desktop also after it changed size; asking the
// window system costs a round trip, so it is asked twice a second.
void SdlScreen::FollowDesktop() {
    constexpr Uint64 CheckEveryMs = 500;
    const Uint64 now = SDL_GetTicks64();
    if (!fullScreen_ || now - desktopCheckedAt_ < CheckEveryMs) return;
    desktopCheckedAt_ = now;
    CoverDesktop(window_);
}

void SdlScreen::ToggleFullScreen() {
    if (!window_) return;
    fullScreen_ = !fullScreen_;
    if (fullScreen_) {
        SDL_SetWindowBordered(window_, SDL_FALSE);
        // Cover the display by hand too: without a window manager the
        // full-screen request alone does not move or grow the window.
        SDL_Rect bounds;
        if (SDL_GetDisplayBounds(std::max(SDL_GetWindowDisplayIndex(window_), 0), &bounds) == 0) {
            SDL_SetWindowPosition(window_, bounds.x, bounds.y);
            SDL_SetWindowSize(window_, bounds.w, bounds.h);
        }
        SDL_SetWindowFullscreen(window_, SDL_WINDOW_FULLSCREEN_DESKTOP);
    } else {
        SDL_SetWindowFullscreen(window_, 0);
        SDL_SetWindowBordered(window_, SDL_TRUE);
        FitWindowToMode();
    }
}

// A window shows the picture at its own size, or smaller when the desktop
// cannot hold it.
void SdlScreen::FitWindowToMode() {
    int width = 0, height = 0;
    ClientSize(width, height);
    SDL_Rect usable{0, 0, width, height};
    const int display = std::max(SDL_GetWindowDisplayIndex(window_), 0);
    if (SDL_GetDisplayUsableBounds(display, &usable) == 0 && (width > usable.w || height > usable.h)) {
        const double scale = std::min(double(usable.w) / width, double(usable.h) / height) * 0.9;
        width = std::max(1, static_cast<int>(width * scale));
        height = std::max(1, static_cast<int>(height * scale));
    }
    SDL_SetWindowSize(window_, width, height);
    SDL_SetWindowPosition(window_, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED);
}

bool SdlScreen::Restore() {
    // A lost device takes the renderer with it: everything is made anew.
    if (deviceLost_ && window_) {
        if (texture_) SDL_DestroyTexture(texture_);
        texture_ = nullptr;
        textureWidth_ = textureHeight_ = 0;
        if (renderer_) SDL_DestroyRenderer(renderer_);
        renderer_ = nullptr;
        if (!MakeRenderer()) return false;
        deviceLost_ = false;
    }
    if (!renderer_) return false;
    int clientWidth = 0, clientHeight = 0;
    ClientSize(clientWidth, clientHeight);
    // Nothing was lost: the texture of the right size serves as it is.
    if (!lost_ && texture_ && textureWidth_ == clientWidth && textureHeight_ == clientHeight) return true;
    if (texture_) SDL_DestroyTexture(texture_);
    texture_ = nullptr;
    textureWidth_ = textureHeight_ = 0;
    int width = 0, height = 0;
    ClientSize(width, height);
    if (!MakeTexture(width, height)) return false;
    if (hasMode_) SDL_RenderSetLogicalSize(renderer_, mode_.width, mode_.height);
    lost_ = false;
    return true;
}

}  // namespace skyrend::platform
