// media/PictureCollection.cpp — picture items, their pattern grid and tile
// surfaces, the collection's life cycle with the display, and reading and
// writing the `.dxg` stream.

#include "media/PictureCollection.h"

#include <algorithm>
#include <limits>
#include <utility>

#include "media/Errors.h"

namespace skyrend {

namespace {

constexpr int64_t TileLimit = 2048;

int32_t ClampCount(int64_t count) {
    return static_cast<int32_t>(std::clamp<int64_t>(count, 0, std::numeric_limits<int32_t>::max()));
}

int64_t CeilDiv(int64_t a, int64_t b) { return (a + b - 1) / b; }  // a >= 0, b > 0

// A surface in video memory unless the item asks for system memory; one that
// cannot be made there is made in system memory. An old surface of that size
// and memory that no canvas holds serves again. Either way its pixels are
// left as they are: the caller writes over all of them and sets the key.
std::unique_ptr<TDirectDrawSurface> MakeItemSurface(int64_t width, int64_t height, bool systemMemory,
                                                    std::unique_ptr<TDirectDrawSurface>* old) {
    platform::Platform& p = platform::Current();
    const int w = static_cast<int>(width), h = static_cast<int>(height);
    bool system = true;
    if (!systemMemory && p.CanMakeSurface(w, h, true))
        system = false;
    else if (!p.CanMakeSurface(w, h, false))
        throw EDirectDrawSurfaceError(Format("%s cannot be made", std::string("Surface")));
    if (old && *old && (*old)->Width() == w && (*old)->Height() == h && (*old)->SystemMemory() == system &&
        !(*old)->Locked())
        return std::move(*old);
    return std::make_unique<TDirectDrawSurface>(w, h, system, false);
}

}  // namespace

// ---------------------------------------------------------------- pattern grid

platform::Rect TPatternLayout::Rect(int64_t index) const {
    const int64_t left = index % Columns * StepX, top = index / Columns * StepY;
    return {static_cast<int>(left), static_cast<int>(top), static_cast<int>(left + Width),
            static_cast<int>(top + Height)};
}

TPatternLayout LayoutPatterns(int32_t pictureWidth, int32_t pictureHeight, int32_t patternWidth,
                              int32_t patternHeight, int32_t skipWidth, int32_t skipHeight) {
    TPatternLayout layout;
    if (pictureWidth <= 0 || pictureHeight <= 0) return layout;
    const int64_t pw = patternWidth > 0 ? patternWidth : pictureWidth;
    const int64_t ph = patternHeight > 0 ? patternHeight : pictureHeight;
    const int64_t stepX = pw + skipWidth, stepY = ph + skipHeight;
    if (stepX <= 0 || stepY <= 0) return layout;  // negative skips that swallow the pattern
    int64_t columns = 1, rows = 1;
    if (pw != pictureWidth || ph != pictureHeight) {
        columns = (int64_t{pictureWidth} + skipWidth) / stepX;
        rows = (int64_t{pictureHeight} + skipHeight) / stepY;
        if (columns <= 0 || rows <= 0) return layout;
    }
    layout.Columns = columns;
    layout.Rows = rows;
    layout.StepX = stepX;
    layout.StepY = stepY;
    layout.Width = pw;
    layout.Height = ph;
    return layout;
}

int64_t TileExtent(int64_t step, int64_t count, int64_t skip, int64_t pictureExtent) {
    // Overlapping patterns (a negative skip) would straddle tile seams: such
    // a picture keeps one tile across that axis.
    if (skip < 0) return pictureExtent;
    return std::min(step * CeilDiv(TileLimit, step), step * count);
}

// ---------------------------------------------------------------- item

TPictureCollectionItem::TPictureCollectionItem(TPictureCollection* collection) : collection_(collection) {}

TPictureCollectionItem::~TPictureCollectionItem() = default;

bool TPictureCollectionItem::ReadProperty(const std::string& name, TReader& reader) {
    if (SameText(name, "Name")) {
        Name = reader.ReadString();
    } else if (SameText(name, "PatternHeight")) {
        PatternHeight = reader.ReadInteger();
    } else if (SameText(name, "PatternWidth")) {
        PatternWidth = reader.ReadInteger();
    } else if (SameText(name, "SkipHeight")) {
        SkipHeight = reader.ReadInteger();
    } else if (SameText(name, "SkipWidth")) {
        SkipWidth = reader.ReadInteger();
    } else if (SameText(name, "SystemMemory")) {
        SystemMemory = reader.ReadBoolean();
    } else if (SameText(name, "Transparent")) {
        Transparent = reader.ReadBoolean();
    } else if (SameText(name, "TransparentColor")) {
        SetTransparentColor(reader.ReadColor());
    } else {
        return false;
    }
    return true;
}

TPersistent* TPictureCollectionItem::SubObject(const std::string& name) {
    return SameText(name, "Picture") ? &Picture : nullptr;
}

void TPictureCollectionItem::WriteProperties(TWriter& writer) const {
    writer.WriteStringProperty("Name", Name);
    writer.WriteIntegerProperty("PatternHeight", PatternHeight);
    writer.WriteIntegerProperty("PatternWidth", PatternWidth);
    if (Picture.HasData()) writer.WriteBinaryProperty("Picture.Data", Picture.DataBlock());
    if (SkipHeight != 0) writer.WriteIntegerProperty("SkipHeight", SkipHeight);
    if (SkipWidth != 0) writer.WriteIntegerProperty("SkipWidth", SkipWidth);
    writer.WriteBooleanProperty("SystemMemory", SystemMemory);
    writer.WriteBooleanProperty("Transparent", Transparent);
    writer.WriteColorProperty("TransparentColor", TransparentColor);
}

uint32_t TPictureCollectionItem::KeyFor(const TDirectDrawSurface& surface) const {
    return surface.ColorToPixel(ColorToRGB(TransparentColor));
}

void TPictureCollectionItem::SetTransparentColor(TColor color) {
    TransparentColor = color;
    RekeySurfaces();
}

void TPictureCollectionItem::RekeySurfaces() {
    for (auto& surface : surfaces_) surface->SetColorKey(KeyFor(*surface));
}

int32_t TPictureCollectionItem::EffectivePatternWidth() const {
    return PatternWidth > 0 ? PatternWidth : Picture.Width();
}

int32_t TPictureCollectionItem::EffectivePatternHeight() const {
    return PatternHeight > 0 ? PatternHeight : Picture.Height();
}

int32_t TPictureCollectionItem::PatternCount() {
    if (!surfaces_.empty()) return ClampCount(layout_.Count());
    const int64_t w = Picture.Width(), h = Picture.Height();
    if (PatternWidth == 0) PatternWidth = static_cast<int32_t>(w);
    if (PatternHeight == 0) PatternHeight = static_cast<int32_t>(h);
    if (Picture.Empty()) return 0;
    const int64_t pw = EffectivePatternWidth(), ph = EffectivePatternHeight();
    const int64_t stepX = pw + SkipWidth, stepY = ph + SkipHeight;
    if (stepX <= 0 || stepY <= 0) return 0;
    const int64_t columns = w / stepX + (w - w / stepX * stepX == pw ? 1 : 0);
    const int64_t rows = h / stepY + (h - h / stepY * stepY == ph ? 1 : 0);
    return ClampCount(columns * rows);
}

int32_t TPictureCollectionItem::LayoutPatternCount() const {
    if (Picture.Empty()) return 0;
    return ClampCount(
        LayoutPatterns(Picture.Width(), Picture.Height(), PatternWidth, PatternHeight, SkipWidth, SkipHeight)
            .Count());
}

platform::Rect TPictureCollectionItem::PatternRect(int32_t index) {
    TPatternLayout layout = layout_;
    if (surfaces_.empty()) {
        if (Picture.Empty()) return {};
        layout = LayoutPatterns(Picture.Width(), Picture.Height(), PatternWidth, PatternHeight, SkipWidth,
                                SkipHeight);
    }
    if (index < 0 || index >= layout.Count()) return {};
    return layout.Rect(index);
}

bool TPictureCollectionItem::Pattern(int32_t index, TPictureCollectionItemPattern& pattern) const {
    if (!initialized_ || surfaces_.empty() || index < 0 || index >= layout_.Count()) return false;
    FillSurfaces();
    const int64_t left = index % layout_.Columns * layout_.StepX;
    const int64_t top = index / layout_.Columns * layout_.StepY;
    const int64_t column = left / tileWidth_, row = top / tileHeight_;
    const int64_t x = left - column * tileWidth_, y = top - row * tileHeight_;
    pattern.Surface = surfaces_[static_cast<size_t>(row * tileColumns_ + column)].get();
    pattern.Rect = {static_cast<int>(x), static_cast<int>(y), static_cast<int>(x + layout_.Width),
                    static_cast<int>(y + layout_.Height)};
    return true;
}

void TPictureCollectionItem::DropPatterns() {
    surfaces_.clear();
    layout_ = {};
    tileWidth_ = tileHeight_ = tileColumns_ = 0;
    source_ = {};
    filled_ = false;
}

TPictureCollectionItem::TSource TPictureCollectionItem::CurrentSource() const {
    return {Picture.Graphic(), Picture.Version(), PatternWidth, PatternHeight, SkipWidth, SkipHeight, SystemMemory};
}

void TPictureCollectionItem::FillSurfaces() const {
    if (filled_ || surfaces_.empty()) return;
    CopyPictureToSurfaces();
    filled_ = true;
}

// Each tile holds the part of the picture at its place in the tile grid.
void TPictureCollectionItem::CopyPictureToSurfaces() const {
    const TGraphic& picture = *Picture.Graphic();
    for (size_t i = 0; i < surfaces_.size(); ++i) {
        TDirectDrawSurface& surface = *surfaces_[i];
        const int64_t x0 = static_cast<int64_t>(i) % tileColumns_ * tileWidth_;
        const int64_t y0 = static_cast<int64_t>(i) / tileColumns_ * tileHeight_;
        picture.CopyPixels(static_cast<int32_t>(x0), static_cast<int32_t>(y0), surface.Width(), surface.Height(),
                           surface.Pixels(), static_cast<size_t>(surface.Pitch()));
    }
}

// Those of the right size and memory serve again; when every one did and
// they were made from the picture and settings as they are now, they still
// hold the picture.
void TPictureCollectionItem::RemakePatterns(TSurfaces previous) {
    DropPatterns();
    const bool same = previous.Source == CurrentSource();
    MakePatterns(&previous.Surfaces);
    const auto reused = [](const std::unique_ptr<TDirectDrawSurface>& s) { return !s; };
    if (same && !surfaces_.empty() && std::all_of(previous.Surfaces.begin(), previous.Surfaces.end(), reused))
        filled_ = previous.Filled;
}

// Cuts the picture into tile surfaces that each hold whole patterns; the
// pixels follow when the surfaces are first used.
void TPictureCollectionItem::MakePatterns(std::vector<std::unique_ptr<TDirectDrawSurface>>* reuse) {
    if (!initialized_ || Picture.Empty()) return;
    const TGraphic& picture = *Picture.Graphic();
    const int32_t width = picture.Width(), height = picture.Height();
    const TPatternLayout layout = LayoutPatterns(width, height, PatternWidth, PatternHeight, SkipWidth, SkipHeight);
    if (layout.Count() == 0) return;

    // The part of the picture the patterns cover, and the tile size.
    int64_t usedW = width, usedH = height, tileW = usedW, tileH = usedH;
    if (!SystemMemory) {
        if (SkipWidth >= 0) usedW = std::min(usedW, layout.StepX * layout.Columns);
        if (SkipHeight >= 0) usedH = std::min(usedH, layout.StepY * layout.Rows);
        tileW = std::min(usedW, TileExtent(layout.StepX, layout.Columns, SkipWidth, width));
        tileH = std::min(usedH, TileExtent(layout.StepY, layout.Rows, SkipHeight, height));
    }
    const int64_t columns = CeilDiv(usedW, tileW), rows = CeilDiv(usedH, tileH);

    try {
        for (int64_t row = 0; row < rows; ++row) {
            for (int64_t column = 0; column < columns; ++column) {
                const int64_t x0 = column * tileW, y0 = row * tileH;
                const int64_t w = std::min(tileW, usedW - x0), h = std::min(tileH, usedH - y0);
                const size_t index = surfaces_.size();
                auto surface = MakeItemSurface(w, h, SystemMemory,
                                               reuse && index < reuse->size() ? &(*reuse)[index] : nullptr);
                surface->SetColorKey(KeyFor(*surface));
                surfaces_.push_back(std::move(surface));
            }
        }
    } catch (...) {
        DropPatterns();
        throw;
    }
    layout_ = layout;
    tileWidth_ = tileW;
    tileHeight_ = tileH;
    tileColumns_ = columns;
    source_ = CurrentSource();
    filled_ = false;
}

void TPictureCollectionItem::Initialize(bool displayInitialized) {
    Finalize();
    initialized_ = displayInitialized;
    TSurfaces parked = std::move(parked_);
    parked_ = {};
    RemakePatterns(std::move(parked));
}

void TPictureCollectionItem::Finalize() {
    if (!surfaces_.empty()) parked_ = {std::move(surfaces_), source_, filled_};
    DropPatterns();
    initialized_ = false;
}

// Surfaces made from the picture as it is hold what a restore would copy
// into them again.
void TPictureCollectionItem::Restore() {
    if (!Picture.Graphic()) return;
    initialized_ = true;
    parked_ = {};
    RemakePatterns({std::move(surfaces_), source_, filled_});
}

// ---------------------------------------------------------------- drawing

bool TPictureCollectionItem::DrawSource(const TDirectDrawSurface* dest, int32_t patternIndex,
                                        TSpriteSource& source) const {
    if (!dest || dest->Locked() || !initialized_ || Picture.Empty()) return false;
    TPictureCollectionItemPattern pattern;
    if (!Pattern(patternIndex, pattern)) return false;
    source = {pattern.Surface, pattern.Rect, Transparent};
    return true;
}

void TPictureCollectionItem::Draw(TDirectDrawSurface* dest, int32_t x, int32_t y, int32_t patternIndex) {
    TSpriteSource source;
    if (DrawSource(dest, patternIndex, source)) DrawSprite(*dest, x, y, source);
}

void TPictureCollectionItem::DrawRotatedBlend(TDirectDrawSurface* dest, int32_t x, int32_t y, int32_t width,
                                              int32_t height, int32_t patternIndex, double centerX,
                                              double centerY, float angle, const TBlend& blend) {
    TSpriteSource source;
    int32_t rounded = 0;
    if (!DrawSource(dest, patternIndex, source) || !RoundAngle(angle, rounded)) return;
    DrawSpriteRotated(*dest, x, y, width, height, source, centerX, centerY, rounded, blend);
}

void TPictureCollectionItem::DrawStretchedBlend(TDirectDrawSurface* dest, const platform::Rect& destRect,
                                                int32_t patternIndex, const TBlend& blend) {
    TSpriteSource source;
    if (DrawSource(dest, patternIndex, source)) DrawSpriteStretched(*dest, destRect, source, blend);
}

void TPictureCollectionItem::DrawWavedBlend(TDirectDrawSurface* dest, int32_t x, int32_t y, int32_t width,
                                            int32_t height, int32_t patternIndex, int32_t amplitude,
                                            int32_t length, int32_t phase, const TBlend& blend) {
    TSpriteSource source;
    if (DrawSource(dest, patternIndex, source))
        DrawSpriteWaved(*dest, x, y, width, height, source, amplitude, length, phase, blend);
}

void TPictureCollectionItem::DrawRotated(TDirectDrawSurface* dest, int32_t x, int32_t y, int32_t width,
                                         int32_t height, int32_t patternIndex, double centerX, double centerY,
                                         float angle) {
    DrawRotatedBlend(dest, x, y, width, height, patternIndex, centerX, centerY, angle, {});
}

void TPictureCollectionItem::DrawStretched(TDirectDrawSurface* dest, const platform::Rect& destRect,
                                           int32_t patternIndex) {
    DrawStretchedBlend(dest, destRect, patternIndex, {});
}

void TPictureCollectionItem::DrawAdditive(TDirectDrawSurface* dest, const platform::Rect& destRect,
                                          int32_t patternIndex, int32_t alpha) {
    DrawStretchedBlend(dest, destRect, patternIndex, {TBlendKind::Additive, alpha});
}

void TPictureCollectionItem::DrawAlphaBlended(TDirectDrawSurface* dest, const platform::Rect& destRect,
                                              int32_t patternIndex, int32_t alpha) {
    DrawStretchedBlend(dest, destRect, patternIndex, {TBlendKind::AlphaBlended, alpha});
}

void TPictureCollectionItem::DrawSubtractive(TDirectDrawSurface* dest, const platform::Rect& destRect,
                                             int32_t patternIndex, int32_t alpha) {
    DrawStretchedBlend(dest, destRect, patternIndex, {TBlendKind::Subtractive, alpha});
}

void TPictureCollectionItem::DrawRotatedAdditive(TDirectDrawSurface* dest, int32_t x, int32_t y, int32_t width,
                                                 int32_t height, int32_t patternIndex, double centerX,
                                                 double centerY, float angle, int32_t alpha) {
    DrawRotatedBlend(dest, x, y, width, height, patternIndex, centerX, centerY, angle,
                     {TBlendKind::Additive, alpha});
}

void TPictureCollectionItem::DrawRotatedAlphaBlended(TDirectDrawSurface* dest, int32_t x, int32_t y,
                                                     int32_t width, int32_t height, int32_t patternIndex,
                                                     double centerX, double centerY, float angle,
                                                     int32_t alpha) {
    DrawRotatedBlend(dest, x, y, width, height, patternIndex, centerX, centerY, angle,
                     {TBlendKind::AlphaBlended, alpha});
}

void TPictureCollectionItem::DrawRotatedSubtractive(TDirectDrawSurface* dest, int32_t x, int32_t y,
                                                    int32_t width, int32_t height, int32_t patternIndex,
                                                    double centerX, double centerY, float angle,
                                                    int32_t alpha) {
    DrawRotatedBlend(dest, x, y, width, height, patternIndex, centerX, centerY, angle,
                     {TBlendKind::Subtractive, alpha});
}

void TPictureCollectionItem::DrawWaved(TDirectDrawSurface* dest, int32_t x, int32_t y, int32_t width,
                                       int32_t height, int32_t patternIndex, int32_t amplitude, int32_t length,
                                       int32_t phase) {
    DrawWavedBlend(dest, x, y, width, height, patternIndex, amplitude, length, phase, {});
}

void TPictureCollectionItem::DrawWavedAdditive(TDirectDrawSurface* dest, int32_t x, int32_t y, int32_t width,
                                               int32_t height, int32_t patternIndex, int32_t amplitude,
                                               int32_t length, int32_t phase, int32_t alpha) {
    DrawWavedBlend(dest, x, y, width, height, patternIndex, amplitude, length, phase,
                   {TBlendKind::Additive, alpha});
}

void TPictureCollectionItem::DrawWavedAlphaBlended(TDirectDrawSurface* dest, int32_t x, int32_t y,
                                                   int32_t width, int32_t height, int32_t patternIndex,
                                                   int32_t amplitude, int32_t length, int32_t phase,
                                                   int32_t alpha) {
    DrawWavedBlend(dest, x, y, width, height, patternIndex, amplitude, length, phase,
                   {TBlendKind::AlphaBlended, alpha});
}

void TPictureCollectionItem::DrawWavedSubtractive(TDirectDrawSurface* dest, int32_t x, int32_t y,
                                                  int32_t width, int32_t height, int32_t patternIndex,
                                                  int32_t amplitude, int32_t length, int32_t phase,
                                                  int32_t alpha) {
    DrawWavedBlend(dest, x, y, width, height, patternIndex, amplitude, length, phase,
                   {TBlendKind::Subtractive, alpha});
}

// ---------------------------------------------------------------- collection

TPictureCollection::TPictureCollection(TComponent* owner) : owner_(owner) {}

TPictureCollection::~TPictureCollection() = default;

const TPictureCollectionItem& TPictureCollection::GetItem(int32_t index) const {
    if (index < 0 || index >= Count())
        throw EListError(Format("Listenindex überschreitet das Maximum (%d)", static_cast<long long>(index)));
    return *items_[static_cast<size_t>(index)];
}

TPictureCollectionItem& TPictureCollection::GetItem(int32_t index) {
    return const_cast<TPictureCollectionItem&>(std::as_const(*this).GetItem(index));
}

TPictureCollectionItem* TPictureCollection::Find(const std::string& name) {
    for (auto& item : items_)
        if (item->Name == name) return item.get();
    return nullptr;
}

TPictureCollectionItem& TPictureCollection::Add() {
    items_.push_back(std::make_unique<TPictureCollectionItem>(this));
    return *items_.back();
}

void TPictureCollection::Delete(int32_t index) {
    GetItem(index);  // the range check
    items_.erase(items_.begin() + index);
}

void TPictureCollection::Clear() { items_.clear(); }

void TPictureCollection::LoadFromFile(const std::string& fileName) {
    TFileStream stream(fileName);
    LoadFromStream(stream);
}

void TPictureCollection::LoadFromStream(TStream& stream) {
    Clear();
    {
        TPictureBudget budget;
        TPictureCollectionComponent component(*this);
        ReadComponentResource(stream, component);
    }
    // Initialising makes every item's patterns from its picture; restoring
    // them at once after that would make the very same patterns again, so
    // that step is left out.
    if (dxDraw_ && dxDraw_->Initialized()) Initialize(dxDraw_);
}

void TPictureCollection::SaveToStream(TStream& stream) const {
    // The component only reads through its List when reading a stream.
    TPictureCollectionComponent component(const_cast<TPictureCollection&>(*this));
    WriteComponentResource(stream, component, component.ClassName());
}

void TPictureCollection::SaveToFile(const std::string& fileName) const {
    TMemoryStream stream;
    SaveToStream(stream);
    WriteWholeFile(fileName, stream.Bytes());
}

void TPictureCollection::Initialize(TCustomDXDraw* dxDraw) {
    Finalize();
    dxDraw_ = dxDraw;
    if (!dxDraw || !dxDraw->Initialized())
        throw EPictureCollectionError(Format("%s cannot be initialized", ClassName()));
    for (auto& item : items_) item->Initialize(dxDraw->Initialized());
}

void TPictureCollection::Finalize() {
    for (auto& item : items_) item->Finalize();
    dxDraw_ = nullptr;
}

void TPictureCollection::Restore() {
    if (!dxDraw_ || !dxDraw_->Initialized()) return;
    for (auto& item : items_) item->Restore();
}

bool TPictureCollection::ReadProperty(const std::string& name, TReader& reader) {
    if (!SameText(name, "ColorTable")) return false;
    std::vector<uint8_t> bytes = reader.ReadBinary();
    if (bytes.size() < ColorTable.size()) throw EReadError("Stream-Lesefehler");
    std::copy_n(bytes.begin(), ColorTable.size(), ColorTable.begin());
    return true;
}

// ---------------------------------------------------------------- root component

bool TPictureCollectionComponent::ReadProperty(const std::string& name, TReader& reader) {
    if (!SameText(name, "List")) return false;
    reader.ReadCollection(List);
    return true;
}

TPersistent* TPictureCollectionComponent::SubObject(const std::string& name) {
    return SameText(name, "List") ? &List : nullptr;
}

void TPictureCollectionComponent::WriteProperties(TWriter& writer) const {
    writer.WriteBinaryProperty("List.ColorTable", std::vector<uint8_t>(List.ColorTable.begin(), List.ColorTable.end()));
    writer.WriteCollectionProperty("List", List);
}

}  // namespace skyrend
