// shell/ConfigFiles.h — the two one-line configuration files and the screen
// profiles they choose.

#pragma once

#include <cstdint>
#include <string>

#include "state/ScreenProfiles.h"

namespace skyrend {

struct GameState;

// Reads aufloesung.cfg and schiffe.cfg, applies the screen profile and resets
// the menu page and the options highlight.
void ReadConfigFiles(GameState& g);

// The integer on the first line of a text file; throws the runtime's errors
// ("Datei nicht gefunden", "'%s' ist kein gültiger Integerwert", ...).
int32_t ReadIntegerFile(const std::string& fileName);
// Converts a whole line: leading spaces, an optional sign, then decimal
// digits or hexadecimal after "$", "0x" or "0X"; nothing may follow, and the
// value must fit 32 signed bits. False when the text is not such a number.
bool TryStrToInt(const std::string& text, int32_t& value);

}  // namespace skyrend
