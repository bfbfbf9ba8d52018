// platform/replay/ReplayFormat.cpp — record kinds by name.

#include "platform/replay/ReplayFormat.h"

namespace skyrend::platform::replay {

bool Repeatable(Kind kind) { return kind != Kind::File && kind != Kind::End; }

const char* KindName(Kind kind) {
    switch (kind) {
        case Kind::Idle: return "an idle step";
        case Kind::EmptyPolls: return "an empty message poll";
        case Kind::Message: return "a message";
        case Kind::Clock: return "the clock";
        case Kind::UtcTime: return "the time of day";
        case Kind::Foreground: return "the foreground state";
        case Kind::Cursor: return "the cursor";
        case Kind::ClientSize: return "the client size";
        case Kind::DisplayModes: return "the display modes";
        case Kind::SetDisplayMode: return "a display mode switch";
        case Kind::CanMakeSurface: return "a surface check";
        case Kind::CanMakePrimary: return "the primary surface check";
        case Kind::Present: return "a presented frame";
        case Kind::SurfacesLost: return "the lost-surfaces state";
        case Kind::RestoreSurfaces: return "a surface restore";
        case Kind::Keyboard: return "the keyboard";
        case Kind::JoystickCount: return "the joystick count";
        case Kind::JoystickCaps: return "a joystick's ranges";
        case Kind::JoystickPosition: return "a joystick's position";
        case Kind::SoundDevice: return "a sound device";
        case Kind::PrimaryBuffer: return "a primary sound buffer";
        case Kind::Voice: return "a sound voice";
        case Kind::VoicePlaying: return "a voice's playing state";
        case Kind::VoiceDuplicate: return "a voice duplicate";
        case Kind::SoundConnected: return "a sound output's presence";
        case Kind::File: return "a file";
        case Kind::Tick: return "the end of a tick";
        case Kind::End: return "the end of the session";
    }
    return "an unknown record";
}

std::string CuesText(const Cues& cues) {
    std::string s = "[";
    for (size_t i = 0; i < cues.size(); ++i) {
        s.append(i ? ", [" : "[").append(std::to_string(cues[i].device));
        s.append(", ").append(std::to_string(cues[i].item)).append("]");
    }
    s.append("]");
    return s;
}

}  // namespace skyrend::platform::replay
