// platform/Memory.h — how the process takes memory from the system.
//
// The game reads tens of megabytes of pictures at every new game and frees
// the previous ones just before. Memory given back to the system in between
// comes back one page fault at a time, which costs more than reading the
// files; so freed memory is kept for reuse. Storage that is mostly never
// touched (the entity lists, sized for the largest fleet) comes straight
// from the system instead, as zero pages that take no memory until written.

#pragma once

#include <cstddef>

namespace skyrend::platform {

// Keeps memory the process frees for its own reuse. Call once, early.
void KeepFreedMemory();

// Zeroed storage of `bytes` bytes from the system (null when there is none);
// pages nobody writes take no memory.
void* AllocateZeroedPages(size_t bytes);
void FreeZeroedPages(void* pages, size_t bytes);

}  // namespace skyrend::platform
