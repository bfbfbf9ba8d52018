// Tests of the display control: option rules, mode selection, the order of
// events and broadcasts, presenting, and the failure texts.

#include <gtest/gtest.h>

#include "media/DXDraws.h"
#include "media/Errors.h"
#include "tests/media/FakePlatform.h"

namespace skyrend {
namespace {

class DisplayTest : public ::testing::Test {
protected:
    test::FakePlatform fake;
    TForm form{nullptr};
    std::vector<std::string> log;

    std::unique_ptr<TDXDraw> MakeDraw() {
        auto d = std::make_unique<TDXDraw>(&form);
        d->SetOptions(0x3E8D);
        d->Display.SetWidth(1024);
        d->Display.SetHeight(768);
        d->Display.SetBitCount(32);
        d->Display.FixedBitCount = true;
        d->Display.FixedRatio = true;
        d->Display.FixedSize = false;
        auto note = [this](const char* what) { return [this, what](TComponent*) { log.push_back(what); }; };
        d->OnInitializing = note("OnInitializing");
        d->OnInitialize = note("OnInitialize");
        d->OnInitializeSurface = note("OnInitializeSurface");
        d->OnFinalize = note("OnFinalize");
        d->OnFinalizeSurface = note("OnFinalizeSurface");
        d->OnRestoreSurface = note("OnRestoreSurface");
        return d;
    }
    std::string Error(TDXDraw& d) {
        try {
            d.Initialize();
        } catch (const Exception& e) {
            return e.what();
        }
        return "";
    }
};

TEST_F(DisplayTest, OptionRules) {
    auto d = MakeDraw();
    EXPECT_EQ(d->NowOptions(), 0x268D);
    d->SetOptions(doDefaultOptions);  // not full screen
    EXPECT_EQ(d->NowOptions(), doDefaultOptions & ~doFullScreenOptions & ~doHardware);
    d->SetOptions(doFullScreen | doSystemMemory | doFlip);
    EXPECT_EQ(d->NowOptions(), doFullScreen | doSystemMemory);
    d->SetOptions(0x3E8D);
    d->Initialize();
    // While initialised only doWaitVBlank, doStretch and doCenter change.
    d->SetOptions(doFullScreen | doStretch | do3D);
    EXPECT_EQ(d->NowOptions(), (0x268D & doFixedWhileInitialized) | doStretch);
    d->Finalize();
    EXPECT_EQ(d->NowOptions(), doFullScreen | doStretch | do3D);
}

TEST_F(DisplayTest, ModeSearchPrefersTheRatioThenTheSmallestLargerMode) {
    auto d = MakeDraw();
    // 1280 x 800 asked for among the modes offered, and the mode it gets.
    const struct {
        std::vector<platform::DisplayMode> modes;
        int32_t width, height;
    } cases[] = {
        {{{1440, 900, 32}, {1280, 1024, 32}, {800, 600, 32}}, 1440, 900},
        {{{1280, 1024, 32}, {1600, 1200, 32}, {1440, 900, 16}}, 1280, 1024},
    };
    for (const auto& c : cases) {
        fake.modes = c.modes;
        d->Display.SetWidth(1280);
        d->Display.SetHeight(800);
        d->Initialize();
        EXPECT_EQ(d->Display.Width(), c.width);
        EXPECT_EQ(d->Display.Height(), c.height);
        EXPECT_EQ(d->SurfaceWidth(), c.width);
        EXPECT_EQ(d->SurfaceHeight(), c.height);
    }
}

TEST_F(DisplayTest, ModeSearchBitCountRules) {
    TDXDrawDisplay display;
    display.SetWidth(640);
    display.SetHeight(480);
    display.SetBitCount(16);
    display.FixedSize = true;
    fake.modes = {{640, 480, 8}, {640, 480, 24}, {640, 480, 32}};
    TDXDrawDisplayMode m;
    ASSERT_TRUE(display.FindMode(false, m));
    EXPECT_EQ(m.BitCount, 32);  // the last acceptable one at the smallest size
    fake.modes.push_back({640, 480, 16});
    display.ClearModes();
    ASSERT_TRUE(display.FindMode(false, m));
    EXPECT_EQ(m.BitCount, 16);  // the exact bit count wins
    display.FixedBitCount = true;
    display.SetBitCount(8);
    display.ClearModes();
    ASSERT_TRUE(display.FindMode(false, m));
    EXPECT_EQ(m.BitCount, 8);
    EXPECT_THROW(display.SetBitCount(15), EDirectDrawError);
    EXPECT_EQ(display.BitCount(), 8);
}

// A mode the display could not be asked for again is never chosen: the
// search goes on to the next size, and a start that succeeds can be repeated
// with the mode it stored.
TEST_F(DisplayTest, ModesOfUnusableBitCountsAreNoCandidates) {
    auto d = MakeDraw();
    d->Display.FixedBitCount = false;
    d->Display.SetBitCount(16);
    fake.modes = {{1024, 768, 15}, {1280, 1024, 16}};
    d->Initialize();
    EXPECT_EQ(fake.current, (platform::DisplayMode{1280, 1024, 16}));
    EXPECT_EQ(d->Display.Width(), 1280);
    EXPECT_EQ(d->Display.Height(), 1024);
    EXPECT_EQ(d->Display.BitCount(), 16);
    d->Initialize();
    EXPECT_TRUE(d->Initialized());
    fake.modes = {{1024, 768, 15}};
    d->Display.SetWidth(1024);
    d->Display.SetHeight(768);
    EXPECT_EQ(Error(*d), "Display mode cannot be changed (1024x768 16bit)");
}

TEST_F(DisplayTest, InitializeTwiceFinalizesFirstAndBroadcastsNewestFirst) {
    auto d = MakeDraw();
    d->RegisterNotification([this](TCustomDXDraw*, TDXDrawNotifyType c) { log.push_back("A" + std::to_string(c)); });
    d->RegisterNotification([this](TCustomDXDraw*, TDXDrawNotifyType c) { log.push_back("B" + std::to_string(c)); });
    EXPECT_EQ(log, (std::vector<std::string>{"A7", "B7"}));
    log.clear();
    d->Initialize();
    EXPECT_EQ(log, (std::vector<std::string>{"OnInitializing", "B1", "A1", "B7", "A7", "B2", "A2", "OnInitialize",
                                             "B3", "A3", "OnInitializeSurface", "B6", "A6", "OnRestoreSurface"}));
    log.clear();
    d->Initialize();
    ASSERT_GE(log.size(), 4u);
    EXPECT_EQ(std::vector<std::string>(log.begin(), log.begin() + 6),
              (std::vector<std::string>{"OnFinalizeSurface", "B5", "A5", "OnFinalize", "B4", "A4"}));
    log.clear();
    // A listener registered while initialised hears 7, 2, 3 and 6 at once.
    d->RegisterNotification([this](TCustomDXDraw*, TDXDrawNotifyType c) { log.push_back("C" + std::to_string(c)); });
    EXPECT_EQ(log, (std::vector<std::string>{"C7", "C2", "C3", "C6"}));
}

TEST_F(DisplayTest, UnregisterAndFinalizeWhenNotInitialized) {
    auto d = MakeDraw();
    int id = d->RegisterNotification([this](TCustomDXDraw*, TDXDrawNotifyType c) { log.push_back(std::to_string(c)); });
    d->Initialize();
    log.clear();
    d->UnRegisterNotification(id);
    EXPECT_EQ(log, (std::vector<std::string>{"5", "4"}));
    d->Finalize();
    log.clear();
    d->Finalize();  // safe and silent
    d->Flip();      // does nothing
    EXPECT_TRUE(log.empty());
    EXPECT_TRUE(fake.presents.empty());
}

TEST_F(DisplayTest, FailureTexts) {
    auto d = MakeDraw();
    d->Display.SetWidth(0);
    d->Display.SetHeight(0);
    EXPECT_EQ(Error(*d), "Display mode cannot be changed (0x0 32bit)");
    EXPECT_FALSE(d->Initialized());
    d->Display.SetWidth(-5);
    EXPECT_EQ(d->Display.Width(), 0);
    d->Display.SetWidth(333);
    d->Display.SetHeight(222);
    d->Display.FixedSize = true;
    EXPECT_EQ(Error(*d), "Display mode cannot be changed (333x222 32bit)");
    d->Display.SetWidth(1024);
    d->Display.SetHeight(768);
    fake.failVideo = true;
    EXPECT_EQ(Error(*d), "");
    EXPECT_TRUE(d->NowOptions() & doSystemMemory);
    fake.failSystem = true;
    EXPECT_EQ(Error(*d), "Surface cannot be made");
    fake.failPrimary = true;
    EXPECT_EQ(Error(*d), "Primary Surface cannot be made");
    EXPECT_FALSE(d->Initialized());
    TDXDraw orphan(nullptr);
    EXPECT_EQ(Error(orphan), "Form not found");
}

// The display's first start fails when the main form is shown: the error
// box shows it and the message loop still delivers what follows.
TEST_F(DisplayTest, AFailedFirstStartIsShownAndTheLoopGoesOn) {
    auto d = MakeDraw();
    d->HookForm();
    fake.failPrimary = true;
    std::vector<uint16_t> keys;
    form.OnKeyDown = [&](TComponent*, uint16_t& key, TShiftState) { keys.push_back(key); };
    fake.queue = {{.kind = platform::MessageKind::KeyDown, .key = 27}, {.kind = platform::MessageKind::Close}};
    Application().SetMainForm(&form);
    Application().Run();
    Application().SetMainForm(nullptr);
    EXPECT_EQ(fake.errors, std::vector<std::string>{"Primary Surface cannot be made."});
    EXPECT_EQ(keys, std::vector<uint16_t>{27});
    EXPECT_FALSE(d->Initialized());
}

TEST_F(DisplayTest, TheDisplayModeIsGivenBackWhenNoLongerWanted) {
    auto d = MakeDraw();
    fake.failPrimary = true;
    EXPECT_EQ(Error(*d), "Primary Surface cannot be made");
    EXPECT_EQ(fake.setModeCalls, 1);
    EXPECT_EQ(fake.restoreModeCalls, 1);  // the mode was set before the primary surface failed
    fake.failPrimary = false;
    d->Initialize();
    // Initialised again in the mode in force: it stays, not given back and
    // set again; another mode is set over it.
    d->Initialize();
    EXPECT_EQ(fake.setModeCalls, 2);
    EXPECT_EQ(fake.restoreModeCalls, 1);
    d->Display.SetWidth(1280);
    d->Display.SetHeight(800);
    d->Initialize();
    EXPECT_EQ(fake.setModeCalls, 3);
    EXPECT_EQ(fake.current, (platform::DisplayMode{1280, 800, 32}));
    d->Finalize();
    EXPECT_EQ(fake.restoreModeCalls, 2);
}

TEST_F(DisplayTest, FlipCentresTheSurfaceAndHonoursTheSkipFlag) {
    auto d = MakeDraw();
    d->AutoSize = false;
    d->SetSurfaceWidth(1000);
    d->SetSurfaceHeight(700);
    d->Initialize();
    d->Flip();
    ASSERT_EQ(fake.presents.size(), 1u);
    EXPECT_EQ(fake.presents[0], (platform::Rect{12, 34, 1012, 734}));
    d->FrameSkipFlag = true;
    d->Flip();
    EXPECT_EQ(fake.presents.size(), 1u);
    EXPECT_FALSE(d->FrameSkipFlag);
    d->SetOptions(d->Options() | doStretch);
    d->Flip();
    EXPECT_EQ(fake.presents.back(), (platform::Rect{0, 0, 1024, 768}));
}

TEST_F(DisplayTest, LostSurfacesAreRestoredBeforePresenting) {
    auto d = MakeDraw();
    d->Initialize();
    d->Surface()->Fill(0x123456);
    log.clear();
    fake.lost = true;
    d->Flip();
    EXPECT_EQ(log, (std::vector<std::string>{"OnRestoreSurface"}));
    EXPECT_EQ(d->Surface()->Pixels()[0], 0u);
    EXPECT_EQ(fake.presents.size(), 1u);
    fake.lost = true;
    fake.restoreWorks = false;
    d->Flip();
    EXPECT_EQ(fake.presents.size(), 1u);
}

TEST_F(DisplayTest, RestoreRunsItsListenersAndEventUnderUpdating) {
    auto d = MakeDraw();
    std::vector<bool> updating;
    d->RegisterNotification([&](TCustomDXDraw* s, TDXDrawNotifyType c) {
        if (c == dxntRestore) updating.push_back(s->Updating());
    });
    d->OnRestoreSurface = [&](TComponent*) {
        updating.push_back(d->Updating());
        d->Flip();  // nothing is presented while a restore runs
    };
    d->Initialize();
    EXPECT_EQ(updating, (std::vector<bool>{true, true}));
    EXPECT_TRUE(fake.presents.empty());
    EXPECT_FALSE(d->Updating());
    d->OnRestoreSurface = [](TComponent*) { throw EDXDrawError("x"); };
    EXPECT_THROW(d->Restore(), EDXDrawError);
    EXPECT_FALSE(d->Updating());
}

TEST_F(DisplayTest, FlipRestoresLostSurfacesEvenWhenTheFrameIsSkipped) {
    auto d = MakeDraw();
    d->Initialize();
    log.clear();
    fake.lost = true;
    d->FrameSkipFlag = true;
    d->Flip();
    EXPECT_EQ(log, (std::vector<std::string>{"OnRestoreSurface"}));
    EXPECT_FALSE(fake.lost);
    EXPECT_TRUE(fake.presents.empty());
    EXPECT_FALSE(d->FrameSkipFlag);
}

TEST_F(DisplayTest, CanvasTakesTheSurfaceOnlyWhenDrawing) {
    auto d = MakeDraw();
    d->Initialize();
    auto& canvas = d->Surface()->Canvas();
    canvas.Release();
    EXPECT_TRUE(d->Surface()->Fill(0));
    canvas.TextOut(0, 0, "x");
    EXPECT_FALSE(d->Surface()->Fill(0));
    canvas.Release();
    EXPECT_TRUE(d->Surface()->Fill(0));
}

}  // namespace
}  // namespace skyrend
