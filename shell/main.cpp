// shell/main.cpp — the program entry: the application object, the main
// window with all its components, the unused second form, the message loop.

#include <exception>

#include "platform/sdl/SdlPlatform.h"
#include "shell/Skyrendunit.h"

int main() {
    using namespace skyrend;
    platform::SdlPlatform sdl;
    platform::SetCurrent(&sdl);
    int status = 0;
    try {
        GameForms forms = CreateGameForms();
        Application().Run();
    } catch (const std::exception& error) {
        Application().ShowException(error);
        status = 1;
    }
    platform::SetCurrent(nullptr);
    return status;
}
