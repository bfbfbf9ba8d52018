// shell/replay/TickHooks.cpp — wrapping the tick and cue handlers.

#include "shell/replay/TickHooks.h"

#include <memory>

namespace skyrend {

void HookTicks(TSkyrendMain& main, std::function<void(const platform::replay::Cues&)> afterTick) {
    auto cues = std::make_shared<platform::replay::Cues>();
    main.OnCue = [cues, before = main.OnCue](int32_t device, int32_t item) {
        cues->push_back({device, item});
        if (before) before(device, item);
    };
    TDXTimer& timer = *main.DXTimer1;
    timer.OnTimer = [cues, afterTick, inner = timer.OnTimer](TComponent* sender, int32_t lag) {
        auto end = [&] {
            afterTick(*cues);
            cues->clear();
        };
        try {
            if (inner) inner(sender, lag);
        } catch (...) {
            end();
            throw;
        }
        end();
    };
}

}  // namespace skyrend
