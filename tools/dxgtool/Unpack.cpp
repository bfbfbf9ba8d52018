// tools/dxgtool/Unpack.cpp — `dxgtool unpack`: a collection file taken
// apart into a manifest and one file per item, so that `pack` rebuilds it.
//
// Bitmap and JPEG pictures are written as the files they hold; TDIB
// pictures as PNG with the bit depth that keeps their colours.

#include <cstdio>
#include <filesystem>
#include <sstream>

#include "media/DIB.h"
#include "media/Graphics.h"
#include "media/PictureCollection.h"
#include "media/WaveCollection.h"
#include "tools/dxgtool/Commands.h"
#include "tools/dxgtool/Manifest.h"
#include "tools/dxgtool/Png.h"

namespace skyrend::dxgtool {

namespace {

namespace fs = std::filesystem;

std::string ItemFile(int32_t index, const char* ext) {
    char name[32];
    std::snprintf(name, sizeof name, "%03d.%s", index, ext);
    return name;
}

std::string Hex32(uint32_t value) {
    char text[11];
    std::snprintf(text, sizeof text, "0x%08X", value);
    return text;
}

// Writes the item's picture file and returns its manifest fields.
std::string UnpackPicture(const TPictureCollectionItem& item, int32_t index, const fs::path& dir) {
    const TGraphic* graphic = item.Picture.Graphic();
    if (item.Picture.Empty()) return "file=-";
    std::string file;
    std::string fields;
    if (auto* bitmap = dynamic_cast<const TBitmap*>(graphic)) {
        file = ItemFile(index, "bmp");
        WriteWholeFile((dir / file).string(), bitmap->FileImage());
        fields = " class=TBitmap";
    } else if (auto* jpeg = dynamic_cast<const TJPEGImage*>(graphic)) {
        file = ItemFile(index, "jpg");
        WriteWholeFile((dir / file).string(), jpeg->JPEGImage());
        fields = " class=TJPEGImage";
    } else {
        file = ItemFile(index, "png");
        WriteWholeFile((dir / file).string(), PngFromImage(item.Picture.Image()));
        int bits = 24;
        if (auto* dib = dynamic_cast<const TDIB*>(graphic)) {
            if (dib->Data().BitCount <= 8) bits = 8;
            if (dib->Data().BitCount == 32) bits = 32;
        }
        fields = " class=TDIB bits=" + std::to_string(bits);
    }
    return "file=" + Quote(file) + fields;
}

void UnpackPictures(const std::string& fileName, const fs::path& dir, std::ostringstream& manifest) {
    TPictureCollection collection;
    collection.LoadFromFile(fileName);
    manifest << "collection picture\n";
    bool anyColor = false;
    for (uint8_t b : collection.ColorTable) anyColor = anyColor || b != 0;
    if (anyColor) {
        WriteWholeFile((dir / "colortable.bin").string(),
                       std::vector<uint8_t>(collection.ColorTable.begin(), collection.ColorTable.end()));
        manifest << "colorTable file=\"colortable.bin\"\n";
    }
    for (int32_t i = 0; i < collection.Count(); ++i) {
        const TPictureCollectionItem& item = collection.GetItem(i);
        manifest << "item " << UnpackPicture(item, i, dir) << " name=" << Quote(item.Name)
                 << " patternWidth=" << item.PatternWidth << " patternHeight=" << item.PatternHeight
                 << " skipWidth=" << item.SkipWidth << " skipHeight=" << item.SkipHeight
                 << " transparent=" << (item.Transparent ? 1 : 0)
                 << " transparentColor=" << Hex32(item.TransparentColor)
                 << " systemMemory=" << (item.SystemMemory ? 1 : 0) << "\n";
    }
}

void UnpackWaves(const std::string& fileName, const fs::path& dir, std::ostringstream& manifest) {
    TWaveCollection collection;
    collection.LoadFromFile(fileName);
    manifest << "collection wave\n";
    for (int32_t i = 0; i < collection.Count(); ++i) {
        const TWaveCollectionItem& item = collection.GetItem(i);
        std::string file = "-";
        if (!item.Wave.FormatBlock().empty() || !item.Wave.Empty()) {
            file = ItemFile(i, "wav");
            WriteWholeFile((dir / file).string(), item.Wave.RiffImage());
            file = Quote(file);
        }
        manifest << "item file=" << file << " name=" << Quote(item.Name) << " looped=" << (item.Looped() ? 1 : 0)
                 << " maxPlayingCount=" << item.MaxPlayingCount() << "\n";
    }
}

}  // namespace

void Unpack(const std::string& fileName, const std::string& dirName) {
    const fs::path dir(dirName);
    std::error_code error;
    fs::create_directories(dir, error);
    if (error) throw EStreamError("Cannot create " + dirName + ": " + error.message());
    std::ostringstream manifest;
    manifest << "# dxgtool manifest of " << fs::path(fileName).filename().string()
             << "; rebuild with: dxgtool pack manifest.txt OUT\n";
    if (IsWaveFile(fileName))
        UnpackWaves(fileName, dir, manifest);
    else
        UnpackPictures(fileName, dir, manifest);
    const std::string text = manifest.str();
    WriteWholeFile((dir / "manifest.txt").string(), std::vector<uint8_t>(text.begin(), text.end()));
}

}  // namespace skyrend::dxgtool
