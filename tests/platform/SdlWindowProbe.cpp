// tests/platform/SdlWindowProbe.cpp — a real window of the SDL back-end for
// tests/scripts/platform_window.sh.
//
// Runs only when SKYREND_WINDOW_PROBE names a log file (the script starts it
// under Xvfb). It shows a 1024 x 768 picture, red on the left half and blue
// on the right, and writes every message it receives to the log, one per
// line, until the window is closed: "activate", "deactivate", "close",
// "mouse X Y BUTTON", and "key CODE" followed, for some keys, by what the
// platform reports at that moment (the cursor for C, the keyboard state's
// entries 39 and 222 for the apostrophe key).

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

#include "platform/sdl/SdlPlatform.h"

namespace skyrend::platform {
namespace {

std::vector<uint32_t> HalfRedHalfBlue(int width, int height) {
    std::vector<uint32_t> pixels(static_cast<size_t>(width) * height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) pixels[static_cast<size_t>(y) * width + x] = x < width / 2 ? 0xFF0000 : 0x0000FF;
    return pixels;
}

void Log(std::ofstream& log, SdlPlatform& platform, const Message& m) {
    switch (m.kind) {
        case MessageKind::Activate: log << "activate"; break;
        case MessageKind::Deactivate: log << "deactivate"; break;
        case MessageKind::Close: log << "close"; break;
        case MessageKind::MouseDown: log << "mouse " << m.x << ' ' << m.y << ' ' << m.button; break;
        case MessageKind::KeyDown: {
            log << "key " << m.key;
            if (m.key == 'C') {
                int x = 0, y = 0;
                platform.GetCursorPos(x, y);
                log << " cursor " << x << ' ' << y;
            }
            if (m.key == 222) {
                uint8_t keys[256];
                platform.GetKeyboardState(keys);
                log << " state39 " << int(keys[39]) << " state222 " << int(keys[222]);
            }
            break;
        }
    }
    log << " foreground " << platform.IsForeground() << std::endl;
}

TEST(SdlWindow, Probe) {
    const char* path = std::getenv("SKYREND_WINDOW_PROBE");
    if (!path) GTEST_SKIP() << "run by tests/scripts/platform_window.sh under Xvfb";
    std::ofstream log(path);
    SdlPlatform platform;
    platform.CreateMainWindow("SkyrendMain");
    platform.ShowMainWindow();
    ASSERT_TRUE(platform.SetDisplayMode({1024, 768, 32}));
    int width = 0, height = 0;
    platform.GetClientSize(width, height);
    ASSERT_EQ(width, 1024);
    ASSERT_EQ(height, 768);
    std::vector<uint32_t> pixels = HalfRedHalfBlue(width, height);
    const PixelView frame{pixels.data(), width, height, width};

    ASSERT_TRUE(platform.Present(frame, {0, 0, width, height}, true));
    log << "ready" << std::endl;
    // Long enough for the script; it closes the window well before.
    const uint32_t start = platform.TimeGetTime();
    bool closed = false;
    while (!closed && platform.TimeGetTime() - start < 60000) {
        Message m;
        while (platform.PollMessage(m)) {
            Log(log, platform, m);
            closed |= m.kind == MessageKind::Close;
        }
        if (platform.SurfacesLost()) platform.RestoreSurfaces();
        platform.Present(frame, {0, 0, width, height}, true);
        platform.SleepMs(10);
    }
    EXPECT_TRUE(closed);
}

}  // namespace
}  // namespace skyrend::platform
