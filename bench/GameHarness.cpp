// bench/GameHarness.cpp — the benchmarks' running game.

#include "bench/GameHarness.h"

#include <cstdlib>
#include <fstream>
#include <stdexcept>
#include <string>

#include "shell/ConfigFiles.h"

namespace skyrend::bench {

namespace {

// The clock every new game starts at: the seed of its stars and fleet.
constexpr uint64_t StartClock = 43200000;  // noon

void WriteLine(const std::filesystem::path& file, int32_t value) {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out << value << "\r\n";
}

// Runs `f` with the working directory in `folder`, and puts it back.
template <class F>
void InFolder(const std::filesystem::path& folder, F&& f) {
    const std::filesystem::path before = std::filesystem::current_path();
    std::filesystem::current_path(folder);
    try {
        f();
    } catch (...) {
        std::filesystem::current_path(before);
        throw;
    }
    std::filesystem::current_path(before);
}

std::filesystem::path MakeGameFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "skyrend-bench-XXXXXX").string();
    if (!mkdtemp(pattern.data())) throw std::runtime_error("cannot make a temporary game folder");
    const std::filesystem::path folder = pattern;
    const std::filesystem::path game = SKYREND_GAME_DIR;
    std::filesystem::create_directory_symlink(game / "gfx", folder / "gfx");
    std::filesystem::create_directory_symlink(game / "sfx", folder / "sfx");
    return folder;
}

}  // namespace

// The game's platform is current only inside a scope: the one before comes
// back once the first new game has run.
GameHarness::GameHarness() : folder_(MakeGameFolder()), game_(StartClock) {
    Configure(0, -1);
    game_.hp().EnableAudio(false);
    InFolder(folder_, [&] { game_.Start(); });
    platform::SetCurrent(game_.Previous());
}

// One game for the whole program: every scope starts a new game in it.
GameHarness& GameHarness::Get() {
    static GameHarness harness;
    return harness;
}

GameHarness::~GameHarness() {
    std::error_code ignored;
    std::filesystem::remove_all(folder_, ignored);
}

void GameHarness::Configure(int32_t profile, int32_t ships) {
    WriteLine(folder_ / "aufloesung.cfg", profile);
    if (ships >= 0) {
        WriteLine(folder_ / "schiffe.cfg", ships);
    } else {
        std::filesystem::copy_file(std::filesystem::path(SKYREND_GAME_DIR) / "schiffe.cfg", folder_ / "schiffe.cfg",
                                   std::filesystem::copy_options::overwrite_existing);
    }
}

void GameHarness::NewGame() {
    hp().SetClock(StartClock);
    InFolder(folder_, [&] { m().NewGameSequence(); });
    hp().TakeTexts();
    hp().TakeErrorBoxes();
}

void GameHarness::NewGameWithoutDisplaySwitch() {
    hp().SetClock(StartClock);
    InFolder(folder_, [&] {
        TSkyrendMain& m = game_.m();
        m.LoadCollections();
        m.ResetStartValues();
        ReadConfigFiles(m.state);
        m.MakeWorld();
    });
    hp().TakeTexts();
    hp().TakeErrorBoxes();
}

void GameHarness::AdvanceClock() {
    hp().AdvanceClock(33);
    // The record of written texts grows by two lines a frame; keep it short.
    if (hp().Texts().size() >= 4096) hp().TakeTexts();
}

void GameHarness::Idle() { Application().Idle(); }

HarnessScope::HarnessScope(int32_t profile, int32_t ships, bool menuShown, int warmFrames)
    : game(GameHarness::Get()), previous_(CurrentPlatformOrNull()) {
    platform::SetCurrent(&game.hp());
    game.Configure(profile, ships);
    game.NewGame();
    if (!menuShown) game.g().shell.MenuOverlayShown = 0;
    for (int k = 0; k < warmFrames; ++k) game.Tick();
    if (!game.hp().ErrorBoxes().empty())
        throw std::runtime_error("the game showed an error: " + game.hp().ErrorBoxes().front());
}

HarnessScope::~HarnessScope() { platform::SetCurrent(previous_); }

}  // namespace skyrend::bench
