// platform/headless/WaveFile.cpp — a plain "fmt " + "data" RIFF WAVE writer.

#include "platform/headless/WaveFile.h"

#include <cstdio>
#include <memory>

namespace skyrend::platform {

namespace {

void PutLittle(std::vector<uint8_t>& out, uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

void PutTag(std::vector<uint8_t>& out, const char* tag) { out.insert(out.end(), tag, tag + 4); }

}  // namespace

bool WriteWaveFile(const std::string& path, const std::vector<int16_t>& samples, int channels, int rate) {
    // RIFF sizes are 32-bit; a longer mix cannot be written as one file.
    const uint64_t dataBytes = uint64_t{samples.size()} * 2;
    if (dataBytes > 0xFFFFFFFFull - 36 || channels < 1 || rate < 1) return false;
    std::vector<uint8_t> header;
    PutTag(header, "RIFF");
    PutLittle(header, static_cast<uint32_t>(36 + dataBytes), 4);
    PutTag(header, "WAVE");
    PutTag(header, "fmt ");
    PutLittle(header, 16, 4);
    PutLittle(header, 1, 2);  // PCM
    PutLittle(header, static_cast<uint32_t>(channels), 2);
    PutLittle(header, static_cast<uint32_t>(rate), 4);
    PutLittle(header, static_cast<uint32_t>(rate * channels * 2), 4);
    PutLittle(header, static_cast<uint32_t>(channels * 2), 2);
    PutLittle(header, 16, 2);
    PutTag(header, "data");
    PutLittle(header, static_cast<uint32_t>(dataBytes), 4);

    std::unique_ptr<FILE, int (*)(FILE*)> file(std::fopen(path.c_str(), "wb"), std::fclose);
    if (!file) return false;
    if (std::fwrite(header.data(), 1, header.size(), file.get()) != header.size()) return false;
    std::vector<uint8_t> data;
    data.reserve(static_cast<size_t>(dataBytes));
    for (int16_t sample : samples) PutLittle(data, static_cast<uint16_t>(sample), 2);
    if (std::fwrite(data.data(), 1, data.size(), file.get()) != data.size()) return false;
    return std::fclose(file.release()) == 0;
}

}  // namespace skyrend::platform
