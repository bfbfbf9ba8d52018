// media/ComponentStream.cpp — reading and writing the resource header and
// the TPF0 stream of one root object.
//
// The reader reads straight from the stream; a peek reads one byte and seeks
// back. Nesting (lists, collections, child objects) is bounded so that a
// hostile file cannot exhaust the call stack.

#include "media/ComponentStream.h"

#include <cstring>

#include "media/Errors.h"

namespace skyrend {
namespace {

constexpr int MaxNesting = 64;
// Items of one collection value. An item costs far more memory than the few
// bytes that declare it, so their number is bounded too.
constexpr int32_t MaxCollectionItems = 65536;
constexpr char InvalidStreamText[] = "Ungültiges Stream-Format";
constexpr char InvalidValueText[] = "Ungültiger Eigenschaftswert";
constexpr char ReadErrorText[] = "Stream-Lesefehler";
constexpr uint8_t Signature[4] = {'T', 'P', 'F', '0'};

[[noreturn]] void InvalidStream() { throw EInvalidStream(InvalidStreamText); }

bool IsIntegerTag(TValueType type) {
    return type == TValueType::vaInt8 || type == TValueType::vaInt16 || type == TValueType::vaInt32;
}

// Counts one level of nesting while it lives.
class NestingGuard {
public:
    explicit NestingGuard(int& depth) : depth_(depth) {
        if (++depth_ > MaxNesting) {
            --depth_;
            InvalidStream();
        }
    }
    ~NestingGuard() { --depth_; }
    NestingGuard(const NestingGuard&) = delete;
    NestingGuard& operator=(const NestingGuard&) = delete;

private:
    int& depth_;
};

void WriteLE(TStream& stream, uint32_t value, int bytes) {
    uint8_t b[4];
    for (int i = 0; i < bytes; ++i) b[i] = static_cast<uint8_t>(value >> (8 * i));
    stream.WriteBuffer(b, static_cast<size_t>(bytes));
}

}  // namespace

// ---------------------------------------------------------------- reader

uint8_t TReader::ReadByte() {
    uint8_t b = 0;
    stream_.ReadBuffer(&b, 1);
    return b;
}

uint32_t TReader::ReadUInt32() {
    uint8_t b[4];
    stream_.ReadBuffer(b, 4);
    return b[0] | (b[1] << 8) | (b[2] << 16) | (static_cast<uint32_t>(b[3]) << 24);
}

std::string TReader::ReadShortString() {
    std::string s(ReadByte(), '\0');
    stream_.ReadBuffer(s.data(), s.size());
    return s;
}

void TReader::Skip(int64_t count) {
    if (count > stream_.Remaining()) throw EReadError(ReadErrorText);
    stream_.SetPosition(stream_.Position() + count);
}

TValueType TReader::ReadValue() {
    uint8_t tag = ReadByte();
    if (tag > LastValueType) InvalidStream();
    return static_cast<TValueType>(tag);
}

TValueType TReader::NextValue() {
    int64_t at = stream_.Position();
    TValueType type = ReadValue();
    stream_.SetPosition(at);
    return type;
}

bool TReader::EndOfList() {
    int64_t at = stream_.Position();
    uint8_t b = ReadByte();
    stream_.SetPosition(at);
    return b == 0;
}

void TReader::PropertyValueError() { throw EPropertyError(InvalidValueText); }

void TReader::CheckValue(TValueType expected) {
    if (ReadValue() != expected) PropertyValueError();
}

int32_t TReader::ReadIntegerOf(TValueType type) {
    switch (type) {
    case TValueType::vaInt8:
        return static_cast<int8_t>(ReadByte());
    case TValueType::vaInt16: {
        uint8_t b[2];
        stream_.ReadBuffer(b, 2);
        return static_cast<int16_t>(b[0] | (b[1] << 8));
    }
    case TValueType::vaInt32:
        return static_cast<int32_t>(ReadUInt32());
    default:
        PropertyValueError();
    }
}

int32_t TReader::ReadInteger() { return ReadIntegerOf(ReadValue()); }

bool TReader::ReadBoolean() {
    TValueType type = ReadValue();
    if (type == TValueType::vaTrue) return true;
    if (type == TValueType::vaFalse) return false;
    PropertyValueError();
}

std::string TReader::ReadString() {
    TValueType type = ReadValue();
    switch (type) {
    case TValueType::vaString:
        return ReadShortString();
    case TValueType::vaLString:
    case TValueType::vaUTF8String: {
        uint32_t length = ReadUInt32();
        if (length > stream_.Remaining()) throw EReadError(ReadErrorText);
        std::string s(length, '\0');
        stream_.ReadBuffer(s.data(), s.size());
        return s;
    }
    default:
        PropertyValueError();
    }
}

std::string TReader::ReadIdent() {
    CheckValue(TValueType::vaIdent);
    return ReadShortString();
}

TColor TReader::ReadColor() {
    TValueType type = ReadValue();
    if (IsIntegerTag(type)) return static_cast<TColor>(ReadIntegerOf(type));
    if (type != TValueType::vaIdent) PropertyValueError();
    TColor color = 0;
    if (!IdentToColor(ReadShortString(), color)) PropertyValueError();
    return color;
}

std::vector<uint8_t> TReader::ReadBinary() {
    CheckValue(TValueType::vaBinary);
    uint32_t length = ReadUInt32();
    if (length > stream_.Remaining()) throw EReadError(ReadErrorText);
    std::vector<uint8_t> bytes(length);
    stream_.ReadBuffer(bytes.data(), bytes.size());
    return bytes;
}

void TReader::ReadBinary(const std::function<void(TStream& block)>& read) {
    CheckValue(TValueType::vaBinary);
    const uint32_t length = ReadUInt32();
    if (length > stream_.Remaining()) throw EReadError(ReadErrorText);
    const int64_t end = stream_.Position() + length;
    TStreamWindow block(stream_, length);
    read(block);
    stream_.SetPosition(end);
}

void TReader::ReadCollection(TCollection& collection) {
    CheckValue(TValueType::vaCollection);
    NestingGuard guard(depth_);
    if (collection.Count() > 0) collection.Clear();
    while (!EndOfList()) {
        if (IsIntegerTag(NextValue())) ReadInteger();  // the item's index, unused
        CheckValue(TValueType::vaList);
        if (collection.Count() >= MaxCollectionItems) InvalidStream();
        ReadProperties(collection.AddItem());
    }
    ReadByte();
}

void TReader::SkipValue() {
    switch (ReadValue()) {
    case TValueType::vaNull:
    case TValueType::vaFalse:
    case TValueType::vaTrue:
    case TValueType::vaNil:
        return;
    case TValueType::vaList: {
        NestingGuard guard(depth_);
        while (!EndOfList()) SkipValue();
        ReadByte();
        return;
    }
    case TValueType::vaInt8: return Skip(1);
    case TValueType::vaInt16: return Skip(2);
    case TValueType::vaInt32:
    case TValueType::vaSingle: return Skip(4);
    case TValueType::vaCurrency:
    case TValueType::vaDate:
    case TValueType::vaInt64: return Skip(8);
    case TValueType::vaExtended: return Skip(10);
    case TValueType::vaString:
    case TValueType::vaIdent: return Skip(ReadByte());
    case TValueType::vaBinary:
    case TValueType::vaLString:
    case TValueType::vaUTF8String: return Skip(ReadUInt32());
    case TValueType::vaWString: return Skip(int64_t{ReadUInt32()} * 2);
    case TValueType::vaSet:
        for (uint8_t length = ReadByte(); length != 0; length = ReadByte()) Skip(length);
        return;
    case TValueType::vaCollection: {
        NestingGuard guard(depth_);
        while (!EndOfList()) {
            if (IsIntegerTag(NextValue())) SkipValue();
            CheckValue(TValueType::vaList);
            while (!EndOfList()) SkipProperty();
            ReadByte();
        }
        ReadByte();
        return;
    }
    }
}

void TReader::SkipProperty() {
    Skip(ReadByte());
    SkipValue();
}

void TReader::ReadProperty(TPersistent& instance) {
    const std::string name = ReadShortString();
    TPersistent* target = &instance;
    size_t start = 0;
    for (size_t dot = name.find('.'); dot != std::string::npos; dot = name.find('.', start)) {
        target = target->SubObject(name.substr(start, dot - start));
        if (!target) throw EPropertyError(Format("Eigenschaft %s existiert nicht.", name));
        start = dot + 1;
    }
    if (!target->ReadProperty(name.substr(start), *this))
        throw EPropertyError(Format("Eigenschaft %s existiert nicht.", name));
}

void TReader::ReadProperties(TPersistent& instance) {
    while (!EndOfList()) ReadProperty(instance);
    ReadByte();
}

// A byte with all high four bits set carries filer flags; flag 2 (child
// position) is followed by an integer.
static void ReadPrefix(TReader& reader) {
    TStream& stream = reader.Stream();
    int64_t at = stream.Position();
    uint8_t b = reader.ReadByte();
    if ((b & 0xF0) != 0xF0) {
        stream.SetPosition(at);
        return;
    }
    if (b & 0x02) reader.ReadInteger();
}

void TReader::SkipObject() {
    NestingGuard guard(depth_);
    ReadPrefix(*this);
    ReadShortString();
    ReadShortString();
    while (!EndOfList()) SkipProperty();
    ReadByte();
    while (!EndOfList()) SkipObject();
    ReadByte();
}

void TReader::ReadRootObject(TPersistent& instance) {
    ReadPrefix(*this);
    ReadShortString();  // the class name: the root is given
    instance.SetName(ReadShortString());
    ReadProperties(instance);
    while (!EndOfList()) SkipObject();
    ReadByte();
}

// ---------------------------------------------------------------- writer

void TWriter::WriteByte(uint8_t value) { stream_.WriteBuffer(&value, 1); }

void TWriter::WriteShortString(const std::string& value) {
    if (value.size() > 255) throw EStreamError("Stream-Schreibfehler");
    WriteByte(static_cast<uint8_t>(value.size()));
    stream_.WriteBuffer(value.data(), value.size());
}

void TWriter::WritePropertyName(const std::string& name) { WriteShortString(name); }

void TWriter::WriteInteger(int32_t value) {
    if (value >= -128 && value <= 127) {
        WriteValue(TValueType::vaInt8);
        WriteLE(stream_, static_cast<uint32_t>(value), 1);
    } else if (value >= -32768 && value <= 32767) {
        WriteValue(TValueType::vaInt16);
        WriteLE(stream_, static_cast<uint32_t>(value), 2);
    } else {
        WriteValue(TValueType::vaInt32);
        WriteLE(stream_, static_cast<uint32_t>(value), 4);
    }
}

void TWriter::WriteBoolean(bool value) { WriteValue(value ? TValueType::vaTrue : TValueType::vaFalse); }

void TWriter::WriteString(const std::string& value) {
    if (value.size() <= 255) {
        WriteValue(TValueType::vaString);
        WriteShortString(value);
        return;
    }
    WriteValue(TValueType::vaLString);
    WriteLE(stream_, static_cast<uint32_t>(value.size()), 4);
    stream_.WriteBuffer(value.data(), value.size());
}

void TWriter::WriteIdent(const std::string& ident) {
    WriteValue(TValueType::vaIdent);
    WriteShortString(ident);
}

void TWriter::WriteColor(TColor value) {
    std::string ident;
    if (ColorToIdent(value, ident)) {
        WriteIdent(ident);
    } else {
        WriteInteger(static_cast<int32_t>(value));
    }
}

void TWriter::WriteBinary(const uint8_t* bytes, size_t count) {
    WriteValue(TValueType::vaBinary);
    WriteLE(stream_, static_cast<uint32_t>(count), 4);
    stream_.WriteBuffer(bytes, count);
}

void TWriter::WriteCollection(const TCollection& collection) {
    WriteValue(TValueType::vaCollection);
    for (int32_t i = 0; i < collection.Count(); ++i) {
        WriteValue(TValueType::vaList);
        collection.ItemAt(i).WriteProperties(*this);
        WriteListEnd();
    }
    WriteListEnd();
}

void TWriter::WriteIntegerProperty(const std::string& name, int32_t value) {
    WritePropertyName(name);
    WriteInteger(value);
}

void TWriter::WriteBooleanProperty(const std::string& name, bool value) {
    WritePropertyName(name);
    WriteBoolean(value);
}

void TWriter::WriteStringProperty(const std::string& name, const std::string& value) {
    WritePropertyName(name);
    WriteString(value);
}

void TWriter::WriteColorProperty(const std::string& name, TColor value) {
    WritePropertyName(name);
    WriteColor(value);
}

void TWriter::WriteBinaryProperty(const std::string& name, const std::vector<uint8_t>& bytes) {
    WritePropertyName(name);
    WriteBinary(bytes.data(), bytes.size());
}

void TWriter::WriteCollectionProperty(const std::string& name, const TCollection& collection) {
    WritePropertyName(name);
    WriteCollection(collection);
}

void TWriter::WriteRootObject(const TPersistent& root) {
    WriteShortString(root.ClassName());
    WriteShortString(root.Name());
    root.WriteProperties(*this);
    WriteListEnd();
    WriteListEnd();  // no children
}

// ---------------------------------------------------------------- container

// Reads up to 79 bytes, checks the marker and the type, and goes on after the
// zero-terminated name, the flags and the size.
static void ReadResourceHeader(TStream& stream) {
    int64_t start = stream.Position();
    uint8_t header[80] = {};
    stream.Read(header, 79);
    if (header[0] != 0xFF || (header[1] | (header[2] << 8)) != 10) InvalidStream();
    size_t nameLength = std::strlen(reinterpret_cast<const char*>(header + 3));
    stream.SetPosition(start + static_cast<int64_t>(nameLength) + 10);
}

void ReadComponentResource(TStream& stream, TPersistent& root) {
    ReadResourceHeader(stream);
    uint8_t signature[4];
    stream.ReadBuffer(signature, 4);
    if (std::memcmp(signature, Signature, 4) != 0) InvalidStream();
    TReader(stream).ReadRootObject(root);
}

void WriteComponentResource(TStream& stream, const TPersistent& root, const std::string& name) {
    std::string upper = name.substr(0, 63);
    upper.resize(std::strlen(upper.c_str()));  // the name ends at a zero byte
    for (char& c : upper)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    WriteLE(stream, 0xFF, 1);
    WriteLE(stream, 10, 2);
    stream.WriteBuffer(upper.c_str(), upper.size() + 1);
    WriteLE(stream, 0x1030, 2);
    int64_t sizeAt = stream.Position();
    WriteLE(stream, 0, 4);
    int64_t streamStart = stream.Position();
    stream.WriteBuffer(Signature, 4);
    TWriter(stream).WriteRootObject(root);
    int64_t end = stream.Position();
    stream.SetPosition(sizeAt);
    WriteLE(stream, static_cast<uint32_t>(end - streamStart), 4);
    stream.SetPosition(end);
}

}  // namespace skyrend
