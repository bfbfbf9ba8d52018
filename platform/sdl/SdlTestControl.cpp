// platform/sdl/SdlTestControl.cpp — carrying out a test's device commands.

#include "platform/sdl/SdlTestControl.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace skyrend::platform {

namespace {

constexpr int StickAxes = 3;
constexpr int StickButtons = 32;

// The device index of the virtual stick, or -1.
int VirtualStickIndex() {
    for (int i = 0; i < SDL_NumJoysticks(); ++i)
        if (SDL_JoystickIsVirtual(i)) return i;
    return -1;
}

// The virtual stick, opened for the moment of one command.
struct OpenStick {
    SDL_Joystick* stick = nullptr;
    OpenStick() {
        const int index = VirtualStickIndex();
        if (index >= 0) stick = SDL_JoystickOpen(index);
    }
    ~OpenStick() {
        if (stick) SDL_JoystickClose(stick);
    }
};

}  // namespace

std::unique_ptr<SdlTestControl> SdlTestControl::FromEnvironment() {
    const char* path = std::getenv("SKYREND_TEST_CONTROL");
    if (!path || !*path) return nullptr;
    return std::make_unique<SdlTestControl>(path);
}

SdlTestControl::~SdlTestControl() {
    if (const int index = VirtualStickIndex(); index >= 0) SDL_JoystickDetachVirtual(index);
}

void SdlTestControl::Run() {
    // Looked at on every poll for messages: a size check keeps it cheap.
    std::error_code error;
    const uintmax_t size = std::filesystem::file_size(path_, error);
    if (error || size <= done_) return;
    std::ifstream file(path_, std::ios::binary);
    if (!file) return;
    file.seekg(static_cast<std::streamoff>(done_));
    std::string chunk((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    done_ += chunk.size();
    partial_ += chunk;
    size_t end;
    while ((end = partial_.find('\n')) != std::string::npos) {
        const std::string line = partial_.substr(0, end);
        partial_.erase(0, end + 1);
        if (!line.empty()) Execute(line);
    }
}

// Says on standard error what became of each line, so that a test can wait
// for a command to have been carried out.
void SdlTestControl::Execute(const std::string& line) {
    const std::string why = Carry(line);
    std::fprintf(stderr, "Skyrend test control: %s: %s\n", line.c_str(), why.empty() ? "done" : why.c_str());
}

std::string SdlTestControl::Carry(const std::string& line) {
    std::istringstream words(line);
    std::string command;
    words >> command;
    if (command == "joystick") {
        std::string what;
        words >> what;
        return Joystick(what);
    }
    if (command == "axis" || command == "button") {
        int a = 0, b = 0;
        if (!(words >> a >> b)) return "two numbers wanted";
        OpenStick open;
        if (!open.stick) return "no virtual joystick attached";
        const bool ok = command == "axis"
                            ? SDL_JoystickSetVirtualAxis(open.stick, 0, static_cast<Sint16>(a)) == 0 &&
                                  SDL_JoystickSetVirtualAxis(open.stick, 1, static_cast<Sint16>(b)) == 0
                            : SDL_JoystickSetVirtualButton(open.stick, a, b ? 1 : 0) == 0;
        return ok ? "" : SDL_GetError();
    }
    if (command == "render-reset" || command == "device-reset") {
        SDL_Event event{};
        event.type = command == "render-reset" ? SDL_RENDER_TARGETS_RESET : SDL_RENDER_DEVICE_RESET;
        return SDL_PushEvent(&event) < 0 ? SDL_GetError() : "";
    }
    return "unknown command";
}

std::string SdlTestControl::Joystick(const std::string& what) {
    const int index = VirtualStickIndex();
    if (what == "attach") {
        if (index >= 0) return "already attached";
        if (SDL_JoystickAttachVirtual(SDL_JOYSTICK_TYPE_GAMECONTROLLER, StickAxes, StickButtons, 0) < 0)
            return SDL_GetError();
        return "";
    }
    if (what == "detach") {
        if (index < 0) return "not attached";
        return SDL_JoystickDetachVirtual(index) == 0 ? "" : SDL_GetError();
    }
    return "attach or detach?";
}

}  // namespace skyrend::platform
