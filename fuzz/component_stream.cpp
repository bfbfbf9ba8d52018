// fuzz/component_stream.cpp — any bytes read as a component resource into a
// root whose items are the stream tests' items, with one property of every
// kind the asset files use: a described error or a root, never a crash.
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

// An item writes no empty wave, so such a wave's format does not come back.
bool SameItem(const TTestItem& a, const TTestItem& b) {
    return a.Name == b.Name && a.Value == b.Value && a.Flag == b.Flag && a.Tint == b.Tint &&
           a.Picture.DataBlock() == b.Picture.DataBlock() && a.Wave.Data() == b.Wave.Data() &&
           (a.Wave.Empty() || a.Wave.FormatBlock() == b.Wave.FormatBlock());
}

struct List : TCollection {
    std::vector<std::unique_ptr<TTestItem>> Items;
    std::vector<uint8_t> Table;
    int32_t Count() const override { return static_cast<int32_t>(Items.size()); }
    void Clear() override { Items.clear(); }
    TPersistent& AddItem() override { return *Items.emplace_back(std::make_unique<TTestItem>()); }
    const TPersistent& ItemAt(int32_t i) const override { return *Items[static_cast<size_t>(i)]; }
    bool ReadProperty(const std::string& name, TReader& reader) override {
        if (!SameText(name, "ColorTable")) return false;
        Table = reader.ReadBinary();
        return true;
    }
};

struct Root : TPersistent {
    std::string ObjectName;
    int32_t Count = 0;
    std::string Title;
    List Items;

    std::string ClassName() const override { return "TFuzzRoot"; }
    std::string Name() const override { return ObjectName; }
    void SetName(const std::string& name) override { ObjectName = name; }
    bool ReadProperty(const std::string& name, TReader& reader) override {
        if (SameText(name, "Count")) Count = reader.ReadInteger();
        else if (SameText(name, "Title")) Title = reader.ReadString();
        else if (SameText(name, "List")) reader.ReadCollection(Items);
        else return false;
        return true;
    }
    TPersistent* SubObject(const std::string& name) override { return SameText(name, "List") ? &Items : nullptr; }
    void WriteProperties(TWriter& writer) const override {
        writer.WriteBinaryProperty("List.ColorTable", Items.Table);
        writer.WriteIntegerProperty("Count", Count);
        writer.WriteStringProperty("Title", Title);
        writer.WriteCollectionProperty("List", Items);
    }
};

bool Same(const Root& a, const Root& b) {
    if (a.ObjectName != b.ObjectName || a.Count != b.Count || a.Title != b.Title || a.Items.Table != b.Items.Table ||
        a.Items.Count() != b.Items.Count())
        return false;
    for (size_t i = 0; i < a.Items.Items.size(); ++i)
        if (!SameItem(*a.Items.Items[i], *b.Items.Items[i])) return false;
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Root root;
    TBytesView input(data, size);
    try {
        ReadComponentResource(input, root);
    } catch (const Exception&) {
        return 0;
    }
    if (root.ObjectName.size() > 255) std::abort();
    TMemoryStream written;
    WriteComponentResource(written, root, "TFUZZROOT");
    written.SetPosition(0);
    Root again;
    ReadComponentResource(written, again);  // must not throw
    if (!Same(root, again)) std::abort();
    return 0;
}
