// media/DXImageList.cpp — binding an image list to its display.

#include "media/DXImageList.h"

namespace skyrend {

TCustomDXImageList::TCustomDXImageList(TComponent* owner) : TComponent(owner), Items(this) {}

TCustomDXImageList::~TCustomDXImageList() { SetDXDraw(nullptr); }

void TCustomDXImageList::SetDXDraw(TCustomDXDraw* draw) {
    if (dxDraw_) {
        TCustomDXDraw* old = dxDraw_;
        int id = notification_;
        notification_ = 0;
        old->UnRegisterNotification(id);  // calls back with 5 and 4
        dxDraw_ = nullptr;
    }
    dxDraw_ = draw;
    if (draw)
        notification_ = draw->RegisterNotification(
            [this](TCustomDXDraw* sender, TDXDrawNotifyType code) { DXDrawNotify(sender, code); });
}

void TCustomDXImageList::DXDrawNotify(TCustomDXDraw* sender, TDXDrawNotifyType code) {
    switch (code) {
    case dxntDestroying:
        // The display goes away without calling anyone back.
        dxDraw_ = nullptr;
        notification_ = 0;
        Items.ForgetDXDraw();
        break;
    case dxntInitialize:
        Items.Initialize(sender);
        break;
    case dxntFinalize:
        Items.Finalize();
        break;
    case dxntRestore:
        Items.Restore();
        break;
    default:
        break;
    }
}

}  // namespace skyrend
