// fuzz/component_stream.cpp — any bytes read as a component resource into the
// stream tests' root, with one property of every kind the asset files use: a
// described error or a root, never a crash.
//
// What did read is written out again and must read back to the same values.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <vector>

#include "media/ComponentStream.h"
#include "media/Errors.h"
#include "tests/stream/StreamTestObjects.h"

namespace {

using namespace skyrend;

using test::TTestItem;
using test::TTestRoot;

// An item writes no empty wave, so such a wave's format does not come back.
bool SameItem(const TTestItem& a, const TTestItem& b) {
    return a.Name == b.Name && a.Value == b.Value && a.Flag == b.Flag && a.Tint == b.Tint &&
           a.Picture.DataBlock() == b.Picture.DataBlock() && a.Wave.Data() == b.Wave.Data() &&
           (a.Wave.Empty() || a.Wave.FormatBlock() == b.Wave.FormatBlock());
}

bool Same(const TTestRoot& a, const TTestRoot& b) {
    if (a.ObjectName != b.ObjectName || a.Count != b.Count || a.Flag != b.Flag || a.Title != b.Title ||
        a.Tint != b.Tint || a.Sub.Level != b.Sub.Level || a.List.Table != b.List.Table ||
        a.List.Count() != b.List.Count())
        return false;
    for (size_t i = 0; i < a.List.Items.size(); ++i)
        if (!SameItem(*a.List.Items[i], *b.List.Items[i])) return false;
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    TTestRoot root;
    TBytesView input(data, size);
    try {
        ReadComponentResource(input, root);
    } catch (const Exception&) {
        return 0;
    }
    if (root.ObjectName.size() > 255) std::abort();
    TMemoryStream written;
    WriteComponentResource(written, root, "TTESTROOT");
    written.SetPosition(0);
    TTestRoot again;
    ReadComponentResource(written, again);  // must not throw
    if (!Same(root, again)) std::abort();
    return 0;
}
