// platform/sdl/SdlLocale.cpp — a UTF-8 character type for the message box.

#include "platform/sdl/SdlLocale.h"

#include <langinfo.h>

#include <clocale>
#include <cstdlib>
#include <cstring>
#include <string>

namespace skyrend::platform {

namespace {

constexpr const char* Utf8Type = "C.UTF-8";

bool EnvironmentTypeIsUtf8() {
    if (!std::setlocale(LC_CTYPE, "")) return false;  // names a locale that is not there
    const char* codeset = nl_langinfo(CODESET);
    return codeset && (std::strcmp(codeset, "UTF-8") == 0 || std::strcmp(codeset, "utf8") == 0);
}

}  // namespace

void UseUtf8CharacterType() {
    // Only asked, not kept: the program itself goes on in the locale it
    // started in, so what it gives the window system does not change.
    const std::string prior = std::setlocale(LC_CTYPE, nullptr);
    const bool utf8 = EnvironmentTypeIsUtf8();
    const bool utf8Available = utf8 || std::setlocale(LC_CTYPE, Utf8Type);
    std::setlocale(LC_CTYPE, prior.c_str());
    if (utf8 || !utf8Available) return;
    // The message box takes its locale from the environment, and LC_ALL
    // outranks LC_CTYPE there.
    const char* all = std::getenv("LC_ALL");
    setenv(all && *all ? "LC_ALL" : "LC_CTYPE", Utf8Type, 1);
}

}  // namespace skyrend::platform
