// media/DXImageList.h — the image list component: a picture collection bound
// to a display, making and dropping its surfaces as the display tells it.

#pragma once

#include "media/DXDraws.h"
#include "media/Forms.h"
#include "media/PictureCollection.h"

namespace skyrend {

class TCustomDXImageList : public TComponent {
public:
    explicit TCustomDXImageList(TComponent* owner);
    ~TCustomDXImageList() override;

    TPictureCollection Items;

    // Unregisters from the old display and registers with the new one (which
    // at once initialises the collection when that display is up).
    void SetDXDraw(TCustomDXDraw* draw);
    TCustomDXDraw* DXDraw() const { return dxDraw_; }

private:
    TCustomDXDraw* dxDraw_ = nullptr;
    int notification_ = 0;
    void DXDrawNotify(TCustomDXDraw* sender, TDXDrawNotifyType code);
};

class TDXImageList : public TCustomDXImageList {
public:
    explicit TDXImageList(TComponent* owner) : TCustomDXImageList(owner) {}
    ~TDXImageList() override = default;
};

}  // namespace skyrend
