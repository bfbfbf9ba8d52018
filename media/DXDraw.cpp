// media/DXDraw.cpp — the display control.

#include <algorithm>

#include "media/DXDraws.h"
#include "media/Errors.h"

namespace skyrend {

namespace {
platform::Platform& P() { return platform::Current(); }
}  // namespace

// ---------------------------------------------------------------- display

bool UsableBitCount(int bits) { return bits == 8 || bits == 16 || bits == 24 || bits == 32; }

void TDXDrawDisplay::SetBitCount(int value) {
    if (!UsableBitCount(value))
        throw EDirectDrawError("Display requires 8, 16, 24 or 32 bits");
    bitCount_ = value;
}

const std::vector<TDXDrawDisplayMode>& TDXDrawDisplay::DisplayModes() {
    if (!modesRead_) {
        modesRead_ = true;
        modes_.clear();
        for (const auto& m : P().GetDisplayModes()) modes_.push_back({m.width, m.height, m.bitCount});
        std::sort(modes_.begin(), modes_.end(), [](const auto& a, const auto& b) {
            if (a.Width != b.Width) return a.Width < b.Width;
            if (a.Height != b.Height) return a.Height < b.Height;
            return a.BitCount < b.BitCount;
        });
    }
    return modes_;
}

bool TDXDrawDisplay::FindMode(bool ratioRule, TDXDrawDisplayMode& found) {
    const auto& modes = DisplayModes();
    const TDXDrawDisplayMode* best = nullptr;
    for (const auto& m : modes) {
        // A mode the display cannot be asked for again (a 15-bit mode, say)
        // is no candidate: it would be stored as the request.
        if (!UsableBitCount(m.BitCount)) continue;
        if (best && (m.Width > best->Width || m.Height > best->Height)) continue;
        // Same width:height ratio, compared exactly by cross-multiplication.
        if (ratioRule && static_cast<int64_t>(m.Width) * height_ != static_cast<int64_t>(width_) * m.Height)
            continue;
        if (FixedSize) {
            if (m.Width != width_ || m.Height != height_) continue;
        } else if (m.Width < width_ || m.Height < height_) {
            continue;
        }
        if (FixedBitCount) {
            if (m.BitCount != bitCount_) continue;
        } else if (!((m.BitCount >= 9 && bitCount_ >= 9) || m.BitCount >= bitCount_)) {
            continue;
        }
        best = &m;
    }
    if (!best) return false;
    found = *best;
    if (best->BitCount != bitCount_) {
        for (const auto& m : modes)
            if (m.Width == best->Width && m.Height == best->Height && m.BitCount == bitCount_) found = m;
    }
    return true;
}

// ---------------------------------------------------------------- control

TCustomDXDraw::TCustomDXDraw(TComponent* owner) : TComponent(owner) { ApplyOptionRules(options_); }

TCustomDXDraw::~TCustomDXDraw() {
    if (hookedForm_) hookedForm_->RemoveHook(hookId_);
    Finalize();
    Broadcast(dxntDestroying);
}

void TCustomDXDraw::HookForm() {
    TForm* form = OwnerForm();
    if (!form || form == hookedForm_) return;
    if (hookedForm_) hookedForm_->RemoveHook(hookId_);
    hookedForm_ = form;
    hookId_ = form->AddHook([this](FormEvent event) {
        if (event == FormEvent::FirstShown) {
            if (AutoInitialize && !initializedOnce_) Initialize();
        } else if (event == FormEvent::Destroying) {
            Finalize();
            hookedForm_ = nullptr;
        }
    });
}

void TCustomDXDraw::ApplyOptionRules(TDXDrawOptions value) {
    TDXDrawOptions now = value;
    if (!(now & doFullScreen)) now &= ~doFullScreenOptions;
    if (!(now & do3D)) now &= ~do3DOptions;
    if (now & doSystemMemory) now &= ~doFlip;
    if (now & doDirectX7Mode) now &= ~doRetainedMode;
    now &= ~doHardware;
    nowOptions_ = now;
}

void TCustomDXDraw::SetOptions(TDXDrawOptions value) {
    options_ = value & doAllOptions;
    if (!initialized_) {
        ApplyOptionRules(options_);
        return;
    }
    // While initialised only the presentation bits change at once.
    nowOptions_ = static_cast<TDXDrawOptions>((nowOptions_ & doFixedWhileInitialized) |
                                              (options_ & ~doFixedWhileInitialized & doAllOptions));
    if (!(nowOptions_ & do3D)) nowOptions_ &= ~do3DDeviceOptions;
}

int TCustomDXDraw::SurfaceWidth() const { return surface_ ? surface_->Width() : surfaceWidth_; }
int TCustomDXDraw::SurfaceHeight() const { return surface_ ? surface_->Height() : surfaceHeight_; }

int TCustomDXDraw::RegisterNotification(TDXDrawNotifyEvent event) {
    const int id = notifications_.Add(event);
    event(this, dxntSetSurfaceSize);
    if (initialized_) {
        event(this, dxntInitialize);
        if (surfaceInitialized_) event(this, dxntInitializeSurface);
        if (initDepth_ == 0) event(this, dxntRestore);
    }
    return id;
}

void TCustomDXDraw::UnRegisterNotification(int id) {
    const TDXDrawNotifyEvent event = notifications_.Remove(id);
    if (!event) return;
    if (surfaceInitialized_) event(this, dxntFinalizeSurface);
    if (initialized_) event(this, dxntFinalize);
}

void TCustomDXDraw::Broadcast(TDXDrawNotifyType code) {
    notifications_.TellNewestFirst(this, code);
}

void TCustomDXDraw::SetDisplayModeOrThrow() {
    auto fail = [this] {
        throw EDXDrawError(Format("Display mode cannot be changed (%dx%d %dbit)", Display.Width(),
                                  Display.Height(), Display.BitCount()));
    };
    if (Display.Width() <= 0 || Display.Height() <= 0) fail();
    int bits = Display.BitCount();
    if (!UsableBitCount(bits)) fail();
    if (SetPlatformMode({Display.Width(), Display.Height(), bits})) return;
    TDXDrawDisplayMode mode;
    auto trySet = [this](const TDXDrawDisplayMode& m) {
        if (!SetPlatformMode({m.Width, m.Height, m.BitCount})) return false;
        Display.SetWidth(m.Width);
        Display.SetHeight(m.Height);
        Display.SetBitCount(m.BitCount);
        return true;
    };
    if (Display.FixedRatio && Display.FindMode(true, mode) && trySet(mode)) return;
    if (Display.FindMode(false, mode) && trySet(mode)) return;
    fail();
}

void TCustomDXDraw::MakeSurfaces() {
    if (!P().CanMakePrimarySurface())
        throw EDXDrawError(Format("%s cannot be made", std::string("Primary Surface")));
    int sw = std::max(surfaceWidth_, 1), sh = std::max(surfaceHeight_, 1);
    bool video = !(options_ & doSystemMemory);
    if (video && !P().CanMakeSurface(sw, sh, true)) video = false;
    if (!video && !P().CanMakeSurface(sw, sh, false))
        throw EDXDrawError(Format("%s cannot be made", std::string("Surface")));
    surface_ = std::make_unique<TDirectDrawSurface>(sw, sh, !video);
    if (video)
        nowOptions_ &= ~doSystemMemory;
    else
        nowOptions_ |= doSystemMemory;
    surface_->Fill(0);
    // With do3D the software device always serves: no hardware device here.
}

// The mode kept from before serves when it is the one asked for.
bool TCustomDXDraw::SetPlatformMode(const platform::DisplayMode& mode) {
    if (modeKept_ && mode == modeInForce_) {
        modeKept_ = false;
        return true;
    }
    if (!P().SetDisplayMode(mode)) return false;
    modeKept_ = false;
    modeInForce_ = mode;
    return true;
}

void TCustomDXDraw::GiveKeptModeBack() {
    if (!modeKept_) return;
    modeKept_ = false;
    P().RestoreDisplayMode();
}

void TCustomDXDraw::FreeSurfaces(bool keepMode) {
    surface_.reset();
    const bool modeSet = strategyMade_ || modeKept_;
    strategyMade_ = false;
    modeKept_ = keepMode && modeSet;
    if (modeSet && !keepMode) P().RestoreDisplayMode();
}

void TCustomDXDraw::Initialize() {
    initializedOnce_ = true;
    try {
        Finalize(true);
    } catch (...) {
        GiveKeptModeBack();
        throw;
    }
    if (!OwnerForm()) {
        GiveKeptModeBack();
        throw EDXDrawError("Form not found");
    }
    try {
        initStarted_ = true;
        Raise(OnInitializing);
        updating_ = true;
        Broadcast(dxntInitializing);
        // The presenting strategy: it owns the display mode from here on.
        strategyMade_ = true;
        // Co-operation level: the window covers the display in full screen;
        // nothing more to set on this platform.
        if (nowOptions_ & doFullScreen)
            SetDisplayModeOrThrow();
        else
            GiveKeptModeBack();
        if (AutoSize) {
            int w = 0, h = 0;
            P().GetClientSize(w, h);
            surfaceWidth_ = w;
            surfaceHeight_ = h;
        }
        MakeSurfaces();
        updating_ = false;
        initialized_ = true;
        ++initDepth_;
    } catch (...) {
        Finalize();
        throw;
    }
    try {
        Broadcast(dxntSetSurfaceSize);
        Broadcast(dxntInitialize);
        displayEventFlag_ = true;
        Raise(OnInitialize);
        Broadcast(dxntInitializeSurface);
        surfaceInitialized_ = true;
        Raise(OnInitializeSurface);
    } catch (...) {
        --initDepth_;
        throw;
    }
    --initDepth_;
    Restore();
}

void TCustomDXDraw::Finalize() { Finalize(false); }

void TCustomDXDraw::Finalize(bool keepMode) {
    if (!initStarted_) return;
    initStarted_ = false;
    if (surface_) {
        surfaceWidth_ = surface_->Width();
        surfaceHeight_ = surface_->Height();
    }
    Display.ClearModes();
    updating_ = true;
    auto finish = [this, keepMode] {
        initialized_ = false;
        updating_ = false;
        ApplyOptionRules(options_);
        FreeSurfaces(keepMode);
    };
    WithCleanup(
        [this] {
            if (surfaceInitialized_) {
                surfaceInitialized_ = false;
                WithCleanup([this] { Raise(OnFinalizeSurface); }, [this] { Broadcast(dxntFinalizeSurface); });
            }
            if (displayEventFlag_) {
                displayEventFlag_ = false;
                WithCleanup([this] { Raise(OnFinalize); }, [this] { Broadcast(dxntFinalize); });
            }
        },
        finish);
}

void TCustomDXDraw::Restore() {
    if (!initialized_ || updating_) return;
    // The listeners and the event run inside the restore too: a Flip or a
    // nested restore from them does nothing.
    updating_ = true;
    try {
        if (P().RestoreSurfaces()) {
            if (surface_) surface_->Fill(0);
            Broadcast(dxntRestore);
            Raise(OnRestoreSurface);
        }
    } catch (...) {
        updating_ = false;
        throw;
    }
    updating_ = false;
}

bool TCustomDXDraw::CanDraw() {
    if (!surface_) return false;
    if (P().SurfacesLost()) {
        Restore();
        if (P().SurfacesLost()) return false;
    }
    return true;
}

void TCustomDXDraw::Flip() {
    // Lost surfaces come back before the skip flag is looked at, so a
    // skipped frame still restores them.
    const bool drawable = initialized_ && !updating_ && CanDraw();
    const bool skip = FrameSkipFlag;
    FrameSkipFlag = false;
    if (!drawable || skip) return;
    int cw = 0, ch = 0;
    P().GetClientSize(cw, ch);
    platform::Rect dest;
    if (nowOptions_ & doStretch) {
        dest = {0, 0, cw, ch};
    } else {
        int x = 0, y = 0;
        if (nowOptions_ & doCenter) {
            x += (cw - surface_->Width()) / 2;
            y += (ch - surface_->Height()) / 2;
        }
        dest = {x, y, x + surface_->Width(), y + surface_->Height()};
    }
    P().Present(surface_->View(), dest, (nowOptions_ & doWaitVBlank) != 0);
}

}  // namespace skyrend
