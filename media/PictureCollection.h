// media/PictureCollection.h — picture collections: items that each hold one
// picture cut into equally sized patterns (animation frames) with a
// transparent colour, the surfaces those patterns live on, and the
// `.dxg` file that stores a collection (a TPictureCollectionComponent in a
// component resource).
//
// Patterns are kept implicitly: the grid of an item (columns, rows and steps)
// and the tile surfaces its picture was copied into are enough to find any
// pattern's rectangle and surface, so a picture of a million one-pixel
// patterns costs no more than its pixels.
//
// The picture is copied into its tile surfaces when they are first used (a
// draw, or a look at a pattern or the surfaces), not when they are made: a
// new game loads every picture, and most of the menu's pages are never
// shown. Surfaces are a function of the picture and the grid settings, so
// those an item drops when the display is finalised are kept aside and serve
// again when it is initialised at once after with the picture unchanged;
// restoring keeps surfaces made from the picture as it is.
//
// Drawing goes through the software renderer (media/SpriteDraw.h); there is
// no accelerated path.

#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "media/ComponentStream.h"
#include "media/DXDraws.h"
#include "media/Forms.h"
#include "media/Graphics.h"
#include "media/Persistent.h"
#include "media/SpriteDraw.h"
#include "media/Streams.h"
#include "media/Surface.h"
#include "platform/Platform.h"

namespace skyrend {

class TPictureCollection;

// The pattern grid of a picture (rules of the item): one pattern for the
// whole picture when the pattern size is the picture size, else
// (W + skipWidth) div stepX columns by (H + skipHeight) div stepY rows, row
// major. A step of zero or less, or an empty picture, gives no patterns.
struct TPatternLayout {
    int64_t Columns = 0;
    int64_t Rows = 0;
    int64_t StepX = 0;
    int64_t StepY = 0;
    int64_t Width = 0;   // the effective pattern width
    int64_t Height = 0;  // the effective pattern height

    int64_t Count() const { return Columns * Rows; }
    // The pattern's rectangle in picture coordinates (index in 0 .. Count - 1).
    platform::Rect Rect(int64_t index) const;
};

TPatternLayout LayoutPatterns(int32_t pictureWidth, int32_t pictureHeight, int32_t patternWidth,
                              int32_t patternHeight, int32_t skipWidth, int32_t skipHeight);

// The tile limit of one axis: at most step * ceil(2048 / step), and no wider
// than the grid.
int64_t TileExtent(int64_t step, int64_t count, int64_t skip, int64_t pictureExtent);

// A pattern as drawn: its rectangle within the surface that holds it.
struct TPictureCollectionItemPattern {
    platform::Rect Rect;
    const TDirectDrawSurface* Surface = nullptr;
};

class TPictureCollectionItem : public TPersistent {
public:
    explicit TPictureCollectionItem(TPictureCollection* collection = nullptr);
    ~TPictureCollectionItem() override;
    TPictureCollectionItem(const TPictureCollectionItem&) = delete;
    TPictureCollectionItem& operator=(const TPictureCollectionItem&) = delete;

    // Published, in their stored order.
    std::string Name;
    int32_t PatternHeight = 0;
    int32_t PatternWidth = 0;
    TPicture Picture;
    int32_t SkipHeight = 0;
    int32_t SkipWidth = 0;
    bool SystemMemory = false;
    bool Transparent = true;
    TColor TransparentColor = 0;

    // Sets the colour and gives every surface of the item its new key.
    void SetTransparentColor(TColor color);

    std::string ClassName() const override { return "TPictureCollectionItem"; }
    bool ReadProperty(const std::string& name, TReader& reader) override;
    TPersistent* SubObject(const std::string& name) override;
    void WriteProperties(TWriter& writer) const override;

    TPictureCollection* Collection() const { return collection_; }

    // PatternWidth when > 0, else the picture's width (likewise the height).
    int32_t EffectivePatternWidth() const;
    int32_t EffectivePatternHeight() const;
    // The number of patterns made; while the item has no surfaces, the count
    // computed from the picture and the pattern size, which also stores the
    // picture's width into a zero PatternWidth and its height into a zero
    // PatternHeight.
    int32_t PatternCount();
    // The patterns the grid gives for the item as it is now (what
    // initialising would make), without touching any property.
    int32_t LayoutPatternCount() const;
    // The pattern's rectangle in picture coordinates; empty when the index is
    // not one of the item's patterns.
    platform::Rect PatternRect(int32_t index);
    // The pattern's surface and its rectangle on it (initialised items only).
    bool Pattern(int32_t index, TPictureCollectionItemPattern& pattern) const;

    bool Initialized() const { return initialized_; }
    // The tile surfaces, row-major, holding the picture.
    const std::vector<std::unique_ptr<TDirectDrawSurface>>& Surfaces() const {
        FillSurfaces();
        return surfaces_;
    }

    // Life cycle, driven by the collection.
    void Initialize(bool displayInitialized);
    void Finalize();
    void Restore();

    // ---- drawing (nothing when dest is null or held by its canvas, the item
    // is not initialised, the index is not a pattern or there is no picture)
    void Draw(TDirectDrawSurface* dest, int32_t x, int32_t y, int32_t patternIndex);
    void DrawRotated(TDirectDrawSurface* dest, int32_t x, int32_t y, int32_t width, int32_t height,
                     int32_t patternIndex, double centerX, double centerY, float angle);
    void DrawStretched(TDirectDrawSurface* dest, const platform::Rect& destRect, int32_t patternIndex);
    void DrawAdditive(TDirectDrawSurface* dest, const platform::Rect& destRect, int32_t patternIndex,
                      int32_t alpha);
    void DrawAlphaBlended(TDirectDrawSurface* dest, const platform::Rect& destRect, int32_t patternIndex,
                          int32_t alpha);
    void DrawSubtractive(TDirectDrawSurface* dest, const platform::Rect& destRect, int32_t patternIndex,
                         int32_t alpha);
    void DrawRotatedAdditive(TDirectDrawSurface* dest, int32_t x, int32_t y, int32_t width, int32_t height,
                             int32_t patternIndex, double centerX, double centerY, float angle,
                             int32_t alpha);
    void DrawRotatedAlphaBlended(TDirectDrawSurface* dest, int32_t x, int32_t y, int32_t width,
                                 int32_t height, int32_t patternIndex, double centerX, double centerY,
                                 float angle, int32_t alpha);
    void DrawRotatedSubtractive(TDirectDrawSurface* dest, int32_t x, int32_t y, int32_t width,
                                int32_t height, int32_t patternIndex, double centerX, double centerY,
                                float angle, int32_t alpha);
    void DrawWaved(TDirectDrawSurface* dest, int32_t x, int32_t y, int32_t width, int32_t height,
                   int32_t patternIndex, int32_t amplitude, int32_t length, int32_t phase);
    void DrawWavedAdditive(TDirectDrawSurface* dest, int32_t x, int32_t y, int32_t width, int32_t height,
                           int32_t patternIndex, int32_t amplitude, int32_t length, int32_t phase,
                           int32_t alpha);
    void DrawWavedAlphaBlended(TDirectDrawSurface* dest, int32_t x, int32_t y, int32_t width,
                               int32_t height, int32_t patternIndex, int32_t amplitude, int32_t length,
                               int32_t phase, int32_t alpha);
    void DrawWavedSubtractive(TDirectDrawSurface* dest, int32_t x, int32_t y, int32_t width,
                              int32_t height, int32_t patternIndex, int32_t amplitude, int32_t length,
                              int32_t phase, int32_t alpha);

private:
    // What surfaces were made from: the picture's graphic and version and the
    // settings of the grid and the memory.
    struct TSource {
        const TGraphic* Graphic = nullptr;
        uint64_t Version = 0;
        int32_t PatternWidth = 0, PatternHeight = 0, SkipWidth = 0, SkipHeight = 0;
        bool SystemMemory = false;
        bool operator==(const TSource&) const = default;
    };
    // Surfaces an item dropped, with what they were made from.
    struct TSurfaces {
        std::vector<std::unique_ptr<TDirectDrawSurface>> Surfaces;
        TSource Source;
        bool Filled = false;  // they hold the picture
    };

    TPictureCollection* collection_;
    bool initialized_ = false;
    TPatternLayout layout_;
    int64_t tileWidth_ = 0, tileHeight_ = 0, tileColumns_ = 0;
    std::vector<std::unique_ptr<TDirectDrawSurface>> surfaces_;
    TSource source_;
    mutable bool filled_ = false;
    TSurfaces parked_;  // dropped by the last Finalize

    TSource CurrentSource() const;
    // Surfaces from `reuse` (the item's previous ones) serve again when they
    // have the size and memory a new one would have.
    void MakePatterns(std::vector<std::unique_ptr<TDirectDrawSurface>>* reuse = nullptr);
    // Copies the picture into the surfaces unless they hold it already.
    void FillSurfaces() const;
    void CopyPictureToSurfaces() const;
    // Makes the patterns over surfaces the item had before.
    void RemakePatterns(TSurfaces previous);
    void RekeySurfaces();
    void DropPatterns();
    uint32_t KeyFor(const TDirectDrawSurface& surface) const;
    // The source of a draw, or false when nothing may be drawn.
    bool DrawSource(const TDirectDrawSurface* dest, int32_t patternIndex, TSpriteSource& source) const;
    void DrawRotatedBlend(TDirectDrawSurface* dest, int32_t x, int32_t y, int32_t width, int32_t height,
                          int32_t patternIndex, double centerX, double centerY, float angle,
                          const TBlend& blend);
    void DrawStretchedBlend(TDirectDrawSurface* dest, const platform::Rect& destRect, int32_t patternIndex,
                            const TBlend& blend);
    void DrawWavedBlend(TDirectDrawSurface* dest, int32_t x, int32_t y, int32_t width, int32_t height,
                        int32_t patternIndex, int32_t amplitude, int32_t length, int32_t phase,
                        const TBlend& blend);
};

class TPictureCollection : public TCollection {
public:
    explicit TPictureCollection(TComponent* owner = nullptr);
    ~TPictureCollection() override;
    TPictureCollection(const TPictureCollection&) = delete;
    TPictureCollection& operator=(const TPictureCollection&) = delete;

    std::string ClassName() const override { return "TPictureCollection"; }
    TComponent* Owner() const { return owner_; }

    // 256 entries of 4 bytes, read and written with the file.
    std::array<uint8_t, 1024> ColorTable{};

    int32_t Count() const override { return static_cast<int32_t>(items_.size()); }
    // EListError "Listenindex überschreitet das Maximum (%d)" outside 0 .. Count - 1.
    TPictureCollectionItem& GetItem(int32_t index);
    const TPictureCollectionItem& GetItem(int32_t index) const;
    // The first item of that name (compared case-sensitively), or null.
    TPictureCollectionItem* Find(const std::string& name);
    TPictureCollectionItem& Add();
    void Delete(int32_t index);
    void Clear() override;

    // Opens the file (sharing that denies writers) and reads it.
    void LoadFromFile(const std::string& fileName);
    // Empties the collection, reads a component resource into a temporary
    // TPictureCollectionComponent over it, and, when the display is up, makes
    // the patterns and copies the pictures. Items read before an error stay.
    void LoadFromStream(TStream& stream);
    void SaveToStream(TStream& stream) const;
    void SaveToFile(const std::string& fileName) const;

    // Binds to an initialised display and makes every item's patterns
    // (EPictureCollectionError "%s cannot be initialized" otherwise).
    void Initialize(TCustomDXDraw* dxDraw);
    // Drops every item's patterns and forgets the display.
    void Finalize();
    // Makes the patterns of every item with a picture again from it.
    void Restore();
    // Forgets the display without touching the items (it is going away).
    void ForgetDXDraw() { dxDraw_ = nullptr; }
    TCustomDXDraw* DXDraw() const { return dxDraw_; }

    // The stream reader's side: "ColorTable", and the items.
    bool ReadProperty(const std::string& name, TReader& reader) override;
    TPersistent& AddItem() override { return Add(); }
    const TPersistent& ItemAt(int32_t index) const override { return GetItem(index); }

private:
    TComponent* owner_;
    TCustomDXDraw* dxDraw_ = nullptr;
    std::vector<std::unique_ptr<TPictureCollectionItem>> items_;
};

// The root object of a `.dxg` file: its one property `List` is the
// collection ("List.ColorTable" and "List").
class TPictureCollectionComponent : public TPersistent {
public:
    explicit TPictureCollectionComponent(TPictureCollection& list) : List(list) {}
    TPictureCollection& List;

    std::string ClassName() const override { return "TPictureCollectionComponent"; }
    bool ReadProperty(const std::string& name, TReader& reader) override;
    TPersistent* SubObject(const std::string& name) override;
    void WriteProperties(TWriter& writer) const override;
    std::string Name() const override { return name_; }
    void SetName(const std::string& name) override { name_ = name; }

private:
    std::string name_;
};

}  // namespace skyrend
