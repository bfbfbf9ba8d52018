// media/DXSounds.h — sound devices and the wave lists bound to them.
//
// A TDXSound is one opened platform sound device with its primary buffer and
// its co-operation level on the owner form's window. It tells its listeners
// (the wave lists) when it is destroyed, initialises, is initialised, is
// finalised and is restored, so that they make and drop their voices with it.
// A device the platform refuses at form load stays uninitialised without a
// word, and its wave lists then never play. A device whose output goes away
// later plays silently until the next load of a wave list opens it again.

#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

#include "media/Forms.h"
#include "media/WaveCollection.h"
#include "platform/Platform.h"

namespace skyrend {

enum TDXSoundOption : uint32_t {
    soGlobalFocus = 1 << 0,
    soStickyFocus = 1 << 1,
    soExclusive = 1 << 2,
};
using TDXSoundOptions = uint32_t;

// What a device tells its listeners.
enum TDXSoundNotifyType : int {
    dsntDestroying = 0,
    dsntInitializing = 1,
    dsntInitialize = 2,
    dsntFinalize = 3,
    dsntRestore = 4,
};

class TDXSound;
using TDXSoundNotifyEvent = std::function<void(TDXSound* sender, int code)>;

class TDXSound : public TComponent {
public:
    explicit TDXSound(TComponent* owner);
    // Finalises, then tells the listeners it is going.
    ~TDXSound() override;

    bool AutoInitialize = true;
    TDXSoundOptions Options() const { return options_; }
    void SetOptions(TDXSoundOptions value);
    // The options in force: global focus as recorded when the device was
    // made; the other bits follow Options.
    TDXSoundOptions NowOptions() const { return nowOptions_; }

    bool Initialized() const { return initialized_; }
    // Opens the device (see DXSounds.cpp for the order of its steps).
    // EDXSoundError "Form not found" without an owner form, EDirectSoundError
    // "DirectSound cannot be initialized" when the platform has no device,
    // EDXSoundError "Primary Buffer cannot be made".
    void Initialize();
    void Finalize();
    // Tells the listeners to load their voices, then raises OnRestore.
    void Restore();
    // After the stored settings: Initialize when AutoInitialize is set; a
    // device the platform refuses leaves the component uninitialised.
    void Loaded() override;
    // Opens the device again when its output has gone away (see DXSounds.cpp).
    void Reconnect();

    TNotifyEvent OnFinalize, OnInitialize, OnInitializing, OnRestore;

    // A listener hears 2 and 4 at once when the device is initialised; it
    // hears 3 when it unregisters from an initialised device. Broadcasts go
    // to the most recently registered listener first.
    int RegisterNotification(TDXSoundNotifyEvent event);
    void UnRegisterNotification(int id);

    // The platform device while initialised, else null.
    platform::SoundDevice* Device() const { return initialized_ ? device_.get() : nullptr; }

private:
    void Broadcast(int code);
    void OpenDevice();
    void HookWindow(TForm& form);
    void UnhookWindow();
    void SetCooperativeLevel();
    void Raise(const TNotifyEvent& event) {
        if (event) event(this);
    }

    TDXSoundOptions options_ = 0;
    TDXSoundOptions nowOptions_ = 0;
    bool initialized_ = false;
    bool initStarted_ = false;
    bool initializeEventRaised_ = false;
    bool primaryMade_ = false;
    bool outputLost_ = false;  // the output went away and has not been reopened
    std::unique_ptr<platform::SoundDevice> device_;
    TForm* hookedForm_ = nullptr;
    int hookId_ = 0;
    TListeners<TDXSoundNotifyEvent> notifications_;
};

using TCustomDXSound = TDXSound;

// A wave collection bound to one sound device.
class TDXWaveList : public TComponent {
public:
    explicit TDXWaveList(TComponent* owner);
    // Unbinds from its device (dropping the voices), then frees the items.
    ~TDXWaveList() override;

    TWaveCollection Items;

    // Unregisters from the old device and registers with the new one.
    void SetDXSound(TDXSound* value);
    TDXSound* DXSound() const { return dxSound_; }

private:
    void DXSoundNotify(TDXSound* sender, int code);
    TDXSound* dxSound_ = nullptr;
    int notificationId_ = 0;
};

using TCustomDXWaveList = TDXWaveList;

}  // namespace skyrend
