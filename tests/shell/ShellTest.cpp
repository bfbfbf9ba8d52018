// Tests of the game shell on the headless back-end with the real assets:
// start-up and activation, the new-game set-up and its failures, the frame
// driver's status line, and the menu's mouse and key rules.

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <limits>
#include <string>
#include <vector>

#include "harness/HeadlessGame.h"

namespace skyrend {
namespace {

namespace fs = std::filesystem;
using platform::Message;
using platform::MessageKind;

class ShellTest : public ::testing::Test {
protected:
    HeadlessGame game;
    platform::HeadlessPlatform& hp = game.hp();
    GameForms& forms = game.forms();
    fs::path old, dir;

    void SetUp() override {
        old = fs::current_path();
        dir = fs::temp_directory_path() / ("shelltest-" + std::to_string(getpid()));
        fs::remove_all(dir);
        fs::create_directories(dir);
        fs::copy(fs::path(SKYREND_GAME_DIR) / "gfx", dir / "gfx");
        fs::copy(fs::path(SKYREND_GAME_DIR) / "sfx", dir / "sfx");
        fs::current_path(dir);
        Cfg(0, 30);
    }
    void TearDown() override {
        forms.readconfig.reset();
        forms.main.reset();
        Application().HandleMessage({MessageKind::Deactivate});
        Application().SetOnIdle(nullptr);
        fs::current_path(old);
        fs::remove_all(dir);
    }
    static void Cfg(int profile, int ships) {
        std::ofstream("aufloesung.cfg") << profile << "\r\n";
        std::ofstream("schiffe.cfg") << ships << "\r\n";
    }
    TSkyrendMain& Start() { return game.Start(); }
    void Frames(int n) { game.Frames(n); }
    void Click(int x, int y) {
        Message m{MessageKind::MouseDown};
        m.x = x;
        m.y = y;
        hp.Push(m);
        Application().ProcessMessages();
    }
    void Key(uint16_t key) {
        Message m{MessageKind::KeyDown};
        m.key = key;
        hp.Push(m);
        Application().ProcessMessages();
    }
};

TEST_F(ShellTest, StartUpRunsTheNewGameBeforeTheFirstTick) {
    Cfg(2, 30);
    game.Create();
    forms.main->Show();
    TSkyrendMain& m = *forms.main;
    // Shown: the display comes up at the stored 1024 x 768; no activation yet.
    EXPECT_TRUE(m.DXDraw->Initialized());
    EXPECT_EQ(m.DXDraw->Display.Width(), 1024);
    EXPECT_FALSE(Application().HasOnIdle());
    hp.Push({MessageKind::Activate});
    Application().ProcessMessages();
    EXPECT_EQ(m.DXDraw->Display.Width(), 1440);
    EXPECT_EQ(m.DXDraw->Display.Height(), 900);
    EXPECT_EQ(m.DXDraw->Surface()->Width(), 1440);
    EXPECT_EQ(m.state.world.CameraX, 10000.0);
    EXPECT_EQ(m.state.enemies.EnemyShipCount, 30);
    EXPECT_EQ(m.state.shell.MenuOverlayShown, 1);
    EXPECT_EQ(m.state.shell.MenuPage, 0);
    EXPECT_EQ(m.energy_rahmen->Items.Count(), 0);
    EXPECT_TRUE(hp.ErrorBoxes().empty());
    uint64_t presents = hp.PresentCount();
    Frames(3);
    EXPECT_EQ(hp.PresentCount(), presents + 3);
    EXPECT_EQ(m.state.energy.EnergyShown, 3);
}

TEST_F(ShellTest, EveryActivationStartsANewGame) {
    TSkyrendMain& m = Start();
    Key(27);
    hp.SetHeldKeys({38, 32, 39});
    Frames(40);
    hp.SetHeldKeys({});
    EXPECT_NE(m.state.world.CameraY, 10000.0);
    EXPECT_GT(m.state.playerShots.PlayerShotCount, 0);
    EXPECT_EQ(m.state.shell.MenuOverlayShown, 0);
    hp.Push({MessageKind::Deactivate});
    Application().ProcessMessages();
    uint64_t presents = hp.PresentCount();
    Frames(5);
    EXPECT_EQ(hp.PresentCount(), presents);  // no frames while inactive
    hp.Push({MessageKind::Activate});
    Application().ProcessMessages();
    EXPECT_EQ(m.state.world.CameraY, 10000.0);
    EXPECT_EQ(m.state.playerShots.PlayerShotCount, 0);
    EXPECT_EQ(m.state.ship.ShipSpeed, 1.0);
    EXPECT_EQ(m.state.energy.Energy, 100);
    EXPECT_EQ(m.state.shell.MenuOverlayShown, 1);
    EXPECT_EQ(m.state.shell.MenuPage, 0);
    Frames(1);
    EXPECT_EQ(hp.PresentCount(), presents + 1);
}

TEST_F(ShellTest, MissingPictureFileStopsTheSetUpThere) {
    fs::remove("gfx/enemy1.dxg");
    TSkyrendMain& m = Start();
    ASSERT_EQ(hp.ErrorBoxes().size(), 1u);
    EXPECT_EQ(hp.ErrorBoxes()[0], "Datei gfx\\enemy1.dxg kann nicht geöffnet werden.");
    EXPECT_EQ(hp.LastErrorTitle(), Application().Title);
    EXPECT_GT(m.Stars1->Items.Count(), 0);
    EXPECT_GT(m.Bonus->Items.Count(), 0);
    EXPECT_EQ(m.Enemy->Items.Count(), 0);
    EXPECT_EQ(m.Explosion->Items.Count(), 0);
    EXPECT_EQ(m.Menuegfx->Items.Count(), 0);
    for (TDXWaveList* list : m.WaveLists) EXPECT_EQ(list->Items.Count(), 0);
    EXPECT_EQ(m.state.config.EnemyCount, 0);
    EXPECT_EQ(m.state.config.ScreenWidth, 0);
    // The program goes on: the loop still runs and nothing more is shown.
    Frames(3);
    EXPECT_EQ(hp.ErrorBoxes().size(), 1u);
}

// A file that changes between two activations: the next activation shows the
// error in a box and leaves what that set-up reached. The set-up stops inside
// the activation, before the timer attaches itself, so messages are still
// handled but no frame runs until an activation with the file back.
struct FileChange {
    const char* name;
    void (*change)();
    const char* text;
    bool pastTheCollections;  // the set-up failed after resetting the start values
    bool needsPermissions = false;
};

const FileChange FileChanges[] = {
    {"PictureFileReplacedByGarbage",
     [] { std::ofstream("gfx/startmenue.dxg", std::ios::binary | std::ios::trunc) << "garbage"; },
     "Ungültiges Stream-Format.", false},
    {"PictureFileTruncated", [] { fs::resize_file("gfx/startmenue.dxg", fs::file_size("gfx/startmenue.dxg") / 2); },
     "Stream-Lesefehler.", false},
    {"PictureFileDeleted", [] { fs::remove("gfx/startmenue.dxg"); },
     "Datei gfx\\startmenue.dxg kann nicht geöffnet werden.", false},
    {"ConfigurationFileBecameADirectory",
     [] {
         fs::remove("aufloesung.cfg");
         fs::create_directory("aufloesung.cfg");
     },
     "Zugriff verweigert.", true},
    {"ConfigurationFileLostItsReadPermission", [] { fs::permissions("schiffe.cfg", fs::perms::none); },
     "Zugriff verweigert.", true, true},
};

void PrintTo(const FileChange& c, std::ostream* out) { *out << c.name; }

class FileChangeTest : public ShellTest, public ::testing::WithParamInterface<FileChange> {
protected:
    void Reactivate() {
        hp.Push({MessageKind::Deactivate});
        hp.Push({MessageKind::Activate});
        Application().ProcessMessages();
    }
    void PutTheFilesBack() {
        fs::remove_all("gfx/startmenue.dxg");
        fs::copy_file(fs::path(SKYREND_GAME_DIR) / "gfx" / "startmenue.dxg", "gfx/startmenue.dxg");
        fs::remove_all("aufloesung.cfg");
        fs::remove_all("schiffe.cfg");
        Cfg(0, 30);
    }
};

TEST_P(FileChangeTest, NextActivationShowsTheErrorAndKeepsWhatTheSetUpReached) {
    const FileChange& c = GetParam();
    if (c.needsPermissions && geteuid() == 0)
        GTEST_SKIP() << "running as root, which reads a file without read permission all the same";
    TSkyrendMain& m = Start();
    Key(27);  // the menu hidden: a set-up that resets the start values shows it again
    Frames(5);
    const int32_t ships = m.state.enemies.EnemyShipCount;
    hp.Push({MessageKind::Deactivate});
    Application().ProcessMessages();
    c.change();
    hp.Push({MessageKind::Activate});
    Application().ProcessMessages();
    EXPECT_EQ(hp.ErrorBoxes(), std::vector<std::string>{c.text});
    EXPECT_EQ(m.state.enemies.EnemyShipCount, c.pastTheCollections ? 0 : ships);
    EXPECT_EQ(m.state.shell.MenuOverlayShown, c.pastTheCollections ? 1 : 0);
    const uint64_t presents = hp.PresentCount();
    Frames(3);
    EXPECT_EQ(hp.PresentCount(), presents);
    const int16_t shown = m.state.shell.MenuOverlayShown;
    Key(27);
    EXPECT_NE(m.state.shell.MenuOverlayShown, shown);

    PutTheFilesBack();
    Reactivate();
    EXPECT_EQ(hp.ErrorBoxes().size(), 1u);
    EXPECT_EQ(m.state.enemies.EnemyShipCount, 30);
    Frames(3);
    EXPECT_EQ(hp.PresentCount(), presents + 3);
}

INSTANTIATE_TEST_SUITE_P(Shell, FileChangeTest, ::testing::ValuesIn(FileChanges),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(ShellTest, StatusLineShowsRateAndExplosions) {
    TSkyrendMain& m = Start();
    Frames(31);
    hp.TakeTexts();
    m.state.explosions.ExplosionCount = 0;
    Frames(1);
    bool found = false;
    for (const auto& t : hp.TakeTexts())
        if (t.x == 0 && t.y == 0) {
            EXPECT_EQ(t.text, "FPS: 30, Explosions0");
            found = true;
        }
    EXPECT_TRUE(found);
}

TEST_F(ShellTest, EscapeTogglesTheMenuAndKeepsThePage) {
    TSkyrendMain& m = Start();
    const int left = m.state.config.MenuLeft, top = m.state.config.MenuTop;
    Click(left + 100, top + 450);  // band 5: options
    EXPECT_EQ(m.state.shell.MenuPage, 5);
    EXPECT_EQ(m.state.shell.OptionsChoice, 1);
    Key(27);
    EXPECT_EQ(m.state.shell.MenuOverlayShown, 0);
    Key(65);
    EXPECT_EQ(m.state.shell.MenuOverlayShown, 0);
    Key(27);
    EXPECT_EQ(m.state.shell.MenuOverlayShown, 1);
    EXPECT_EQ(m.state.shell.MenuPage, 5);
    EXPECT_EQ(m.state.shell.OptionsChoice, 1);
}

TEST_F(ShellTest, ButtonBandsExcludeTheirEdges) {
    TSkyrendMain& m = Start();
    const int left = m.state.config.MenuLeft, top = m.state.config.MenuTop;
    for (int y : {20, 75, 120, 175, 220, 275, 320, 375, 420, 475, 520, 575, 100})
        Click(left + 150, top + y);
    for (int x : {54, 260}) Click(left + x, top + 250);
    EXPECT_EQ(m.state.shell.MenuPage, 0);
    Click(left + 55, top + 121);
    EXPECT_EQ(m.state.shell.MenuPage, 2);
    Click(left + 259, top + 374);
    EXPECT_EQ(m.state.shell.MenuPage, 4);
    Click(left + 150, top + 574);
    EXPECT_EQ(m.state.shell.MenuPage, 6);
    EXPECT_EQ(m.state.shell.OptionsChoice, 0);
}

TEST_F(ShellTest, OptionRowsSwitchTheProfile) {
    TSkyrendMain& m = Start();
    Click(112 + 100, 84 + 450);
    ASSERT_EQ(m.state.shell.MenuPage, 5);
    EXPECT_EQ(m.state.shell.OptionsChoice, 1);
    // Row edges do nothing; rows 1..5 are 19 pixels tall.
    for (int y : {190, 210, 250, 270, 485, 530}) Click(112 + 500, 84 + y);
    Click(112 + 385, 84 + 320);
    EXPECT_EQ(m.state.config.ResolutionIndex, 0);
    Click(112 + 500, 84 + 311);  // row 3: 1440 x 900
    EXPECT_EQ(m.state.shell.OptionsChoice, 3);
    EXPECT_EQ(m.state.config.ResolutionIndex, 2);
    EXPECT_EQ(m.DXDraw->Display.Width(), 1440);
    EXPECT_EQ(m.DXDraw->Surface()->Width(), 1440);
    EXPECT_EQ(m.state.config.MenuLeft, 320);
    EXPECT_EQ(m.state.config.MenuTop, 150);
    EXPECT_TRUE(m.DXTimer1->Enabled());
    // The pictures survive the re-initialisation.
    EXPECT_EQ(m.Menuegfx->Items.Count(), 19);
    EXPECT_GT(m.Menuegfx->Items.GetItem(0).PatternCount(), 0);
    // Row 6 keeps the size in force and is highlighted from then on.
    Click(320 + 500, 150 + 486);
    EXPECT_EQ(m.state.shell.OptionsChoice, 6);
    EXPECT_EQ(m.state.config.ResolutionIndex, 5);
    EXPECT_EQ(m.DXDraw->Display.Width(), 1440);
    Click(320 + 100, 150 + 250);  // page 3
    Click(320 + 100, 150 + 450);  // options again
    EXPECT_EQ(m.state.shell.OptionsChoice, 6);
    Frames(2);
    EXPECT_TRUE(hp.ErrorBoxes().empty());
}

// The file may hold the largest 32-bit number: the options page then wraps
// to the smallest, matches no row and is drawn without a highlight.
TEST_F(ShellTest, OptionsPageAfterTheLargestProfileNumber) {
    TSkyrendMain& m = Start();
    m.state.config.ResolutionIndex = std::numeric_limits<int32_t>::max();
    Click(112 + 100, 84 + 450);
    EXPECT_EQ(m.state.shell.OptionsChoice, std::numeric_limits<int32_t>::min());
    Frames(1);
    EXPECT_TRUE(hp.ErrorBoxes().empty());
}

TEST_F(ShellTest, StartButtonWorksWhileTheMenuIsHidden) {
    TSkyrendMain& m = Start();
    Key(27);
    hp.SetHeldKeys({38});
    Frames(20);
    hp.SetHeldKeys({});
    ASSERT_NE(m.state.world.CameraY, 10000.0);
    Click(112 + 100, 84 + 50);
    EXPECT_EQ(m.state.world.CameraY, 10000.0);
    EXPECT_EQ(m.state.shell.MenuOverlayShown, 0);
    EXPECT_EQ(m.state.shell.MenuPage, 1);
    EXPECT_TRUE(m.DXTimer1->Enabled());
    uint64_t presents = hp.PresentCount();
    Frames(1);
    EXPECT_EQ(hp.PresentCount(), presents + 1);
}

TEST_F(ShellTest, HoverHighlightIsDrawnOnlyInTheColumn) {
    Start();
    auto menuPixel = [&](int x, int y) {
        Frames(1);
        const auto& img = hp.LastPresented();
        return img.pixels[static_cast<size_t>(y) * img.width + x];
    };
    // The highlight item differs from the plain button somewhere inside it.
    const int bx = 112 + 150, by = 84 + 47;
    hp.SetCursor(0, 0);
    uint32_t plain = menuPixel(bx, by);
    hp.SetCursor(112 + 150, 84 + 50);
    uint32_t lit = menuPixel(bx, by);
    hp.SetCursor(112 + 270, 84 + 50);
    uint32_t outside = menuPixel(bx, by);
    EXPECT_NE(plain, lit);
    EXPECT_EQ(plain, outside);
}

}  // namespace
}  // namespace skyrend
