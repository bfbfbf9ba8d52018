// media/Persistent.h — objects whose published properties live in a component
// stream, and collections of such objects.
//
// The stream reader knows no classes: it asks the object for each property by
// name. An object answers ReadProperty for the plain property names it
// publishes (reading the value from the reader in the kind it expects),
// SubObject for its object-valued properties (so that "Picture.Data" reaches
// the picture's own "Data"), and writes its stored properties in order in
// WriteProperties. Property names compare without regard to ASCII case, as
// published names do; use SameText.

#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace skyrend {

class TReader;
class TWriter;

// ASCII case-insensitive comparison of two names.
bool SameText(std::string_view a, std::string_view b);

class TPersistent {
public:
    virtual ~TPersistent() = default;

    // The class name written for a root object ("TPictureCollectionComponent").
    virtual std::string ClassName() const { return "TPersistent"; }

    // Reads the value of the published property `name` (never dotted) with one
    // of the reader's Read* calls. False when the object has no such property;
    // the reader then throws "Eigenschaft %s existiert nicht.".
    virtual bool ReadProperty(const std::string& name, TReader& reader);

    // The object held by the object-valued property `name`, or null when the
    // object has no such property.
    virtual TPersistent* SubObject(const std::string& name);

    // Writes the stored properties, each as a name and a value
    // (TWriter::Write*Property), in the order the class stores them.
    virtual void WriteProperties(TWriter& writer) const;

    // The object name of a root component (read from and written to the
    // stream; other objects ignore it).
    virtual std::string Name() const { return {}; }
    virtual void SetName(const std::string& name);
};

// A collection value (tag 14): items of one item class, read and written in
// order. The reader clears a non-empty collection, then adds one item per
// stored item (with the item class's defaults) and reads its properties.
class TCollection : public TPersistent {
public:
    virtual int32_t Count() const = 0;
    // Removes every item.
    virtual void Clear() = 0;
    // Appends a new item with its defaults and returns it for reading.
    virtual TPersistent& AddItem() = 0;
    // The item at a zero-based index in 0 .. Count() - 1, for writing.
    virtual const TPersistent& ItemAt(int32_t index) const = 0;
};

}  // namespace skyrend
