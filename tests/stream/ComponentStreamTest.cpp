// tests/stream/ComponentStreamTest.cpp — the resource header and the TPF0
// grammar: value kinds, dotted names, collections, errors and truncation.

#include <climits>

#include "media/Errors.h"
#include "tests/stream/StreamTestSupport.h"

namespace skyrend::test {
namespace {

// A root stream with the given property bytes (each a name and a value).
std::vector<uint8_t> RootWith(const Bytes& properties, const std::string& header = "TTESTROOT") {
    Bytes b;
    b.header(header).str("TTestRoot").str("Root1").raw(properties.b).u8(0).u8(0);
    return b.b;
}

TEST(ComponentStream, IntegerTagsAreSignExtended) {
    struct Case { Bytes value; int32_t expected; };
    std::vector<Case> cases;
    cases.push_back({Bytes().u8(2).u8(0xFF), -1});
    cases.push_back({Bytes().u8(2).u8(0x7F), 127});
    cases.push_back({Bytes().u8(2).u8(0x80), -128});
    cases.push_back({Bytes().u8(3).u16(0xFFFE), -2});
    cases.push_back({Bytes().u8(3).u16(0x8000), -32768});
    cases.push_back({Bytes().u8(4).u32(0x80000000), INT32_MIN});
    cases.push_back({Bytes().u8(4).u32(0x12345678), 0x12345678});
    for (const Case& c : cases) {
        TTestRoot root;
        ReadInto(RootWith(Bytes().str("Count").raw(c.value.b)), root);
        EXPECT_EQ(root.Count, c.expected);
    }
}

TEST(ComponentStream, WriterPicksTheSmallestIntegerTag) {
    struct Case { int32_t value; uint8_t tag; size_t size; };
    for (Case c : {Case{0, 2, 2}, Case{-128, 2, 2}, Case{127, 2, 2}, Case{128, 3, 3}, Case{-129, 3, 3},
                   Case{32767, 3, 3}, Case{-32768, 3, 3}, Case{32768, 4, 5}, Case{INT32_MIN, 4, 5}}) {
        TMemoryStream out;
        TWriter(out).WriteInteger(c.value);
        ASSERT_EQ(out.Bytes().size(), c.size) << c.value;
        EXPECT_EQ(out.Bytes()[0], c.tag) << c.value;
        out.SetPosition(0);
        EXPECT_EQ(TReader(out).ReadInteger(), c.value);
    }
}

TEST(ComponentStream, DottedNamesReachSubObjects) {
    TTestRoot root;
    ReadInto(RootWith(Bytes().str("Sub.Level").u8(2).u8(5).str("List.ColorTable").u8(10).u32(3).u8(1).u8(2).u8(3)), root);
    EXPECT_EQ(root.Sub.Level, 5);
    EXPECT_EQ(root.List.Table, (std::vector<uint8_t>{1, 2, 3}));
    EXPECT_EQ(root.ObjectName, "Root1");

    for (const char* name : {"Nope.Level", "Sub.Nope", "Sub.Level.X", "Sub.", "Count.Level"}) {
        TTestRoot r;
        std::string text = ErrorOf<EPropertyError>([&] { ReadInto(RootWith(Bytes().str(name).u8(2).u8(1)), r); });
        EXPECT_EQ(text, std::string("Eigenschaft ") + name + " existiert nicht.");
    }
}

TEST(ComponentStream, UnknownPropertyKeepsWhatWasRead) {
    TTestRoot root;
    Bytes props;
    props.str("Count").u8(2).u8(9).str("Colour").u8(2).u8(1).str("Flag").u8(9);
    EXPECT_EQ(ErrorOf<EPropertyError>([&] { ReadInto(RootWith(props), root); }),
              "Eigenschaft Colour existiert nicht.");
    EXPECT_EQ(root.Count, 9);
    EXPECT_FALSE(root.Flag);
}

// One collection item holding Name, Value, Flag in the given order.
Bytes Item(const std::vector<int>& order, const Bytes& index = Bytes()) {
    Bytes b;
    b.raw(index.b).u8(1);
    for (int p : order) {
        if (p == 0) b.str("Name").u8(6).str("shot");
        if (p == 1) b.str("Value").u8(3).u16(1000);
        if (p == 2) b.str("Flag").u8(8);
    }
    return b.u8(0);
}

TEST(ComponentStream, CollectionItemsReadInAnyOrderAndWithIndexes) {
    Bytes list;
    list.str("List").u8(14)
        .raw(Item({0, 1, 2}).b)
        .raw(Item({2, 0, 1}).b)
        .raw(Item({1, 2, 0}, Bytes().u8(2).u8(0xFE)).b)
        .raw(Item({0, 2, 1}, Bytes().u8(3).u16(0x1234)).b)
        .raw(Item({2, 1, 0}, Bytes().u8(4).u32(7)).b)
        .u8(0);
    TTestRoot root;
    ReadInto(RootWith(list), root);
    ASSERT_EQ(root.List.Count(), 5);
    for (const auto& item : root.List.Items) {
        EXPECT_EQ(item->Name, "shot");
        EXPECT_EQ(item->Value, 1000);
        EXPECT_FALSE(item->Flag);
    }
}

TEST(ComponentStream, CollectionStartsFromDefaultsAndClearsOldItems) {
    TTestRoot root;
    root.List.AddItem();
    root.List.AddItem();
    Bytes list;
    list.str("List").u8(14).u8(1).str("Name").u8(6).str("a").u8(0).u8(0);
    ReadInto(RootWith(list), root);
    ASSERT_EQ(root.List.Count(), 1);
    EXPECT_EQ(root.List.Clears, 1);
    EXPECT_EQ(root.List.Items[0]->Value, 7);
    EXPECT_TRUE(root.List.Items[0]->Flag);

    // An empty collection value empties the list too.
    ReadInto(RootWith(Bytes().str("List").u8(14).u8(0)), root);
    EXPECT_EQ(root.List.Count(), 0);
}

TEST(ComponentStream, ItemsBeforeAnErrorStay) {
    Bytes list;
    list.str("List").u8(14).raw(Item({0}).b).raw(Item({1}).b).u8(1).str("Bogus").u8(8).u8(0).u8(0);
    TTestRoot root;
    EXPECT_EQ(ErrorOf<EPropertyError>([&] { ReadInto(RootWith(list), root); }), "Eigenschaft Bogus existiert nicht.");
    ASSERT_EQ(root.List.Count(), 3);  // the third was added before its bad property
    EXPECT_EQ(root.List.Items[0]->Name, "shot");
    EXPECT_EQ(root.List.Items[1]->Value, 1000);
}

TEST(ComponentStream, HeaderNameDecidesWhereTheStreamStarts) {
    for (const std::string name : {"TPICTURECOLLECTIONCOMPONENT", ""}) {
        std::vector<uint8_t> bytes = RootWith(Bytes().str("Count").u8(2).u8(3), name);
        ASSERT_EQ(std::string(bytes.begin() + static_cast<long>(name.size()) + 10,
                              bytes.begin() + static_cast<long>(name.size()) + 14), "TPF0");
        TTestRoot root;
        ReadInto(bytes, root);
        EXPECT_EQ(root.Count, 3);
    }
    // The writer upper-cases the name and stores the stream's size.
    TTestRoot root;
    TMemoryStream out;
    WriteComponentResource(out, root, "TPictureCollectionComponent");
    const auto& b = out.Bytes();
    EXPECT_EQ(std::string(b.begin() + 3, b.begin() + 30), "TPICTURECOLLECTIONCOMPONENT");
    EXPECT_EQ(b[30], 0);
    EXPECT_EQ(b[31] | (b[32] << 8), 0x1030);
    EXPECT_EQ(std::string(b.begin() + 37, b.begin() + 41), "TPF0");
    EXPECT_EQ(b[33] | (b[34] << 8) | (b[35] << 16) | (b[36] << 24), static_cast<int>(b.size()) - 37);

    TMemoryStream longName;
    WriteComponentResource(longName, root, std::string(100, 'x'));
    EXPECT_EQ(std::string(longName.Bytes().begin() + 3, longName.Bytes().begin() + 67), std::string(63, 'X') + '\0');
}

TEST(ComponentStream, BadHeaderSignatureAndTags) {
    const std::vector<uint8_t> good = RootWith(Bytes().str("Count").u8(2).u8(3));
    auto invalid = [](std::vector<uint8_t> bytes) {
        TTestRoot root;
        return ErrorOf<EInvalidStream>([&] { ReadInto(bytes, root); });
    };
    std::vector<uint8_t> bad = good;
    bad[0] = 0xFE;
    EXPECT_EQ(invalid(bad), "Ungültiges Stream-Format");
    bad = good;
    bad[1] = 11;
    EXPECT_EQ(invalid(bad), "Ungültiges Stream-Format");
    bad = good;
    bad[19] = 'X';  // "TPF0" -> "XPF0" after the 9-character name
    EXPECT_EQ(invalid(bad), "Ungültiges Stream-Format");
    EXPECT_EQ(invalid({}), "Ungültiges Stream-Format");
    EXPECT_EQ(invalid(RootWith(Bytes().str("Count").u8(21))), "Ungültiges Stream-Format");
    EXPECT_EQ(invalid(RootWith(Bytes().str("Title").u8(0xFF))), "Ungültiges Stream-Format");
}

TEST(ComponentStream, ValueOfTheWrongKind) {
    struct Case { const char* name; Bytes value; };
    std::vector<Case> cases;
    cases.push_back({"Count", Bytes().u8(6).str("12")});
    cases.push_back({"Count", Bytes().u8(9)});
    cases.push_back({"Flag", Bytes().u8(2).u8(1)});
    cases.push_back({"Title", Bytes().u8(2).u8(1)});
    cases.push_back({"Title", Bytes().u8(7).str("clRed")});  // an identifier is no string
    cases.push_back({"Tint", Bytes().u8(7).str("clPink")});
    cases.push_back({"Tint", Bytes().u8(6).str("clRed")});
    cases.push_back({"List", Bytes().u8(1).u8(0)});
    cases.push_back({"List", Bytes().u8(14).u8(6).str("x")});  // an item without its list tag
    cases.push_back({"List.ColorTable", Bytes().u8(6).str("x")});
    for (const Case& c : cases) {
        TTestRoot root;
        EXPECT_EQ(ErrorOf<EPropertyError>([&] { ReadInto(RootWith(Bytes().str(c.name).raw(c.value.b)), root); }),
                  "Ungültiger Eigenschaftswert")
            << c.name;
    }
}

TEST(ComponentStream, ColoursAsNumbersAndNames) {
    struct Case { Bytes value; TColor expected; };
    std::vector<Case> cases;
    cases.push_back({Bytes().u8(7).str("clRed"), 0x0000FF});
    cases.push_back({Bytes().u8(7).str("CLSKYBLUE"), 0xF0CAA6});
    cases.push_back({Bytes().u8(7).str("clNone"), 0x1FFFFFFF});
    cases.push_back({Bytes().u8(7).str("clScrollBar"), 0x80000000});
    cases.push_back({Bytes().u8(7).str("clBtnFace"), 0x8000000F});
    cases.push_back({Bytes().u8(7).str("clMenuBar"), 0x8000001E});
    cases.push_back({Bytes().u8(4).u32(0x00123456), 0x00123456});
    cases.push_back({Bytes().u8(2).u8(0xFF), 0xFFFFFFFF});
    for (const Case& c : cases) {
        TTestRoot root;
        ReadInto(RootWith(Bytes().str("Tint").raw(c.value.b)), root);
        EXPECT_EQ(root.Tint, c.expected);
    }
    // The writer uses a name where the table has one.
    TMemoryStream out;
    TWriter(out).WriteColor(0x8000000F);
    EXPECT_EQ(out.Bytes(), Bytes().u8(7).str("clBtnFace").b);
    TMemoryStream number;
    TWriter(number).WriteColor(0x00123456);
    EXPECT_EQ(number.Bytes()[0], 4);
}

TEST(ComponentStream, WriterAndReaderRoundTrip) {
    TTestRoot root;
    root.ObjectName = "PictureCollectionComponent1";
    root.Count = -70000;
    root.Flag = true;
    root.Title = std::string(300, 'q');  // a long string (tag 12)
    root.Tint = 0x8000000D;
    root.Sub.Level = -2;
    root.List.Table.assign(1024, 0xAB);
    for (int i = 0; i < 3; ++i) {
        auto& item = static_cast<TTestItem&>(root.List.AddItem());
        item.Name = "item" + std::to_string(i);
        item.Value = i * 40000 - 1;
        item.Flag = i % 2 == 0;
        item.Tint = i == 1 ? clWhite : 0x00010203;
    }
    static_cast<TTestItem&>(*root.List.Items[1]).Picture.SetGraphic(TDIB::FromImage(TImage32(2, 2, 0x112233)));

    TMemoryStream out;
    WriteComponentResource(out, root, root.ClassName());
    TTestRoot back;
    ReadInto(out.Bytes(), back);
    EXPECT_EQ(back.ObjectName, root.ObjectName);
    EXPECT_EQ(back.Count, root.Count);
    EXPECT_EQ(back.Flag, root.Flag);
    EXPECT_EQ(back.Title, root.Title);
    EXPECT_EQ(back.Tint, root.Tint);
    EXPECT_EQ(back.Sub.Level, root.Sub.Level);
    EXPECT_EQ(back.List.Table, root.List.Table);
    ASSERT_EQ(back.List.Count(), 3);
    for (size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(back.List.Items[i]->Name, root.List.Items[i]->Name);
        EXPECT_EQ(back.List.Items[i]->Value, root.List.Items[i]->Value);
        EXPECT_EQ(back.List.Items[i]->Flag, root.List.Items[i]->Flag);
        EXPECT_EQ(back.List.Items[i]->Tint, root.List.Items[i]->Tint);
    }
    EXPECT_EQ(back.List.Items[1]->Picture.Image(), TImage32(2, 2, 0x112233));
    EXPECT_FALSE(back.List.Items[0]->Picture.HasData());

    // Writing what was read gives the same bytes.
    TMemoryStream again;
    WriteComponentResource(again, back, back.ClassName());
    EXPECT_EQ(again.Bytes(), out.Bytes());
}

TEST(ComponentStream, TruncationIsAReadError) {
    TTestRoot root;
    root.Title = "title";
    root.List.Table = {1, 2, 3, 4};
    auto& item = static_cast<TTestItem&>(root.List.AddItem());
    item.Name = "n";
    item.Picture.SetGraphic(TDIB::FromImage(TImage32(3, 1, 0xFF0000), 8));
    TMemoryStream out;
    WriteComponentResource(out, root, "TTESTROOT");
    const std::vector<uint8_t>& full = out.Bytes();
    for (size_t cut = 0; cut < full.size(); ++cut) {
        std::vector<uint8_t> part(full.begin(), full.begin() + static_cast<long>(cut));
        TTestRoot r;
        std::string text = ErrorOf<EStreamError>([&] { ReadInto(part, r); });
        EXPECT_EQ(text, cut < 2 ? "Ungültiges Stream-Format" : "Stream-Lesefehler") << "cut at " << cut;
    }
}

TEST(ComponentStream, PrefixChildrenAndSkippedValues) {
    Bytes b;
    b.header("TTESTROOT").u8(0xF2).u8(2).u8(4)  // filer flags with a child position
        .str("TTestRoot").str("R").str("Count").u8(2).u8(1).u8(0);
    // One child object whose values cover every kind in the table.
    b.str("TChild").str("C1")
        .str("a").u8(1).u8(2).u8(1).u8(6).str("x").u8(0)  // list
        .str("b").u8(5).raw(std::string(10, 'e'))
        .str("c").u8(10).u32(2).u16(0)
        .str("d").u8(11).str("x").str("y").u8(0)
        .str("e").u8(12).u32(1).raw("z")
        .str("f").u8(13)
        .str("g").u8(14).u8(3).u16(1).u8(1).str("p").u8(9).u8(0).u8(0)
        .str("h").u8(15).u32(0).str("i").u8(16).u32(0).u32(0).str("j").u8(17).u32(0).u32(0)
        .str("k").u8(18).u32(2).u32(0).str("l").u8(19).u32(0).u32(0).str("m").u8(20).u32(1).raw("u")
        .u8(0).u8(0);  // its properties, its children
    b.u8(0);           // end of the root's children
    TTestRoot root;
    ReadInto(b.b, root);
    EXPECT_EQ(root.ObjectName, "R");
    EXPECT_EQ(root.Count, 1);
}

TEST(ComponentStream, HostileLengthsAndNesting) {
    TTestRoot root;
    EXPECT_EQ(ErrorOf<EReadError>([&] { ReadInto(RootWith(Bytes().str("List.ColorTable").u8(10).u32(0xFFFFFFF0)), root); }),
              "Stream-Lesefehler");
    EXPECT_EQ(ErrorOf<EReadError>([&] { ReadInto(RootWith(Bytes().str("Title").u8(12).u32(0x7FFFFFFF)), root); }),
              "Stream-Lesefehler");
    // Lists nested far deeper than any file needs, in a child's property.
    Bytes b;
    b.header("").str("TTestRoot").str("R").u8(0).str("TChild").str("C").str("p");
    for (int i = 0; i < 100000; ++i) b.u8(1);
    EXPECT_EQ(ErrorOf<EInvalidStream>([&] { ReadInto(b.b, root); }), "Ungültiges Stream-Format");
}

}  // namespace
}  // namespace skyrend::test
