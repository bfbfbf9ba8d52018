// platform/headless/WaveFile.h — writing 16-bit PCM as a RIFF WAVE file.

#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace skyrend::platform {

// Writes interleaved 16-bit samples; false when the file cannot be written.
bool WriteWaveFile(const std::string& path, const std::vector<int16_t>& samples, int channels, int rate);

}  // namespace skyrend::platform
