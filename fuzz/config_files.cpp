// fuzz/config_files.cpp — any bytes as a configuration file: the integer of
// its first line or the runtime's conversion error, never a crash or a hang.
//
// The file's value must be what the line converter makes of the first line,
// and a value written back in decimal or hexadecimal reads as itself.

#include <stdlib.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "media/Errors.h"
#include "shell/ConfigFiles.h"

namespace {

// One file in a folder of its own, rewritten for every input and removed at
// exit; in memory where the system has a memory file system (many times
// faster).
std::string folder;

void RemoveFolder() {
    unlink((folder + "/aufloesung.cfg").c_str());
    rmdir(folder.c_str());
}

const std::string& FileName() {
    static const std::string name = [] {
        folder = access("/dev/shm", W_OK) == 0 ? "/dev/shm/fuzz-config-XXXXXX" : "/tmp/fuzz-config-XXXXXX";
        if (!mkdtemp(folder.data())) std::abort();
        std::atexit(RemoveFolder);
        return folder + "/aufloesung.cfg";
    }();
    return name;
}

void WriteFile(const uint8_t* data, size_t size) {
    FILE* file = std::fopen(FileName().c_str(), "wb");
    if (!file || std::fwrite(data, 1, size, file) != size || std::fclose(file) != 0) std::abort();
}

std::string FirstLine(const uint8_t* data, size_t size) {
    size_t end = 0;
    while (end < size && data[end] != '\r' && data[end] != '\n') ++end;
    return std::string(reinterpret_cast<const char*>(data), end);
}

void CheckReadsBack(int32_t value) {
    char hex[16];
    std::snprintf(hex, sizeof hex, "%s$%X", value < 0 ? "-" : "",
                  value < 0 ? 0u - static_cast<uint32_t>(value) : static_cast<uint32_t>(value));
    for (const std::string& text : {std::to_string(value), std::string(hex)}) {
        int32_t again = 0;
        if (!skyrend::TryStrToInt(text, again) || again != value) std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace skyrend;
    WriteFile(data, size);
    int32_t fromLine = 0;
    const bool lineIsNumber = TryStrToInt(FirstLine(data, size), fromLine);
    try {
        const int32_t fromFile = ReadIntegerFile(FileName());
        if (!lineIsNumber || fromFile != fromLine) std::abort();
        CheckReadsBack(fromFile);
    } catch (const EConvertError&) {
        if (lineIsNumber) std::abort();
    }
    return 0;
}
