// fuzz/riff_wave.cpp — any bytes as a RIFF WAVE image: "Wave is invalid", a
// read error, or a format block and sample data that write out and read back
// the same, never a crash.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "media/DXWave.h"
#include "media/Errors.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace skyrend;
    TWave wave;
    try {
        wave.LoadFromBytes(std::vector<uint8_t>(data, data + size));
    } catch (const Exception&) {
        return 0;
    }
    if (wave.Data().size() > size || wave.FormatBlock().size() > size) std::abort();
    const TWaveFormat format = wave.Format();
    (void)format;
    TWave again;
    again.LoadFromBytes(wave.RiffImage());
    if (again.FormatBlock() != wave.FormatBlock() || again.Data() != wave.Data()) std::abort();
    return 0;
}
