// tools/dxgtool/Manifest.h — the text file that lists a collection's items
// for `pack` and that `unpack` writes.
//
// One statement a line; `#` starts a comment outside quotes. A statement is
// a keyword followed by words and key=value fields; a value is a bare word or
// a double-quoted string with the escapes \" \\ \n \t \xHH.
//
//   collection picture|wave
//   colorTable file=FILE                       (pictures; 1024 bytes, optional)
//   item file=FILE|- name="NAME" ...           (one per item, in order)
//
// Picture item fields (defaults as a new item): class=TDIB|TBitmap|TJPEGImage
// (TDIB), bits=8|24|32 (TDIB pixel depth, 24), quality=1..100 (JPEG, 90),
// patternWidth, patternHeight, skipWidth, skipHeight (0), transparent=0|1 (1),
// transparentColor=0xBBGGRR or a colour name (0), systemMemory=0|1 (0).
// FILE is a PNG, BMP or JPEG file; `-` means no picture.
// Wave item fields: looped=0|1 (0), maxPlayingCount (0); FILE is a WAV file.
// File names are relative to the manifest's folder.

#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "media/Errors.h"

namespace skyrend::dxgtool {

// A fault in a manifest: "FILE:LINE: what".
class ManifestError : public Exception {
public:
    using Exception::Exception;
};

struct ManifestStatement {
    int Line = 0;
    std::string Keyword;
    std::vector<std::string> Words;
    std::vector<std::pair<std::string, std::string>> Fields;
};

std::vector<ManifestStatement> ParseManifest(const std::string& text, const std::string& fileName);

// A double-quoted string with the manifest's escapes (also used for names in
// `info` lines).
std::string Quote(const std::string& text);

// Reads the fields of one statement, each at most once, and reports the
// ones nobody asked for.
class FieldReader {
public:
    FieldReader(const ManifestStatement& statement, const std::string& fileName);
    bool Has(const std::string& key) const;
    std::string String(const std::string& key, const std::string& fallback);
    int32_t Integer(const std::string& key, int32_t fallback);
    bool Boolean(const std::string& key, bool fallback);
    uint32_t Color(const std::string& key, uint32_t fallback);
    // ManifestError for a field that was not read.
    void CheckAllRead() const;
    [[noreturn]] void Fail(const std::string& what) const;

private:
    const ManifestStatement& statement_;
    std::string fileName_;
    std::vector<bool> read_;
    const std::string* Find(const std::string& key);
};

}  // namespace skyrend::dxgtool
