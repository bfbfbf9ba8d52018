// platform/sdl/SdlTestControl.h — a command file through which a real-window
// test plays devices the machine does not have.
//
// Off unless the environment variable SKYREND_TEST_CONTROL names a file; a
// normal run never makes one. The test appends lines to that file; the game
// reads the new ones when the back-end starts and each time it looks for
// messages, so commands land between frames. One command a line:
//
//   joystick attach        plug in a virtual stick: 3 axes, 32 buttons
//   joystick detach        unplug it
//   axis X Y               its first two axes, -32768..32767
//   button N 0|1           release or press its button N (0-based)
//   render-reset           the renderer says its textures were lost
//   device-reset           the renderer says its whole device was lost
//
// Each line is answered on standard error: "Skyrend test control: LINE: done"
// or the reason it could not be carried out.

#pragma once

#include <SDL.h>

#include <cstdint>
#include <memory>
#include <string>

namespace skyrend::platform {

class SdlTestControl {
public:
    // Null unless SKYREND_TEST_CONTROL is set.
    static std::unique_ptr<SdlTestControl> FromEnvironment();

    explicit SdlTestControl(std::string path) : path_(std::move(path)) {}
    ~SdlTestControl();
    SdlTestControl(const SdlTestControl&) = delete;
    SdlTestControl& operator=(const SdlTestControl&) = delete;

    // Carries out the lines appended since the last call.
    void Run();

private:
    void Execute(const std::string& line);
    // Empty when done, else why not.
    std::string Carry(const std::string& line);
    std::string Joystick(const std::string& what);

    std::string path_;
    uint64_t done_ = 0;    // bytes of the file already carried out
    std::string partial_;  // a line whose end has not been written yet
};

}  // namespace skyrend::platform
