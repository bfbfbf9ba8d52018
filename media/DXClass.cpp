// media/DXClass.cpp — the frame timer.

#include "media/DXClass.h"

#include <cmath>

#include "media/TickLog.h"
#include "platform/Platform.h"

namespace skyrend {

namespace {
uint32_t Clock() { return platform::Current().TimeGetTime(); }
}  // namespace

TCustomDXTimer::TCustomDXTimer(TComponent* owner) : TComponent(owner) {
    observerId_ = Application().AddActivationObserver([this](bool activated) { ActivationHook(activated); });
}

TCustomDXTimer::~TCustomDXTimer() {
    StopTicking();
    Application().RemoveActivationObserver(observerId_);
}

void TCustomDXTimer::Loaded() {
    TComponent::Loaded();
    if (enabled_) StartTicking();
}

void TCustomDXTimer::SetActiveOnly(bool value) {
    if (value == activeOnly_) return;
    activeOnly_ = value;
    // Re-evaluate the attachment for the new rule.
    if (started_ && !Loading()) StartTicking();
}

void TCustomDXTimer::SetEnabled(bool value) {
    if (value == enabled_) return;
    enabled_ = value;
    if (Loading()) return;
    if (value)
        StartTicking();
    else
        StopTicking();
}

void TCustomDXTimer::SetInterval(int64_t value) {
    uint32_t stored = value < 0 ? 0 : static_cast<uint32_t>(value);
    if (value >= 0 && static_cast<int64_t>(interval_) == value) return;
    interval_ = stored;
    lagDivisor_ = stored < 1 ? 1 : stored;
}

void TCustomDXTimer::StartTicking() {
    StopTicking();
    if (!activeOnly_ || Application().Active()) AttachIdleHandler();
    started_ = true;
}

void TCustomDXTimer::StopTicking() {
    if (!started_) return;
    DetachIdleHandler();
    started_ = false;
}

void TCustomDXTimer::AttachIdleHandler() {
    lastTickTime_ = Clock();
    rateWindowStart_ = lastTickTime_;
    if (auto* log = TickLog::FromEnvironment()) log->Resume();
    Application().SetOnIdle([this](bool& done) { IdleTick(done); });
}

void TCustomDXTimer::DetachIdleHandler() { Application().SetOnIdle(nullptr); }

void TCustomDXTimer::ActivationHook(bool activated) {
    if (activated) {
        NotifyActivate();
        if (started_ && activeOnly_) AttachIdleHandler();
    } else {
        NotifyDeactivate();
        if (started_ && activeOnly_) DetachIdleHandler();
    }
}

void TCustomDXTimer::IdleTick(bool& done) {
    done = false;
    uint32_t now = Clock();
    uint32_t elapsed = now - lastTickTime_;
    if (elapsed < interval_) {
        // The loop may rest until the tick is due.
        Application().SetIdleDeadline(lastTickTime_ + interval_);
        return;
    }
    lastTickTime_ = now;
    int32_t lagCount = static_cast<int32_t>(elapsed / lagDivisor_);
    if (lagCount < 1) lagCount = 1;
    ++ticksInWindow_;
    int32_t span = static_cast<int32_t>(now - rateWindowStart_);
    if (span < 1) span = 1;
    if (span >= 1000) {
        // The 32-bit product first, then the division in floating point.
        int32_t product = static_cast<int32_t>(static_cast<uint32_t>(ticksInWindow_) * 1000u);
        tickRate_ = static_cast<int32_t>(std::nearbyint(static_cast<double>(product) / span));
        ticksInWindow_ = 0;
        rateWindowStart_ = now;
    }
    NotifyTick(lagCount);
}

void TCustomDXTimer::NotifyActivate() {
    if (OnActivate) OnActivate(this);
}

void TCustomDXTimer::NotifyDeactivate() {
    if (OnDeactivate) OnDeactivate(this);
}

void TCustomDXTimer::NotifyTick(int32_t lagCount) {
    if (!OnTimer) return;
    auto* log = TickLog::FromEnvironment();
    if (log) log->TickStarts();
    OnTimer(this, lagCount);
    if (log) log->TickEnds();
}

}  // namespace skyrend
