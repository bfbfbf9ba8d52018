// tests/support/CountingAllocator.h — the global allocation functions
// replaced by counting ones, for the tests that a frame allocates nothing.
//
// Include it in exactly one source file of a test program: it defines the
// replacements. The address sanitizer owns the allocation functions in its
// builds; there nothing is replaced and counting is off.

#pragma once

#include <atomic>
#include <cstdlib>
#include <new>

#if defined(__SANITIZE_ADDRESS__)
namespace {
constexpr bool countingAllocations = false;
long AllocationCount() { return 0; }
}  // namespace
#else
namespace {
constexpr bool countingAllocations = true;
std::atomic<long> allocations{0};
long AllocationCount() { return allocations.load(); }

void* Allocate(size_t size) {
    ++allocations;
    if (void* p = std::malloc(size ? size : 1)) return p;
    throw std::bad_alloc();
}
void* AllocateAligned(size_t size, std::align_val_t align) {
    ++allocations;
    const size_t a = static_cast<size_t>(align);
    if (void* p = std::aligned_alloc(a, (size + a - 1) / a * a)) return p;
    throw std::bad_alloc();
}
}  // namespace

void* operator new(size_t size) { return Allocate(size); }
void* operator new[](size_t size) { return Allocate(size); }
void* operator new(size_t size, const std::nothrow_t&) noexcept {
    try {
        return Allocate(size);
    } catch (...) {
        return nullptr;
    }
}
void* operator new[](size_t size, const std::nothrow_t& tag) noexcept { return operator new(size, tag); }
void* operator new(size_t size, std::align_val_t align) { return AllocateAligned(size, align); }
void* operator new[](size_t size, std::align_val_t align) { return AllocateAligned(size, align); }
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, size_t) noexcept { std::free(p); }
void operator delete[](void* p, size_t) noexcept { std::free(p); }
void operator delete(void* p, std::align_val_t) noexcept { std::free(p); }
void operator delete[](void* p, std::align_val_t) noexcept { std::free(p); }
void operator delete(void* p, size_t, std::align_val_t) noexcept { std::free(p); }
void operator delete[](void* p, size_t, std::align_val_t) noexcept { std::free(p); }
#endif
