// media/Errors.h — the exception classes of the media layer and the runtime.
//
// Every failure is an exception carrying its message text; the game catches
// none, and the application's default handler shows the text in an error box.

#pragma once

#include <stdexcept>
#include <string>

namespace skyrend {

class Exception : public std::runtime_error {
public:
    explicit Exception(const std::string& message) : std::runtime_error(message) {}
    std::string Message() const { return what(); }
};

#define SKYREND_EXCEPTION(Name, Base)                                  \
    class Name : public Base {                                         \
    public:                                                            \
        explicit Name(const std::string& message) : Base(message) {}   \
    };

// Runtime and stream layer (German texts).
SKYREND_EXCEPTION(EStreamError, Exception)
SKYREND_EXCEPTION(EFOpenError, EStreamError)    // "Datei %s kann nicht geöffnet werden"
SKYREND_EXCEPTION(EReadError, EStreamError)     // "Stream-Lesefehler"
SKYREND_EXCEPTION(EFilerError, EStreamError)
SKYREND_EXCEPTION(EInvalidStream, EFilerError)  // "Ungültiges Stream-Format"
SKYREND_EXCEPTION(EPropertyError, EFilerError)  // "Eigenschaft %s existiert nicht."
SKYREND_EXCEPTION(EListError, Exception)        // "Listenindex überschreitet das Maximum (%d)"
SKYREND_EXCEPTION(EConvertError, Exception)     // "'%s' ist kein gültiger Integerwert"
SKYREND_EXCEPTION(EInOutError, Exception)       // "Datei nicht gefunden", "E/A-Fehler %d"
SKYREND_EXCEPTION(EInvalidGraphic, Exception)   // "DIB is invalid"

// Media layer (English texts).
SKYREND_EXCEPTION(EDirectXError, Exception)
SKYREND_EXCEPTION(EDXDrawError, EDirectXError)
SKYREND_EXCEPTION(EDirectDrawError, EDirectXError)
SKYREND_EXCEPTION(EDirectDrawSurfaceError, EDirectXError)
SKYREND_EXCEPTION(EPictureCollectionError, EDirectXError)
SKYREND_EXCEPTION(EWaveStreamError, EDirectXError)
SKYREND_EXCEPTION(EDXSoundError, EDirectXError)
SKYREND_EXCEPTION(EDirectSoundError, EDirectXError)
SKYREND_EXCEPTION(EDirectSoundBufferError, EDirectXError)
SKYREND_EXCEPTION(EDXInputError, EDirectXError)

#undef SKYREND_EXCEPTION

// printf-style formatting of one message with %s / %d arguments.
std::string Format(const char* pattern, const std::string& a);
std::string Format(const char* pattern, long long a);
std::string Format(const char* pattern, long long a, long long b, long long c);

}  // namespace skyrend
