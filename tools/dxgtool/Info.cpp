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

// The header line, then one line per item; the whole block is written only
// once the file has been read through.
template <typename Collection, typename ItemLine>
void CollectionInfo(const std::string& fileName, const char* component, std::ostream& out, ItemLine line) {
    Collection collection;
    collection.LoadFromFile(fileName);
    std::ostringstream block;
    block << component << " items=" << collection.Count() << "\n";
    for (int32_t i = 0; i < collection.Count(); ++i) {
        block << i;
        line(block, collection.GetItem(i));
        block << "\n";
    }
    out << block.str();
}

void PictureLine(std::ostream& block, const TPictureCollectionItem& item) {
    const TPicture& picture = item.Picture;
    block << " name=" << Quote(item.Name)
          << " class=" << (picture.Empty() ? std::string("none") : picture.Graphic()->ClassName())
          << " width=" << picture.Width() << " height=" << picture.Height()
          << " patternWidth=" << item.PatternWidth << " patternHeight=" << item.PatternHeight
          << " skipWidth=" << item.SkipWidth << " skipHeight=" << item.SkipHeight
          << " patterns=" << item.LayoutPatternCount() << " transparent=" << (item.Transparent ? 1 : 0)
          << " transparentColor=" << Hex32(item.TransparentColor)
          << " systemMemory=" << (item.SystemMemory ? 1 : 0);
}

void WaveLine(std::ostream& block, const TWaveCollectionItem& item) {
    const TWaveFormat format = item.Wave.Format();
    block << " name=" << Quote(item.Name) << " looped=" << (item.Looped() ? 1 : 0)
          << " maxPlayingCount=" << item.MaxPlayingCount() << " formatTag=" << format.FormatTag
          << " channels=" << format.Channels << " samplesPerSec=" << format.SamplesPerSec
          << " bitsPerSample=" << format.BitsPerSample << " dataBytes=" << item.Wave.Data().size();
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
        CollectionInfo<TWaveCollection>(fileName, "TWaveCollectionComponent", out, WaveLine);
    else
        CollectionInfo<TPictureCollection>(fileName, "TPictureCollectionComponent", out, PictureLine);
}

}  // namespace skyrend::dxgtool
