// media/DXDraws.h — the display control: full-screen mode selection, the
// drawing surface, presenting it, and the notifications that let image lists
// make and drop their surfaces with it.

#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "media/Forms.h"
#include "media/Listeners.h"
#include "media/Surface.h"

namespace skyrend {

// The display options, bit 0 first.
enum TDXDrawOption : uint16_t {
    doFullScreen = 1 << 0,
    doNoWindowChange = 1 << 1,
    doAllowReboot = 1 << 2,
    doWaitVBlank = 1 << 3,
    doAllowPalette256 = 1 << 4,
    doSystemMemory = 1 << 5,
    doStretch = 1 << 6,
    doCenter = 1 << 7,
    doFlip = 1 << 8,
    do3D = 1 << 9,
    doDirectX7Mode = 1 << 10,
    doRetainedMode = 1 << 11,
    doHardware = 1 << 12,
    doSelectDriver = 1 << 13,
    doZBuffer = 1 << 14,
};
using TDXDrawOptions = uint16_t;

// The option sets the display's rules work with.
constexpr TDXDrawOptions doAllOptions = 0x7FFF;
// A new control's options.
constexpr TDXDrawOptions doDefaultOptions =
    doAllowReboot | doWaitVBlank | doCenter | do3D | doDirectX7Mode | doHardware | doSelectDriver;
// Options that mean something in full screen only.
constexpr TDXDrawOptions doFullScreenOptions = doNoWindowChange | doAllowReboot | doAllowPalette256 | doFlip;
// Options of the 3-D device; the second set is what 3-D drops while the
// display is up.
constexpr TDXDrawOptions do3DOptions = doDirectX7Mode | doRetainedMode | doHardware | doSelectDriver | doZBuffer;
constexpr TDXDrawOptions do3DDeviceOptions = doRetainedMode | doHardware | doSelectDriver | doZBuffer;
// Everything but the presentation options (vertical blank, stretch,
// centre): fixed while the display is up.
constexpr TDXDrawOptions doFixedWhileInitialized = doAllOptions & ~(doWaitVBlank | doStretch | doCenter);
static_assert(doDefaultOptions == 0x368C && doFullScreenOptions == 0x0116 && do3DOptions == 0x7C00 &&
              do3DDeviceOptions == 0x7800 && doFixedWhileInitialized == 0x7F37);

// What the display tells its listeners.
enum TDXDrawNotifyType : int {
    dxntDestroying = 0,
    dxntInitializing = 1,
    dxntInitialize = 2,
    dxntInitializeSurface = 3,
    dxntFinalize = 4,
    dxntFinalizeSurface = 5,
    dxntRestore = 6,
    dxntSetSurfaceSize = 7,
};

class TCustomDXDraw;
using TDXDrawNotifyEvent = std::function<void(TCustomDXDraw* sender, TDXDrawNotifyType code)>;

struct TDXDrawDisplayMode {
    int Width = 0;
    int Height = 0;
    int BitCount = 0;
};

// The bit counts a display mode may be requested with: 8, 16, 24 or 32.
bool UsableBitCount(int bits);

// The requested display mode.
class TDXDrawDisplay {
public:
    int Width() const { return width_; }
    int Height() const { return height_; }
    int BitCount() const { return bitCount_; }
    void SetWidth(int value) { width_ = value < 0 ? 0 : value; }
    void SetHeight(int value) { height_ = value < 0 ? 0 : value; }
    // Only 8, 16, 24 or 32; anything else throws and is not stored.
    void SetBitCount(int value);
    bool FixedBitCount = false;
    bool FixedRatio = true;
    bool FixedSize = true;

    // The modes the platform offers, sorted by width, height, bit count;
    // asked for on first use.
    const std::vector<TDXDrawDisplayMode>& DisplayModes();
    void ClearModes() { modes_.clear(); modesRead_ = false; }

    // The mode search: the smallest acceptable mode, or false. Modes of
    // other bit counts than the usable ones are never chosen.
    bool FindMode(bool ratioRule, TDXDrawDisplayMode& found);

private:
    int width_ = 640;
    int height_ = 480;
    int bitCount_ = 16;
    bool modesRead_ = false;
    std::vector<TDXDrawDisplayMode> modes_;
};

class TCustomDXDraw : public TComponent {
public:
    explicit TCustomDXDraw(TComponent* owner);
    ~TCustomDXDraw() override;

    bool AutoInitialize = true;
    bool AutoSize = true;
    TDXDrawDisplay Display;

    TDXDrawOptions Options() const { return options_; }
    void SetOptions(TDXDrawOptions value);
    TDXDrawOptions NowOptions() const { return nowOptions_; }

    int SurfaceWidth() const;
    int SurfaceHeight() const;
    void SetSurfaceWidth(int value) { surfaceWidth_ = value; }
    void SetSurfaceHeight(int value) { surfaceHeight_ = value; }

    bool Initialized() const { return initialized_; }
    bool SurfaceInitialized() const { return surfaceInitialized_; }
    bool Updating() const { return updating_; }
    int InitDepth() const { return initDepth_; }
    bool FrameSkipFlag = false;

    void Initialize();
    void Finalize();
    void Flip();
    void Restore();

    // The drawing surface; null while not initialised.
    TDirectDrawSurface* Surface() { return surface_.get(); }

    int RegisterNotification(TDXDrawNotifyEvent event);
    void UnRegisterNotification(int id);

    TNotifyEvent OnInitializing, OnInitialize, OnInitializeSurface;
    TNotifyEvent OnFinalize, OnFinalizeSurface, OnRestoreSurface;
    TMouseEvent OnMouseDown;

    // Hooks the owner form's window (first show → Initialize, destroy →
    // Finalize); called once the form exists.
    void HookForm();

private:
    TDXDrawOptions options_ = doDefaultOptions;
    TDXDrawOptions nowOptions_ = 0;
    int surfaceWidth_ = 0;
    int surfaceHeight_ = 0;
    bool initialized_ = false;
    bool surfaceInitialized_ = false;
    bool updating_ = false;
    bool initializedOnce_ = false;
    bool initStarted_ = false;
    bool displayEventFlag_ = false;
    int initDepth_ = 0;
    bool strategyMade_ = false;  // freeing it gives the display mode back
    // A re-initialisation keeps the mode in force until it knows the next
    // one: the same mode is then not given back and set again.
    bool modeKept_ = false;
    platform::DisplayMode modeInForce_;
    std::unique_ptr<TDirectDrawSurface> surface_;
    TListeners<TDXDrawNotifyEvent> notifications_;
    TForm* hookedForm_ = nullptr;
    int hookId_ = 0;

    void ApplyOptionRules(TDXDrawOptions value);
    void Broadcast(TDXDrawNotifyType code);
    void Finalize(bool keepMode);
    void SetDisplayModeOrThrow();
    bool SetPlatformMode(const platform::DisplayMode& mode);
    void GiveKeptModeBack();
    void MakeSurfaces();
    void FreeSurfaces(bool keepMode);
    bool CanDraw();
    void Raise(const TNotifyEvent& event) {
        if (event) event(this);
    }
};

class TDXDraw : public TCustomDXDraw {
public:
    using TCustomDXDraw::TCustomDXDraw;
};

}  // namespace skyrend
