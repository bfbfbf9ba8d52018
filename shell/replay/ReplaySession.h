// shell/replay/ReplaySession.h — the game's two command-line options:
// `--record FILE` plays as usual and writes the session to FILE;
// `--replay FILE` shows a recorded session in the window, at its pace and
// with its sound, the player's input kept from the game. Without them the
// game reads no argument and writes nothing.

#pragma once

#include <memory>
#include <string>

#include "platform/replay/RecordingPlatform.h"
#include "platform/replay/ReplayPlatform.h"
#include "shell/Skyrendunit.h"

namespace skyrend {

class ReplaySession {
public:
    // `session` stays null without the options. Returns -1 to run the
    // game, or the exit status after a message on standard error: 2 for a
    // bad command line, a file that cannot be written or a replay that
    // cannot be played, 0 for a replay cut before its first tick ended.
    static int Open(int argc, char** argv, platform::Platform& backEnd, std::unique_ptr<ReplaySession>& session);

    // The platform the game runs on.
    platform::Platform& Platform();
    // Hooks the game's ticks; call once the forms are made.
    void Attach(TSkyrendMain& main);
    // After the message loop: ends the recording, or reports the playback.
    int Finish();

private:
    std::unique_ptr<platform::replay::RecordingPlatform> recording_;
    platform::replay::ReplayFile file_;
    std::unique_ptr<platform::replay::ReplayPlatform> playback_;
};

}  // namespace skyrend
