// shell/main.cpp — the program entry: the application object, the main
// window with all its components, the unused second form, the message loop.
// The only command-line options record or play back a session.

#include <exception>
#include <memory>

#include "platform/sdl/SdlPlatform.h"
#include "shell/Skyrendunit.h"
#include "shell/replay/ReplaySession.h"

int main(int argc, char** argv) {
    using namespace skyrend;
    platform::SdlPlatform sdl;
    std::unique_ptr<ReplaySession> replay;
    if (int status = ReplaySession::Open(argc, argv, sdl, replay); status >= 0) return status;
    platform::SetCurrent(replay ? &replay->Platform() : &sdl);
    int status = 0;
    try {
        GameForms forms = CreateGameForms();
        if (replay) replay->Attach(*forms.main);
        Application().Run();
        if (replay) status = replay->Finish();
    } catch (const std::exception& error) {
        Application().ShowException(error);
        status = 1;
    }
    platform::SetCurrent(nullptr);
    return status;
}
