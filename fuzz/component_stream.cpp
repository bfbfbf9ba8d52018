// fuzz/component_stream.cpp — any bytes read as a component resource into a
// root with one property of every kind the asset files use: a described error
// or a root, never a crash.
//
// What did read is written out again and must read back to the same values.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <vector>

#include "media/ComponentStream.h"
#include "media/DXWave.h"
#include "media/Errors.h"
#include "media/Graphics.h"

namespace {

using namespace skyrend;

struct Item : TPersistent {
    std::string Name;
    int32_t Value = 0;
    bool Flag = false;
    TColor Tint = 0;
    TPicture Picture;
    TWave Wave;

    bool ReadProperty(const std::string& name, TReader& reader) override {
        if (SameText(name, "Name")) Name = reader.ReadString();
        else if (SameText(name, "Value")) Value = reader.ReadInteger();
        else if (SameText(name, "Flag")) Flag = reader.ReadBoolean();
        else if (SameText(name, "Tint")) Tint = reader.ReadColor();
        else return false;
        return true;
    }
    TPersistent* SubObject(const std::string& name) override {
        if (SameText(name, "Picture")) return &Picture;
        if (SameText(name, "Wave")) return &Wave;
        return nullptr;
    }
    void WriteProperties(TWriter& writer) const override {
        writer.WriteStringProperty("Name", Name);
        writer.WriteIntegerProperty("Value", Value);
        writer.WriteBooleanProperty("Flag", Flag);
        writer.WriteColorProperty("Tint", Tint);
        if (Picture.HasData()) writer.WriteBinaryProperty("Picture.Data", Picture.DataBlock());
        writer.WriteBinaryProperty("Wave.WAVE", Wave.RiffImage());
    }
    bool operator==(const Item& o) const {
        return Name == o.Name && Value == o.Value && Flag == o.Flag && Tint == o.Tint &&
               Picture.DataBlock() == o.Picture.DataBlock() && Wave.FormatBlock() == o.Wave.FormatBlock() &&
               Wave.Data() == o.Wave.Data();
    }
};

struct List : TCollection {
    std::vector<std::unique_ptr<Item>> Items;
    std::vector<uint8_t> Table;
    int32_t Count() const override { return static_cast<int32_t>(Items.size()); }
    void Clear() override { Items.clear(); }
    TPersistent& AddItem() override { return *Items.emplace_back(std::make_unique<Item>()); }
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
        if (!(*a.Items.Items[i] == *b.Items.Items[i])) return false;
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
