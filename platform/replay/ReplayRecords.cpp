// platform/replay/ReplayRecords.cpp — each kind's payload, both ways.

#include "platform/replay/ReplayRecords.h"

#include <limits>

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

void EncodeCaps(const JoystickCaps& c, ByteSink& out) {
    for (int v : {c.xMin, c.xMax, c.yMin, c.yMax, c.zMin, c.zMax, c.buttonCount}) out.Signed(v);
}

void DecodeCaps(ByteSource& in, JoystickCaps& c) {
    for (int* v : {&c.xMin, &c.xMax, &c.yMin, &c.yMax, &c.zMin, &c.zMax, &c.buttonCount}) *v = in.Signed32();
}

}  // namespace

void EncodePayload(Kind kind, const Answer& a, ByteSink& out) {
    switch (kind) {
        case Kind::Idle:
        case Kind::EmptyPolls:
        case Kind::JoystickCount: out.Unsigned(a.count); break;
        case Kind::Message: EncodeMessage(a.message, out); break;
        case Kind::Clock: out.Signed(a.number); break;
        case Kind::UtcTime: out.Unsigned(static_cast<uint64_t>(a.number)); break;
        case Kind::Cursor:
        case Kind::ClientSize:
            out.Signed(a.x);
            out.Signed(a.y);
            break;
        case Kind::DisplayModes:
            out.Unsigned(a.modes.size());
            for (const DisplayMode& m : a.modes) {
                out.Signed(m.width);
                out.Signed(m.height);
                out.Signed(m.bitCount);
            }
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
        case Kind::VoiceDuplicate: out.Byte(a.ok); break;
        case Kind::Present:
            out.Byte(a.ok);
            out.Hash(a.hash);
            break;
        case Kind::Keyboard: EncodeKeys(a.keys, out); break;
        case Kind::JoystickCaps:
            out.Byte(a.ok);
            if (a.ok) EncodeCaps(a.caps, out);
            break;
        case Kind::JoystickPosition:
            out.Byte(a.ok);
            if (a.ok) {
                out.Signed(a.position.x);
                out.Signed(a.position.y);
                out.Signed(a.position.z);
                out.Unsigned(a.position.buttons);
            }
            break;
        case Kind::Voice:
            out.Byte(a.ok);
            if (a.ok) break;
            out.Unsigned(static_cast<uint64_t>(a.number));  // 1 not made, 2 not filled
            out.Text(a.text.substr(0, MaxText));
            break;
        case Kind::File:
            out.Text(a.text.substr(0, MaxText));
            out.Unsigned(a.size);
            out.Hash(a.hash);
            break;
        case Kind::Tick:
            out.Unsigned(a.cues.size());
            for (const Cue& c : a.cues) {
                out.Unsigned(static_cast<uint32_t>(c.device));
                out.Signed(c.item);
            }
            break;
        case Kind::End: break;
    }
}

void DecodePayload(Kind kind, ByteSource& in, Answer& a) {
    switch (kind) {
        case Kind::Idle:
        case Kind::EmptyPolls:
            a.count = in.Unsigned(MaxCount);
            if (a.count == 0) in.Fail("an empty run");
            break;
        case Kind::JoystickCount: a.count = in.Unsigned(1024); break;
        case Kind::Message: DecodeMessage(in, a.message); break;
        case Kind::Clock: a.number = in.Signed32(); break;
        case Kind::UtcTime: a.number = static_cast<int64_t>(in.Unsigned(86399999)); break;
        case Kind::Cursor:
        case Kind::ClientSize:
            a.x = in.Signed32();
            a.y = in.Signed32();
            break;
        case Kind::DisplayModes:
            a.modes.resize(static_cast<size_t>(in.Unsigned(MaxModes)));
            for (DisplayMode& m : a.modes) {
                m.width = in.Signed32();
                m.height = in.Signed32();
                m.bitCount = in.Signed32();
            }
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
        case Kind::VoiceDuplicate: a.ok = in.Flag(); break;
        case Kind::Present:
            a.ok = in.Flag();
            a.hash = in.Hash();
            break;
        case Kind::Keyboard: DecodeKeys(in, a.keys); break;
        case Kind::JoystickCaps:
            a.ok = in.Flag();
            if (a.ok) DecodeCaps(in, a.caps);
            break;
        case Kind::JoystickPosition:
            a.ok = in.Flag();
            if (a.ok) {
                a.position.x = in.Signed32();
                a.position.y = in.Signed32();
                a.position.z = in.Signed32();
                a.position.buttons = static_cast<uint32_t>(in.Unsigned(U32));
            }
            break;
        case Kind::Voice:
            a.ok = in.Flag();
            if (a.ok) break;
            a.number = static_cast<int64_t>(in.Unsigned(2));
            a.text = in.Text(MaxText);
            break;
        case Kind::File:
            a.text = in.Text(MaxText);
            a.size = in.Unsigned(std::numeric_limits<int64_t>::max());
            a.hash = in.Hash();
            break;
        case Kind::Tick:
            a.cues.resize(static_cast<size_t>(in.Unsigned(MaxCues)));
            for (Cue& c : a.cues) {
                c.device = static_cast<int32_t>(in.Unsigned(7));
                c.item = in.Signed32();
            }
            break;
        case Kind::End: break;
    }
}

}  // namespace skyrend::platform::replay
