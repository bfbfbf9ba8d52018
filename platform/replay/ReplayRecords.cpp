// platform/replay/ReplayRecords.cpp — each kind's payload, both ways.
//
// One routine walks a payload's fields; an encoder writes each, a decoder
// reads each within its bounds, so that both sides always agree.

#include "platform/replay/ReplayRecords.h"

#include <limits>
#include <type_traits>

namespace skyrend::platform::replay {

namespace {

constexpr uint64_t U32 = std::numeric_limits<uint32_t>::max();

void EncodeMessage(const Message& m, ByteSink& out) {
    out.Byte(static_cast<uint8_t>(m.kind));
    if (m.kind == MessageKind::KeyDown) out.Unsigned(m.key);
    if (m.kind == MessageKind::MouseDown) {
        out.Signed(m.x);
        out.Signed(m.y);
        out.Unsigned(static_cast<uint64_t>(m.button));
    }
}

void DecodeMessage(ByteSource& in, Message& m) {
    const uint8_t kind = in.Byte();
    if (kind > static_cast<uint8_t>(MessageKind::Close)) in.Fail("a message of unknown kind " + std::to_string(kind));
    m = Message{.kind = static_cast<MessageKind>(kind)};
    if (m.kind == MessageKind::KeyDown) m.key = static_cast<uint16_t>(in.Unsigned(0xffff));
    if (m.kind == MessageKind::MouseDown) {
        m.x = in.Signed32();
        m.y = in.Signed32();
        m.button = static_cast<int>(in.Unsigned(2));
    }
}

void EncodeKeys(const std::array<uint8_t, 256>& keys, ByteSink& out) {
    uint64_t down = 0;
    for (uint8_t k : keys) down += k != 0;
    out.Unsigned(down);
    for (size_t i = 0; i < keys.size(); ++i)
        if (keys[i]) {
            out.Byte(static_cast<uint8_t>(i));
            out.Byte(keys[i]);
        }
}

void DecodeKeys(ByteSource& in, std::array<uint8_t, 256>& keys) {
    keys.fill(0);
    const uint64_t down = in.Unsigned(256);
    for (uint64_t i = 0; i < down; ++i) {
        const uint8_t key = in.Byte();
        keys[key] = in.Byte();
    }
}

// Writing a payload: every field goes out as it is.
class Encoder {
public:
    explicit Encoder(ByteSink& out) : out_(out) {}
    void Flag(bool v) { out_.Byte(v); }
    void Signed(int64_t v) { out_.Signed(v); }
    template <typename T>
    void Unsigned(T v, uint64_t /*max*/) {
        out_.Unsigned(static_cast<std::make_unsigned_t<T>>(v));
    }
    void Hash(uint64_t v) { out_.Hash(v); }
    void Text(const std::string& v, uint64_t max) { out_.Text(v.substr(0, max)); }
    template <typename T, typename Each>
    void List(const std::vector<T>& v, uint64_t /*max*/, Each each) {
        out_.Unsigned(v.size());
        for (const T& e : v) each(e);
    }
    void Message(const skyrend::platform::Message& m) { EncodeMessage(m, out_); }
    void Keys(const std::array<uint8_t, 256>& keys) { EncodeKeys(keys, out_); }
    void Require(bool /*holds*/, const char* /*what*/) {}

private:
    ByteSink& out_;
};

// Reading a payload: every field within its bounds, or the record fails.
class Decoder {
public:
    explicit Decoder(ByteSource& in) : in_(in) {}
    void Flag(bool& v) { v = in_.Flag(); }
    template <typename T>
    void Signed(T& v) {
        v = in_.Signed32();
    }
    template <typename T>
    void Unsigned(T& v, uint64_t max) {
        v = static_cast<T>(in_.Unsigned(max));
    }
    void Hash(uint64_t& v) { v = in_.Hash(); }
    void Text(std::string& v, uint64_t max) { v = in_.Text(max); }
    template <typename T, typename Each>
    void List(std::vector<T>& v, uint64_t max, Each each) {
        v.resize(static_cast<size_t>(in_.Unsigned(max)));
        for (T& e : v) each(e);
    }
    void Message(skyrend::platform::Message& m) { DecodeMessage(in_, m); }
    void Keys(std::array<uint8_t, 256>& keys) { DecodeKeys(in_, keys); }
    void Require(bool holds, const char* what) {
        if (!holds) in_.Fail(what);
    }

private:
    ByteSource& in_;
};

// Each kind's payload, field by field, for an Encoder (a const answer) or a
// Decoder (an answer to fill).
template <typename A, typename Io>
void Payload(Kind kind, A& a, Io& io) {
    switch (kind) {
        case Kind::Idle:
        case Kind::EmptyPolls:
            io.Unsigned(a.count, MaxCount);
            io.Require(a.count != 0, "an empty run");
            break;
        case Kind::JoystickCount: io.Unsigned(a.count, 1024); break;
        case Kind::Message: io.Message(a.message); break;
        case Kind::Clock: io.Signed(a.number); break;
        case Kind::UtcTime: io.Unsigned(a.number, 86399999); break;
        case Kind::Cursor:
        case Kind::ClientSize:
            io.Signed(a.x);
            io.Signed(a.y);
            break;
        case Kind::DisplayModes:
            io.List(a.modes, MaxModes, [&io](auto& m) {
                io.Signed(m.width);
                io.Signed(m.height);
                io.Signed(m.bitCount);
            });
            break;
        case Kind::Foreground:
        case Kind::SetDisplayMode:
        case Kind::CanMakeSurface:
        case Kind::CanMakePrimary:
        case Kind::SurfacesLost:
        case Kind::RestoreSurfaces:
        case Kind::SoundDevice:
        case Kind::PrimaryBuffer:
        case Kind::VoicePlaying:
        case Kind::SoundConnected:
        case Kind::VoiceDuplicate: io.Flag(a.ok); break;
        case Kind::Present:
            io.Flag(a.ok);
            io.Hash(a.hash);
            break;
        case Kind::Keyboard: io.Keys(a.keys); break;
        case Kind::JoystickCaps:
            io.Flag(a.ok);
            if (!a.ok) break;
            for (auto* v : {&a.caps.xMin, &a.caps.xMax, &a.caps.yMin, &a.caps.yMax, &a.caps.zMin, &a.caps.zMax,
                            &a.caps.buttonCount})
                io.Signed(*v);
            break;
        case Kind::JoystickPosition:
            io.Flag(a.ok);
            if (!a.ok) break;
            io.Signed(a.position.x);
            io.Signed(a.position.y);
            io.Signed(a.position.z);
            io.Unsigned(a.position.buttons, U32);
            break;
        case Kind::Voice:
            io.Flag(a.ok);
            if (a.ok) break;
            io.Unsigned(a.number, 2);  // 1 not made, 2 not filled
            io.Text(a.text, MaxText);
            break;
        case Kind::File:
            io.Text(a.text, MaxText);
            io.Unsigned(a.size, std::numeric_limits<int64_t>::max());
            io.Hash(a.hash);
            break;
        case Kind::Tick:
            io.List(a.cues, MaxCues, [&io](auto& c) {
                io.Unsigned(c.device, 7);
                io.Signed(c.item);
            });
            break;
        case Kind::End: break;
    }
}

}  // namespace

void EncodePayload(Kind kind, const Answer& a, ByteSink& out) {
    Encoder io(out);
    Payload(kind, a, io);
}

void DecodePayload(Kind kind, ByteSource& in, Answer& a) {
    Decoder io(in);
    Payload(kind, a, io);
}

}  // namespace skyrend::platform::replay
