// tests/stream/StreamTestSupport.h — the stream tests' objects, a byte builder
// for hand-made streams and a way to read an exception's text.

#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "media/ComponentStream.h"
#include "media/DIB.h"
#include "tests/stream/StreamTestObjects.h"
#include "tests/support/ErrorOf.h"

namespace skyrend::test {

// Little-endian bytes, built piece by piece.
struct Bytes {
    std::vector<uint8_t> b;

    Bytes& u8(uint32_t v) { b.push_back(static_cast<uint8_t>(v)); return *this; }
    Bytes& u16(uint32_t v) { return u8(v).u8(v >> 8); }
    Bytes& u32(uint32_t v) { return u16(v).u16(v >> 16); }
    Bytes& raw(const std::string& s) { b.insert(b.end(), s.begin(), s.end()); return *this; }
    Bytes& raw(const std::vector<uint8_t>& v) { b.insert(b.end(), v.begin(), v.end()); return *this; }
    Bytes& str(const std::string& s) { return u8(static_cast<uint32_t>(s.size())).raw(s); }  // length byte + bytes
    // A resource header with this name, then "TPF0".
    Bytes& header(const std::string& name) {
        u8(0xFF).u16(10).raw(name).u8(0).u16(0x1030).u32(0);
        return raw("TPF0");
    }
    size_t size() const { return b.size(); }
};

// Reads `bytes` into `root` as a component resource.
inline void ReadInto(const std::vector<uint8_t>& bytes, TPersistent& root) {
    TBytesView view(bytes.data(), bytes.size());
    ReadComponentResource(view, root);
}

}  // namespace skyrend::test
