// platform/Memory.cpp — the allocator's settings and zero pages (glibc and
// POSIX).

#include "platform/Memory.h"

#include <malloc.h>
#include <sys/mman.h>

namespace skyrend::platform {

void KeepFreedMemory() {
    // Large blocks from the heap rather than mappings of their own, and the
    // heap's top kept rather than trimmed: both would give freed pictures
    // back to the system.
    mallopt(M_MMAP_THRESHOLD, 64 << 20);
    mallopt(M_TRIM_THRESHOLD, 512 << 20);
}

void* AllocateZeroedPages(size_t bytes) {
    void* pages = mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    return pages == MAP_FAILED ? nullptr : pages;
}

void FreeZeroedPages(void* pages, size_t bytes) {
    if (pages) munmap(pages, bytes);
}

}  // namespace skyrend::platform
