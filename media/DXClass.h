// media/DXClass.h — the frame timer: ticks from the message loop's idle
// processing at most every Interval milliseconds while the application is
// active, measures the tick rate, and reports activation changes. Between
// ticks it tells the loop when the next one is due, so that the loop can
// rest until then instead of polling the clock.

#pragma once

#include <cstdint>
#include <functional>

#include "media/Forms.h"

namespace skyrend {

using TDXTimerEvent = std::function<void(TComponent* sender, int32_t lagCount)>;

class TCustomDXTimer : public TComponent {
public:
    explicit TCustomDXTimer(TComponent* owner);
    ~TCustomDXTimer() override;

    void Loaded() override;

    bool ActiveOnly() const { return activeOnly_; }
    void SetActiveOnly(bool value);
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool value);
    uint32_t Interval() const { return interval_; }
    // Negative values are stored as 0.
    void SetInterval(int64_t value);
    int32_t TickRate() const { return tickRate_; }
    bool Started() const { return started_; }

    TNotifyEvent OnActivate;
    TNotifyEvent OnDeactivate;
    TDXTimerEvent OnTimer;

    // The idle handler the timer installs; public so that tests can drive it.
    void IdleTick(bool& done);

protected:
    virtual void NotifyActivate();
    virtual void NotifyDeactivate();
    virtual void NotifyTick(int32_t lagCount);

private:
    bool activeOnly_ = true;
    bool enabled_ = true;
    int32_t tickRate_ = 0;
    bool started_ = false;
    uint32_t interval_ = 1000;
    uint32_t lagDivisor_ = 1000;
    int32_t ticksInWindow_ = 0;
    uint32_t lastTickTime_ = 0;
    uint32_t rateWindowStart_ = 0;
    int observerId_ = 0;

    void StartTicking();
    void StopTicking();
    void AttachIdleHandler();
    void DetachIdleHandler();
    void ActivationHook(bool activated);
};

class TDXTimer : public TCustomDXTimer {
public:
    using TCustomDXTimer::TCustomDXTimer;
};

}  // namespace skyrend
