// tools/dxgtool/Export.cpp — `dxgtool export`: one item's picture or wave.

#include <cerrno>
#include <cstdlib>

#include "media/Errors.h"
#include "media/PictureCollection.h"
#include "media/WaveCollection.h"
#include "tools/dxgtool/Commands.h"
#include "tools/dxgtool/Png.h"

namespace skyrend::dxgtool {

namespace {

int32_t ParseIndex(const std::string& text) {
    errno = 0;
    char* end = nullptr;
    long long n = std::strtoll(text.c_str(), &end, 10);
    if (text.empty() || *end != '\0' || errno != 0 || n < INT32_MIN || n > INT32_MAX)
        throw EConvertError(Format("'%s' ist kein gültiger Integerwert", text));
    return static_cast<int32_t>(n);
}

}  // namespace

void Export(const std::string& fileName, const std::string& index, const std::string& outName) {
    const int32_t at = ParseIndex(index);
    if (IsWaveFile(fileName)) {
        TWaveCollection collection;
        collection.LoadFromFile(fileName);
        WriteWholeFile(outName, collection.GetItem(at).Wave.RiffImage());
        return;
    }
    TPictureCollection collection;
    collection.LoadFromFile(fileName);
    const TPicture& picture = collection.GetItem(at).Picture;
    if (picture.Empty()) throw EInvalidGraphic(Format("Item %d has no picture", static_cast<long long>(at)));
    WriteWholeFile(outName, PngFromImage(picture.Image()));
}

}  // namespace skyrend::dxgtool
