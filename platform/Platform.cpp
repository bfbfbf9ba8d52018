// platform/Platform.cpp — the back-end in use.

#include "platform/Platform.h"

#include <stdexcept>

namespace skyrend::platform {

namespace {
Platform* current = nullptr;
}

Platform& Current() {
    if (!current) throw std::logic_error("no platform back-end installed");
    return *current;
}

void SetCurrent(Platform* platform) { current = platform; }

}  // namespace skyrend::platform
