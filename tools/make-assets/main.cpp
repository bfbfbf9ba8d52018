// tools/make-assets/main.cpp — make-assets OUTDIR [--preview DIR] [--icons DIR]
//
// Draws the game's pictures and synthesises its sounds and writes them as
// OUTDIR/gfx/*.dxg and OUTDIR/sfx/weapons.dxw. The same run always writes the
// same bytes. With --preview, also writes a contact sheet per picture file
// and each sound as a WAV file into DIR, for looking and listening. With
// --icons, also writes the desktop icons (DIR/NxN/apps/skyrend.png, an icon theme's layout).

#include <cstdio>
#include <exception>
#include <filesystem>
#include <string>
#include <vector>

#include "media/Streams.h"
#include "tools/make-assets/Assets.h"
#include "tools/make-assets/Sheet.h"
#include "tools/make-assets/Writer.h"

namespace fs = std::filesystem;
using namespace skyrend;
using namespace skyrend::assets;

namespace {

int Usage() {
    std::fprintf(stderr, "usage: make-assets OUTDIR [--preview DIR] [--icons DIR]\n");
    return 2;
}

void Run(const fs::path& out, const fs::path& preview, const fs::path& icons) {
    if (!icons.empty()) WriteIcons(icons.string());
    fs::create_directories(out / "gfx");
    fs::create_directories(out / "sfx");
    if (!preview.empty()) fs::create_directories(preview);

    for (const PictureFile& file : DrawAllPictureFiles()) {
        WriteWholeFile((out / "gfx" / file.FileName).string(), PictureFileImage(file));
        if (!preview.empty())
            WriteContactSheet(file, (preview / (fs::path(file.FileName).stem().string() + ".png")).string());
    }
    const std::vector<Sound> sounds = {SynthesiseShot(), SynthesiseExplosion()};
    if (!preview.empty())
        for (const Sound& sound : sounds) WriteWholeFile((preview / (sound.Name + ".wav")).string(), WaveImage(sound));
    // The wave file comes last: the build takes it as the sign of a finished run.
    WriteWholeFile((out / "sfx" / "weapons.dxw").string(), WaveFileImage(sounds));
}

}  // namespace

int main(int argc, char** argv) {
    fs::path out, preview, icons;
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        if (arg == "--preview" && i + 1 < argc)
            preview = argv[++i];
        else if (arg == "--icons" && i + 1 < argc)
            icons = argv[++i];
        else if (!arg.empty() && arg[0] != '-' && out.empty())
            out = arg;
        else
            return Usage();
    }
    if (out.empty()) return Usage();
    try {
        Run(out, preview, icons);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "make-assets: %s\n", e.what());
        return 1;
    }
    return 0;
}
