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

platform::Platform* CurrentOrNull() {
    try {
        return &platform::Current();
    } catch (const std::logic_error&) {
        return nullptr;
    }
}

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

}  // namespace

GameHarness& GameHarness::Get() {
    static GameHarness harness;
    return harness;
}

GameHarness::GameHarness() {
    std::string pattern = (std::filesystem::temp_directory_path() / "skyrend-bench-XXXXXX").string();
    if (!mkdtemp(pattern.data())) throw std::runtime_error("cannot make a temporary game folder");
    folder_ = pattern;
    const std::filesystem::path game = SKYREND_GAME_DIR;
    std::filesystem::create_directory_symlink(game / "gfx", folder_ / "gfx");
    std::filesystem::create_directory_symlink(game / "sfx", folder_ / "sfx");
    Configure(0, -1);

    platform::Platform* previous = CurrentOrNull();
    platform::SetCurrent(&hp_);
    hp_.EnableAudio(false);
    hp_.SetClock(StartClock);
    InFolder(folder_, [&] {
        forms_ = CreateGameForms();
        forms_.main->Show();
        // The activation runs the first new game. Another running game (the
        // combat benchmarks keep one) may have activated the application
        // already; then this game starts its own.
        if (!Application().Active()) {
            hp_.Push({platform::MessageKind::Activate});
            Application().ProcessMessages();
        } else {
            forms_.main->NewGameSequence();
        }
    });
    platform::SetCurrent(previous);
}

GameHarness::~GameHarness() {
    platform::Platform* previous = CurrentOrNull();
    platform::SetCurrent(&hp_);
    forms_.readconfig.reset();
    forms_.main.reset();
    platform::SetCurrent(previous == &hp_ ? nullptr : previous);
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
    hp_.SetClock(StartClock);
    InFolder(folder_, [&] { forms_.main->NewGameSequence(); });
    hp_.TakeTexts();
    hp_.TakeErrorBoxes();
}

void GameHarness::NewGameWithoutDisplaySwitch() {
    hp_.SetClock(StartClock);
    InFolder(folder_, [&] {
        TSkyrendMain& m = *forms_.main;
        m.LoadCollections();
        m.ResetStartValues();
        ReadConfigFiles(m.state);
        m.MakeWorld();
    });
    hp_.TakeTexts();
    hp_.TakeErrorBoxes();
}

void GameHarness::AdvanceClock() {
    hp_.AdvanceClock(33);
    // The record of written texts grows by two lines a frame; keep it short.
    if (hp_.Texts().size() >= 4096) hp_.TakeTexts();
}

void GameHarness::Idle() { Application().Idle(); }

HarnessScope::HarnessScope(int32_t profile, int32_t ships, bool menuShown, int warmFrames)
    : game(GameHarness::Get()), previous_(CurrentOrNull()) {
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
