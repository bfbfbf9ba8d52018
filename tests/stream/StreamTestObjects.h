// tests/stream/StreamTestObjects.h — a tiny root class with one property of
// every kind the asset files use, read and written by the stream tests and the
// component stream fuzz target alike.

#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "media/ComponentStream.h"
#include "media/DXWave.h"
#include "media/Graphics.h"

namespace skyrend::test {

// An object reached through a dotted name ("Sub.Level").
class TTestSub : public TPersistent {
public:
    int32_t Level = 0;
    bool ReadProperty(const std::string& name, TReader& reader) override {
        if (!SameText(name, "Level")) return false;
        Level = reader.ReadInteger();
        return true;
    }
};

class TTestItem : public TPersistent {
public:
    std::string Name;
    int32_t Value = 7;  // a default that reading must start from
    bool Flag = true;
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
        if (!Wave.Empty()) writer.WriteBinaryProperty("Wave.WAVE", Wave.RiffImage());
    }
};

class TTestCollection : public TCollection {
public:
    std::vector<std::unique_ptr<TTestItem>> Items;
    std::vector<uint8_t> Table;
    int Clears = 0;

    int32_t Count() const override { return static_cast<int32_t>(Items.size()); }
    void Clear() override {
        ++Clears;
        Items.clear();
    }
    TPersistent& AddItem() override { return *Items.emplace_back(std::make_unique<TTestItem>()); }
    const TPersistent& ItemAt(int32_t index) const override { return *Items.at(static_cast<size_t>(index)); }
    bool ReadProperty(const std::string& name, TReader& reader) override {
        if (!SameText(name, "ColorTable")) return false;
        Table = reader.ReadBinary();
        return true;
    }
};

class TTestRoot : public TPersistent {
public:
    std::string ObjectName;
    int32_t Count = 0;
    bool Flag = false;
    std::string Title;
    TColor Tint = 0;
    TTestSub Sub;
    TTestCollection List;

    std::string ClassName() const override { return "TTestRoot"; }
    std::string Name() const override { return ObjectName; }
    void SetName(const std::string& name) override { ObjectName = name; }
    bool ReadProperty(const std::string& name, TReader& reader) override {
        if (SameText(name, "Count")) Count = reader.ReadInteger();
        else if (SameText(name, "Flag")) Flag = reader.ReadBoolean();
        else if (SameText(name, "Title")) Title = reader.ReadString();
        else if (SameText(name, "Tint")) Tint = reader.ReadColor();
        else if (SameText(name, "List")) reader.ReadCollection(List);
        else return false;
        return true;
    }
    TPersistent* SubObject(const std::string& name) override {
        if (SameText(name, "Sub")) return &Sub;
        if (SameText(name, "List")) return &List;
        return nullptr;
    }
    void WriteProperties(TWriter& writer) const override {
        if (!List.Table.empty()) writer.WriteBinaryProperty("List.ColorTable", List.Table);
        writer.WriteIntegerProperty("Count", Count);
        writer.WriteBooleanProperty("Flag", Flag);
        writer.WriteStringProperty("Title", Title);
        writer.WriteColorProperty("Tint", Tint);
        writer.WriteIntegerProperty("Sub.Level", Sub.Level);
        writer.WriteCollectionProperty("List", List);
    }
};

}  // namespace skyrend::test
