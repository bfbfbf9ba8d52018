// fuzz/picture_collection.cpp — any bytes read as a .dxg file into a picture
// collection, then initialised for a headless display and every item drawn:
// a described error or pictures, never a crash.
//
// Items read before an error stay, so they are drawn too. Pictures are kept
// small enough to decode quickly; very many patterns are sampled.

#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "media/DXDraws.h"
#include "media/Errors.h"
#include "media/Forms.h"
#include "media/PictureCollection.h"
#include "media/Streams.h"
#include "platform/headless/HeadlessPlatform.h"

namespace {

using namespace skyrend;

constexpr int64_t MaxPixels = int64_t{1} << 20;

TDXDraw& Display() {
    static platform::HeadlessPlatform* headless = [] {
        auto* p = new platform::HeadlessPlatform();
        p->SetDesktopSize(64, 64);
        platform::SetCurrent(p);
        return p;
    }();
    static TForm* form = new TForm(nullptr);
    static TDXDraw* draw = [] {
        auto* d = new TDXDraw(form);
        d->Initialize();
        return d;
    }();
    (void)headless;
    return *draw;
}

void Check(bool condition) {
    if (!condition) std::abort();
}

void DrawItem(TPictureCollectionItem& item, TDirectDrawSurface& dest) {
    // Without surfaces the count is the stored-size formula, which may
    // differ from the grid; with them it is the grid's.
    const int32_t count = item.PatternCount();
    if (!item.Surfaces().empty()) Check(count == item.LayoutPatternCount());
    for (int32_t i = 0; i < count; i = i < 8 ? i + 1 : (i == count - 1 ? count : count - 1)) {
        const platform::Rect r = item.PatternRect(i);
        Check(r.left >= 0 && r.top >= 0 && r.right <= item.Picture.Width() && r.bottom <= item.Picture.Height());
        item.Draw(&dest, -3, -5, i);
        item.Draw(&dest, 40, 50, i);
        item.DrawRotated(&dest, 32, 32, 40, 24, i, 0.5, 0.5, static_cast<float>(i * 37));
        item.DrawRotated(&dest, 0, 63, -70, 90, i, 0.1, 1.7, 64.5f);
        item.DrawStretched(&dest, {-10, 5, 70, 30}, i);
        item.DrawWavedAlphaBlended(&dest, 5, 5, 50, 50, i, 4, 9, i, 128);
    }
    // One past the last pattern draws nothing.
    const uint32_t before = dest.Row(10)[10];
    item.Draw(&dest, 0, 0, count);
    Check(dest.Row(10)[10] == before);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    TDXDraw& display = Display();
    TPictureCollection collection;
    TBytesView input(data, size);
    try {
        collection.LoadFromStream(input);
    } catch (const Exception&) {
    }
    int64_t pixels = 0;
    for (int32_t i = 0; i < collection.Count(); ++i)
        pixels += int64_t{collection.GetItem(i).Picture.Width()} * collection.GetItem(i).Picture.Height();
    if (pixels > MaxPixels) return 0;
    try {
        collection.Initialize(&display);
    } catch (const Exception&) {
        return 0;  // a picture that decodes to an error
    }
    TDirectDrawSurface dest(64, 64, true);
    for (int32_t i = 0; i < collection.Count(); ++i) DrawItem(collection.GetItem(i), dest);
    return 0;
}
