// tests/pictures/CollectionTest.cpp — collections with their display: the
// notification binding of image lists, loading and its failures, item
// access, and the stored form.

#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "media/ComponentStream.h"
#include "media/DXImageList.h"
#include "media/Errors.h"
#include "tests/pictures/PictureTestKit.h"
#include "tests/support/ErrorOf.h"

namespace skyrend::test {
namespace {

std::vector<uint8_t> SavedCollection(int items) {
    TPictureCollection collection;
    for (int i = 0; i < items; ++i) {
        TPictureCollectionItem& item = AddPicture(collection, CodedImage(64 + i, 32), 32, 32, i, 0);
        item.Name = "item" + std::to_string(i);
        item.TransparentColor = 0x00FF00;
    }
    collection.ColorTable[5] = 77;
    TMemoryStream stream;
    collection.SaveToStream(stream);
    return stream.Bytes();
}

void Load(TPictureCollection& collection, const std::vector<uint8_t>& bytes) {
    TMemoryStream stream(bytes);
    collection.LoadFromStream(stream);
}

// A root that writes whatever a test wants after the resource header.
struct HandWritten : TPersistent {
    std::function<void(TWriter&)> write;
    std::string ClassName() const override { return "TPictureCollectionComponent"; }
    void WriteProperties(TWriter& writer) const override { write(writer); }
};

std::vector<uint8_t> Written(std::function<void(TWriter&)> write) {
    HandWritten root;
    root.write = std::move(write);
    TMemoryStream stream;
    WriteComponentResource(stream, root, "TPictureCollectionComponent");
    return stream.Bytes();
}

TEST(Collection, GetItemOutsideTheListNamesTheIndex) {
    TPictureCollection collection;
    Load(collection, SavedCollection(5));
    EXPECT_EQ(collection.GetItem(4).Name, "item4");
    EXPECT_EQ(ErrorOf<EListError>([&] { collection.GetItem(5); }), "Listenindex überschreitet das Maximum (5)");
    EXPECT_EQ(ErrorOf<EListError>([&] { collection.GetItem(-1); }), "Listenindex überschreitet das Maximum (-1)");
}

TEST(Collection, InitialisingNeedsAnInitialisedDisplay) {
    HeadlessDisplay display(false);
    TPictureCollection collection;
    AddPicture(collection, CodedImage(8, 8), 0, 0);
    const std::string text = "TPictureCollection cannot be initialized";
    EXPECT_EQ(ErrorOf<EPictureCollectionError>([&] { collection.Initialize(&display.draw); }), text);
    EXPECT_EQ(ErrorOf<EPictureCollectionError>([&] { collection.Initialize(nullptr); }), text);
    EXPECT_FALSE(collection.GetItem(0).Initialized());
}

TEST(Collection, SavedAndLoadedItemsKeepPropertiesAndPixels) {
    TPictureCollection loaded;
    Load(loaded, SavedCollection(3));
    ASSERT_EQ(loaded.Count(), 3);
    EXPECT_EQ(loaded.ColorTable[5], 77);
    const TPictureCollectionItem& item = loaded.GetItem(2);
    EXPECT_EQ(item.Name, "item2");
    EXPECT_EQ(item.PatternWidth, 32);
    EXPECT_EQ(item.SkipWidth, 2);
    EXPECT_EQ(item.TransparentColor, 0x00FF00u);
    EXPECT_TRUE(item.Transparent);
    EXPECT_EQ(item.Picture.Image(), CodedImage(66, 32));
}

TEST(Collection, ABadFirstByteEmptiesTheCollection) {
    TPictureCollection collection;
    Load(collection, SavedCollection(2));
    std::vector<uint8_t> bytes = SavedCollection(2);
    bytes[0] = 0xFE;
    EXPECT_EQ(ErrorOf<EInvalidStream>([&] { Load(collection, bytes); }), "Ungültiges Stream-Format");
    EXPECT_EQ(collection.Count(), 0);
}

TEST(Collection, ItemsReadBeforeAnErrorStay) {
    HeadlessDisplay display;
    TPictureCollection collection;
    collection.Initialize(&display.draw);
    std::vector<uint8_t> bytes = SavedCollection(3);
    bytes.resize(bytes.size() - 100);  // inside the last picture
    EXPECT_EQ(ErrorOf<EReadError>([&] { Load(collection, bytes); }), "Stream-Lesefehler");
    ASSERT_EQ(collection.Count(), 3);
    EXPECT_EQ(collection.GetItem(1).Picture.Width(), 65);
    // The read failed, so nothing was initialised.
    EXPECT_FALSE(collection.GetItem(0).Initialized());
}

TEST(Collection, AShortColourTableIsAReadError) {
    const auto bytes = Written([](TWriter& w) { w.WriteBinaryProperty("List.ColorTable", std::vector<uint8_t>(10)); });
    TPictureCollection collection;
    EXPECT_EQ(ErrorOf<EReadError>([&] { Load(collection, bytes); }), "Stream-Lesefehler");
}

TEST(Collection, AnUnregisteredGraphicClassGivesAnItemWithoutPicture) {
    const auto bytes = Written([](TWriter& w) {
        TPictureCollection list;
        TPictureCollectionItem& item = list.Add();
        std::vector<uint8_t> block = {13};
        for (char c : std::string("TNoSuchFormat")) block.push_back(static_cast<uint8_t>(c));
        block.insert(block.end(), {1, 2, 3, 4});
        item.Picture.LoadData(block);
        w.WriteCollectionProperty("List", list);
    });
    HeadlessDisplay display;
    TPictureCollection collection;
    collection.Initialize(&display.draw);
    Load(collection, bytes);
    ASSERT_EQ(collection.Count(), 1);
    TPictureCollectionItem& item = collection.GetItem(0);
    EXPECT_TRUE(item.Picture.Empty());
    EXPECT_EQ(item.PatternCount(), 0);
    auto canvas = Canvas(8, 8);
    item.Draw(canvas.get(), 0, 0, 0);
    EXPECT_EQ(At(*canvas, 0, 0), 0x123456u);
}

// A TDIB data block of a run-length bitmap that declares side x side pixels
// in two bytes: end of bitmap at once.
std::vector<uint8_t> TinyRunLengthDib(uint32_t side) {
    std::vector<uint8_t> block = {4, 'T', 'D', 'I', 'B'};
    auto put32 = [&](uint32_t v) {
        for (int i = 0; i < 4; ++i) block.push_back(static_cast<uint8_t>(v >> (8 * i)));
    };
    put32(40);
    put32(side);
    put32(side);
    block.insert(block.end(), {1, 0, 8, 0});  // planes, bits
    put32(1);                                 // RLE8
    put32(2);                                 // image size
    put32(0);
    put32(0);
    put32(1);  // one palette entry
    put32(0);
    put32(0x00FFFFFF);
    block.insert(block.end(), {0, 1});
    return block;
}

std::vector<uint8_t> CollectionOf(int items, const std::vector<uint8_t>& pictureData) {
    return Written([&](TWriter& w) {
        TPictureCollection list;
        for (int i = 0; i < items; ++i)
            if (!pictureData.empty()) list.Add().Picture.LoadData(pictureData);
            else list.Add();
        w.WriteCollectionProperty("List", list);
    });
}

// Tiny files cannot make the game take unbounded memory: the pictures of one
// collection together are bounded like one picture, and so is the number of
// items. Each load counts afresh.
TEST(Collection, PicturesAndItemsOfOneFileAreBounded) {
    const auto fourQuarters = CollectionOf(4, TinyRunLengthDib(4096));  // 64 MiB each
    const auto five = CollectionOf(5, TinyRunLengthDib(4096));
    EXPECT_LT(five.size(), 1000u);
    TPictureCollection collection;
    for (int round = 0; round < 2; ++round) {
        Load(collection, fourQuarters);
        EXPECT_EQ(collection.Count(), 4);
        EXPECT_EQ(collection.GetItem(3).Picture.Width(), 4096);
    }
    EXPECT_EQ(ErrorOf<EInvalidGraphic>([&] { Load(collection, five); }), "DIB is invalid");
    EXPECT_EQ(collection.GetItem(3).Picture.Width(), 4096);

    Load(collection, CollectionOf(65536, {}));
    EXPECT_EQ(collection.Count(), 65536);
    EXPECT_EQ(ErrorOf<EInvalidStream>([&] { Load(collection, CollectionOf(65537, {})); }),
              "Ungültiges Stream-Format");
    EXPECT_EQ(collection.Count(), 65536);
}

TEST(Collection, AMissingFileLeavesTheCollectionAsItWas) {
    TPictureCollection collection;
    Load(collection, SavedCollection(2));
    EXPECT_EQ(ErrorOf<EFOpenError>([&] { collection.LoadFromFile("gfx\\no-such.dxg"); }),
              "Datei gfx\\no-such.dxg kann nicht geöffnet werden");
    EXPECT_EQ(collection.Count(), 2);
}

TEST(ImageList, FollowsItsDisplayThroughTheNotifications) {
    platform::HeadlessPlatform platform;
    platform::SetCurrent(&platform);
    TForm form(nullptr);
    auto draw = std::make_unique<TDXDraw>(&form);
    TDXImageList list(&form);
    Load(list.Items, SavedCollection(2));

    // Bound before the display is up: loaded, nothing made yet.
    list.SetDXDraw(draw.get());
    EXPECT_EQ(list.DXDraw(), draw.get());
    EXPECT_FALSE(list.Items.GetItem(0).Initialized());
    draw->Initialize();  // 2 and 6
    EXPECT_TRUE(list.Items.GetItem(0).Initialized());
    EXPECT_EQ(list.Items.GetItem(0).PatternCount(), 2);
    EXPECT_EQ(list.Items.DXDraw(), draw.get());

    // Loading while the display is up makes the patterns at once.
    Load(list.Items, SavedCollection(3));
    EXPECT_TRUE(list.Items.GetItem(2).Initialized());
    EXPECT_FALSE(list.Items.GetItem(2).Surfaces().empty());

    draw->Finalize();  // 4
    EXPECT_FALSE(list.Items.GetItem(0).Initialized());
    EXPECT_EQ(list.Items.DXDraw(), nullptr);
    draw->Initialize();
    EXPECT_TRUE(list.Items.GetItem(0).Initialized());

    // Unbinding finalises; binding to an initialised display initialises.
    list.SetDXDraw(nullptr);
    EXPECT_FALSE(list.Items.GetItem(0).Initialized());
    list.SetDXDraw(draw.get());
    EXPECT_TRUE(list.Items.GetItem(0).Initialized());
    auto canvas = Canvas(40, 40);
    list.Items.GetItem(0).Draw(canvas.get(), 0, 0, 1);
    EXPECT_EQ(At(*canvas, 0, 0), CodedImage(64, 32).At(32, 0));

    // The display goes away: the list forgets it.
    draw.reset();
    EXPECT_EQ(list.DXDraw(), nullptr);
    EXPECT_EQ(list.Items.DXDraw(), nullptr);
    list.SetDXDraw(nullptr);
}

// Surfaces are copies of the picture: those made from it as it is serve
// again when the display comes back; a changed picture gets its own.
TEST(ImageList, SurfacesServeAgainWhileThePictureIsUnchanged) {
    HeadlessDisplay display;
    TDXImageList list(&display.form);
    Load(list.Items, SavedCollection(2));
    list.SetDXDraw(&display.draw);
    TPictureCollectionItem& item = list.Items.GetItem(0);
    const TDirectDrawSurface* made = item.Surfaces()[0].get();
    display.draw.Initialize();
    EXPECT_EQ(item.Surfaces()[0].get(), made);

    display.draw.Finalize();
    item.Picture.SetGraphic(TDIB::FromImage(TImage32(64, 32, 0xFF0000)));
    display.draw.Initialize();
    auto canvas = Canvas(40, 40);
    item.Draw(canvas.get(), 0, 0, 1);
    EXPECT_EQ(At(*canvas, 0, 0), 0xFF0000u);
    list.SetDXDraw(nullptr);
}

TEST(ImageList, RebindingMovesToTheNewDisplay) {
    platform::HeadlessPlatform platform;
    platform::SetCurrent(&platform);
    TForm form(nullptr);
    TDXDraw first(&form), second(&form);
    first.Initialize();
    TDXImageList list(&form);
    Load(list.Items, SavedCollection(1));
    list.SetDXDraw(&first);
    EXPECT_EQ(list.Items.DXDraw(), &first);
    list.SetDXDraw(&second);  // not initialised: finalised, waiting for it
    EXPECT_FALSE(list.Items.GetItem(0).Initialized());
    first.Finalize();
    second.Initialize();
    EXPECT_TRUE(list.Items.GetItem(0).Initialized());
    EXPECT_EQ(list.Items.DXDraw(), &second);
    second.Finalize();
    list.SetDXDraw(nullptr);
}

}  // namespace
}  // namespace skyrend::test
