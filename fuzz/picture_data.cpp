// fuzz/picture_data.cpp — any bytes as a picture's data block: class name,
// then TDIB, TBitmap or TJPEGImage data. A described error or a picture,
// never a crash; what loads writes back to the same block.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "media/Errors.h"
#include "media/Graphics.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace skyrend;
    const std::vector<uint8_t> block(data, data + size);
    TPicture picture;
    try {
        picture.LoadData(block);
    } catch (const Exception&) {
        return 0;
    }
    if (picture.HasData() && picture.DataBlock() != block) std::abort();
    if (int64_t{picture.Width()} * picture.Height() <= (int64_t{1} << 22)) {
        const TImage32& image = picture.Image();
        if (picture.Graphic() && (image.Width != picture.Width() || image.Height != picture.Height())) std::abort();
    }
    if (picture.Graphic()) {
        // The graphic's own data, written and read again, gives the same size.
        TPicture copy;
        copy.SetGraphic(picture.Graphic()->Clone());
        TPicture reread;
        reread.LoadData(copy.DataBlock());
        if (reread.Width() != picture.Width() || reread.Height() != picture.Height()) std::abort();
    }
    return 0;
}
