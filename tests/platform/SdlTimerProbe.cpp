// tests/platform/SdlTimerProbe.cpp — the frame timer in the application's
// message loop over the SDL back-end, for tests/scripts/platform_ticks.sh.
//
// Runs only when SKYREND_TIMER_PROBE names a log file (the script starts it
// under Xvfb). A window titled "SkyrendTimer" shows a picture presented at
// every tick of a 33 ms timer; each tick writes "tick ELAPSED" (milliseconds
// of the clock since the tick before). When the window is closed the probe
// writes "cpu PERCENT", the share of one core it used while ticking.

#include <gtest/gtest.h>
#include <sys/resource.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <vector>

#include "media/DXClass.h"
#include "platform/sdl/SdlPlatform.h"

namespace skyrend {
namespace {

double CpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

TEST(SdlTimer, Probe) {
    const char* path = std::getenv("SKYREND_TIMER_PROBE");
    if (!path) GTEST_SKIP() << "run by tests/scripts/platform_ticks.sh under Xvfb";
    std::ofstream log(path);
    platform::SdlPlatform sdl;
    platform::SetCurrent(&sdl);
    {
        TForm form(nullptr);
        form.Caption = "SkyrendTimer";
        Application().SetMainForm(&form);
        ASSERT_TRUE(sdl.SetDisplayMode({1024, 768, 32}));
        std::vector<uint32_t> pixels(1024 * 768, 0x203040);
        const platform::PixelView frame{pixels.data(), 1024, 768, 1024};

        TDXTimer timer(&form);
        timer.BeginLoading();
        timer.SetActiveOnly(false);
        timer.SetInterval(33);
        uint32_t last = 0;
        timer.OnTimer = [&](TComponent*, int32_t) {
            const uint32_t now = sdl.TimeGetTime();
            if (last != 0) log << "tick " << now - last << std::endl;
            last = now;
            sdl.Present(frame, {0, 0, 1024, 768}, true);
        };
        timer.Loaded();
        const double cpu0 = CpuSeconds();
        const auto t0 = std::chrono::steady_clock::now();
        Application().Run();
        const std::chrono::duration<double> wall = std::chrono::steady_clock::now() - t0;
        log << "cpu " << 100 * (CpuSeconds() - cpu0) / wall.count() << std::endl;
        Application().SetMainForm(nullptr);
    }
    platform::SetCurrent(nullptr);
}

}  // namespace
}  // namespace skyrend
