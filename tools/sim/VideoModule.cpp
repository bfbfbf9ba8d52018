// tools/sim/VideoModule.cpp — loading the video module when a video is
// asked for.

#include <dlfcn.h>
#include <unistd.h>

#include <climits>

#include "tools/sim/VideoWriter.h"

namespace skyrend::sim {

namespace {

constexpr const char* ModuleName = "skyrend-sim-video.so";

// The folder of the running program, with its slash.
std::string ProgramFolder() {
    char path[PATH_MAX];
    const ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
    if (n <= 0) return "";
    std::string folder(path, static_cast<size_t>(n));
    return folder.substr(0, folder.rfind('/') + 1);
}

// Beside the program in the build's game folder; installed, in the
// library folder relative to the program's.
void* LoadModule(std::string& error) {
    const std::string folder = ProgramFolder();
    for (const std::string& candidate : {folder + ModuleName, folder + SKYREND_SIM_MODULE_FROM_BIN "/" + ModuleName}) {
        if (void* module = dlopen(candidate.c_str(), RTLD_NOW | RTLD_LOCAL)) return module;
        error += (error.empty() ? "" : "; ") + std::string(dlerror());
    }
    return nullptr;
}

}  // namespace

std::unique_ptr<VideoWriter> OpenVideoWriter(const std::string& path, int sampleRate) {
    // Loaded once and kept: the writers it makes run its code.
    static std::string error;
    static void* module = LoadModule(error);
    using Open = VideoWriter* (*)(const char*, int);
    auto open = module ? reinterpret_cast<Open>(dlsym(module, "SkyrendOpenVideoWriter")) : nullptr;
    if (!open) throw VideoError(path + ": no video module (" + (module ? "no entry" : error) + ")");
    return std::unique_ptr<VideoWriter>(open(path.c_str(), sampleRate));
}

}  // namespace skyrend::sim
