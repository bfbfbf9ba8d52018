// shell/ConfigFiles.cpp — reading aufloesung.cfg and schiffe.cfg.
//
// Only the first line counts; it ends at the first carriage return or line
// feed, or at the end of the file. The game never writes either file.

#include "shell/ConfigFiles.h"

#include <cstring>

#include "media/Errors.h"
#include "platform/Files.h"
#include "state/GameState.h"

namespace skyrend {

namespace {

// The runtime's text for an input/output error code.
[[noreturn]] void ThrowInOut(int code) {
    switch (code) {
        case platform::ErrorFileNotFound:
            throw EInOutError("Datei nicht gefunden");
        case platform::ErrorAccessDenied:
            throw EInOutError("Zugriff verweigert");
        default:
            throw EInOutError(Format("E/A-Fehler %d", code));
    }
}

// The line's bytes as Latin-1 text in UTF-8, for the error message.
std::string Latin1ToUtf8(const std::string& bytes) {
    std::string out;
    out.reserve(bytes.size());
    for (unsigned char c : bytes) {
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// A line longer than this can still be a number (leading spaces and zeros),
// but only this much of it is kept for the error message.
constexpr size_t MaxLineKept = 1 << 20;

// Shortens a run of c starting at `from` to two characters; returns where the
// run ends afterwards.
size_t FoldRun(std::string& line, size_t from, char c) {
    size_t end = line.find_first_not_of(c, from);
    if (end == std::string::npos) end = line.size();
    if (end - from > 2) {
        line.erase(from, end - from - 2);
        end = from + 2;
    }
    return end;
}

// Of a huge line, a number can only be a short tail after runs of leading
// spaces and leading zeros. Each run is folded to two characters, which
// keeps the value and keeps "00x1" from turning into a hexadecimal "0x1".
void FoldLeadingRuns(std::string& line) {
    size_t i = FoldRun(line, 0, ' ');
    if (i < line.size() && (line[i] == '+' || line[i] == '-')) ++i;
    if (i < line.size() && line[i] == '$')
        ++i;
    else if (i + 1 < line.size() && line[i] == '0' && (line[i + 1] == 'x' || line[i + 1] == 'X'))
        i += 2;
    FoldRun(line, i, '0');
}

}  // namespace

bool TryStrToInt(const std::string& text, int32_t& value) {
    size_t i = 0, n = text.size();
    while (i < n && text[i] == ' ') ++i;
    bool negative = false;
    if (i < n && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    int base = 10;
    if (i < n && text[i] == '$') {
        base = 16;
        ++i;
    } else if (i + 1 < n && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X')) {
        base = 16;
        i += 2;
    }
    if (i >= n) return false;
    const int64_t limit = negative ? 2147483648LL : 2147483647LL;
    int64_t magnitude = 0;
    for (; i < n; ++i) {
        int d = base == 16 ? HexDigit(text[i]) : (text[i] >= '0' && text[i] <= '9' ? text[i] - '0' : -1);
        if (d < 0) return false;
        magnitude = magnitude * base + d;
        if (magnitude > limit) return false;
    }
    value = static_cast<int32_t>(negative ? -magnitude : magnitude);
    return true;
}

int32_t ReadIntegerFile(const std::string& fileName) {
    int error = 0;
    auto file = platform::OpenFileRead(fileName, error);
    if (!file) ThrowInOut(error);
    // Read the first line in blocks, up to the first CR or LF.
    std::string line;
    bool ended = false, truncated = false;
    char block[4096];
    while (!ended) {
        long got = file->Read(block, sizeof block, error);
        if (got < 0) ThrowInOut(error);
        if (got == 0) break;
        size_t take = static_cast<size_t>(got);
        for (size_t k = 0; k < take; ++k) {
            if (block[k] == '\r' || block[k] == '\n') {
                take = k;
                ended = true;
                break;
            }
        }
        line.append(block, take);
        if (line.size() > MaxLineKept) {
            FoldLeadingRuns(line);
            if (line.size() > MaxLineKept) {
                truncated = true;
                line.resize(MaxLineKept);
                break;
            }
        }
    }
    int32_t value = 0;
    if (truncated || !TryStrToInt(line, value))
        throw EConvertError(Format("'%s' ist kein gültiger Integerwert", Latin1ToUtf8(line)));
    if (!file->Close(error)) ThrowInOut(error);
    return value;
}

void ReadConfigFiles(GameState& g) {
    g.config.ResolutionIndex = ReadIntegerFile("aufloesung.cfg");
    g.config.EnemyCount = ReadIntegerFile("schiffe.cfg");
    ApplyScreenProfile(g);
    g.shell.MenuPage = 0;
    g.shell.OptionsChoice = 0;
}

}  // namespace skyrend
