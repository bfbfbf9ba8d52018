// fuzz/dib.cpp — any bytes as TDIB data and as a bitmap without its file
// header: "DIB is invalid", a read error, or a picture whose every pixel
// decodes, never a crash.

#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "media/DIB.h"
#include "media/Errors.h"

namespace {

// Decoding is checked on pictures of up to this many pixels; larger ones
// only cost the fuzzer time.
constexpr int64_t MaxDecodedPixels = int64_t{1} << 22;

void CheckDecoded(const skyrend::TImage32& image, int32_t width, int32_t height) {
    if (image.Width != width || image.Height != height) std::abort();
    if (image.Pixels.size() != static_cast<size_t>(width) * static_cast<size_t>(height)) std::abort();
    for (uint32_t p : image.Pixels)
        if (p > 0xFFFFFF) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace skyrend;
    try {
        TBytesView input(data, size);
        TDIB dib;
        dib.LoadFromStream(input);
        if (int64_t{dib.Width()} * dib.Height() <= MaxDecodedPixels) CheckDecoded(dib.Image(), dib.Width(), dib.Height());
        if (dib.Raw().size() > size) std::abort();
    } catch (const Exception&) {
    }
    try {
        TBytesView input(data, size);
        DibData parsed;
        if (ReadDib(input, parsed, DibHeaders::Any, size > 0 ? data[0] : -1) &&
            int64_t{parsed.Width} * parsed.Height <= MaxDecodedPixels)
            CheckDecoded(DecodeDib(parsed), parsed.Width, parsed.Height);
    } catch (const Exception&) {
    }
    return 0;
}
