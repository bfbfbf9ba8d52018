// media/Persistent.cpp — the defaults of a streamable object: no published
// properties, no sub-objects, nothing stored.

#include "media/Persistent.h"

namespace skyrend {

bool SameText(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        unsigned char x = static_cast<unsigned char>(a[i]);
        unsigned char y = static_cast<unsigned char>(b[i]);
        if (x >= 'a' && x <= 'z') x = static_cast<unsigned char>(x - 'a' + 'A');
        if (y >= 'a' && y <= 'z') y = static_cast<unsigned char>(y - 'a' + 'A');
        if (x != y) return false;
    }
    return true;
}

bool TPersistent::ReadProperty(const std::string&, TReader&) { return false; }

TPersistent* TPersistent::SubObject(const std::string&) { return nullptr; }

void TPersistent::WriteProperties(TWriter&) const {}

void TPersistent::SetName(const std::string&) {}

}  // namespace skyrend
