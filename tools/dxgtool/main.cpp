// tools/dxgtool/main.cpp — dxgtool: looks into, exports from, builds and
// takes apart the game's picture (.dxg) and wave (.dxw) collection files.

#include <exception>
#include <iostream>
#include <string>
#include <vector>

#include "tools/dxgtool/Commands.h"

namespace {

constexpr const char* Usage = R"(usage:
  dxgtool info FILE...              what each collection file holds
  dxgtool export FILE INDEX OUT     item INDEX as OUT.png (8-bit RGB) or, for a .dxw, OUT.wav
  dxgtool pack MANIFEST OUT         build a collection file from a manifest
  dxgtool unpack FILE DIR           write DIR/manifest.txt and one file per item

info lines (.dxg):
  TPictureCollectionComponent items=N
  INDEX name="NAME" class=CLASS width=W height=H patternWidth=PW patternHeight=PH
        skipWidth=SW skipHeight=SH patterns=P transparent=0|1 transparentColor=0xXXXXXXXX
        systemMemory=0|1
info lines (.dxw):
  TWaveCollectionComponent items=N
  INDEX name="NAME" looped=0|1 maxPlayingCount=M formatTag=T channels=C samplesPerSec=R
        bitsPerSample=B dataBytes=D
  (all on one line per item; names in double quotes with \" \\ \n \t \xHH escapes)

manifest (one statement a line, # starts a comment):
  collection picture|wave
  colorTable file=FILE                 1024 bytes, pictures only, optional
  item file=FILE|- name="NAME" [field=value]...
picture item fields (default): class=TDIB|TBitmap|TJPEGImage (TDIB), bits=8|24|32 (24),
  quality=1..100 (90), patternWidth, patternHeight, skipWidth, skipHeight (0),
  transparent=0|1 (1), transparentColor=0xBBGGRR or a colour name (0), systemMemory=0|1 (0);
  FILE is a .png, .bmp or .jpg file, - for no picture
wave item fields: looped=0|1 (0), maxPlayingCount=N (0); FILE is a .wav file
file names are relative to the manifest's folder

exit status: 0 done, 1 a file could not be read or written (the reason on stderr),
2 bad arguments
)";

int BadArguments() {
    std::cerr << Usage;
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    using namespace skyrend::dxgtool;
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (args.empty()) return BadArguments();
    const std::string& command = args[0];
    try {
        if (command == "info" && args.size() >= 2) {
            int status = 0;
            for (size_t i = 1; i < args.size(); ++i) {
                try {
                    Info(args[i], std::cout);
                } catch (const std::exception& error) {
                    std::cout.flush();
                    std::cerr << error.what() << "\n";
                    status = 1;
                }
            }
            return status;
        }
        if (command == "export" && args.size() == 4) {
            Export(args[1], args[2], args[3]);
            return 0;
        }
        if (command == "pack" && args.size() == 3) {
            Pack(args[1], args[2]);
            return 0;
        }
        if (command == "unpack" && args.size() == 3) {
            Unpack(args[1], args[2]);
            return 0;
        }
        if (command == "--help" || command == "-h" || command == "help") {
            std::cout << Usage;
            return 0;
        }
    } catch (const std::exception& error) {
        std::cerr << error.what() << "\n";
        return 1;
    }
    return BadArguments();
}
