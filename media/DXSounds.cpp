// media/DXSounds.cpp — the sound device component and the wave list that
// follows it.
//
// Initialising a device: finalise first; an owner form is required; tell the
// listeners (1) and raise OnInitializing; open the platform device and its
// primary buffer; set the co-operation level on the form's window and keep
// it set whenever the window is made anew; tell the listeners the device is
// ready (2), raise OnInitialize, and restore (4, OnRestore) so that the wave
// lists load their voices. A failure while opening finalises and re-throws.

#include "media/DXSounds.h"

#include <algorithm>

#include "media/Errors.h"

namespace skyrend {

// ---------------------------------------------------------------- device

TDXSound::TDXSound(TComponent* owner) : TComponent(owner) {}

TDXSound::~TDXSound() {
    // A destructor cannot pass an OnFinalize failure on; the device is freed
    // all the same.
    try {
        Finalize();
    } catch (const std::exception&) {
    }
    Broadcast(dsntDestroying);
}

void TDXSound::SetOptions(TDXSoundOptions value) {
    options_ = value & (soGlobalFocus | soStickyFocus | soExclusive);
    if (!initialized_) {
        nowOptions_ = options_;
        return;
    }
    // Global focus belongs to the voices already made; it stays until the
    // device is opened again.
    nowOptions_ = (options_ & ~soGlobalFocus) | (nowOptions_ & soGlobalFocus);
}

int TDXSound::RegisterNotification(TDXSoundNotifyEvent event) {
    const int id = notifications_.Add(event);
    if (initialized_) {
        event(this, dsntInitialize);
        event(this, dsntRestore);
    }
    return id;
}

void TDXSound::UnRegisterNotification(int id) {
    const TDXSoundNotifyEvent event = notifications_.Remove(id);
    if (event && initialized_) event(this, dsntFinalize);
}

void TDXSound::Broadcast(int code) {
    notifications_.TellNewestFirst(this, code);
}

void TDXSound::Loaded() {
    TComponent::Loaded();
    if (!AutoInitialize) return;
    try {
        Initialize();
    } catch (const EDirectSoundError&) {
        // No sound device: the game runs silent.
    }
}

void TDXSound::Initialize() {
    Finalize();
    TForm* form = OwnerForm();
    if (!form) throw EDXSoundError("Form not found");

    Broadcast(dsntInitializing);
    Raise(OnInitializing);
    initStarted_ = true;
    try {
        OpenDevice();
        initialized_ = true;
        SetCooperativeLevel();
        HookWindow(*form);
    } catch (...) {
        Finalize();
        throw;
    }

    Broadcast(dsntInitialize);
    initializeEventRaised_ = true;
    Raise(OnInitialize);
    Restore();
}

void TDXSound::OpenDevice() {
    device_ = platform::Current().CreateSoundDevice();
    if (!device_) throw EDirectSoundError(Format("%s cannot be initialized", "DirectSound"));
    // Voices made on this device keep the global focus it was opened with.
    nowOptions_ = options_;
    if (!device_->CreatePrimaryBuffer()) throw EDXSoundError(Format("%s cannot be made", "Primary Buffer"));
    primaryMade_ = true;
}

void TDXSound::SetCooperativeLevel() {
    if (device_) device_->SetCooperativeLevel((nowOptions_ & soExclusive) != 0);
}

// The level belongs to the window: set it again each time the window is made.
void TDXSound::HookWindow(TForm& form) {
    hookedForm_ = &form;
    hookId_ = form.AddHook([this](FormEvent event) {
        if (event == FormEvent::FirstShown) {
            SetCooperativeLevel();
        } else if (event == FormEvent::Destroying) {
            hookedForm_ = nullptr;
            hookId_ = 0;
        }
    });
}

void TDXSound::UnhookWindow() {
    if (hookedForm_) hookedForm_->RemoveHook(hookId_);
    hookedForm_ = nullptr;
    hookId_ = 0;
}

void TDXSound::Finalize() {
    if (!initStarted_) return;
    initStarted_ = false;
    UnhookWindow();

    // The listeners drop their voices and the device is freed even when
    // OnFinalize throws; the error goes on to the caller afterwards.
    auto release = [this] {
        Broadcast(dsntFinalize);
        initialized_ = false;
        nowOptions_ = options_;
        primaryMade_ = false;
        device_.reset();
    };
    WithCleanup(
        [this] {
            if (!initializeEventRaised_) return;
            initializeEventRaised_ = false;
            Raise(OnFinalize);
        },
        release);
}

// Asked before a wave list loads (every new game). A device that never
// opened stays as it is; one whose output went away is opened again, and
// while the platform still refuses it stays uninitialised (playing nothing)
// and tries again at the next load.
void TDXSound::Reconnect() {
    if (initialized_ ? device_->Connected() : !outputLost_) return;
    outputLost_ = true;
    try {
        Initialize();
    } catch (const EDirectSoundError&) {
        return;  // still gone: silent, as a device refused at form load
    }
    outputLost_ = false;
}

void TDXSound::Restore() {
    Broadcast(dsntRestore);
    Raise(OnRestore);
}

// ---------------------------------------------------------------- wave list

TDXWaveList::TDXWaveList(TComponent* owner) : TComponent(owner), Items(this) {
    Items.BeforeLoad = [this] {
        if (dxSound_) dxSound_->Reconnect();
    };
}

TDXWaveList::~TDXWaveList() { SetDXSound(nullptr); }

void TDXWaveList::SetDXSound(TDXSound* value) {
    if (value == dxSound_) return;
    if (dxSound_) {
        TDXSound* old = dxSound_;
        int id = notificationId_;
        dxSound_ = nullptr;
        notificationId_ = 0;
        old->UnRegisterNotification(id);
    }
    dxSound_ = value;
    if (value)
        notificationId_ = value->RegisterNotification(
            [this](TDXSound* sender, int code) { DXSoundNotify(sender, code); });
}

void TDXWaveList::DXSoundNotify(TDXSound* sender, int code) {
    switch (code) {
        case dsntDestroying:
            SetDXSound(nullptr);
            break;
        case dsntInitialize:
            Items.Initialize(sender);
            break;
        case dsntFinalize:
            Items.Finalize();
            break;
        case dsntRestore:
            Items.Restore();
            break;
        default:
            break;
    }
}

}  // namespace skyrend
