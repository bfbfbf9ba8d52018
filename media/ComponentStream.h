// media/ComponentStream.h — the container of the asset files: a small
// resource header followed by a TPF0 component stream, read into a given
// root object and written from one.
//
// Errors: "Ungültiges Stream-Format" (EInvalidStream) for a bad header, a
// missing "TPF0" or a value tag outside the table; "Eigenschaft %s existiert
// nicht." (EPropertyError) for a name the object does not publish;
// "Ungültiger Eigenschaftswert" (EPropertyError) for a value of the wrong
// kind for a known property and for an unknown colour name; "Stream-Lesefehler"
// (EReadError) when the data ends early. What was read before an error stays.

#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "media/Persistent.h"
#include "media/Streams.h"

namespace skyrend {

// A 32-bit colour 0x00BBGGRR; the top bit marks a system colour
// (0x80000000 + the system-colour index).
using TColor = uint32_t;

constexpr TColor clBlack = 0x000000;
constexpr TColor clWhite = 0xFFFFFF;
constexpr TColor clNone = 0x1FFFFFFF;
constexpr TColor clDefault = 0x20000000;
constexpr TColor clSystemColor = 0x80000000;

// The colour-name table ("clRed", "clBtnFace" ...). Names compare without
// regard to case; ColorToIdent gives the table's spelling.
bool IdentToColor(const std::string& ident, TColor& color);
bool ColorToIdent(TColor color, std::string& ident);

// The value tags of the stream.
enum class TValueType : uint8_t {
    vaNull = 0, vaList = 1, vaInt8 = 2, vaInt16 = 3, vaInt32 = 4, vaExtended = 5,
    vaString = 6, vaIdent = 7, vaFalse = 8, vaTrue = 9, vaBinary = 10, vaSet = 11,
    vaLString = 12, vaNil = 13, vaCollection = 14, vaSingle = 15, vaCurrency = 16,
    vaDate = 17, vaWString = 18, vaInt64 = 19, vaUTF8String = 20,
};
constexpr uint8_t LastValueType = 20;

// Reads a TPF0 stream from the current position of a stream.
class TReader {
public:
    explicit TReader(TStream& stream) : stream_(stream) {}

    // ---- values of properties (called from TPersistent::ReadProperty)
    // Tags 2, 3, 4, sign-extended.
    int32_t ReadInteger();
    // Tags 8, 9.
    bool ReadBoolean();
    // Tags 6 and 12 (also 7 and 20, taken as their bytes).
    std::string ReadString();
    // Tag 7.
    std::string ReadIdent();
    // An integer (tags 2, 3, 4) or a name from the colour-name table (tag 7).
    TColor ReadColor();
    // Tag 10: the block's bytes (its length is checked against the stream
    // before anything is allocated).
    std::vector<uint8_t> ReadBinary();
    // Tag 10, read by `read` from a window onto the block's bytes (see
    // TStreamWindow), so that large blocks go from the stream straight to
    // where they are kept. Reading goes on after the block, however much of
    // it `read` took; reading past its end is a read error.
    void ReadBinary(const std::function<void(TStream& block)>& read);
    // Tag 14 into a collection (see TCollection).
    void ReadCollection(TCollection& collection);
    // Skips one value of any kind in the table.
    void SkipValue();
    // The tag of the next value, without consuming it.
    TValueType NextValue();

    // ---- the grammar
    // One object: optional prefix, class name (ignored), object name (given to
    // `instance`), properties until 0, children until 0 (skipped; the asset
    // files have none).
    void ReadRootObject(TPersistent& instance);
    // Properties of `instance` until the 0 byte.
    void ReadProperties(TPersistent& instance);
    // One property: its name (dotted names go through SubObject) and value.
    void ReadProperty(TPersistent& instance);

    // ---- raw pieces
    uint8_t ReadByte();
    std::string ReadShortString();  // a length byte and that many bytes
    TStream& Stream() { return stream_; }

private:
    TValueType ReadValue();
    [[noreturn]] void PropertyValueError();
    int32_t ReadIntegerOf(TValueType type);
    bool EndOfList();
    void CheckValue(TValueType expected);
    void Skip(int64_t count);
    uint32_t ReadUInt32();
    void SkipObject();
    void SkipProperty();

    TStream& stream_;
    int depth_ = 0;  // nesting of lists, collections and children
};

// Writes a TPF0 stream at the current position of a stream.
class TWriter {
public:
    explicit TWriter(TStream& stream) : stream_(stream) {}

    // ---- name + value of one property (called from WriteProperties);
    // dotted names ("Picture.Data") are written as given.
    void WriteIntegerProperty(const std::string& name, int32_t value);
    void WriteBooleanProperty(const std::string& name, bool value);
    void WriteStringProperty(const std::string& name, const std::string& value);
    void WriteColorProperty(const std::string& name, TColor value);
    void WriteBinaryProperty(const std::string& name, const std::vector<uint8_t>& bytes);
    void WriteCollectionProperty(const std::string& name, const TCollection& collection);

    // ---- single values
    void WritePropertyName(const std::string& name);
    void WriteInteger(int32_t value);      // the smallest of tags 2, 3, 4
    void WriteBoolean(bool value);         // tag 8 or 9
    void WriteString(const std::string& value);  // tag 6, or 12 above 255 bytes
    void WriteIdent(const std::string& ident);   // tag 7
    void WriteColor(TColor value);         // its name when it has one, else an integer
    void WriteBinary(const uint8_t* bytes, size_t count);  // tag 10
    void WriteCollection(const TCollection& collection);   // tag 14
    void WriteListEnd() { WriteByte(0); }

    // One root object: class name, object name, properties, 0, no children (0).
    void WriteRootObject(const TPersistent& root);

    void WriteByte(uint8_t value);
    void WriteShortString(const std::string& value);  // at most 255 bytes

private:
    void WriteValue(TValueType type) { WriteByte(static_cast<uint8_t>(type)); }
    TStream& stream_;
};

// Reads a resource header and the TPF0 stream after it into `root`.
void ReadComponentResource(TStream& stream, TPersistent& root);

// Writes the header (name upper-cased, at most 63 characters, flags 0x1030)
// and the TPF0 stream of `root`, then stores the stream's size in the header.
void WriteComponentResource(TStream& stream, const TPersistent& root, const std::string& name);

}  // namespace skyrend
