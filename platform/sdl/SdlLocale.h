// platform/sdl/SdlLocale.h — a character type that can show the game's texts.

#pragma once

namespace skyrend::platform {

// The game's texts are UTF-8. The window system's message box draws them in
// the character set of the locale the environment names, and cuts a text at
// the first letter that set cannot hold ("geöffnet" under LANG unset or C).
// Where the environment's character type is not UTF-8, the environment gets
// a UTF-8 one (C.UTF-8) for the box to pick up; the process's own locale
// stays as it was.
void UseUtf8CharacterType();

}  // namespace skyrend::platform
