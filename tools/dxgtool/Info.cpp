// tools/dxgtool/Info.cpp — `dxgtool info`: what a collection file holds.
//
// `patterns` is the count an initialised collection would have; it comes
// from the same pattern grid the items are cut by, so nothing here writes
// the computed pattern size back into the item (PatternCount would).

#include <cstdio>
#include <ostream>
#include <sstream>

#include "media/PictureCollection.h"
#include "media/WaveCollection.h"
#include "tools/dxgtool/Commands.h"
#include "tools/dxgtool/Manifest.h"

namespace skyrend::dxgtool {

namespace {

std::string Hex32(uint32_t value) {
    char text[11];
    std::snprintf(text, sizeof text, "0x%08X", value);
    return text;
}

void PictureInfo(const std::string& fileName, std::ostream& out) {
    TPictureCollection collection;
    collection.LoadFromFile(fileName);
    std::ostringstream block;
    block << "TPictureCollectionComponent items=" << collection.Count() << "\n";
    for (int32_t i = 0; i < collection.Count(); ++i) {
        const TPictureCollectionItem& item = collection.GetItem(i);
        const TPicture& picture = item.Picture;
        block << i << " name=" << Quote(item.Name)
              << " class=" << (picture.Empty() ? std::string("none") : picture.Graphic()->ClassName())
              << " width=" << picture.Width() << " height=" << picture.Height()
              << " patternWidth=" << item.PatternWidth << " patternHeight=" << item.PatternHeight
              << " skipWidth=" << item.SkipWidth << " skipHeight=" << item.SkipHeight
              << " patterns=" << item.LayoutPatternCount() << " transparent=" << (item.Transparent ? 1 : 0)
              << " transparentColor=" << Hex32(item.TransparentColor)
              << " systemMemory=" << (item.SystemMemory ? 1 : 0) << "\n";
    }
    out << block.str();
}

void WaveInfo(const std::string& fileName, std::ostream& out) {
    TWaveCollection collection;
    collection.LoadFromFile(fileName);
    std::ostringstream block;
    block << "TWaveCollectionComponent items=" << collection.Count() << "\n";
    for (int32_t i = 0; i < collection.Count(); ++i) {
        const TWaveCollectionItem& item = collection.GetItem(i);
        const TWaveFormat format = item.Wave.Format();
        block << i << " name=" << Quote(item.Name) << " looped=" << (item.Looped() ? 1 : 0)
              << " maxPlayingCount=" << item.MaxPlayingCount() << " formatTag=" << format.FormatTag
              << " channels=" << format.Channels << " samplesPerSec=" << format.SamplesPerSec
              << " bitsPerSample=" << format.BitsPerSample << " dataBytes=" << item.Wave.Data().size() << "\n";
    }
    out << block.str();
}

}  // namespace

bool IsWaveFile(const std::string& fileName) {
    if (fileName.size() < 4) return false;
    std::string ext = fileName.substr(fileName.size() - 4);
    for (char& c : ext) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    return ext == ".dxw";
}

void Info(const std::string& fileName, std::ostream& out) {
    if (IsWaveFile(fileName))
        WaveInfo(fileName, out);
    else
        PictureInfo(fileName, out);
}

}  // namespace skyrend::dxgtool
