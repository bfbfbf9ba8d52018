// tools/dxgtool/Pack.cpp — `dxgtool pack`: a collection file from a
// manifest and the picture or wave files it names.

#include <filesystem>
#include <memory>

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

std::string Lower(std::string text) {
    for (char& c : text) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    return text;
}

std::string Resolve(const std::string& manifestName, const std::string& file) {
    fs::path path(file);
    if (path.is_absolute()) return file;
    return (fs::path(manifestName).parent_path() / path).string();
}

// A graphic of the asked class from a PNG, BMP or JPEG file. Bitmap and
// JPEG files going into their own class are kept byte for byte.
std::unique_ptr<TGraphic> LoadGraphic(const std::string& path, const std::string& className, int32_t bits,
                                      int32_t quality, FieldReader& fields) {
    if (className != "TDIB" && className != "TBitmap" && className != "TJPEGImage")
        fields.Fail("unknown class " + className);
    if (bits != 8 && bits != 24 && bits != 32) fields.Fail("bits must be 8, 24 or 32");
    if (quality < 1 || quality > 100) fields.Fail("quality must lie in 1..100");

    const std::vector<uint8_t> bytes = ReadWholeFile(path);
    const std::string ext = Lower(fs::path(path).extension().string());
    TImage32 image;
    if (ext == ".png") {
        image = ImageFromPng(bytes);
    } else if (ext == ".bmp") {
        auto bitmap = std::make_unique<TBitmap>();
        bitmap->LoadFromFileImage(bytes);
        if (className == "TBitmap") return bitmap;
        image = bitmap->Image();
    } else if (ext == ".jpg" || ext == ".jpeg") {
        auto jpeg = std::make_unique<TJPEGImage>();
        jpeg->LoadFromJPEG(bytes);
        if (className == "TJPEGImage") return jpeg;
        image = jpeg->Image();
    } else {
        fields.Fail("not a PNG, BMP or JPEG file: " + path);
    }
    if (className == "TBitmap") return TBitmap::FromImage(image);
    if (className == "TJPEGImage") return TJPEGImage::FromImage(image, quality);
    return TDIB::FromImage(image, bits);
}

// An item statement's file (a path, or - for none): it has no free words
// and names one.
std::string ItemFile(const ManifestStatement& statement, FieldReader& f) {
    if (!statement.Words.empty()) f.Fail("unexpected word " + statement.Words.front());
    if (!f.Has("file")) f.Fail("an item needs file=FILE or file=-");
    return f.String("file", "-");
}

void ReadPictureItem(const ManifestStatement& statement, const std::string& manifestName,
                     TPictureCollection& collection) {
    FieldReader f(statement, manifestName);
    const std::string file = ItemFile(statement, f);
    TPictureCollectionItem& item = collection.Add();
    const std::string className = f.String("class", "TDIB");
    const int32_t bits = f.Integer("bits", 24), quality = f.Integer("quality", 90);
    item.Name = f.String("name", "");
    item.PatternWidth = f.Integer("patternWidth", 0);
    item.PatternHeight = f.Integer("patternHeight", 0);
    item.SkipWidth = f.Integer("skipWidth", 0);
    item.SkipHeight = f.Integer("skipHeight", 0);
    item.Transparent = f.Boolean("transparent", true);
    item.SetTransparentColor(f.Color("transparentColor", 0));
    item.SystemMemory = f.Boolean("systemMemory", false);
    f.CheckAllRead();
    if (file != "-")
        item.Picture.SetGraphic(LoadGraphic(Resolve(manifestName, file), className, bits, quality, f));
}

void ReadWaveItem(const ManifestStatement& statement, const std::string& manifestName,
                  TWaveCollection& collection) {
    FieldReader f(statement, manifestName);
    const std::string file = ItemFile(statement, f);
    TWaveCollectionItem& item = collection.Add();
    item.Name = f.String("name", "");
    item.SetLooped(f.Boolean("looped", false));
    item.SetMaxPlayingCount(f.Integer("maxPlayingCount", 0));
    f.CheckAllRead();
    if (file != "-") item.Wave.LoadFromBytes(ReadWholeFile(Resolve(manifestName, file)));
}

void ReadColorTable(const ManifestStatement& statement, const std::string& manifestName,
                    TPictureCollection& collection) {
    FieldReader f(statement, manifestName);
    if (!statement.Words.empty()) f.Fail("unexpected word " + statement.Words.front());
    if (!f.Has("file")) f.Fail("colorTable needs file=FILE");
    const std::vector<uint8_t> bytes = ReadWholeFile(Resolve(manifestName, f.String("file", "")));
    f.CheckAllRead();
    if (bytes.size() != collection.ColorTable.size()) f.Fail("a colour table has 1024 bytes");
    std::copy(bytes.begin(), bytes.end(), collection.ColorTable.begin());
}

}  // namespace

void Pack(const std::string& manifestName, const std::string& outName) {
    const std::vector<uint8_t> bytes = ReadWholeFile(manifestName);
    const auto statements = ParseManifest(std::string(bytes.begin(), bytes.end()), manifestName);
    auto fail = [&](int line, const std::string& what) {
        throw ManifestError(manifestName + ":" + std::to_string(line) + ": " + what);
    };
    if (statements.empty() || statements.front().Keyword != "collection")
        fail(statements.empty() ? 1 : statements.front().Line, "the manifest starts with collection picture|wave");
    const ManifestStatement& head = statements.front();
    if (head.Words.size() != 1 || !head.Fields.empty() ||
        (head.Words[0] != "picture" && head.Words[0] != "wave"))
        fail(head.Line, "collection picture or collection wave");
    const bool wave = head.Words[0] == "wave";

    TPictureCollection pictures;
    TWaveCollection waves;
    for (size_t i = 1; i < statements.size(); ++i) {
        const ManifestStatement& s = statements[i];
        if (s.Keyword == "item") {
            if (wave)
                ReadWaveItem(s, manifestName, waves);
            else
                ReadPictureItem(s, manifestName, pictures);
        } else if (s.Keyword == "colorTable" && !wave) {
            ReadColorTable(s, manifestName, pictures);
        } else {
            fail(s.Line, "unknown statement " + s.Keyword);
        }
    }
    if (wave)
        waves.SaveToFile(outName);
    else
        pictures.SaveToFile(outName);
}

}  // namespace skyrend::dxgtool
