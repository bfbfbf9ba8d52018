// tests/platform/HeadlessPlatformTest.cpp — the headless back-end's clock,
// scripted input, display and records.

#include <gtest/gtest.h>

#include "platform/headless/HeadlessPlatform.h"

namespace skyrend::platform {
namespace {

TEST(HeadlessClock, WrapsLikeTheMillisecondClock) {
    HeadlessPlatform p;
    EXPECT_EQ(p.TimeGetTime(), 0u);
    p.SetClock((uint64_t{1} << 32) - 5);
    EXPECT_EQ(p.TimeGetTime(), 0xFFFFFFFBu);
    p.AdvanceClock(10);
    EXPECT_EQ(p.Clock(), (uint64_t{1} << 32) + 5);
    EXPECT_EQ(p.TimeGetTime(), 5u);
}

TEST(HeadlessClock, TimeOfDayAndSleep) {
    HeadlessPlatform p;
    p.SetClock(3 * 86400000ull + 1234);
    EXPECT_EQ(p.UtcMillisecondOfDay(), 1234u);
    p.SetClock(86399999);
    EXPECT_EQ(p.UtcMillisecondOfDay(), 86399999u);
    p.SleepMs(1);
    EXPECT_EQ(p.UtcMillisecondOfDay(), 0u);
    p.SleepMs(-5);
    EXPECT_EQ(p.Clock(), 86400000u);
}

TEST(HeadlessMessages, ComeOutInTheOrderPushed) {
    HeadlessPlatform p;
    Message m;
    EXPECT_FALSE(p.PollMessage(m));
    p.Push({.kind = MessageKind::KeyDown, .key = 27});
    p.Push({.kind = MessageKind::MouseDown, .x = 3, .y = 4, .button = 1});
    p.Push({.kind = MessageKind::Deactivate});
    p.WaitMessage();  // returns at once; the queue is untouched
    EXPECT_EQ(p.PendingMessages(), 3u);
    ASSERT_TRUE(p.PollMessage(m));
    EXPECT_EQ(m.kind, MessageKind::KeyDown);
    EXPECT_EQ(m.key, 27);
    ASSERT_TRUE(p.PollMessage(m));
    EXPECT_EQ(m.kind, MessageKind::MouseDown);
    EXPECT_EQ(m.x, 3);
    EXPECT_EQ(m.y, 4);
    EXPECT_EQ(m.button, 1);
    ASSERT_TRUE(p.PollMessage(m));
    EXPECT_EQ(m.kind, MessageKind::Deactivate);
    EXPECT_FALSE(p.PollMessage(m));
}

TEST(HeadlessInput, HeldKeysCursorAndForeground) {
    HeadlessPlatform p;
    uint8_t keys[256];
    p.SetHeldKeys({32, 38, 0, 300, 255});
    p.GetKeyboardState(keys);
    for (int i = 0; i < 256; ++i) EXPECT_EQ(keys[i], (i == 32 || i == 38 || i == 255) ? 0x80 : 0) << i;
    p.SetHeldKeys({});
    p.GetKeyboardState(keys);
    for (int i = 0; i < 256; ++i) EXPECT_EQ(keys[i], 0) << i;

    int x = -1, y = -1;
    p.GetCursorPos(x, y);
    EXPECT_EQ(x, 0);
    EXPECT_EQ(y, 0);
    p.SetCursor(700, 20);
    p.GetCursorPos(x, y);
    EXPECT_EQ(x, 700);
    EXPECT_EQ(y, 20);

    EXPECT_TRUE(p.IsForeground());
    p.SetForeground(false);
    EXPECT_FALSE(p.IsForeground());
}

TEST(HeadlessInput, ScriptedJoysticks) {
    HeadlessPlatform p;
    EXPECT_EQ(p.JoystickCount(), 0);
    JoystickCaps caps;
    EXPECT_FALSE(p.GetJoystickCaps(0, caps));
    JoystickCaps small{.xMin = 0, .xMax = 255, .yMin = 0, .yMax = 255, .zMin = 0, .zMax = 255, .buttonCount = 4};
    EXPECT_EQ(p.AddJoystick(small, {.x = 128, .y = 0, .z = 128, .buttons = 2}), 0);
    ASSERT_TRUE(p.GetJoystickCaps(0, caps));
    EXPECT_EQ(caps.xMax, 255);
    EXPECT_EQ(caps.buttonCount, 4);
    JoystickPosition pos;
    ASSERT_TRUE(p.GetJoystickPosition(0, pos));
    EXPECT_EQ(pos.y, 0);
    EXPECT_EQ(pos.buttons, 2u);
    p.SetJoystickPosition(0, {.x = 255, .y = 255, .z = 0, .buttons = 0});
    ASSERT_TRUE(p.GetJoystickPosition(0, pos));
    EXPECT_EQ(pos.x, 255);
    EXPECT_FALSE(p.GetJoystickPosition(1, pos));
    EXPECT_FALSE(p.GetJoystickPosition(-1, pos));
    p.RemoveJoysticks();
    EXPECT_EQ(p.JoystickCount(), 0);
}

TEST(HeadlessDisplay, ModeListAndModeSetting) {
    HeadlessPlatform p;
    const std::vector<DisplayMode> profiles = {
        {1024, 768, 32}, {1280, 800, 32}, {1440, 900, 32}, {1680, 1050, 32}, {1920, 1200, 32}};
    EXPECT_EQ(p.GetDisplayModes(), profiles);
    int w = 0, h = 0;
    p.GetClientSize(w, h);
    EXPECT_EQ(w, 1024);
    EXPECT_EQ(h, 768);

    EXPECT_TRUE(p.SetDisplayMode({1440, 900, 32}));
    p.GetClientSize(w, h);
    EXPECT_EQ(w, 1440);
    EXPECT_EQ(h, 900);
    EXPECT_FALSE(p.SetDisplayMode({1440, 900, 16}));
    EXPECT_FALSE(p.SetDisplayMode({800, 600, 32}));
    EXPECT_EQ(p.CurrentMode(), (DisplayMode{1440, 900, 32}));  // a failed set changes nothing

    p.SetDisplayModes({{800, 600, 16}, {1280, 1024, 32}});
    EXPECT_FALSE(p.SetDisplayMode({1024, 768, 32}));
    EXPECT_TRUE(p.SetDisplayMode({800, 600, 16}));

    p.SetDesktopSize(1600, 1200);
    p.RestoreDisplayMode();
    EXPECT_FALSE(p.HasDisplayMode());
    p.GetClientSize(w, h);
    EXPECT_EQ(w, 1600);
    EXPECT_EQ(h, 1200);
}

TEST(HeadlessDisplay, SurfaceMemoryCanBeRefused) {
    HeadlessPlatform p;
    EXPECT_TRUE(p.CanMakeSurface(1024, 768, true));
    EXPECT_FALSE(p.CanMakeSurface(0, 768, false));
    EXPECT_FALSE(p.CanMakeSurface(1024, -1, true));
    p.SetSurfaceMemory(false, true);
    EXPECT_FALSE(p.CanMakeSurface(1024, 768, true));
    EXPECT_TRUE(p.CanMakeSurface(1024, 768, false));
    p.SetSurfaceMemory(false, false);
    EXPECT_FALSE(p.CanMakeSurface(1024, 768, false));
}

// A small surface in memory, each pixel a distinct colour.
struct Source {
    std::vector<uint32_t> pixels;
    PixelView view;
    Source(int w, int h) : pixels(static_cast<size_t>(w) * h) {
        for (size_t i = 0; i < pixels.size(); ++i) pixels[i] = 0x100000u + static_cast<uint32_t>(i);
        view = {pixels.data(), w, h, w};
    }
};

uint32_t At(const PresentedImage& image, int x, int y) { return image.pixels[static_cast<size_t>(y) * image.width + x]; }

TEST(HeadlessDisplay, PresentKeepsThePictureAtTheModeSize) {
    HeadlessPlatform p;
    ASSERT_TRUE(p.SetDisplayMode({1024, 768, 32}));
    EXPECT_EQ(p.PresentCount(), 0u);
    Source s(3, 2);
    ASSERT_TRUE(p.Present(s.view, {10, 20, 13, 22}, true));
    const PresentedImage& image = p.LastPresented();
    ASSERT_EQ(image.width, 1024);
    ASSERT_EQ(image.height, 768);
    EXPECT_EQ(At(image, 10, 20), s.pixels[0]);
    EXPECT_EQ(At(image, 12, 21), s.pixels[5]);
    EXPECT_EQ(At(image, 9, 20), 0u);
    EXPECT_EQ(At(image, 13, 21), 0u);
    EXPECT_EQ(At(image, 10, 22), 0u);
    EXPECT_EQ(p.PresentCount(), 1u);

    // Off the screen's corner only the visible part lands.
    ASSERT_TRUE(p.Present(s.view, {-2, -1, 1, 1}, false));
    EXPECT_EQ(At(p.LastPresented(), 0, 0), s.pixels[5]);
    EXPECT_EQ(p.PresentCount(), 2u);

    // A larger destination scales the source up by whole pixels.
    ASSERT_TRUE(p.Present(s.view, {100, 100, 106, 104}, false));
    EXPECT_EQ(At(p.LastPresented(), 101, 101), s.pixels[0]);
    EXPECT_EQ(At(p.LastPresented(), 105, 103), s.pixels[5]);
    EXPECT_EQ(At(p.LastPresented(), 102, 102), s.pixels[4]);

    // A new mode starts black.
    ASSERT_TRUE(p.SetDisplayMode({1280, 800, 32}));
    ASSERT_TRUE(p.Present(s.view, {0, 0, 3, 2}, false));
    EXPECT_EQ(p.LastPresented().width, 1280);
    EXPECT_EQ(At(p.LastPresented(), 10, 20), 0u);

    EXPECT_FALSE(p.Present(PixelView{}, {0, 0, 3, 2}, false));
    EXPECT_EQ(p.PresentCount(), 4u);
}

TEST(HeadlessDisplay, LostSurfacesBlockPresentingUntilRestored) {
    HeadlessPlatform p;
    ASSERT_TRUE(p.SetDisplayMode({1024, 768, 32}));
    Source s(2, 2);
    EXPECT_FALSE(p.SurfacesLost());
    p.LoseSurfaces();
    EXPECT_TRUE(p.SurfacesLost());
    EXPECT_FALSE(p.Present(s.view, {0, 0, 2, 2}, false));
    EXPECT_EQ(p.PresentCount(), 0u);
    EXPECT_TRUE(p.RestoreSurfaces());
    EXPECT_FALSE(p.SurfacesLost());
    EXPECT_TRUE(p.Present(s.view, {0, 0, 2, 2}, false));

    p.LoseSurfaces(false);
    EXPECT_FALSE(p.RestoreSurfaces());
    EXPECT_TRUE(p.SurfacesLost());
}

TEST(HeadlessRecords, ErrorBoxesAndTextInOrder) {
    HeadlessPlatform p;
    p.ShowErrorBox("SkyrendMain", "Datei gfx\\star1.dxg kann nicht geöffnet werden.");
    p.ShowErrorBox("SkyrendMain", "Form not found.");
    ASSERT_EQ(p.ErrorBoxes().size(), 2u);
    EXPECT_EQ(p.LastErrorTitle(), "SkyrendMain");
    EXPECT_EQ(p.TakeErrorBoxes(),
              (std::vector<std::string>{"Datei gfx\\star1.dxg kann nicht geöffnet werden.", "Form not found."}));
    EXPECT_TRUE(p.ErrorBoxes().empty());

    std::vector<uint32_t> pixels(200 * 40, 0);
    PixelView target{pixels.data(), 200, 40, 200};
    int w = 0, h = 0;
    p.DrawText(target, 0, 0, "FPS: 30", {.color = 0xFFFFFF, .pointSize = 12}, w, h);
    p.DrawText(target, 5, 20, "Enemies: 3", {.color = 0xFFFFFF, .pointSize = 12}, w, h);
    ASSERT_EQ(p.Texts().size(), 2u);
    std::vector<TextRecord> texts = p.TakeTexts();
    EXPECT_EQ(texts[0].x, 0);
    EXPECT_EQ(texts[0].text, "FPS: 30");
    EXPECT_EQ(texts[1].x, 5);
    EXPECT_EQ(texts[1].y, 20);
    EXPECT_EQ(texts[1].text, "Enemies: 3");
    EXPECT_TRUE(p.Texts().empty());
}

TEST(HeadlessWindow, RemembersTitleAndShowing) {
    HeadlessPlatform p;
    EXPECT_FALSE(p.WindowShown());
    p.CreateMainWindow("SkyrendMain");
    p.ShowMainWindow();
    EXPECT_EQ(p.WindowTitle(), "SkyrendMain");
    EXPECT_TRUE(p.WindowShown());
}

}  // namespace
}  // namespace skyrend::platform
