// fuzz/wave_collection.cpp — any bytes read as a .dxw file into a wave
// collection: a described error or a collection, never a crash.
//
// What did read is written out again and read back, and must come back the
// same: names, play settings, format blocks and sample data.

#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "media/Errors.h"
#include "media/Streams.h"
#include "media/WaveCollection.h"

namespace {

bool SameItems(skyrend::TWaveCollection& a, skyrend::TWaveCollection& b) {
    if (a.Count() != b.Count()) return false;
    for (int32_t i = 0; i < a.Count(); ++i) {
        const auto& x = a.GetItem(i);
        const auto& y = b.GetItem(i);
        if (x.Name != y.Name || x.Looped() != y.Looped() || x.MaxPlayingCount() != y.MaxPlayingCount() ||
            x.MaxPlayingCount() < 0 || x.Wave.FormatBlock() != y.Wave.FormatBlock() ||
            x.Wave.Data() != y.Wave.Data())
            return false;
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    skyrend::TWaveCollection collection;
    skyrend::TBytesView input(data, size);
    try {
        collection.LoadFromStream(input);
    } catch (const skyrend::Exception&) {
        return 0;
    }
    for (int32_t i = 0; i < collection.Count(); ++i) collection.GetItem(i).Play(false);  // no device: nothing

    skyrend::TMemoryStream written;
    collection.SaveToStream(written);
    written.SetPosition(0);
    skyrend::TWaveCollection again;
    again.LoadFromStream(written);
    if (!SameItems(collection, again)) std::abort();
    return 0;
}
