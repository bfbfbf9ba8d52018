// harness/HeadlessGame.cpp — starting and stopping a game on the headless
// back-end.

#include "harness/HeadlessGame.h"

#include <exception>
#include <stdexcept>

namespace skyrend {

platform::Platform* CurrentPlatformOrNull() {
    try {
        return &platform::Current();
    } catch (const std::logic_error&) {
        return nullptr;
    }
}

HeadlessGame::HeadlessGame(uint64_t clock) : previous_(CurrentPlatformOrNull()) {
    platform::SetCurrent(&hp_);
    hp_.SetClock(clock);
}

HeadlessGame::~HeadlessGame() {
    platform::SetCurrent(&hp_);
    forms_.readconfig.reset();
    forms_.main.reset();
    platform::SetCurrent(previous_ == &hp_ ? nullptr : previous_);
}

TSkyrendMain& HeadlessGame::Create() {
    forms_ = CreateGameForms();
    return m();
}

void HeadlessGame::ShowAndActivate() {
    try {
        forms_.main->Show();
    } catch (const std::exception& error) {
        Application().ShowException(error);
    }
    if (Application().Active()) {
        forms_.main->NewGameSequence();
        return;
    }
    hp_.Push({platform::MessageKind::Activate});
    Application().ProcessMessages();
}

void HeadlessGame::Stop() {
    hp_.Push({platform::MessageKind::Deactivate});
    Application().ProcessMessages();
    forms_.readconfig.reset();
    forms_.main.reset();
}

void HeadlessGame::Frames(int n) {
    for (int i = 0; i < n; ++i) {
        hp_.AdvanceClock(33);
        Application().Idle();
    }
}

}  // namespace skyrend
